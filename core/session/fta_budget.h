#pragma once
// TFtaBudget: what a team's plans for the decision period cost in one zone, set
// against the money it may spend there. Each open industry keeps one instance
// for as long as it is open; a caller points it at its own firm and zone (Init)
// before every calculation.
//
// Recalculate gathers the plans (brands and their advertising, the sales force,
// R&D projects, studies) and the current period's results, converts every
// amount into the zone's currency and works out what is left. Screens and
// checks then read single fields. Nothing is written to the data store.
//
// Brand and sales-force figures are kept as whole units (ties go to the even
// unit); project, study, budget and balance figures are not rounded. In a
// dimension that carries a total, slot 0 holds the sum of the other slots; in a
// dimension counted from 1, slot 0 stays unused.

#include <array>
#include <cstdint>
#include <string>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TDynArr;
class TCvPerData;
class TSeries;

// Limits of one zone's budget: an index beyond them raises ERangeError.
inline constexpr int kBudgetMarkets = 3;
inline constexpr int kBudgetBrands = 5;    // per firm and market
inline constexpr int kBudgetProjects = 5;  // per firm and market
inline constexpr int kBudgetChannels = 3;  // per zone
inline constexpr int kBudgetStudies = 16;  // per study series
// The largest amount a brand or sales-force figure holds (32 bits): a plan that
// costs more raises EOverflowError or ERangeError in Recalculate.
inline constexpr std::int32_t kBudgetLargestAmount = 2147483647;
// Brand and project names are kept to this many characters.
inline constexpr std::size_t kBudgetNameMax = 8;

// Brand cost categories, the third index of BrandCosts.
enum TBrandCostCategory : int {
    bcAdvertOther = 1,  // advertising outside its quality share
    bcAdvertQual = 2,   // the quality share of advertising ("AdvertQual" of "AdvertBgt")
    bcSlfSalaries = 3,  // the brand's part of the sales-force salaries
    bcSlfHiring = 4,    // ... of the hiring cost
    bcSlfFiring = 5,    // ... of the firing cost
};
inline constexpr int kBrandCostCategories = 5;

// Sales-force cost categories, the second index of SlfCosts.
enum TSlfCostCategory : int { scSalaries = 1, scHiring = 2, scFiring = 3 };
inline constexpr int kSlfCostCategories = 3;

// The figures Recalculate rebuilds. They are replaced as a whole: a Recalculate
// that raises leaves the figures of the previous one.
struct TFtaBudgetFigures {
    template <class T>
    using TPerMarket = std::array<T, kBudgetMarkets + 1>;
    using TBrandRow = std::array<std::int32_t, kBrandCostCategories + 1>;

    TPerMarket<std::uint8_t> NbBrands{};    // [1..3] marketed brands ("NbMktedBrds")
    TPerMarket<std::uint8_t> NbProjects{};  // [1..3] R&D projects ("NbPrjs")
    TPerMarket<std::array<std::string, kBudgetBrands + 1>> BrandNames;  // [1..3][1..5]
    // [market][brand][category]. Totals sit in slot 0: [m][b][0] sums a brand's
    // categories, [m][0][c] a category over the market, [0][0][c] over every
    // market and [0][0][0] everything; rows [0][b > 0] stay empty.
    TPerMarket<std::array<TBrandRow, kBudgetBrands + 1>> BrandCosts{};
    TPerMarket<std::array<std::string, kBudgetProjects + 1>> ProjectNames;  // [1..3][1..5]
    TPerMarket<std::array<double, kBudgetProjects + 1>> ProjectCosts{};     // [m][0] market, [0][0] all
    TPerMarket<std::array<double, kBudgetStudies + 1>> MktStudyCosts{};     // [m][0] market, [0][0] all
    std::array<double, kBudgetStudies + 1> FtaStudyCosts{};                 // [0] all zone studies
    // [channel][category]; [ch][0] a channel's total, [0][c] a category over all
    // channels, [0][0] the firm's sales-force cost in the zone.
    std::array<std::array<std::int32_t, kSlfCostCategories + 1>, kBudgetChannels + 1> SlfCosts{};
    // [m] brands, projects and studies of market m; [0] zone studies plus all markets.
    TPerMarket<double> MktExpenses{};
    double NetBudget = 0;         // "ffxNPB" of the current "FFXRpt"
    double LoanCap = 0;           // loan requested ("LoanCap" of "LoanVal")
    double BgtChg = 0;            // budget change requested ("BgtChg" of "LoanVal")
    std::int32_t LoanAck = 0;     // "LoanAck": 0 while the loan is not acknowledged
    std::int32_t BgtChgAck = 0;   // "BgtChgAck": 0 while the budget change is not acknowledged
    double DeficitReserved = 0;   // 0 (set whenever the balance is negative)
    double AdvertCut = 0;         // the part of an excess of spending advertising absorbs
    double DeficitLeft = 0;       // the part advertising cannot absorb
    double Balance = 0;           // NetBudget + LoanCap + BgtChg - MktExpenses[0]
};

class TFtaBudget : public TFtaBudgetFigures {
public:
    TFtaBudget() = default;
    TFtaBudget(const TFtaBudget&) = delete;
    TFtaBudget& operator=(const TFtaBudget&) = delete;

    // Copies Context and looks up what its zone needs: the current period's
    // results, the decision period's decisions, the channel series, the number
    // of markets and the factor that converts "Salaries" costs into the zone's
    // currency for the decision period. A zone with no channel series, over 3
    // channels or over 255 markets raises ERangeError; the object is unchanged.
    void Init(TCvInd& industry, const TDataContext& context);
    // The same on the session's open industry; without one, ECvError.
    void Init(const TDataContext& context);

    // Recomputes all figures (after Init). Absent data counts as zero: the store
    // reports a missing array or scalar, except the cost scalars, which are read
    // without a report. A market with over 5 brands or projects, over 3 markets
    // or over 16 studies raises ERangeError, and a sum past 32 bits
    // EOverflowError; either way the previous figures are kept.
    void Recalculate();

    const TDataContext& Context() const { return context_; }
    TCvPerData* Results() const { return results_; }
    TCvPerData* Decisions() const { return decisions_; }
    const TSeries* Channels() const { return channels_; }
    int NbMarkets() const { return nbMarkets_; }
    int NbChannels() const { return nbChannels_; }
    // Factor of the sales-force costs and of the study prices (the same value).
    double MoneyFactor() const { return moneyFactor_; }
    double StudyMoneyFactor() const { return studyMoneyFactor_; }

private:
    void CalcSalesForce(TFtaBudgetFigures& figures, const TDynArr* ffxReport) const;
    void CalcBrands(TFtaBudgetFigures& figures) const;
    void CalcStudies(TFtaBudgetFigures& figures) const;
    void CalcProjects(TFtaBudgetFigures& figures) const;
    void CalcLoanRequest(TFtaBudgetFigures& figures) const;
    static void SumExpenses(TFtaBudgetFigures& figures, int nbMarkets);
    static void SplitDeficit(TFtaBudgetFigures& figures);
    static void AddBrandCost(TFtaBudgetFigures& figures, int market, int brand, int category, std::int32_t value);
    static void AddSlfCost(TFtaBudgetFigures& figures, int channel, int category, std::int32_t value);
    TDataContext MarketContext(int market) const;

    TDataContext context_;
    TCvInd* industry_ = nullptr;
    TCvPerData* results_ = nullptr;
    TCvPerData* decisions_ = nullptr;
    const TSeries* channels_ = nullptr;
    int nbMarkets_ = 0;
    int nbChannels_ = 0;
    double moneyFactor_ = 0;
    double studyMoneyFactor_ = 0;
};

}  // namespace cv
