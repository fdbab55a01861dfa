// The errors: a decision the simulation cannot accept.
#include <cmath>

#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

// The budget may be overspent by this much (money units) before it is an error.
constexpr double kBudgetTolerance = -1000;
// Selling off this many units beyond the inventory is an error.
constexpr double kSellOffExcess = 1000;
constexpr int kFullShare = 100;
constexpr std::size_t kNameLength = 16;

std::string Units(double value) { return FormatText(" %.0n", {value}); }
std::string Fixed(double value) { return FormatText(" %.0f", {value}); }
long long Rounded(double value) { return static_cast<long long>(RoundHalfEven(value)); }

}  // namespace

int TCheckDec::CheckDecisions(TQnInfos& messages, const TDataContext& context) {
    Begin(context);
    LoadVars();
    LoadBudget();
    int count = CheckBudget(messages);
    count += CheckSlfAllocation(messages);
    return count + CheckBrands(messages);
}

int TCheckDec::CheckBudget(TQnInfos& messages) {
    if (budget_ == nullptr || budget_->Balance >= kBudgetTolerance) return 0;
    Add(messages, "Err1Budget",
        {FormatUnits(budget_->NetBudget), FormatUnits(-budget_->Balance), FormatUnits(budget_->AdvertCut),
         FormatUnits(budget_->DeficitLeft)},
        kCheckCategoryError, kSeverityBudget);
    return 1;
}

// Each market's share of a channel is rounded to whole percent before the
// shares are added up.
int TCheckDec::CheckSlfAllocation(TQnInfos& messages) {
    if (channels_ == nullptr) return 0;
    int count = 0;
    for (int channel = channels_->Lo(); channel <= channels_->Hi(); ++channel) {
        long long total = 0;
        for (int market = 1; market <= NbMarkets(); ++market) {
            SelectMarket(market);
            total += Rounded(kFullShare * RowSum(vars_.SlfAlloc, channel, 1, vars_.NbMktedBrds));
        }
        if (total == kFullShare) continue;
        Add(messages, "ErrSlfAllocNot100", {ZoneNamed(industry_.ChannelLongLabel(context_.SelFta, channel))},
            kCheckCategoryError);
        ++count;
    }
    return count;
}

int TCheckDec::CheckBrands(TQnInfos& messages) {
    const double averageMargin = AvgFxResult();
    int count = 0;
    for (int market = 1; market <= NbMarkets(); ++market) {
        SelectMarket(market);
        for (int brand = 1; brand <= vars_.NbMktedBrds; ++brand)
            if (ElementNumber(vars_.BrdDecs, {brand, si::BrdDecStatus}) == 1)
                count += CheckBrand(messages, brand, averageMargin);
    }
    return count;
}

int TCheckDec::CheckBrand(TQnInfos& messages, int brand, double averageMargin) {
    const std::string name = BrandName(brand);
    const TPrevBrand previous = FindPrevBrand(brand);
    const double production = ElementNumber(vars_.BrdDecs, {brand, si::Production});
    const double sellStock = ElementNumber(vars_.BrdDecs, {brand, si::SellStock});
    const double price = ElementNumber(vars_.BrdDecs, {brand, si::Price});
    int count = 0;
    auto error = [&](std::string_view key, std::initializer_list<std::string> params) {
        Add(messages, key, params, kCheckCategoryError);
        ++count;
    };
    if (production == 0 && previous.Inventory - sellStock <= 0) error("ErrNoProdNoInv", {name});
    if (sellStock - previous.Inventory >= kSellOffExcess) error("ErrSellInvTooLarge", {name, Units(previous.Inventory)});
    // The targets are fractions of the advertising: their rounded percentage must be 100.
    const double targets = vars_.Segments ? RowSum(vars_.SegStrat, brand, vars_.Segments->Lo(), vars_.Segments->Hi()) : 0;
    if (targets <= 0) error("ErrSegStrat0", {name});
    const long long percent = Rounded(kFullShare * targets);
    if (percent > 0 && percent != kFullShare) error("ErrSegStratNot100", {name});
    // A distributor margin of 100 % or more leaves no floor to keep.
    const std::int32_t unitCost = UnitCost(brand);
    const double floor = SafeDiv(unitCost, 1 - averageMargin / 100, 0);
    if (price == 0) error("ErrPrice0", {name});
    if (price != 0 && price < floor)
        error("ErrDumping", {name, Fixed(price), Fixed(floor), Fixed(unitCost), Fixed(averageMargin)});
    return count + CheckPriceChange(messages, brand, previous, price);
}

int TCheckDec::CheckPriceChange(TQnInfos& messages, int brand, const TPrevBrand& previous, double price) {
    if (previous.Price <= 0) return 0;
    const double variation = vars_.Parameters.MaxPriVar1;
    const double low = (1 - variation) * previous.Price;
    const double high = (1 + variation) * previous.Price;
    std::string_view key;
    long long limit = 0;
    if (price > high) {
        key = "DecPriceIncr";
        limit = Rounded(high);
    } else if (price < low) {
        key = "DecPriceDecr";
        limit = Rounded(low);
    }
    if (key.empty() || limit <= 0) return 0;
    Add(messages, key, {BrandName(brand), Fixed(previous.Price), Fixed(price), Fixed(static_cast<double>(limit))},
        kCheckCategoryError);
    return 1;
}

// The average distributor margin of the zone's channels, in percent; 0 for a
// zone without channels.
double TCheckDec::AvgFxResult() const {
    if (channels_ == nullptr) return 0;
    const TDynArr* results = results_.FindSimArr(kCategoryFta, context_, "XFXRes");
    double sum = 0;
    for (int channel = channels_->Lo(); channel <= channels_->Hi(); ++channel)
        sum += ElementNumber(results, {channel, si::Margin}) / 1000;
    return 100 * SafeDiv(sum, channels_->Count(), 0);
}

// An experience curve: the prototype's unit cost falls by the reduction factor
// each time the cumulated production grows by the multiple, counted in batches.
std::int32_t TCheckDec::UnitCost(int brand) const {
    const TCheckParameters& p = vars_.Parameters;
    const double exponent = p.ExpEffReduc > 0 && p.ExpEffMult > 0 && std::log(p.ExpEffMult) != 0
                                ? std::log(p.ExpEffReduc) / std::log(p.ExpEffMult)
                                : 0;
    const std::string project = ElementText(vars_.Port, {brand, si::ProName}, kNameLength);
    const int prototypes = results_.GetSmallintDef(kCategoryFirmMarket, context_, "NbPros", 0);
    const TDynArr* names = results_.FindSimArr(kCategoryFirmMarket, context_, "ProNames");
    const TDynArr* finances = results_.FindSimArr(kCategoryFirmMarket, context_, "ProFins");
    double cumulated = 0;
    double base = 0;
    for (int prototype = 1; prototype <= prototypes; ++prototype) {
        if (ElementText(names, {prototype}, kNameLength) != project) continue;
        cumulated = ElementNumber(finances, {prototype, si::ProCumProd});
        base = ElementNumber(finances, {prototype, si::ProReqUC});
    }
    for (int row = 1; row <= vars_.NbMktedBrds; ++row)
        if (ElementText(vars_.Port, {row, si::ProName}, kNameLength) == project)
            cumulated += ElementNumber(vars_.BrdDecs, {row, si::Production});
    return static_cast<std::int32_t>(Rounded(base * Power(SafeDiv(cumulated, p.ExpEffBatch, 1.0), exponent)));
}

TCheckDec::TPrevBrand TCheckDec::FindPrevBrand(int brand) const {
    const std::string name = ElementText(vars_.Port, {brand, si::BrdName});
    if (name.empty()) return {};
    const TFoundBrand found = interf_.FindBrand(results_, context_, name);
    if (found.Brand == 0) return {};
    return {ElementNumber(found.BrdRpt, {found.FirmBrand, si::brUInv}),
            ElementNumber(found.BrdRpt, {found.FirmBrand, si::brRPrice})};
}

}  // namespace cv
