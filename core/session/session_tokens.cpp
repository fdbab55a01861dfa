// TSession::ExpandTokens: the @-tokens of page and report texts.

#include <array>
#include <string_view>

#include "core/session/industry.h"
#include "core/base/numbers.h"
#include "core/session/session.h"

namespace cv {
namespace {

using TTokenValue = std::string (*)(const TSession&, const TCvInd&, const TDataContext&);

struct TTokenRule {
    std::string_view token;
    TTokenValue value;
};

std::string LowerCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Number(int value) { return std::to_string(value); }

// In this order: "@market" and "@Market" go before "@MARKET", so each spelling gets its own form.
constexpr std::array<TTokenRule, 15> kTokenRules{{
    {"@market", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return LowerCaseAscii(ind.MarketLabel(c.SelMarket));
     }},
    {"@Market", [](const TSession&, const TCvInd& ind, const TDataContext& c) { return ind.MarketLabel(c.SelMarket); }},
    {"@SEGMENT", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return UpperCaseAccented(ind.SegmentLabel(c.SelFta, c.SelMarket, c.SelSegment));
     }},
    {"@MAP", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return UpperCaseAccented(ind.MapLabel(c.SelMarket, c.VertAxis));
     }},
    {"@MARKET", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return UpperCaseAccented(ind.MarketLabel(c.SelMarket));
     }},
    {"@INDUSTRY", [](const TSession& s, const TCvInd&, const TDataContext&) { return UpperCaseAccented(s.IndName()); }},
    {"@FIRM", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return UpperCaseAccented(ind.FirmLabel(c.SelFirm));
     }},
    {"@SCENARIO", [](const TSession&, const TCvInd& ind, const TDataContext&) {
         return UpperCaseAccented(ind.ScenarioName());
     }},
    // No text of the program names the basic scenario: an industry without one gives no text.
    {"@BASICSCENARIO", [](const TSession&, const TCvInd& ind, const TDataContext&) {
         const TSimValue* name = ind.ConstPart().FindScalar(kCategoryIndustry, TDataContext{}, "BasicScenName");
         return UpperCaseAccented(name != nullptr && name->kind == dkZts ? name->text : std::string());
     }},
    {"@SELPER", [](const TSession&, const TCvInd&, const TDataContext& c) { return Number(c.SelPeriod); }},
    {"@SELPM1", [](const TSession&, const TCvInd&, const TDataContext& c) { return Number(c.SelPeriod - 1); }},
    {"@SELPP1", [](const TSession&, const TCvInd&, const TDataContext& c) { return Number(c.SelPeriod + 1); }},
    {"@SELPP5", [](const TSession&, const TCvInd&, const TDataContext& c) { return Number(c.SelPeriod + 5); }},
    {"@DECPER", [](const TSession&, const TCvInd&, const TDataContext& c) { return Number(c.DecPeriod); }},
    // Reports about one zone name it: the same markets recur in every zone.
    {"@ZONE", [](const TSession&, const TCvInd& ind, const TDataContext& c) {
         return UpperCaseAccented(ind.FtaLabel(c.SelFta));
     }},
}};

}  // namespace

std::string TSession::ExpandTokens(const std::string& text, const TDataContext& context) const {
    if (!industry_) return text;
    std::string expanded = text;
    // A value is worked out only for a token the text holds: a label getter may
    // refuse a context field that this text does not use.
    for (const TTokenRule& rule : kTokenRules)
        if (expanded.find(rule.token) != std::string::npos)
            expanded = ReplaceFirst(expanded, std::string(rule.token), rule.value(*this, *industry_, context));
    return expanded;
}

}  // namespace cv
