// The cumulative results of firm A (zone North) at period 3, with the
// cumulated brand figures of both markets replaced by chosen ones.
#include <gtest/gtest.h>

#include <array>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/results/cumul_result.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;

int FirstTotalRow(const TQNTable& table) { return table.Sheet().Geometry().RowStart(2); }

constexpr int kLastSlot = 20;  // the sample's "CumBrand" has twenty slots

class CumResultTest : public test::ResultsTest {
protected:
    // Market M's slots all cleared, then (slot, marketed, units sold) set.
    void SetSlots(int market, std::initializer_list<std::array<double, 3>> figures) {
        TDataContext context = Context(3);
        context.SelMarket = static_cast<std::int16_t>(market);
        TSimArr& results = *Session->Industry()->PerResults(3).FindSimArr(kCategoryFirmFtaMarket, context, "BrdCumRes");
        results.Clear();
        for (const auto& [slot, marketed, units] : figures) {
            results.SetReal48({static_cast<int>(slot), si::brcIsMkted}, marketed);
            results.SetReal48({static_cast<int>(slot), si::brcUSold}, units);
        }
    }
    std::unique_ptr<TCumResult> Screen(int kind) {
        return TCVScreen::Create<TCumResult>(owner.get(), Context(3), kind, 18, 0, 0, kWindowMode);
    }
};

TEST_F(CumResultTest, BrandRowsSkipUnmarketedSlotsButTheTotalsSumEverySlot) {
    SetSlots(1, {{1, 1, 12000}, {2, 0, 3000}, {kLastSlot, 1, 5000}});
    SetSlots(2, {{1, 1, 1000}});
    auto screen = Screen(1);
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h + 3, 1), "ALBA");
    EXPECT_EQ(CellText(table, h + 3, 3), "12.0");
    EXPECT_EQ(CellText(table, h + 4, 1), "Other brands");  // the last slot's own label
    EXPECT_EQ(CellText(table, h + 5, 1), "AMOR");
    EXPECT_EQ(CellText(table, h + 6, 1), "");
    // The shown table keeps its minimum of ten body rows, then the totals:
    // M1 12 + 3 + 5 = 20 K units, M2 1, both 21.
    const int totals = FirstTotalRow(table);
    EXPECT_EQ(totals, h + 3 + 10);
    EXPECT_EQ(CellText(table, totals, 1), "Total market M1");
    EXPECT_EQ(CellText(table, totals, 3), "20.0");
    EXPECT_EQ(CellText(table, totals + 1, 3), "1.0");
    EXPECT_EQ(CellText(table, totals + 2, 1), "Grand total");
    EXPECT_EQ(CellText(table, totals + 2, 3), "21.0");
    EXPECT_TRUE(test::IsBold(table, totals + 2, 3));
}

TEST_F(CumResultTest, MoreMarketedSlotsThanAMarketsRowsKeepEveryBrandAboveTheTotals) {
    SetSlots(1, {});
    TDataContext context = Context(3);
    TSimArr& results = *Session->Industry()->PerResults(3).FindSimArr(kCategoryFirmFtaMarket, context, "BrdCumRes");
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        results.SetReal48({slot, si::brcIsMkted}, 1);
        results.SetReal48({slot, si::brcUSold}, 1000);
    }
    SetSlots(2, {{1, 1, 1000}, {2, 1, 1000}, {3, 1, 1000}, {4, 1, 1000}, {5, 1, 1000}, {6, 1, 1000},
                 {7, 1, 1000}, {8, 1, 1000}, {9, 1, 1000}, {10, 1, 1000}, {11, 1, 1000}, {12, 1, 1000},
                 {13, 1, 1000}});
    auto screen = Screen(1);
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    // 20 + 13 = 33 brand rows exceed 16 x 2: the market totals follow them.
    EXPECT_EQ(CellText(table, h + 3 + 32, 3), "1.0");
    EXPECT_EQ(CellText(table, h + 3 + 33, 1), "Total market M1");
    EXPECT_EQ(CellText(table, h + 3 + 33, 3), "20.0");
    EXPECT_EQ(CellText(table, h + 3 + 35, 3), "33.0");
}

TEST_F(CumResultTest, OneMarketHasNoGrandTotalAndNoMarketColumns) {
    OpenOneMarketVariant();
    SetSlots(1, {{1, 1, 12000}});
    auto brands = Screen(1);
    const int totals = FirstTotalRow(*brands->Table());
    EXPECT_EQ(CellText(*brands->Table(), totals, 3), "12.0");
    EXPECT_EQ(CellText(*brands->Table(), totals + 1, 1), "");
    auto markets = Screen(2);
    const TQNTable& table = *markets->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h + 2, 6), "12.0");  // the market's units sold in the total column
    EXPECT_EQ(CellText(table, h, 8), "");
}

TEST_F(CumResultTest, MarketColumnsAndTheirTotals) {
    SetSlots(1, {{1, 1, 12000}, {2, 0, 3000}});
    SetSlots(2, {{1, 1, 4000}});
    auto screen = Screen(2);
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h, 8), "M1");
    EXPECT_EQ(CellText(table, h, 10), "M2");
    EXPECT_EQ(CellText(table, h + 2, 8), "15.0");  // 12 + 3: every slot counts
    EXPECT_EQ(CellText(table, h + 2, 10), "4.0");
    EXPECT_EQ(CellText(table, h + 2, 6), "19.0");  // SUM of the market columns
    EXPECT_EQ(CellText(table, h + 2, 5), "K units");
}

TEST_F(CumResultTest, AnUnknownKindBuildsNothing) {
    auto screen = Screen(3);
    EXPECT_EQ(screen->Table(), nullptr);
    ASSERT_FALSE(root.ui.plainBoxes.empty());
    EXPECT_EQ(root.ui.plainBoxes.back(), "Unknown brand cumulative result screen 3");
}

}  // namespace
}  // namespace cv
