#pragma once
// TFtaBudget: the team's budget in one zone for the decision period. The open
// industry owns one, created when the industry is opened and freed when it is
// closed; its users set it up with their own context before each calculation.
//
// Recalculate reads the firm's decisions for the decision period (brands,
// advertising, sales force, R&D projects, studies) and the results of the
// current period, prices everything in the zone's money and compares the total
// with the money the firm may spend there. The budget screens, the decision
// checks, the sales-force dialog and the audit grid read the figures field by
// field. The object only reads the data store.
//
// Brand and sales-force amounts are whole money units, rounded to the nearest
// integer with halves to the even neighbour; project, study, budget and balance
// amounts keep their fractions. Index 0 of a total dimension holds the sum over
// the other indexes; index 0 of a dimension that runs from 1 is not used.

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
    // [market][brand][category]; [m][b][0] all categories of a brand, [m][0][c] a
    // category over the market's brands, [0][0][c] over all markets, [0][0][0] the
    // grand total; [0][b][c] with b above 0 is not filled.
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

    // Keeps a copy of Context and binds, for its zone: the result set of its
    // current period, the decision set of its decision period, the zone's
    // channels, the market count and the money factor (1.0 in the zone's money
    // of the decision period, cost category "Salaries"). A zone without channels
    // in the industry, more than 3 channels or more than 255 markets raise
    // ERangeError and leave the object as it was.
    void Init(TCvInd& industry, const TDataContext& context);
    // The same on the session's open industry; without one, ECvError.
    void Init(const TDataContext& context);

    // Rebuilds every figure from the data store. A missing array or scalar is
    // reported by the data store and counts 0 (the cost scalars silently). More
    // than 5 brands or projects in a market, more than 3 markets or more than 16
    // studies raise ERangeError, a total beyond 32 bits EOverflowError; the
    // figures then stay as they were. Must follow Init.
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
