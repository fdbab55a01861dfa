// Each message of the checks, triggered by the smallest change to decisions
// that pass every check. The brand changed is ALBA, row 1 of team A's
// portfolio in the North's market 1.
#include <functional>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "tests/decisions/checks/sample_decisions.h"

namespace cv::test {
namespace {

constexpr int kNorth = 1;
constexpr int kMarket1 = 1;
constexpr int kAlba = 1;
constexpr int kAlto = 3;  // its prototype PALTO was completed in the current period

enum class Check { Errors, Warnings, Status, Plan };

struct KeyCase {
    const char* name;
    Check check;
    std::function<void(class CheckKeys&)> change;
    std::vector<std::string> keys;
};

class CheckKeys : public SampleDecisions {
public:
    TSimArr& Mix() { return Decision("DecBrdCv3", kCategoryFirmFtaMarket, kNorth, kMarket1); }
    void SetMix(int brand, int member, double value) { Mix().SetReal48({brand, member}, value); }
    // ALBA's retail price of the current period, as its brand report holds it.
    double PreviousPrice() {
        const TSimArr* report =
            Industry().PerResults(3).FindSimArr(kCategoryFirmFtaMarket, Context(kNorth, kMarket1), "BrdRpt");
        return static_cast<double>(report->GetReal48({kAlba, si::brRPrice}));
    }
    // Segment 1's planned size := the brands' planned sales in it; then ALBA's plan Over more.
    void PlanSegmentAtItsSales(double over) {
        TSimArr& plan = Decision("MPBrdSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1);
        long double sales = 0;
        for (int brand = 1; brand <= 3; ++brand) sales += plan.GetReal48({brand, 1});
        Decision("MPSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1).SetReal48({1}, sales);
        plan.SetReal48({kAlba, 1}, plan.GetReal48({kAlba, 1}) + over);
    }
    void SetParameter(const char* name, double value) {
        Industry().ConstPart().SetReal(kCategoryFtaMarket, Context(kNorth, kMarket1), name, value);
    }

    std::vector<std::string> Run(Check check) {
        TCheckDec checker(Industry(), Context(kNorth));
        TQnInfos messages;
        int count = 0;
        switch (check) {
            case Check::Errors: count = checker.CheckDecisions(messages, Context(kNorth)); break;
            case Check::Warnings: count = checker.CheckWarnings(messages, Context(kNorth)); break;
            case Check::Status: checker.CheckDecStatus(messages, Context(kNorth)); count = int(messages.Count()); break;
            case Check::Plan: count = checker.CheckMktPlan(messages, Context(kNorth)); break;
        }
        EXPECT_EQ(count, static_cast<int>(messages.Count()));
        return Keys(messages);
    }
};

const std::vector<KeyCase>& Cases() {
    static const std::vector<KeyCase> cases = {
        // ALTO is new: without production it has nothing to sell.
        {"NoProductionNoInventory", Check::Errors, [](CheckKeys& t) { t.SetMix(kAlto, si::Production, 0); },
         {"ErrNoProdNoInv"}},
        // ALBA keeps the few units its last production left over: selling off
        // 1000 units beyond them is 1000 too many.
        {"SellOffBeyondInventory", Check::Errors,
         [](CheckKeys& t) { t.SetMix(kAlba, si::SellStock, t.Mix().GetReal48({kAlba, si::AvailStock}) + 1000); },
         {"ErrSellInvTooLarge"}},
        {"NoSegmentTarget", Check::Errors,
         [](CheckKeys& t) {
             TSimArr& targets = t.Decision("SegStrat", kCategoryFirmFtaMarket, kNorth, kMarket1);
             for (int s = 1; s <= 3; ++s) targets.SetReal48({kAlba, s}, 0);
         },
         {"ErrSegStrat0"}},
        // 0.5 + 0.3 + 0.1 = 0.9: 90 %.
        {"SegmentTargetsShort", Check::Errors,
         [](CheckKeys& t) {
             TSimArr& targets = t.Decision("SegStrat", kCategoryFirmFtaMarket, kNorth, kMarket1);
             targets.SetReal48({kAlba, 1}, 0.5);
             targets.SetReal48({kAlba, 2}, 0.3);
             targets.SetReal48({kAlba, 3}, 0.1);
         },
         {"ErrSegStratNot100"}},
        // A price of 0 is also more than the largest fall from the last price.
        {"NoPrice", Check::Errors, [](CheckKeys& t) { t.SetMix(kAlba, si::Price, 0); },
         {"ErrPrice0", "DecPriceDecr"}},
        // With falls of up to 99.9 % allowed, a price of 1 is only below the cost.
        {"PriceBelowCost", Check::Errors,
         [](CheckKeys& t) {
             t.SetParameter("MaxPriVar1", 0.999);
             t.SetMix(kAlba, si::Price, 1);
         },
         {"ErrDumping"}},
        // At most 25 % above the last price.
        {"PriceRisesTooMuch", Check::Errors,
         [](CheckKeys& t) {
             t.SetParameter("MaxPriVar1", 0.25);
             t.SetMix(kAlba, si::Price, t.PreviousPrice() * 1.25 + 1);
         },
         {"DecPriceIncr"}},
        {"PriceFallsTooMuch", Check::Errors,
         [](CheckKeys& t) {
             t.SetParameter("MaxPriVar1", 0.25);
             t.SetMix(kAlba, si::Price, t.PreviousPrice() * 0.75 - 1);
         },
         {"DecPriceDecr"}},
        // Channel 1 of market 1 gives ALBA 19 % instead of 20 %: 99 % in all.
        {"ChannelNotFullyAllocated", Check::Errors,
         [](CheckKeys& t) { t.Decision("SlfAlloc", kCategoryFirmFtaMarket, kNorth, kMarket1).SetReal48({1, kAlba}, 0.19); },
         {"ErrSlfAllocNot100"}},
        {"ChannelWithoutSalespeople", Check::Warnings,
         [](CheckKeys& t) { t.Decision("SlfSize", kCategoryFirmFta, kNorth, 0).SetReal48({1}, 0); },
         {"Warn1DistribDecs"}},
        {"BrandWithoutSalesForce", Check::Warnings,
         [](CheckKeys& t) {
             TSimArr& allocation = t.Decision("SlfAlloc", kCategoryFirmFtaMarket, kNorth, kMarket1);
             for (int channel = 1; channel <= 3; ++channel) allocation.SetReal48({channel, kAlba}, 0);
         },
         {"Warn2DistribDecs"}},
        {"LoanNotSigned", Check::Warnings,
         [](CheckKeys& t) { t.NewDecs().SetSmallint(kCategoryFirm, t.Context(), "LoanAck", 0); },
         {"Warn1Loan"}},
        {"BudgetChangeNotSigned", Check::Warnings,
         [](CheckKeys& t) {
             t.Decision("LoanVal", kCategoryFirm, 0, 0).SetReal48({si::BgtChg}, 50000);
             t.NewDecs().SetSmallint(kCategoryFirm, t.Context(), "BgtChgAck", 0);
         },
         {"Warn1BgtChg"}},
        // ALTO moves to ALBA's prototype: PALTO, completed this period, is left unused.
        {"PrototypeNotUsed", Check::Warnings,
         [](CheckKeys& t) {
             t.Decision("DecBrdPort", kCategoryFirmFtaMarket, kNorth, kMarket1).SetZts({kAlto, si::ProName}, "PALBA");
         },
         {"WarnProNotUsed"}},
        {"SalesForceNotTaken", Check::Status,
         [](CheckKeys& t) { t.NewDecs().SetSmallint(kCategoryFirmFta, t.Context(kNorth), "SlfDecStatus", 0); },
         {"SlfDecsNotYetTaken"}},
        {"StudiesNotTaken", Check::Status,
         [](CheckKeys& t) { t.NewDecs().SetSmallint(kCategoryFirmFta, t.Context(kNorth), "StudiesDecStatus", 0); },
         {"StuDecsNotYetTaken"}},
        {"BrandNotTaken", Check::Status, [](CheckKeys& t) { t.SetMix(kAlba, si::BrdDecStatus, 0); },
         {"BrdDecsNotYetTaken"}},
        {"ProjectNotTaken", Check::Status,
         [](CheckKeys& t) {
             t.Decision("PrjFins", kCategoryFirmMarket, 0, kMarket1).SetReal48({1, si::ProDecStatus}, 0);
         },
         {"PrjDecsNotYetTaken"}},
        {"SegmentNotPlanned", Check::Plan,
         [](CheckKeys& t) { t.Decision("MPSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1).SetReal48({1}, 0); },
         // A segment planned at 0 is also smaller than the brands' planned sales in it.
         {"MPErrSegSize0", "MPErrSalesGTSize"}},
        {"BrandSalesNotPlanned", Check::Plan,
         [](CheckKeys& t) {
             TSimArr& plan = t.Decision("MPBrdSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1);
             for (int s = 1; s <= 3; ++s) plan.SetReal48({kAlba, s}, 0);
         },
         {"MPErrBrdSales0"}},
        // Production 1, nothing in stock: planned sales exceed 1 x (1 + the tolerance).
        {"PlanBeyondSupply", Check::Plan, [](CheckKeys& t) { t.SetMix(kAlba, si::Production, 1); },
         {"MPErrBrdSalesGTProd"}},
        {"ChannelSplitShort", Check::Plan,
         [](CheckKeys& t) {
             TSimArr& split = t.Decision("MPBrdChaSales", kCategoryFirmFtaMarket, kNorth, kMarket1);
             split.SetReal48({kAlba, 1}, split.GetReal48({kAlba, 1}) - 2000);
         },
         {"MPErrChaSalesNot100"}},
        {"SalesBeyondSegment", Check::Plan,
         [](CheckKeys& t) {
             TSimArr& plan = t.Decision("MPBrdSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1);
             TSimArr& sizes = t.Decision("MPSegSales", kCategoryFirmFtaMarket, kNorth, kMarket1);
             sizes.SetReal48({1}, plan.GetReal48({kAlba, 1}) / 2);
         },
         {"MPErrSalesGTSize"}},
        // Sizes and sales compare in whole units, as the plan shows them: a
        // share turned into units a fraction over the size fits, a unit does not.
        {"SalesEqualToTheSegment", Check::Plan, [](CheckKeys& t) { t.PlanSegmentAtItsSales(0); }, {}},
        {"SalesAFractionOverTheSegment", Check::Plan, [](CheckKeys& t) { t.PlanSegmentAtItsSales(0.0032); }, {}},
        {"SalesAUnitOverTheSegment", Check::Plan, [](CheckKeys& t) { t.PlanSegmentAtItsSales(1); },
         {"MPErrSalesGTSize"}},
    };
    return cases;
}

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class CheckKeysTable : public CheckKeys, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CheckKeysTable, SmallestChangeGivesItsKeysOnly) {
    const KeyCase& c = GetParam();
    ASSERT_TRUE(Run(c.check).empty()) << "the complete decisions pass";
    c.change(*this);
    EXPECT_EQ(Run(c.check), c.keys);
}

INSTANTIATE_TEST_SUITE_P(EveryKey, CheckKeysTable, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(CheckKeys, CompleteDecisionsPassEveryCheck) {
    for (Check check : {Check::Errors, Check::Warnings, Check::Status, Check::Plan}) EXPECT_TRUE(Run(check).empty());
}

}  // namespace
}  // namespace cv::test
