// R&D contracts between firms, and the instructor's check over every firm.
#include "core/base/numbers.h"
#include "core/language/language_file.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

constexpr std::size_t kNameLength = 16;
// Project search results: the firm lacks the project, the partner lacks it,
// both have it alike; above 0 the first physical dimension that differs.
constexpr int kFirmLacksProject = -2;
constexpr int kPartnerLacksProject = -1;
constexpr int kProjectsAlike = 0;
constexpr int kParties = 2;

std::int16_t RoundedFirm(double value) { return static_cast<std::int16_t>(RoundHalfEven(value)); }

}  // namespace

int TCheckDec::CheckContracts(TQnInfos& messages) {
    const int firm = context_.SelFirm;
    const int contracts = newDecs_.GetSmallintDef(kCategoryFirmFta, context_, "NbCcts", 0);
    int count = 0;
    for (int contract = 1; contract <= contracts; ++contract) count += CheckContract(messages, firm, contract);
    context_.SelFirm = static_cast<std::int16_t>(firm);
    return count;
}

int TCheckDec::CheckContract(TQnInfos& messages, int firm, int contract) {
    context_.SelFirm = static_cast<std::int16_t>(firm);
    const TDynArr* what = newDecs_.FindSimArr(kCategoryFirmFta, context_, "CctWhat");
    const TDynArr* terms = newDecs_.FindSimArr(kCategoryFirmFta, context_, "CctTerms");
    const std::string type = ElementText(what, {contract, si::CctType}, kNameLength);
    const std::string project = ElementText(what, {contract, si::PrjName}, kNameLength);
    const int ownSide = RoundedFirm(ElementNumber(terms, {contract, 1, si::Firm})) == firm ? 1 : 2;
    const std::int16_t partner = RoundedFirm(ElementNumber(terms, {contract, kParties + 1 - ownSide, si::Firm}));

    context_.SelFirm = partner;
    const TDynArr* partnerWhat = newDecs_.FindSimArr(kCategoryFirmFta, context_, "CctWhat");
    const TDynArr* partnerTerms = newDecs_.FindSimArr(kCategoryFirmFta, context_, "CctTerms");
    const int partnerContracts = partner >= 1 && partner <= industry_.NbFirms()
                                     ? newDecs_.GetSmallintDef(kCategoryFirmFta, context_, "NbCcts", 0)
                                     : 0;
    context_.SelFirm = static_cast<std::int16_t>(firm);
    const TSeries* parties = si::CctFirms;
    const TSeries* termSeries = si::CctTerms;
    int count = 0;
    bool matched = false;
    for (int other = 1; other <= partnerContracts; ++other) {
        if (!SameTextAscii(ElementText(partnerWhat, {other, si::CctType}, kNameLength), type) ||
            !SameTextAscii(ElementText(partnerWhat, {other, si::PrjName}, kNameLength), project))
            continue;
        matched = true;
        int differing = 0;
        for (int party = parties ? parties->Lo() : 1; party <= (parties ? parties->Hi() : 0); ++party)
            for (int term = termSeries ? termSeries->Lo() : 1; term <= (termSeries ? termSeries->Hi() : 0); ++term)
                if (ElementNumber(terms, {contract, party, term}) != ElementNumber(partnerTerms, {other, party, term}))
                    differing = term;
        if (differing == 0) continue;
        Add(messages, "NoMatchCct",
            {industry_.FirmLabel(firm), industry_.FirmLabel(partner), project,
             industry_.SeriesLabel(termSeries, differing)},
            kCheckCategoryError);
        ++count;
    }
    if (!matched) {
        Add(messages, "MissingCct",
            {industry_.FirmLabel(partner), project,
             industry_.FirmLabel(RoundedFirm(ElementNumber(terms, {contract, 1, si::Firm}))),
             industry_.FirmLabel(RoundedFirm(ElementNumber(terms, {contract, 2, si::Firm})))},
            kCheckCategoryError);
        ++count;
    }
    return count + CheckContractProject(messages, firm, partner, project);
}

// Both firms must develop the contract's project with the same characteristics.
int TCheckDec::CheckContractProject(TQnInfos& messages, int firm, int partner, const std::string& project) {
    int found = kFirmLacksProject;
    int foundMarket = 0;
    TDataContext context = context_;
    auto projectRow = [&](int owner, int market) {
        context.SelFirm = static_cast<std::int16_t>(owner);
        context.SelMarket = static_cast<std::int16_t>(market);
        const int projects = newDecs_.GetSmallintDef(kCategoryFirmMarket, context, "NbPrjs", 0);
        const TDynArr* names = newDecs_.FindSimArr(kCategoryFirmMarket, context, "PrjNames");
        for (int row = 1; row <= projects; ++row)
            if (SameTextAscii(ElementText(names, {row}, kNameLength), project)) return row;
        return 0;
    };
    for (int market = 1; market <= NbMarkets() && found == kFirmLacksProject; ++market) {
        const int ownRow = projectRow(firm, market);
        if (ownRow == 0) continue;
        found = kPartnerLacksProject;
        foundMarket = market;
        const TDynArr* ownLevels = newDecs_.FindSimArr(kCategoryFirmMarket, context, "PrjTecs");
        const int partnerRow = partner >= 1 && partner <= industry_.NbFirms() ? projectRow(partner, market) : 0;
        if (partnerRow == 0) continue;
        found = kProjectsAlike;
        const TDynArr* partnerLevels = newDecs_.FindSimArr(kCategoryFirmMarket, context, "PrjTecs");
        const TSeries* dimensions = industry_.DimSeries(market);
        for (int d = dimensions ? dimensions->Lo() : 1; d <= (dimensions ? dimensions->Hi() : 0); ++d)
            if (ElementNumber(ownLevels, {ownRow, d}) != ElementNumber(partnerLevels, {partnerRow, d})) found = d;
    }
    if (found == kProjectsAlike) return 0;
    if (found < 0) {
        Add(messages, "NoPrjFound", {industry_.FirmLabel(found == kFirmLacksProject ? firm : partner), project},
            kCheckCategoryError);
    } else {
        Add(messages, "NoMatchPrj",
            {industry_.FirmLabel(firm), industry_.FirmLabel(partner), project, industry_.DimLabel(foundMarket, found)},
            kCheckCategoryError);
    }
    return 1;
}

int TCheckDec::CheckAllFirms(TQnInfos& messages, const TDataContext& context) {
    Begin(context);
    int count = 0;
    for (int firm = 1; firm <= industry_.NbFirms(); ++firm) {
        context_.SelFirm = static_cast<std::int16_t>(firm);
        const TDynArr* request = newDecs_.FindSimArr(kCategoryFirm, context_, "LoanVal");
        const double loan = ElementNumber(request, {si::LoanCap});
        const double budgetChange = ElementNumber(request, {si::BgtChg});
        const int loanAck = newDecs_.GetSmallintDef(kCategoryFirm, context_, "LoanAck", 0);
        const int changeAck = newDecs_.GetSmallintDef(kCategoryFirm, context_, "BgtChgAck", 0);
        const std::string label = industry_.FirmLabel(firm);
        if ((loan != 0 && loanAck != 1) || (budgetChange != 0 && changeAck != 1)) {
            Add(messages, "BadLoanOrBgtChg", {label}, kCheckCategoryWarning);
            ++count;
        }
        if (newDecs_.GetSmallintDef(kCategoryFirm, context_, "DecStatus", 0) != dsAllTaken) {
            Add(messages, "DecsNotYetTaken", {label}, kCheckCategoryWarning);
            ++count;
        }
        count += CheckContracts(messages);
    }
    return count;
}

}  // namespace cv
