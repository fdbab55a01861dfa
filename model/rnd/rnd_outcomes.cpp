// TModRnD::RunProjects: which open prototypes of a firm become available in the
// forecast period, what they still require, and their costs in the money of
// the period after it.
//
// Each open prototype gets one number from the shared generator before any
// outcome is decided, in list order, so that its chance is compared with the
// same number in every pass while the chances change: a prototype made
// available in one pass is a finished prototype for the estimates of the next,
// which brings the others' required budgets down. Passes repeat until one makes
// nothing available; each pass that changes something finishes one more
// prototype, so they end.
//
// Only the developer costs a prototype; a partner's copy receives the
// developer's figures at the end of the developer's run, and an acquired copy
// keeps the figures it was bought with.

#include <climits>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/random_generator.h"
#include "core/base/text_format.h"
#include "model/model_access.h"
#include "model/rnd/mod_rnd.h"
#include "model/rnd/rnd_rows.h"

namespace cv {

namespace {

// Unit costs are whole money units; budgets multiples of 10,000.
constexpr double kUnitCostStep = 1;
constexpr double kBudgetStep = 10000;

}  // namespace

void TModRnD::RunProjects(TDataContext& context) {
    if (!Data) throw EModelError("TModRnD used before Init");
    if (LogWrites(1))
        LogFmt(1, "TModRnD.RunProjects for %s in %s",
               {Data->FirmLabel(context.SelFirm), Data->MarketLabel(context.SelMarket)});
    if (context.SelPeriod != Data->CurPeriod())
        throw EModelError(FormatText("The period in selector (%d) is not equal to SimPer (%d)",
                                     {context.SelPeriod, Data->CurPeriod()}));
    BindPrototypes(*ResNext);
    RequireRunLayout();
    // Without a zone there is no home zone and no money to cost a prototype in.
    if (Data->NbFtas() < 1) {
        LogFmt(1, "  no zone in the industry: no R&D money, the projects' outcomes are not drawn");
        return;
    }
    const double adjCost = ResearchMoney(Data->DecPeriod());
    const TOutcomeDraws draws = PreDraw();
    while (RunOutcomePass(draws, adjCost)) {
    }
    TRecostMoney money;
    for (int prototype = 1; prototype <= NbPros; ++prototype) Recost(prototype, money);
}

// The value 1 of the reference money in R&D money of the home zone in Period.
double TModRnD::ResearchMoney(int period) const {
    return static_cast<double>(Data->ConvertToFta(period, Context.SelFta, true, 1, ResearchCateg));
}

TOutcomeDraws TModRnD::PreDraw() const {
    TOutcomeDraws draws(static_cast<std::size_t>(NbPros) + 1, 0.0);
    for (int prototype = 1; prototype <= NbPros; ++prototype)
        if (ProFins->GetReal48({prototype, Fin.ProReqBgt}) != 0) draws[prototype] = RandomReal();
    return draws;
}

// True when the pass made at least one prototype available.
bool TModRnD::RunOutcomePass(const TOutcomeDraws& draws, double adjCost) {
    bool changed = false;
    for (int prototype = 1; prototype <= NbPros; ++prototype) {
        const long double required = ProFins->GetReal48({prototype, Fin.ProReqBgt});
        const long double developer = ProFins->GetReal48({prototype, Fin.ProDeveloper});
        if (LogWrites(2)) {
            LogFmt(2, "  Processing prototype %s - ReqB=%.0n", {ProNames->GetZts({prototype}), required});
            LogFmt(2, "     developed by %d with %d as partner",
                   {FirmNumber(developer), FirmNumber(ProFins->GetReal48({prototype, Fin.ProPartner}))});
        }
        if (required == 0 || !IsThisFirm(static_cast<double>(developer))) continue;
        if (DecideOutcome(prototype, draws[static_cast<std::size_t>(prototype)], adjCost)) changed = true;
    }
    return changed;
}

// Costs the prototype in the decision period's money and decides whether it
// becomes available: never below the minimum share of its budget, always once
// the budget is spent, in between when its chance beats its pre-drawn number.
bool TModRnD::DecideOutcome(int prototype, double draw, double adjCost) {
    const std::string name = ProNames->GetZts({prototype});
    const TUnitCosts costs = CalcUCs(*ProTecs, *ProFins, NbPros, *ProTecs, prototype, nullptr, adjCost, false);
    ProFins->SetReal48({prototype, Fin.ProStdUC}, costs.Suc);
    ProFins->SetReal48({prototype, Fin.ProMinUC}, costs.Muc);
    const double totB =
        CalcReqBgt(*ProTecs, *ProFins, NbPros, *ProTecs, *ProFins, prototype, nullptr, nullptr, adjCost, false);
    auto column = [&](std::uint8_t col) { return static_cast<double>(ProFins->GetReal48({prototype, col})); };
    double ruc = column(Fin.ProReqUC);
    const double otherB = column(Fin.ProAllBgtOther);
    const double allB = column(Fin.ProAllBgt) + otherB;
    const double cumB = column(Fin.ProCumBgt);
    const double minB = totB * MinRnDBgtRatio;
    if (ruc < costs.Muc) {
        ruc = costs.Muc;
        ProFins->SetReal48({prototype, Fin.ProReqUC}, ruc);
        ProFins->SetReal48({prototype, Fin.ProOldReqUC}, ruc);
    }
    LogFmt(3, "   AllB=%.0f+%.0f  CumB=%.0f  TotB=%.0f  MinB=%.0f  Suc=%.0f  Muc=%.0f  Ruc=%.0f",
           {allB - otherB, otherB, cumB, totB, minB, costs.Suc, costs.Muc, ruc});
    // The chance: how far the spending has gone from the minimum to the whole
    // budget, or, when this period's allocation began below the minimum, the
    // share of what was still required that this period paid.
    const double chance =
        cumB - minB < allB ? SafeDiv(cumB - minB, totB - minB, 0) : SafeDiv(allB, totB - cumB + allB, 0);
    bool available = false;
    if (cumB < minB) {
        LogFmt(3, "   Not available because CumB=%.0f < MinB=+%.0f", {cumB, minB});
    } else if (cumB >= totB) {
        available = true;
        LogFmt(3, "   Available because CumB=%.0f > TotB=+%.0f", {cumB, totB});
    } else {
        available = chance > draw;
        LogFmt(3, "   Random : available if %.2f > %.2f", {chance, draw});
    }
    if (available) {
        LogFmt(3, "Project %s is available", {name});
        ProFins->SetReal48({prototype, Fin.ProReqBgt}, 0);
        ProFins->SetReal48({prototype, Fin.ProCumProd}, 0);
        ProFins->SetReal48({prototype, Fin.ProPerEnd}, Data->DecPeriod());
    } else {
        LogFmt(3, "Project %s is not available", {name});
        ProFins->SetReal48({prototype, Fin.ProReqBgt}, MaxReal(RoundToStep(totB - cumB, kBudgetStep), MinRnDBgt));
    }
    return available;
}

// The developer's prototype costed in the money of the period after the
// decision period: unit costs, the requested unit cost carried by the
// period's R&D inflation (never below the minimum), the budget still required;
// then the partner's copy takes the figures.
void TModRnD::Recost(int prototype, TRecostMoney& money) {
    const std::string& name = ProNames->GetZts({prototype});  // the names do not change here
    const long double developer = ProFins->GetReal48({prototype, Fin.ProDeveloper});
    const long double partner = ProFins->GetReal48({prototype, Fin.ProPartner});
    if (LogWrites(3))
        LogFmt(3, "R&D report for project %s   -   Dev=%d   Par=%d",
               {name, FirmNumber(developer), FirmNumber(partner)});
    if (!IsThisFirm(static_cast<double>(developer))) return;
    if (!money.adjCost) money.adjCost = ResearchMoney(Data->DecPeriod() + 1);
    const double adjCost = *money.adjCost;
    const long double requested = ProFins->GetReal48({prototype, Fin.ProReqUC});
    LogFmt(5, "Avant CalcUC  Ruc=%.2f", {requested});
    const TUnitCosts costs = CalcUCs(*ProTecs, *ProFins, NbPros, *ProTecs, prototype, nullptr, adjCost, false);
    if (!money.inflation)
        money.inflation = static_cast<double>(Data->InflationRate(Data->DecPeriod(), Context.SelFta, ResearchCateg));
    const double inflation = *money.inflation;
    const double ruc = RoundToStep(static_cast<double>(requested) * (1 + inflation), kUnitCostStep);
    LogFmt(5, "Muc=%.2f   Ruc=%.2f   Suc=%.2f", {costs.Muc, ruc, costs.Suc});
    ProFins->SetReal48({prototype, Fin.ProStdUC}, costs.Suc);
    ProFins->SetReal48({prototype, Fin.ProMinUC}, costs.Muc);
    const double storedRuc = ruc < costs.Muc ? costs.Muc : ruc;
    ProFins->SetReal48({prototype, Fin.ProReqUC}, storedRuc);
    ProFins->SetReal48({prototype, Fin.ProOldReqUC}, storedRuc);
    if (ProFins->GetReal48({prototype, Fin.ProReqBgt}) != 0) {
        LogFmt(3, "   R\xE9" "actualisation du budget n\xE9" "cessaire pour %s", {name});
        const double cumB = static_cast<double>(ProFins->GetReal48({prototype, Fin.ProCumBgt}));
        const double totB =
            CalcReqBgt(*ProTecs, *ProFins, NbPros, *ProTecs, *ProFins, prototype, nullptr, nullptr, adjCost, false);
        ProFins->SetReal48({prototype, Fin.ProReqBgt}, MaxReal(RoundToStep(totB - cumB, kBudgetStep), MinRnDBgt));
    }
    if (partner != 0) UpdatePartner(prototype);
}

// The partner's prototype of the same name takes the developer's figures.
void TModRnD::UpdatePartner(int prototype) {
    const int partner = FirmNumber(ProFins->GetReal48({prototype, Fin.ProPartner}));
    if (partner == Context.SelFirm) return;
    const std::string name = ProNames->GetZts({prototype});
    if (partner < 1 || partner > RunFirms()) {
        LogFmt(1, "     partner %d of %s is no other firm of the industry", {partner, name});
        return;
    }
    const TDataContext cell = FirmContext(partner);
    const TSimArr& names = RequireArr(*ResNext, kCategoryFirmMarket, cell, "ProNames");
    TSimArr& fins = RequireArr(*ResNext, kCategoryFirmMarket, cell, "ProFins");
    RequireSpan(fins, "ProFins", 2, ProFinances->Lo(), ProFinances->Hi());
    const int count = ReadCount(*ResNext, cell, "NbPros", RowCapacity(&fins, RowCapacity(&names, INT_MAX)));
    const int row = FindModelName(&names, count, name);
    LogFmt(2, "     firm %d updates firm %d 's  report at project %d with project %d",
           {Context.SelFirm, partner, row, prototype});
    if (row == 0) return;
    CopyColumns(fins, row, *ProFins, prototype,
                {Fin.ProReqUC, Fin.ProOldReqUC, Fin.ProStdUC, Fin.ProMinUC, Fin.ProCumBgt, Fin.ProReqBgt,
                 Fin.ProAllBgt, Fin.ProPerEnd, Fin.ProPerBeg, Fin.ProCumProd});
}

}  // namespace cv
