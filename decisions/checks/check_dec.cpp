#include "decisions/checks/check_dec.h"

#include "core/base/text_format.h"
#include "core/session/fta_budget.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

constexpr int kMoneyUnitLine = 6;
constexpr char kRestrictionCategory[] = "rcDecisions";

bool SessionAdminView() { return Session && Session->AdminView(); }

}  // namespace

TCheckDec::TCheckDec(TCvInd& industry, const TDataContext& context, bool adminView)
    : industry_(industry),
      adminView_(adminView),
      context_(context),
      interf_(industry),
      results_(industry.PerResults(context.CurPeriod)),
      curDecs_(industry.PerDecisions(context.CurPeriod)),
      newDecs_(industry.PerDecisions(context.DecPeriod)),
      budget_(industry.Budget()) {}

TCheckDec::TCheckDec(const TDataContext& context)
    : TCheckDec(SessionIndustry("TCheckDec.Create"), context, SessionAdminView()) {}

std::string TCheckDec::FormatUnits(double amount) {
    std::string unit;
    if (Translator) Translator->GlobalsLine("Units", kMoneyUnitLine, unit);
    return unit + FormatText(" %.0n", {amount / 1000});
}

void TCheckDec::Begin(const TDataContext& context) {
    context_ = context;
    channels_ = industry_.ChaSeries(context_.SelFta);
}

void TCheckDec::SelectMarket(int market) {
    context_.SelMarket = static_cast<std::int16_t>(market);
    LoadVars();
}

int TCheckDec::NbMarkets() const { return industry_.NbMarkets(); }

// Everything is read quietly: a group the team has not reached yet may lack
// its arrays, which the checks then see as empty.
void TCheckDec::LoadVars() {
    const TDataContext& c = context_;
    slfDecStatus_ = newDecs_.GetSmallintDef(kCategoryFirmFta, c, "SlfDecStatus", 0);
    studiesDecStatus_ = newDecs_.GetSmallintDef(kCategoryFirmFta, c, "StudiesDecStatus", 0);
    slfSize_ = newDecs_.FindSimArr(kCategoryFirmFta, c, "SlfSize");
    if (c.SelMarket < 1 || c.SelMarket > NbMarkets()) {
        vars_ = {};
        return;
    }
    TMarketVars vars;
    vars.NbMktedBrds = newDecs_.GetSmallintDef(kCategoryFirmFtaMarket, c, "NbMktedBrds", 0);
    vars.NbPrjs = newDecs_.GetSmallintDef(kCategoryFirmMarket, c, "NbPrjs", 0);
    vars.Port = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "DecBrdPort");
    vars.BrdDecs = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "DecBrdCv3");
    vars.SegStrat = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "SegStrat");
    vars.SlfAlloc = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "SlfAlloc");
    vars.PrjNames = newDecs_.FindSimArr(kCategoryFirmMarket, c, "PrjNames");
    vars.PrjFins = newDecs_.FindSimArr(kCategoryFirmMarket, c, "PrjFins");
    vars.MPSegSales = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "MPSegSales");
    vars.MPBrdSegSales = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "MPBrdSegSales");
    vars.MPBrdChaSales = newDecs_.FindSimArr(kCategoryFirmFtaMarket, c, "MPBrdChaSales");
    vars.Segments = industry_.SegSeries(c.SelFta, c.SelMarket);
    const TCvPerData& constant = industry_.ConstPart();
    TCheckParameters& p = vars.Parameters;
    p.MaxPriVar1 = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, c, "MaxPriVar1", p.MaxPriVar1));
    p.ExpEffReduc = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, c, "ExpEffReduc", p.ExpEffReduc));
    p.ExpEffMult = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, c, "ExpEffMult", p.ExpEffMult));
    p.ExpEffBatch = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, c, "ExpEffBatch", p.ExpEffBatch));
    p.AdjustProdPlan =
        static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, c, "AdjustProdPlan", p.AdjustProdPlan));
    vars_ = vars;
}

void TCheckDec::LoadBudget() {
    if (budget_ == nullptr) return;
    budget_->Init(industry_, context_);
    budget_->Recalculate();
}

bool TCheckDec::Restricted(std::string_view item) const {
    return !adminView_ && industry_.RestrictEnabled(kRestrictionCategory, item);
}

void TCheckDec::Add(TQnInfos& messages, std::string_view key, std::initializer_list<std::string> params,
                    int category, int severity) {
    info_.SetKey(std::string(key));
    for (const std::string& param : params) info_.AddParam(param);
    info_.SetCategory(category);
    info_.SetSeverity(severity);
    messages.Add(info_.Info());
}

std::string TCheckDec::BrandName(int brand) const {
    return ZoneNamed(ElementText(vars_.Port, {brand, si::BrdName}));
}

// In an industry of several zones the same brand or channel name stands in
// every zone: the zone's label tells the messages of two zones apart.
std::string TCheckDec::ZoneNamed(const std::string& text) const { return text + ZoneSuffix(); }

std::string TCheckDec::ZoneSuffix() const {
    if (industry_.NbFtas() <= 1) return {};
    return " (" + industry_.FtaLabel(context_.SelFta) + ")";
}

}  // namespace cv
