#pragma once
// Maps keyed by a name that find a name met again by its view, without a copy.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace cv {

struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

template <class Value>
using TNameMap = std::unordered_map<std::string, Value, TNameHash, std::equal_to<>>;

}  // namespace cv
