// Cumulative brand slots: a returning brand, every slot taken with and without
// a withdrawn brand. One firm, one zone, one market, decision period 1; the
// fixtures have 20 labels of "CumBrand": 19 slots and the row of lost slots (20).
// The period's results of the firm's brand rows 1 and 2 (fixture_finan.h):
//   row 1: USold 1000, RSales 31000, Rev 21000, CGS 10000, IHSC 1000 + 500,
//          Adv 3750 + 1250, Slf 2000, CAM 2500
//   row 2: USold 2000, RSales 64000, Rev 44000, CGS 20000, IHSC 2000 + 1000,
//          Adv 7500 + 2500, Slf 4000, CAM 7000
// A slot of t with base B holds B + e in each result element e (brcUSold = 3 .. brcCAM = 10).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr int kSlots = 19;
constexpr int kLostRow = 20;
constexpr long double kLostMark = 32767;
const long double kRowOne[] = {1000, 31000, 21000, 10000, 1500, 5000, 2000, 2500};
const long double kRowTwo[] = {2000, 64000, 44000, 20000, 3000, 10000, 4000, 7000};

std::string SlotName(int k) { return k < 10 ? "S0" + std::to_string(k) : "S" + std::to_string(k); }

class FinanceSlots : public ::testing::Test {
protected:
    // Brands of t+1 (each from the prototype "P" + its name in capitals) and the slots of t.
    TCvInd& Run(const std::vector<std::string>& brands, const std::vector<std::string>& prototypes,
                const std::vector<test::TCumulativeSlotFixture>& slots) {
        test::TFixtureSpec spec(0, 1, 1, 1);
        spec.Prototypes(1, 1) = prototypes;
        for (const std::string& brand : brands) spec.Cell(1, 1, 1).brandsT1.push_back({brand, "P" + Upper(brand), {}});
        spec.MarketAgeT(1, 1) = 1;
        TCvInd& industry = world_.OpenFixture(spec);
        test::PrepareForecastPeriod(industry);
        test::WriteBrandInputsT1(industry);
        test::SetCumulativeSlotsT(industry, 1, 1, 1, slots);
        test::RunFinanceStep(industry);
        return industry;
    }

    static std::string Upper(std::string text) {
        for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return text;
    }

    // Every slot 1..19 named S01..S19 with status 1, base 100 x k, but the withdrawn ones (status 2).
    static std::vector<test::TCumulativeSlotFixture> FullSlots(const std::vector<int>& withdrawn) {
        std::vector<test::TCumulativeSlotFixture> slots;
        for (int k = 1; k <= kSlots; ++k) {
            const bool out = std::find(withdrawn.begin(), withdrawn.end(), k) != withdrawn.end();
            slots.push_back({k, SlotName(k), out ? 2.0L : 1.0L, 0, 100.0L * k});
        }
        return slots;
    }

    test::TModelWorld world_;
};

TEST_F(FinanceSlots, ReturningBrandKeepsItsSlotIntroductionAndResults) {
    TCvInd& industry = Run({"oldie"}, {"POLDIE"}, {{1, "ACTIVE", 1, 0, 100}, {2, "OLDIE", 2, 0, 200}});
    const test::TFinanceView view(industry, 1);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 2), "OLDIE");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcIsMkted), 1);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcIntroPer), 0);
    for (int e = si::brcUSold; e <= si::brcCAM; ++e)
        EXPECT_EQ(view.Cumulative(1, 1, 1, 2, e), 200 + e + kRowOne[e - si::brcUSold]) << e;
    // ACTIVE was marketed in t and is not now: withdrawn, results kept; no new slot was taken.
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcIsMkted), 2);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcCAM), 110);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 3), "");
    EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, si::brcIsMkted), 0);
}

TEST_F(FinanceSlots, FullSlotsGiveTheFirstWithdrawnSlotToTheNewBrand) {
    // Slots 5 and 9 withdrawn; the lost row already holds 2000 + e from earlier periods.
    std::vector<test::TCumulativeSlotFixture> slots = FullSlots({5, 9});
    slots.push_back({kLostRow, "", kLostMark, kLostMark, 2000});
    TCvInd& industry = Run({"NEWONE"}, {"PNEWONE"}, slots);
    const test::TFinanceView view(industry, 1);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 5), "NEWONE");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 5, si::brcIsMkted), 1);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 5, si::brcIntroPer), 1);
    for (int e = si::brcUSold; e <= si::brcCAM; ++e) {
        EXPECT_EQ(view.Cumulative(1, 1, 1, 5, e), kRowOne[e - si::brcUSold]) << e;
        // The lost row adds slot 5's results: 2000 + e + 500 + e.
        EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, e), 2500 + 2 * e) << e;
    }
    EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, si::brcIsMkted), kLostMark);
    EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, si::brcIntroPer), kLostMark);
    // Slot 9 stays withdrawn; the others, marketed in t and not now, become withdrawn.
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 9), "S09");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 9, si::brcUSold), 903);
    for (int k : {1, 4, 6, 19}) EXPECT_EQ(view.Cumulative(1, 1, 1, k, si::brcIsMkted), 2) << k;
}

TEST_F(FinanceSlots, FullSlotsWithoutAWithdrawnBrandEmptySlotOneEvenWhileItIsMarketed) {
    // S01 (row 1) keeps slot 1 and adds the period, then NEWONE (row 2) finds no slot
    // free and none withdrawn: slot 1 goes to the lost row with this period's results.
    TCvInd& industry = Run({"S01", "NEWONE"}, {"PS01", "PNEWONE"}, FullSlots({}));
    const test::TFinanceView view(industry, 1);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 1), "NEWONE");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcIsMkted), 1);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcIntroPer), 1);
    for (int e = si::brcUSold; e <= si::brcCAM; ++e) {
        EXPECT_EQ(view.Cumulative(1, 1, 1, 1, e), kRowTwo[e - si::brcUSold]) << e;
        EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, e), 100 + e + kRowOne[e - si::brcUSold]) << e;
    }
    EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, si::brcIsMkted), kLostMark);
    for (int k = 2; k <= kSlots; ++k) EXPECT_EQ(view.Cumulative(1, 1, 1, k, si::brcIsMkted), 2) << k;
}

}  // namespace
}  // namespace cv
