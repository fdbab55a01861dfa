// TModRnD::Run: the prototype lists of the forecast period t+1, built from the
// lists of t, the firms' R&D contracts and their projects of t+1.
//
// The lists of t are copied into t+1 for every firm and market before any
// contract is applied, so that an acquisition always finds the seller's list of
// t+1, whatever the two firms' numbers. Then, firm by firm and market by market,
// the contracts of each zone are applied and the projects merged. A buyer whose
// seller has a lower number therefore acquires from the seller's merged list,
// one whose seller has a higher number from the seller's prototypes of t.

#include <algorithm>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/mod_basic.h"
#include "model/model_access.h"
#include "model/rnd/mod_rnd.h"
#include "model/rnd/rnd_contracts.h"
#include "model/rnd/rnd_rows.h"
#include "model/work_rec.h"

namespace cv {

namespace {

constexpr const char* kPrototypeLists[] = {"ProNames", "ProTecs", "ProFins"};

}  // namespace

void TModRnD::Run(TCvInd& data) {
    TDataContext context;
    context.SelPeriod = context.CurPeriod = static_cast<std::int16_t>(data.CurPeriod());
    context.DecPeriod = static_cast<std::int16_t>(data.DecPeriod());
    Data = &data;
    const int firms = RunFirms();
    for (int firm = 1; firm <= firms; ++firm)
        for (int market = 1; market <= data.NbMarkets(); ++market) {
            context.SelFirm = static_cast<std::int16_t>(firm);
            context.SelMarket = static_cast<std::int16_t>(market);
            Init(data, context);
            RunDup(Context);
        }
    TModCct contracts;
    for (int firm = 1; firm <= firms; ++firm)
        for (int market = 1; market <= data.NbMarkets(); ++market) {
            context.SelFirm = static_cast<std::int16_t>(firm);
            context.SelMarket = static_cast<std::int16_t>(market);
            Init(data, context);
            BindPrototypes(*ResNext);
            RequireRunLayout();
            const std::int16_t homeFta = Context.SelFta;
            for (int fta = 1; fta <= data.NbFtas(); ++fta) {
                Context.SelFta = static_cast<std::int16_t>(fta);
                RunAlliances(Context, contracts);
            }
            Context.SelFta = homeFta;
            MergeProsAndPrjs(Context);
        }
}

// The lists of t bound by Init become the firm's lists of t+1; the count is
// the one Init read, already cut to the lists.
void TModRnD::RunDup(TDataContext& context) {
    if (LogWrites(1))
        LogFmt(1, "TModRnD.RunDup for %s in %s",
               {Data->FirmLabel(context.SelFirm), Data->MarketLabel(context.SelMarket)});
    RequireRunLayout();
    for (const char* name : kPrototypeLists) ResNext->DupSimArr(*ResCur, kCategoryFirmMarket, context, name);
    ResNext->SetSmallint(kCategoryFirmMarket, context, "NbPros", static_cast<std::int16_t>(NbPros));
    BindPrototypes(*ResNext);
}

void TModRnD::RunAlliances(TDataContext& context, TModCct& contracts) {
    if (LogWrites(1))
        LogFmt(1, "TModRnD.RunAlliances for %s in %s/%s",
               {Data->FirmLabel(context.SelFirm), Data->FtaLabel(context.SelFta),
                Data->MarketLabel(context.SelMarket)});
    contracts.Load(Data, context);
    const int count = contracts.GetNbCcts(context);
    for (int rank = 1; rank <= count; ++rank) {
        LogFmt(1, "  Contract %d", {rank});
        const TCctRec contract = contracts.GetCctByRank(context, rank);
        if (contract.Kind() == TCctKind::Dev) ApplyDevelopment(contract);
        if (contract.Kind() == TCctKind::Acq && IsThisFirm(contract.Firm[1])) ApplyAcquisition(contract);
    }
}

// The project of a joint development records its developer, its partner and
// the budget the other party contributes.
void TModRnD::ApplyDevelopment(const TCctRec& contract) {
    LogFmt(1, "  tcDev on %s", {contract.PrjName});
    const int project = FindModelName(PrjNames, NbPrjs, contract.PrjName);
    if (project == 0) return;
    const double otherBudget = IsThisFirm(contract.Firm[0]) ? contract.DevBgt[1] : contract.DevBgt[0];
    PrjFins->SetReal48({project, Fin.ProDeveloper}, contract.Firm[0]);
    PrjFins->SetReal48({project, Fin.ProPartner}, contract.Firm[1]);
    PrjFins->SetReal48({project, Fin.ProAllBgtOther}, otherBudget);
    LogFmt(1, "  iPrj=%d   Fir1=%s   Fir2=%s   OB=%.0n",
           {project, Data->FirmLabel(FirmNumber(contract.Firm[0])), Data->FirmLabel(FirmNumber(contract.Firm[1])),
            PrjFins->GetReal48({project, Fin.ProAllBgtOther})});
}

// The buyer appends a copy of the seller's prototype; the seller keeps it. A
// full list refuses the acquisition (it would otherwise overwrite a prototype),
// and a prototype the buyer already holds (a contract running several periods)
// is not copied twice.
void TModRnD::ApplyAcquisition(const TCctRec& contract) {
    LogFmt(2, "   reading the seller data");
    const int seller = FirmNumber(contract.Firm[0]);
    if (seller < 1 || seller > RunFirms() || seller == Context.SelFirm) {
        LogFmt(1, "   seller %d is no other firm of the industry: nothing acquired", {seller});
        return;
    }
    const TDataContext sellerCell = FirmContext(seller);
    const TSimArr& names = RequireArr(*ResNext, kCategoryFirmMarket, sellerCell, "ProNames");
    const TSimArr& fins = RequireArr(*ResNext, kCategoryFirmMarket, sellerCell, "ProFins");
    const TSimArr& tecs = RequireArr(*ResNext, kCategoryFirmMarket, sellerCell, "ProTecs");
    const TSeries& dims = Dimensions();
    RequireSpan(fins, "ProFins", 2, ProFinances->Lo(), ProFinances->Hi());
    RequireSpan(tecs, "ProTecs", 2, dims.Lo(), dims.Hi());
    const int rows = RowCapacity(&tecs, RowCapacity(&fins, RowCapacity(&names, kMaxPrototypes)));
    const int source = FindModelName(&names, ReadCount(*ResNext, sellerCell, "NbPros", rows), contract.PrjName);
    if (source == 0) return;
    if (PrototypeIndex(contract.PrjName) != 0) {
        LogFmt(1, "   firm %d already holds %s: nothing acquired", {Context.SelFirm, contract.PrjName});
        return;
    }
    if (NbPros >= PrototypeCapacity()) {
        Warn(FormatText("acquisition of %s by firm %d in market %d refused: its list of %d prototypes is full",
                        {contract.PrjName, Context.SelFirm, Context.SelMarket, PrototypeCapacity()}));
        return;
    }
    const int row = ++NbPros;
    ResNext->SetSmallint(kCategoryFirmMarket, Context, "NbPros", static_cast<std::int16_t>(NbPros));
    StoreName(*ProNames, row, names.GetZts({source}));
    CopyRowColumns(*ProFins, row, fins, source, ProFinances->Lo(), ProFinances->Hi());
    CopyRowColumns(*ProTecs, row, tecs, source, dims.Lo(), dims.Hi());
    LogFmt(2, "   %s of firm %d acquired as prototype %d", {contract.PrjName, seller, row});
}

bool TModRnD::IsMarketedBrandName(std::string_view name) const {
    if (name.empty() || !DecNext) return false;
    for (int firm = 1; firm <= RunFirms(); ++firm) {
        TDataContext cell = FirmContext(firm);
        for (int fta = 1; fta <= Data->NbFtas(); ++fta) {
            cell.SelFta = static_cast<std::int16_t>(fta);
            const int count = DecNext->GetSmallintDef(kCategoryFirmFtaMarket, cell, "NbMktedBrds", 0);
            if (count <= 0) continue;
            const TSimArr& portfolio = RequireArr(*DecNext, kCategoryFirmFtaMarket, cell, "DecBrdPort");
            RequireSpan(portfolio, "DecBrdPort", 2, si::ProName, si::ProName);
            const int brands = RowCapacity(&portfolio, count);
            for (int brand = 1; brand <= brands; ++brand)
                if (SameModelName(portfolio.GetZts({brand, si::ProName}), name)) return true;
        }
    }
    return false;
}

void TModRnD::Warn(const std::string& text) const {
    LogFmt(0, "Warning: %s", {text});
    if (WorkRec && std::find(WorkRec->Warnings.begin(), WorkRec->Warnings.end(), text) == WorkRec->Warnings.end())
        WorkRec->Warnings.push_back(text);
}

// The firms whose cells the data grid holds.
int TModRnD::RunFirms() const { return std::clamp(static_cast<int>(Data->NbFirms()), 0, kMaxModelFirms); }

bool TModRnD::IsThisFirm(double firm) const { return FirmNumber(firm) == Context.SelFirm; }

TDataContext TModRnD::FirmContext(int firm) const {
    TDataContext cell = Context;
    cell.SelFirm = static_cast<std::int16_t>(firm);
    return cell;
}

// Everything the run addresses by label, and the shapes of the bound lists,
// checked once per binding so that no element access falls outside an array.
void TModRnD::RequireRunLayout() const {
    using enum TIndexedElement;
    RequireIndexedElements({ProReqUC, ProOldReqUC, ProStdUC, ProMinUC, ProCumBgt, ProReqBgt, ProAllBgt, ProCumProd,
                            ProAllBgtOther, ProDeveloper, ProPartner, ProPreMkt, ProManCap, ProPerBeg, ProPerEnd});
    RequireIndexedElements({TDMinLev, TDMaxLev, TDDevBgt, TDUnitCost, TDSuc2Muc, Research, ProName});
    RequireIndexedElements({CctType, PrjName, Firm, ExclUse, CctAllowed, DevBgt, RoyLump, RoyUnit, RoySales, RoyMin,
                            PerSigned, Per1stUse, Duration});
    if (!ProFinances || !TecDimVars) throw EModelError("the industry has no series ProFinances or TecDimVars");
    const TSeries& dims = Dimensions();
    RequireSpan(*ProTecs, "ProTecs", 2, dims.Lo(), dims.Hi());
    RequireSpan(*PrjTecs, "PrjTecs", 2, dims.Lo(), dims.Hi());
    RequireSpan(*ProFins, "ProFins", 2, ProFinances->Lo(), ProFinances->Hi());
    RequireSpan(*PrjFins, "PrjFins", 2, ProFinances->Lo(), ProFinances->Hi());
    RequireSpan(*Technical, "Technical", 1, dims.Lo(), dims.Hi());
    RequireSpan(*Technical, "Technical", 2, TecDimVars->Lo(), TecDimVars->Hi());
    RequireSpan(*UCParams, "UCParams", 1, TecDimVars->Lo(), TecDimVars->Hi());
}

}  // namespace cv
