#pragma once
// TShapeMemo: the shapes the typed-array reader (core/store/typed_array_form.cpp)
// planned last, found again by the bytes of the array forms' headers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/store/typed_array.h"

namespace cv {

// The shapes of the array forms read last, by the bytes of their headers (from
// the kind's tag to the elements' tag), from which alone a shape is planned:
// the cells of an industry repeat a few dozen shapes thousands of times, and
// finding a shape again costs less than planning it. Only shapes planned
// without an error are kept.
template <class Shape>
class TShapeMemo {
public:
    // A header's bytes: seven of kind, sub type and dimension count, the two
    // bounds of each dimension and the tags of the upper bounds and elements.
    static constexpr std::size_t kMaxHeader = 7 + 4 * kMaxDims + 2;

    const Shape* Find(const std::uint8_t* header, std::size_t size) const {
        const TKept& kept = kept_[SlotOf(header, size)];
        return kept.size == size && SameHeader(kept.header.data(), header, size) ? &kept.shape : nullptr;
    }
    const Shape& Keep(const std::uint8_t* header, std::size_t size, const Shape& shape) {
        TKept& kept = kept_[SlotOf(header, size)];
        std::memcpy(kept.header.data(), header, size);
        kept.size = size;
        kept.shape = shape;
        return kept.shape;
    }

private:
    static constexpr std::size_t kSlots = 256;
    struct TKept {
        std::array<std::uint8_t, kMaxHeader> header{};
        std::size_t size = 0;
        Shape shape{};
    };
    static std::uint64_t Word(const std::uint8_t* bytes) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }
    // Whether two headers of Size bytes (13 to 29) are alike: four words of
    // eight bytes, overlapping, cover them.
    static bool SameHeader(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
        const std::size_t second = size >= 16 ? 8 : 0;
        const std::size_t third = size >= 24 ? size - 16 : 0;
        return Word(a) == Word(b) && Word(a + second) == Word(b + second) && Word(a + third) == Word(b + third) &&
               Word(a + size - 8) == Word(b + size - 8);
    }
    // From the header's first and last eight bytes (a header has at least 13):
    // shapes that differ elsewhere only share a slot.
    static std::size_t SlotOf(const std::uint8_t* header, std::size_t size) {
        const std::uint64_t mixed =
            (Word(header) * 0x9E3779B97F4A7C15ULL) ^ (Word(header + size - 8) * 0xC2B2AE3D27D4EB4FULL) ^ size;
        return static_cast<std::size_t>(mixed >> 56) % kSlots;
    }
    std::array<TKept, kSlots> kept_{};
};

}  // namespace cv
