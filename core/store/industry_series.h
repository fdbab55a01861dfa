#pragma once
// The series an industry's cells are laid out by: the period, firm, zone and
// market series, each market's dimension, map and semantic series, each zone's
// channel series and each zone and market's segment series. The constant part
// holds each one's position in the series list. The look-ups here are silent,
// so that the opening and the whole-file check refuse a file that lacks one
// with their own single message.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/store/data_context.h"

namespace cv {

class TCvPerData;
class TListSeries;
class TSeries;

// An industry has at most 3 zones and 3 markets.
inline constexpr int kMaxFtas = 3;
inline constexpr int kMaxMarkets = 3;

// The data category under which the constant part holds the position of the
// series SeriesName; nothing for a name that is no cell series.
std::optional<int> CellSeriesCategory(std::string_view seriesName);

// How a message names the position kept under SeriesName for a zone and a
// market (0: none): "SegSeries of zone 1 of market 2".
std::string SeriesPositionText(std::string_view seriesName, int fta, int market);

// The series whose position the constant part holds under SeriesName in the
// cell of Context; nullptr when the position is absent or lies outside List.
TSeries* FindCellSeries(const TCvPerData& constPart, const TListSeries& list, std::string_view seriesName,
                        const TDataContext& context);

// Every series the opening sets up, zones and markets numbered from 1.
struct TIndustrySeries {
    using TMarketSeries = std::array<TSeries*, kMaxMarkets>;
    TSeries* periods = nullptr;
    TSeries* firms = nullptr;
    TSeries* ftas = nullptr;
    TSeries* markets = nullptr;
    TMarketSeries dimensions{};
    TMarketSeries maps{};
    TMarketSeries semantics{};
    std::array<TSeries*, kMaxFtas> channels{};
    std::array<TMarketSeries, kMaxFtas> segments{};
};

// The series of the industry whose constant part and series list are given,
// at Period. EDataError names the first one that is missing or whose position
// lies outside the list, and a zone or market count beyond the three slots.
TIndustrySeries RequiredIndustrySeries(const TCvPerData& constPart, const TListSeries& list, std::int16_t period);

}  // namespace cv
