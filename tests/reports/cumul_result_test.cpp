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
        return TCVScreen::Create<TCumResult>(owner.get(), Context(3), kind, kWindowLayout);
    }
};

// Brand rows from 3; the totals after at least ten body rows.
TEST_F(CumResultTest, BrandRowsSkipUnmarketedSlotsButTheTotalsSumEverySlot) {
    SetSlots(1, {{1, 1, 12000}, {2, 0, 3000}, {kLastSlot, 1, 5000}});
    SetSlots(2, {{1, 1, 1000}});
    auto screen = Screen(1);
    const TQNTable& table = *screen->Table();
    // The last slot has its own label. Totals: M1 12 + 3 + 5 = 20 K units, M2 1, M3 none, all 21.
    const int totals = FirstTotalRow(table) - table.OriginRow();
    EXPECT_EQ(totals, 3 + 10);
    test::ExpectCells(table, {{3, 1, "ALBA"}, {3, 3, "12.0"}, {4, 1, "Other brands"}, {5, 1, "AMOR"}, {6, 1, ""},
                              {totals, 1, "Total market M1"}, {totals, 3, "20.0"}, {totals + 1, 3, "1.0"},
                              {totals + 2, 1, "Total market M3"}, {totals + 2, 3, "0.0"},
                              {totals + 3, 1, "Grand total"}, {totals + 3, 3, "21.0"}});
}

TEST_F(CumResultTest, MoreMarketedSlotsThanAMarketsRowsKeepEveryBrandAboveTheTotals) {
    SetSlots(1, {});
    SetSlots(2, {});
    SetSlots(3, {});
    TDataContext context = Context(3);
    for (int market : {1, 2, 3}) {
        context.SelMarket = static_cast<std::int16_t>(market);
        TSimArr& results = *Session->Industry()->PerResults(3).FindSimArr(kCategoryFirmFtaMarket, context, "BrdCumRes");
        for (int slot = 1; slot <= (market == 3 ? 13 : kLastSlot); ++slot) {
            results.SetReal48({slot, si::brcIsMkted}, 1);
            results.SetReal48({slot, si::brcUSold}, 1000);
        }
    }
    // 20 + 20 + 13 = 53 brand rows exceed 16 x 3: the market totals follow them.
    test::ExpectCells(*Screen(1)->Table(), {{3 + 52, 3, "1.0"}, {3 + 53, 1, "Total market M1"}, {3 + 53, 3, "20.0"},
                                            {3 + 56, 3, "53.0"}});
}

// The market screen: the total column 6, M1 in 8, M2 in 10.
TEST_F(CumResultTest, MarketColumnsAndTheirTotals) {
    SetSlots(1, {{1, 1, 12000}, {2, 0, 3000}});
    SetSlots(2, {{1, 1, 4000}});
    // Every slot counts: M1 12 + 3 = 15; the total column sums the markets: 19.
    test::ExpectCells(*Screen(2)->Table(), {{0, 8, "M1"}, {0, 10, "M2"}, {2, 8, "15.0"}, {2, 10, "4.0"}, {2, 6, "19.0"}});
}

TEST_F(CumResultTest, OneMarketHasNoGrandTotalAndNoMarketColumns) {
    OpenOneMarketVariant();
    SetSlots(1, {{1, 1, 12000}});
    auto brands = Screen(1);
    const int totals = FirstTotalRow(*brands->Table()) - brands->Table()->OriginRow();
    test::ExpectCells(*brands->Table(), {{totals, 3, "12.0"}, {totals + 1, 1, ""}});
    // The market's units sold in the total column, no market column.
    test::ExpectCells(*Screen(2)->Table(), {{2, 6, "12.0"}, {0, 8, ""}});
}

}  // namespace
}  // namespace cv
