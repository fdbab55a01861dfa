#pragma once
// The data-context record and the data categories.
//
// Every quantity is reached by a data category, a context record and a name.
// The record says which period, firm, zone (Fta), market and segment a screen,
// dialog, document or model step is looking at, plus the choices of the page's
// selector bar. It is copied whole into every screen, chart, dialog and model
// module and handed to the data getters, which never change the caller's copy.

#include <cstdint>

namespace cv {

// Positions of periods, firms, zones and markets are element indexes of their
// series; the display choices are 1-based positions in their lists.
struct TDataContext {
    std::int16_t SelPeriod = 0;   // period whose data is shown
    std::int16_t SelFirm = 0;     // selected firm; the team's own firm when a page opens
    std::int16_t SelFta = 0;      // selected zone
    std::int16_t SelMarket = 0;   // selected market
    std::int16_t SelSegment = 0;  // selected segment (1-based position in the page's segment list)
    std::int16_t SelChannel = 0;  // channel option of the firm chart, read for "@CHANNEL"
    std::int16_t HorzAxis = 0;    // horizontal axis of a map or chart
    std::int16_t VertAxis = 0;    // vertical axis or map dimension ("@MAP")
    std::int16_t GraphOption = 0;   // first option group of the selector bar
    std::int16_t UnitsOrValue = 0;  // second option group: element of "UorV"
    std::int16_t EvolChoice = 0;    // third option group: element of "EvolOrOnePer"
    std::int16_t StudyChoice1 = 0;  // the four selection lists of the market-studies page
    std::int16_t StudyChoice2 = 0;
    std::int16_t StudyChoice3 = 0;
    std::int16_t StudyChoice4 = 0;
    std::int16_t CurPeriod = 0;   // the industry's current period: the results sets read
    std::int16_t DecPeriod = 0;   // the period of the decision sets: current + 1 on the decisions page
    // Selection words of the firm, zone and market selectors: the numbers set when a page opens,
    // later a bit set (bit i-1 for element i) in the selector bar's multiple-choice mode.
    std::int16_t HomeFirm = 0;
    std::int16_t HomeFta = 0;
    std::int16_t HomeMarket = 0;
    std::int16_t Spare1 = 0;
    std::int16_t Spare2 = 0;
    std::uint8_t PerBarMode = 0;    // 0 or 2, set by the pages that show a period bar
    std::int32_t PerBarPeriod = 0;  // the page's selected or decision period
    bool PerBarFlag = false;
    // The user interface appends its selector-state records here. The record is copied and
    // compared as a whole (never field by field), so fields added here travel with every copy.

    bool operator==(const TDataContext&) const = default;
};

// The grid cell a category selects; 0 in a dimension means the data does not depend on it.
struct TCellIndex {
    std::int16_t firm = 0;
    std::int16_t zone = 0;
    std::int16_t market = 0;

    bool operator==(const TCellIndex&) const = default;
};

// Data categories: which of firm, zone and market select the cell.
inline constexpr int kCategoryIndustry = 1;          // (0, 0, 0)
inline constexpr int kCategoryFirm = 2;              // (firm, 0, 0)
inline constexpr int kCategoryFta = 3;               // (0, zone, 0)
inline constexpr int kCategoryMarket = 4;            // (0, 0, market)
inline constexpr int kCategoryFirmFta = 5;           // (firm, zone, 0)
inline constexpr int kCategoryFirmMarket = 6;        // (firm, 0, market)
inline constexpr int kCategoryFtaMarket = 7;         // (0, zone, market)
inline constexpr int kCategoryFirmFtaMarket = 8;     // (firm, zone, market)

// The report of CalcIndices for a category outside 1..8: the industry-wide cell.
TCellIndex ReportUnknownCategory(int category);

// The cell that Category selects for Context. A category outside 1..8 shows
// "CalcIndices: unknown category: <n>" in a plain box and gives the
// industry-wide cell (0, 0, 0), with which the caller goes on. Inline: every
// access to a data set selects its cell this way.
inline TCellIndex CalcIndices(int category, const TDataContext& context) {
    if (category < kCategoryIndustry || category > kCategoryFirmFtaMarket) [[unlikely]]
        return ReportUnknownCategory(category);
    // Whether categories 1..8 keep the firm (bit 0), the zone (bit 1) and the market (bit 2).
    constexpr std::uint8_t kKept[] = {0b000, 0b001, 0b010, 0b100, 0b011, 0b101, 0b110, 0b111};
    const std::uint8_t kept = kKept[category - kCategoryIndustry];
    return {(kept & 0b001) ? context.SelFirm : std::int16_t{0}, (kept & 0b010) ? context.SelFta : std::int16_t{0},
            (kept & 0b100) ? context.SelMarket : std::int16_t{0}};
}

}  // namespace cv
