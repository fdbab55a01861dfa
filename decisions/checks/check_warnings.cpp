// The warnings: decisions that are allowed but deserve a second look.
#include "core/base/numbers.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {
constexpr std::size_t kNameLength = 16;
}

int TCheckDec::CheckWarnings(TQnInfos& messages, const TDataContext& context) {
    Begin(context);
    LoadVars();
    int count = CheckChannelsStaffed(messages);
    count += CheckBrandsStaffed(messages);
    count += CheckRequestsSigned(messages);
    return count + CheckPrototypesUsed(messages);
}

int TCheckDec::CheckChannelsStaffed(TQnInfos& messages) {
    if (channels_ == nullptr) return 0;
    int count = 0;
    for (int channel = channels_->Lo(); channel <= channels_->Hi(); ++channel) {
        if (ElementNumber(slfSize_, {channel}) >= 1) continue;
        Add(messages, "Warn1DistribDecs", {ZoneNamed(industry_.ChannelLongLabel(context_.SelFta, channel))},
            kCheckCategoryWarning, kSeverityWarning);
        ++count;
    }
    return count;
}

int TCheckDec::CheckBrandsStaffed(TQnInfos& messages) {
    int count = 0;
    for (int market = 1; market <= NbMarkets(); ++market) {
        SelectMarket(market);
        for (int brand = 1; brand <= vars_.NbMktedBrds; ++brand) {
            if (ElementNumber(vars_.BrdDecs, {brand, si::BrdDecStatus}) != 1) continue;
            const double allocated = channels_ ? ColumnSum(vars_.SlfAlloc, brand, channels_->Lo(), channels_->Hi()) : 0;
            if (allocated > 0) continue;
            Add(messages, "Warn2DistribDecs", {BrandName(brand)}, kCheckCategoryWarning, kSeverityWarning);
            ++count;
        }
    }
    return count;
}

int TCheckDec::CheckRequestsSigned(TQnInfos& messages) {
    LoadBudget();
    if (budget_ == nullptr) return 0;
    int count = 0;
    if (budget_->LoanCap > 0 && budget_->LoanAck == 0) {
        Add(messages, "Warn1Loan", {FormatUnits(budget_->LoanCap)}, kCheckCategoryWarning, kSeverityWarning);
        ++count;
    }
    if (budget_->BgtChg > 0 && budget_->BgtChgAck == 0) {
        Add(messages, "Warn1BgtChg", {FormatUnits(budget_->BgtChg)}, kCheckCategoryWarning, kSeverityWarning);
        ++count;
    }
    return count;
}

// Prototypes completed in the current period are meant to become brands.
int TCheckDec::CheckPrototypesUsed(TQnInfos& messages) {
    int count = 0;
    for (int market = 1; market <= NbMarkets(); ++market) {
        SelectMarket(market);
        const int prototypes = results_.GetSmallintDef(kCategoryFirmMarket, context_, "NbPros", 0);
        const TDynArr* names = results_.FindSimArr(kCategoryFirmMarket, context_, "ProNames");
        const TDynArr* finances = results_.FindSimArr(kCategoryFirmMarket, context_, "ProFins");
        for (int prototype = 1; prototype <= prototypes; ++prototype) {
            if (RoundHalfEven(ElementNumber(finances, {prototype, si::ProPerEnd})) != context_.CurPeriod) continue;
            const std::string name = ElementText(names, {prototype}, kNameLength);
            bool used = false;
            for (int row = 1; row <= vars_.NbMktedBrds && !used; ++row)
                used = ElementText(vars_.Port, {row, si::ProName}, kNameLength) == name;
            if (used) continue;
            Add(messages, "WarnProNotUsed", {name}, kCheckCategoryWarning, kSeverityWarning);
            ++count;
        }
    }
    return count;
}

}  // namespace cv
