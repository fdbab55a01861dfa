#pragma once
// The layout of the industry file: a volume set with five keys whose volumes
// are the info volume, the series list, or one cell of one data set. The file
// is written up in docs/industry_file.md.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/store/data_context.h"
#include "core/store/volume_set_header.h"

namespace cv {

// The text in the signature section of every industry file.
inline constexpr std::string_view kIndustrySignature = "Quen*or VolSet - Corvantis3 Industry Version 2 - 1998";

// Volume types, the value of the first key; a data set's kind ("what") is its volume type.
enum TVolType : std::uint16_t {
    vtInfo = 1,
    vtSeries = 2,
    vtConstant = 3,
    vtResults = 4,
    vtDecisions = 5,
    vtDefaults = 6,
};

struct TIndustryKey {
    std::string_view name;
    std::int16_t low;
    std::int16_t high;
};

// The keys in declaration order: a volume's keys are (type, period, zone, market, firm).
inline constexpr int kIndustryKeyCount = 5;
inline constexpr std::array<TIndustryKey, kIndustryKeyCount> kIndustryKeys{{
    {"VkVolType", 1, 6},
    {"VkPeriod", -1, 12},
    {"VkFta", 1, 3},
    {"VkMarket", 1, 3},
    {"VkFirm", 1, 6},
}};
using TIndustryKeys = std::array<std::int16_t, kIndustryKeyCount>;

// The period of the constant part (and its period key).
inline constexpr std::int16_t kConstantPeriod = kVolKeyUnset;

// Period ranges of the set tables. Sets of period 13 live in memory only: the
// period key stops at 12, so they have no volume.
inline constexpr int kFirstResultPeriod = -1;
inline constexpr int kLastResultPeriod = 12;
inline constexpr int kFirstDecisionPeriod = 0;
inline constexpr int kLastDecisionPeriod = 13;
inline constexpr int kLastStoredPeriod = 12;

// The cell grid of a data set: index 0 of a dimension means "does not depend on it".
inline constexpr int kMaxCellFirm = 6;
inline constexpr int kMaxCellZone = 3;
inline constexpr int kMaxCellMarket = 3;

// Save flags of TCvData::Save.
inline constexpr std::uint16_t kSaveConstant = 1;
inline constexpr std::uint16_t kSaveDecisions = 2;
inline constexpr std::uint16_t kSaveDefaults = 4;
inline constexpr std::uint16_t kSaveResults = 8;
inline constexpr std::uint16_t kSaveSeries = 16;
inline constexpr std::uint16_t kSaveAll = 31;

// The info volume: tag 1 + current period, tag 2 + scenario name in an 8-character slot, tag 255.
inline constexpr std::uint8_t kInfoTagPeriod = 1;
inline constexpr std::uint8_t kInfoTagScenario = 2;
inline constexpr std::uint8_t kInfoTagEnd = 255;
inline constexpr std::uint8_t kScenarioNameSlot = 8;
inline constexpr std::uint16_t kInfoVolumeSize = 16;

// Keys of the info volume and of the series list.
inline constexpr TIndustryKeys InfoVolumeKeys() {
    return {vtInfo, kVolKeyUnset, kVolKeyUnset, kVolKeyUnset, kVolKeyUnset};
}
inline constexpr TIndustryKeys SeriesVolumeKeys() {
    return {vtSeries, kVolKeyUnset, kVolKeyUnset, kVolKeyUnset, kVolKeyUnset};
}

// Keys of one cell of the set What of Period: an index 0 is stored as "not given".
inline constexpr TIndustryKeys CellVolumeKeys(std::uint16_t what, std::int16_t period, const TCellIndex& cell) {
    auto key = [](std::int16_t index) { return index == 0 ? kVolKeyUnset : index; };
    return {static_cast<std::int16_t>(what), period, key(cell.zone), key(cell.market), key(cell.firm)};
}

}  // namespace cv
