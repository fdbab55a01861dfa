#pragma once
// The dimension names of named arrays, each distinct list of names kept once
// for the whole process. A forecast holds thousands of arrays whose names are
// the few series names of the industry, repeated endlessly: an array keeps a
// 16-bit reference to its list instead of the names.
//
// The tables only grow: a reference, and a name read through it, stay valid
// until the process ends. Naming a list takes a lock only when the calling
// thread has not met that list lately; reading a name takes none.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace cv {

class TDimNames {
public:
    static constexpr std::size_t kCount = 5;     // names in a list: one per dimension
    static constexpr std::size_t kNameMax = 16;  // characters kept of a name

    // Five empty names.
    constexpr TDimNames() = default;
    // Names, each cut to kNameMax; names past kCount are ignored, missing ones
    // empty. More distinct names or lists than a 16-bit reference tells apart
    // (65,536 of each in the process) raise ERangeError.
    explicit TDimNames(std::span<const std::string_view> names);

    // Name D, 0-based, below kCount.
    std::string_view operator[](std::size_t d) const;
    // Whether Names, cut and completed as the constructor does, are these
    // names: a compare without a look-up, for a list that is likely kept.
    bool Are(std::span<const std::string_view> names) const;
    // Equal references are equal names.
    friend bool operator==(TDimNames, TDimNames) = default;

private:
    std::uint16_t id_ = 0;
};

}  // namespace cv
