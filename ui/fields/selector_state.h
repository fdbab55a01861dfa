#pragma once
// What a selector-bar group shows, as a page records it: the group's mode
// (0 not shown, 1 shown disabled, 2 single choice, 4 multiple choice), the
// spin value of each element (the period group uses element 1), and which
// elements are selected (down) and enabled. Copied and compared whole.

#include <cstdint>

namespace cv {

struct TSelectorState {
    static constexpr int kElements = 10;
    std::int32_t Spare = 0;  // neither read nor set by the program's logic
    std::uint8_t Mode = 0;
    std::int32_t Values[kElements] = {};
    std::uint8_t Down[kElements] = {};
    std::uint8_t Enabled[kElements] = {};

    bool operator==(const TSelectorState&) const = default;
};

// The firm, zone and market selectors of a page. The period selector is the
// data-context record's own period-bar mode, period and flag.
struct TPageSelectors {
    TSelectorState Fir;
    TSelectorState Fta;
    TSelectorState Mkt;

    bool operator==(const TPageSelectors&) const = default;
};

}  // namespace cv
