#include "core/session/fta_budget.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "core/session/open_industry.h"
#include "core/base/errors.h"
#include "core/session/industry.h"

namespace cv {

namespace {

constexpr int kMaxStoredMarkets = 255;
constexpr bool kWithCurrentInflation = true;
constexpr char kIntegerOverflow[] = "Integer overflow";

// A number of an array element whatever the array's kind; 0 without the array
// (whose absence the data store has already reported).
long double Number(const TDynArr* array, const TIndex& index) {
    return array ? SimValueNumber(array->GetV(index)) : 0;
}

std::string Name(const TDynArr* array, const TIndex& index) {
    return array ? array->GetZts(index).substr(0, kBudgetNameMax) : std::string();
}

// Nearest integer, halves to the even neighbour; beyond 32 bits ERangeError.
std::int32_t Nearest(long double value) {
    const long double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw ERangeError();
    return static_cast<std::int32_t>(rounded);
}

void AddChecked(std::int32_t& total, std::int32_t value) {
    if (__builtin_add_overflow(total, value, &total)) throw EOverflowError(kIntegerOverflow);
}

// A count read from the data store that must lie within 0..Limit.
int CheckedCount(long double count, int limit) {
    if (!(count >= 0 && count <= limit)) throw ERangeError();
    return static_cast<int>(count);
}

int SeriesCount(const TSeries* series, int limit) { return series ? CheckedCount(series->Count(), limit) : 0; }

// A scalar of any numeric kind, reported by the data store when missing.
std::int32_t ScalarInteger(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    TSimValue value;
    set.GetScalar(category, context, name, kAnyKind, true, value);
    return Nearest(SimValueNumber(value));
}

}  // namespace

void TFtaBudget::Init(TCvInd& industry, const TDataContext& context) {
    if (industry.NbMarkets() > kMaxStoredMarkets) throw ERangeError();
    const TSeries* channels = industry.ChaSeries(context.SelFta);
    if (!channels) throw ERangeError();
    const int nbChannels = CheckedCount(channels->Count(), kBudgetChannels);
    TCvPerData& results = industry.PerResults(context.CurPeriod);
    TCvPerData& decisions = industry.PerDecisions(context.DecPeriod);
    const auto moneyFactor = static_cast<double>(
        industry.ConvertToFta(context.DecPeriod, context.SelFta, kWithCurrentInflation, 1.0L, si::Salaries));

    context_ = context;
    industry_ = &industry;
    results_ = &results;
    decisions_ = &decisions;
    channels_ = channels;
    nbMarkets_ = industry.NbMarkets();
    nbChannels_ = nbChannels;
    moneyFactor_ = moneyFactor;
    studyMoneyFactor_ = moneyFactor;
}

void TFtaBudget::Init(const TDataContext& context) { Init(SessionIndustry("TFtaBudget.Init"), context); }

// Every figure is built in a fresh record (the excess split included, so that
// nothing of an earlier zone or firm survives) and replaces the current ones
// only when every step has succeeded.
void TFtaBudget::Recalculate() {
    if (!industry_) throw ECvError("[TFtaBudget.Recalculate] Init was not called");
    if (nbMarkets_ > kBudgetMarkets) throw ERangeError();
    TFtaBudgetFigures figures;
    const TSimArr* ffxReport = &results_->GetSimArr(kCategoryFirmFta, context_, "FFXRpt");
    CalcSalesForce(figures, ffxReport);
    CalcBrands(figures);
    CalcStudies(figures);
    CalcProjects(figures);
    SumExpenses(figures, nbMarkets_);
    CalcLoanRequest(figures);
    figures.NetBudget = static_cast<double>(Number(ffxReport, {si::ffxNPB}));
    figures.Balance = figures.NetBudget + figures.LoanCap + figures.BgtChg - figures.MktExpenses[0];
    if (figures.Balance < 0) SplitDeficit(figures);
    static_cast<TFtaBudgetFigures&>(*this) = std::move(figures);
}

TDataContext TFtaBudget::MarketContext(int market) const {
    TDataContext context = context_;
    context.SelMarket = static_cast<std::int16_t>(market);
    return context;
}

// Salaries are paid on the new size; a larger force costs hiring, a smaller one
// firing. Each cost is shared out over the channels by their new sizes.
void TFtaBudget::CalcSalesForce(TFtaBudgetFigures& figures, const TDynArr* ffxReport) const {
    const TCvPerData& constant = industry_->ConstPart();
    const long double baseCost = constant.GetRealDef(kCategoryFta, context_, "SlpBaseCost", 0) * moneyFactor_;
    const long double fireCost = constant.GetRealDef(kCategoryFta, context_, "SlpFireCost", 0) * moneyFactor_;
    const long double hireCost = constant.GetRealDef(kCategoryFta, context_, "SlpHireCost", 0) * moneyFactor_;

    const TSimArr* sizes = &decisions_->GetSimArr(kCategoryFirmFta, context_, "SlfSize");
    long double newSize = 0;
    for (int channel = 1; channel <= nbChannels_; ++channel) newSize += Number(sizes, {channel});
    const long double previousSize = context_.CurPeriod >= 0 ? Number(ffxReport, {si::ffxSlp}) : newSize;

    const long double salaries = newSize * baseCost;
    const long double hiring = std::max(newSize - previousSize, 0.0L) * hireCost;
    const long double firing = std::max(previousSize - newSize, 0.0L) * fireCost;
    for (int channel = 1; channel <= nbChannels_; ++channel) {
        const long double share = newSize == 0 ? 0 : Number(sizes, {channel}) / newSize;
        AddSlfCost(figures, channel, scSalaries, Nearest(salaries * share));
        AddSlfCost(figures, channel, scHiring, Nearest(hiring * share));
        AddSlfCost(figures, channel, scFiring, Nearest(firing * share));
    }
}

// Advertising splits into its quality share and the rest; each sales-force
// category reaches a brand through the fraction of every channel's force
// allocated to it.
void TFtaBudget::CalcBrands(TFtaBudgetFigures& figures) const {
    for (int market = 1; market <= nbMarkets_; ++market) {
        const TDataContext context = MarketContext(market);
        const TSimArr* allocations = &decisions_->GetSimArr(kCategoryFirmFtaMarket, context, "SlfAlloc");
        const TSimArr* portfolio = &decisions_->GetSimArr(kCategoryFirmFtaMarket, context, "DecBrdPort");
        const TSimArr* mix = &decisions_->GetSimArr(kCategoryFirmFtaMarket, context, "DecBrdCv3");
        const int nbBrands =
            CheckedCount(decisions_->GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds"), kBudgetBrands);
        figures.NbBrands[market] = static_cast<std::uint8_t>(nbBrands);
        for (int brand = 1; brand <= nbBrands; ++brand) {
            figures.BrandNames[market][brand] = Name(portfolio, {brand, si::BrdName});
            const long double budget = Number(mix, {brand, si::AdvertBgt});
            const long double quality = Number(mix, {brand, si::AdvertQual});
            AddBrandCost(figures, market, brand, bcAdvertOther, Nearest((1 - quality) * budget));
            AddBrandCost(figures, market, brand, bcAdvertQual, Nearest(budget * quality));
            for (int category = scSalaries; category <= kSlfCostCategories; ++category) {
                long double cost = 0;
                for (int channel = 1; channel <= nbChannels_; ++channel)
                    cost += Number(allocations, {channel, brand}) * figures.SlfCosts[channel][category];
                AddBrandCost(figures, market, brand, bcSlfSalaries + category - scSalaries, Nearest(cost));
            }
        }
    }
}

// Ordered studies at their list price in the zone's money.
void TFtaBudget::CalcStudies(TFtaBudgetFigures& figures) const {
    const TCvPerData& constant = industry_->ConstPart();
    const int ftaStudies = SeriesCount(si::StuFta, kBudgetStudies);
    const TSimArr* ftaOrders = &decisions_->GetSimArr(kCategoryFirmFta, context_, "DecStuFta");
    const TSimArr* ftaPrices = &constant.GetSimArr(kCategoryFta, context_, "StuFtaParams");
    for (int study = 1; study <= ftaStudies; ++study) {
        if (Number(ftaOrders, {study}) == 0) continue;
        const double cost = static_cast<double>(Number(ftaPrices, {study, si::StuCost}) * studyMoneyFactor_);
        figures.FtaStudyCosts[study] = cost;
        figures.FtaStudyCosts[0] += cost;
    }

    const int mktStudies = SeriesCount(si::StuMkt, kBudgetStudies);
    for (int market = 1; market <= nbMarkets_; ++market) {
        const TDataContext context = MarketContext(market);
        const TSimArr* orders = &decisions_->GetSimArr(kCategoryFirmFtaMarket, context, "DecStuMkt");
        const TSimArr* prices = &constant.GetSimArr(kCategoryFtaMarket, context, "StuMktParams");
        for (int study = 1; study <= mktStudies; ++study) {
            if (Number(orders, {study}) == 0) continue;
            const double cost = static_cast<double>(Number(prices, {study, si::StuCost}) * studyMoneyFactor_);
            figures.MktStudyCosts[market][study] = cost;
            figures.MktStudyCosts[market][0] += cost;
            figures.MktStudyCosts[0][0] += cost;
        }
    }
}

// R&D budgets are the firm's, already in the money they are spent in.
void TFtaBudget::CalcProjects(TFtaBudgetFigures& figures) const {
    for (int market = 1; market <= nbMarkets_; ++market) {
        const TDataContext context = MarketContext(market);
        const int nbProjects =
            CheckedCount(decisions_->GetSmallint(kCategoryFirmMarket, context, "NbPrjs"), kBudgetProjects);
        figures.NbProjects[market] = static_cast<std::uint8_t>(nbProjects);
        if (nbProjects == 0) continue;
        const TSimArr* names = &decisions_->GetSimArr(kCategoryFirmMarket, context, "PrjNames");
        const TSimArr* finances = &decisions_->GetSimArr(kCategoryFirmMarket, context, "PrjFins");
        for (int project = 1; project <= nbProjects; ++project) {
            figures.ProjectNames[market][project] = Name(names, {project});
            const auto cost = static_cast<double>(Number(finances, {project, si::ProAllBgt}));
            figures.ProjectCosts[market][project] = cost;
            figures.ProjectCosts[market][0] += cost;
            figures.ProjectCosts[0][0] += cost;
        }
    }
}

void TFtaBudget::SumExpenses(TFtaBudgetFigures& figures, int nbMarkets) {
    figures.MktExpenses[0] = figures.FtaStudyCosts[0];
    for (int market = 1; market <= nbMarkets; ++market) {
        figures.MktExpenses[market] = figures.BrandCosts[market][0][0] + figures.ProjectCosts[market][0] +
                                      figures.MktStudyCosts[market][0];
        figures.MktExpenses[0] += figures.MktExpenses[market];
    }
}

void TFtaBudget::CalcLoanRequest(TFtaBudgetFigures& figures) const {
    const TSimArr* request = &decisions_->GetSimArr(kCategoryFirm, context_, "LoanVal");
    figures.LoanCap = static_cast<double>(Number(request, {si::LoanCap}));
    figures.BgtChg = static_cast<double>(Number(request, {si::BgtChg}));
    figures.LoanAck = ScalarInteger(*decisions_, kCategoryFirm, context_, "LoanAck");
    figures.BgtChgAck = ScalarInteger(*decisions_, kCategoryFirm, context_, "BgtChgAck");
}

// An excess of spending is taken out of advertising as far as advertising goes;
// the rest is left over.
void TFtaBudget::SplitDeficit(TFtaBudgetFigures& figures) {
    const double excess = -figures.Balance;
    const double advertising = static_cast<double>(figures.BrandCosts[0][0][bcAdvertOther]) +
                               static_cast<double>(figures.BrandCosts[0][0][bcAdvertQual]);
    figures.DeficitReserved = 0;
    figures.AdvertCut = std::min(excess, advertising);
    figures.DeficitLeft = excess <= advertising ? 0 : excess - advertising;
}

void TFtaBudget::AddBrandCost(TFtaBudgetFigures& figures, int market, int brand, int category, std::int32_t value) {
    auto& costs = figures.BrandCosts;
    costs[market][brand][category] = value;
    AddChecked(costs[market][brand][0], value);
    AddChecked(costs[market][0][category], value);
    AddChecked(costs[market][0][0], value);
    AddChecked(costs[0][0][category], value);
    AddChecked(costs[0][0][0], value);
}

void TFtaBudget::AddSlfCost(TFtaBudgetFigures& figures, int channel, int category, std::int32_t value) {
    auto& costs = figures.SlfCosts;
    costs[channel][category] = value;
    AddChecked(costs[channel][0], value);
    AddChecked(costs[0][category], value);
    AddChecked(costs[0][0], value);
}

}  // namespace cv
