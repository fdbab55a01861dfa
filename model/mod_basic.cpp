#include "model/mod_basic.h"

#include <algorithm>
#include <array>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"
#include "model/work_rec.h"

namespace cv {

namespace {

// A simulation message holds texts of up to 16 characters: a section, a key and five parameters.
constexpr std::size_t kSimMessageTextMax = 16;
constexpr std::size_t kSimMessageParams = 5;

// The series and labels of the base's own operations, the brand portfolio
// columns and the actual attributes included.
void RequireBaseSeries() {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({BegEnd, MinMax, UorV, MsgAdmLine, MsgSim, MsgSKP, CumBrand, FirBrand, MktBrand, XFMLinks,
                          FFMLinks, DecBrdPort, PosSemBrd});
    RequireIndexedElements({Beg,    End,    SrMin,  SrMax,  Unit,   Value,   pMbix,   Dfix,
                            Dbix,   Rfix,   Rpix,   Mbix,   pDfix,  pDbix,   Section, Keyword,
                            Param1, Param2, Param3, Param4, Param5, BrdName, ProName, AttAct});
}

TSeries* RequireCellSeries(TSeries* series, std::string_view what, int fta, int mkt) {
    if (!series) throw EModelError(FormatText("no %s series for zone %d, market %d", {what, fta, mkt}));
    return series;
}

// The period of t+1 and t+2 must be sets the industry can hold.
void RequireForecastPeriods(int current) {
    if (current < kFirstResultPeriod || current + 1 > kLastResultPeriod)
        throw EModelError(FormatText("current period %d leaves no forecast period", {current}));
}

}  // namespace

void TModBasic::Init(TCvInd& data, TWorkRec* workRec) {
    Data = &data;
    WorkRec = workRec;
    const int t = data.CurPeriod();
    RequireForecastPeriods(t);
    Ctx = TDataContext{};
    Ctx.SelPeriod = static_cast<std::int16_t>(t);
    Ctx.CurPeriod = static_cast<std::int16_t>(t);
    Ctx.DecPeriod = static_cast<std::int16_t>(t + 1);
    PerSeries = data.PerSeries();
    if (!PerSeries) throw EModelError("the industry has no period series");
    RequireBaseSeries();
    MsgAdmLine = si::MsgAdmLine;
    MsgSim = si::MsgSim;
    CumBrand = si::CumBrand;
    FirBrand = si::FirBrand;
    MktBrand = si::MktBrand;
    ResultsT = &data.PerResults(t);
    ResultsT1 = &data.PerResults(t + 1);
    DecisionsT1 = &data.PerDecisions(t + 1);
    DecisionsT2 = &data.PerDecisions(t + 2);
    DefaultsT2 = &data.PerDefaults(t + 2);
}

void TModBasic::SetMarket(int fta, int mkt) {
    Ctx.SelFta = static_cast<std::int16_t>(fta);
    Ctx.SelMarket = static_cast<std::int16_t>(mkt);
    DimSeries = RequireCellSeries(Data->DimSeries(mkt), "dimension", fta, mkt);
    MapSeries = RequireCellSeries(Data->MapSeries(mkt), "map", fta, mkt);
    SemSeries = RequireCellSeries(Data->SemSeries(mkt), "semantic", fta, mkt);
    ChaSeries = RequireCellSeries(Data->ChaSeries(fta), "channel", fta, mkt);
    SegSeries = RequireCellSeries(Data->SegSeries(fta, mkt), "segment", fta, mkt);
    ClearLinks();
    ReadMarketLinks();
    const int firms = ClampCount(*this, Data->NbFirms(), kMaxModelFirms, "number of firms");
    for (int firm = 1; firm <= firms; ++firm) ReadFirmLinks(firm);
}

void TModBasic::ClearLinks() {
    NbMktedBrdsT = NbMktedBrdsT1 = 0;
    for (TMktBrandBytes* table : {&Dfix, &Dbix, &Rfix, &Rpix, &pMbix}) table->fill(0);
    FirNbMktedBrdsT.fill(0);
    FirNbMktedBrdsT1.fill(0);
    for (TFirmBrandBytes* table : {&Mbix, &pDfix, &pDbix})
        for (auto& row : *table) row.fill(0);
}

// The market's links of t+1, and its count of t (0 when t lacks it).
void TModBasic::ReadMarketLinks() {
    XFMLinks = &RequireArr(*ResultsT1, kCategoryFtaMarket, Ctx, "XFMLinks");
    BrdNames = &RequireArr(*ResultsT1, kCategoryFtaMarket, Ctx, "BrdNames");
    const int capacity = std::min(RowCapacity(XFMLinks, kMaxMktBrands), RowCapacity(BrdNames, kMaxMktBrands));
    const std::int16_t countT1 = RequireSmallint(*ResultsT1, kCategoryFtaMarket, Ctx, "NbMktedBrds");
    const std::string where = FormatText("zone %d, market %d", {Ctx.SelFta, Ctx.SelMarket});
    NbMktedBrdsT1 =
        static_cast<std::uint8_t>(ClampCount(*this, countT1, capacity, "marketed brands of t+1 in " + where));
    const std::int16_t countT = OptionalSmallint(*ResultsT, kCategoryFtaMarket, Ctx, "NbMktedBrds", 0);
    NbMktedBrdsT =
        static_cast<std::uint8_t>(ClampCount(*this, countT, kMaxMktBrands, "marketed brands of t in " + where));
    if (NbMktedBrdsT1 == 0) return;
    for (std::int8_t column : {si::Dfix, si::Dbix, si::Rfix, si::Rpix, si::pMbix})
        RequireIndex(*XFMLinks, "XFMLinks", {1, column});
    for (int m = 1; m <= NbMktedBrdsT1; ++m) {
        Dfix[m] = XFMLinks->GetByte({m, si::Dfix});
        Dbix[m] = XFMLinks->GetByte({m, si::Dbix});
        Rfix[m] = XFMLinks->GetByte({m, si::Rfix});
        Rpix[m] = XFMLinks->GetByte({m, si::Rpix});
        pMbix[m] = XFMLinks->GetByte({m, si::pMbix});
        if (Dfix[m] < 1 || Dfix[m] > kMaxModelFirms || Dbix[m] < 1 || Dbix[m] > kMaxFirmBrands)
            throw EModelError(
                FormatText("XFMLinks of %s: market brand %d names firm %d, brand %d", {where, m, Dfix[m], Dbix[m]}));
    }
}

void TModBasic::ReadFirmLinks(int firm) {
    const TDataContext context = FirmContext(firm);
    FFMLinks = &RequireArr(*ResultsT1, kCategoryFirmFtaMarket, context, "FFMLinks");
    const std::string where = FormatText("firm %d, zone %d, market %d", {firm, Ctx.SelFta, Ctx.SelMarket});
    const std::int16_t countT1 = RequireSmallint(*ResultsT1, kCategoryFirmFtaMarket, context, "NbMktedBrds");
    FirNbMktedBrdsT1[firm] = static_cast<std::uint8_t>(
        ClampCount(*this, countT1, RowCapacity(FFMLinks, kMaxFirmBrands), "marketed brands of t+1 of " + where));
    const std::int16_t countT = OptionalSmallint(*ResultsT, kCategoryFirmFtaMarket, context, "NbMktedBrds", 0);
    FirNbMktedBrdsT[firm] =
        static_cast<std::uint8_t>(ClampCount(*this, countT, kMaxFirmBrands, "marketed brands of t of " + where));
    if (FirNbMktedBrdsT1[firm] == 0) return;
    for (std::int8_t column : {si::Mbix, si::pDfix, si::pDbix}) RequireIndex(*FFMLinks, "FFMLinks", {1, column});
    for (int k = 1; k <= FirNbMktedBrdsT1[firm]; ++k) {
        Mbix[firm][k] = FFMLinks->GetByte({k, si::Mbix});
        pDfix[firm][k] = FFMLinks->GetByte({k, si::pDfix});
        pDbix[firm][k] = FFMLinks->GetByte({k, si::pDbix});
    }
}

TDataContext TModBasic::FirmContext(int firm) const {
    TDataContext context = Ctx;
    context.SelFirm = static_cast<std::int16_t>(firm);
    return context;
}

void TModBasic::RequireMarketBrand(int brand) const {
    if (brand < 1 || brand > NbMktedBrdsT1)
        throw EModelError(FormatText("market brand %d outside 1..%d in zone %d, market %d",
                                     {brand, NbMktedBrdsT1, Ctx.SelFta, Ctx.SelMarket}));
}

double TModBasic::GetBrandDecision(int brand, int member) const {
    RequireMarketBrand(brand);
    const TSimArr& decisions = RequireArr(*DecisionsT1, kCategoryFirmFtaMarket, FirmContext(Dfix[brand]), "DecBrdCV3");
    RequireIndex(decisions, "DecBrdCV3", {Dbix[brand], member});
    return static_cast<double>(decisions.GetReal48({Dbix[brand], member}));
}

void TModBasic::SetBrandDecision(int brand, int member, double value) {
    RequireMarketBrand(brand);
    TSimArr& decisions = RequireArr(*DecisionsT1, kCategoryFirmFtaMarket, FirmContext(Dfix[brand]), "DecBrdCV3");
    RequireIndex(decisions, "DecBrdCV3", {Dbix[brand], member});
    decisions.SetReal48({Dbix[brand], member}, value);
}

double TModBasic::GetSalesForceSize(int firm, int fta, int channel) const {
    TDataContext context = Ctx;
    context.SelFirm = static_cast<std::int16_t>(firm);
    context.SelFta = static_cast<std::int16_t>(fta);
    const TSimArr& sizes = RequireArr(*DecisionsT1, kCategoryFirmFta, context, "SlfSize");
    RequireIndex(sizes, "SlfSize", {channel});
    return static_cast<double>(sizes.GetReal48({channel}));
}

double TModBasic::GetSalesForceAlloc(int channel, int brand) const {
    RequireMarketBrand(brand);
    const int firm = Dfix[brand];
    const double size = GetSalesForceSize(firm, Ctx.SelFta, channel);
    const TSimArr& alloc = RequireArr(*DecisionsT1, kCategoryFirmFtaMarket, FirmContext(firm), "SlfAlloc");
    RequireIndex(alloc, "SlfAlloc", {channel, Dbix[brand]});
    return size * static_cast<double>(alloc.GetReal48({channel, Dbix[brand]}));
}

// The attributes are compared over the dimensions that the market's dimension
// series and both arrays share: a market whose semantic scales span other
// bounds than its dimensions is compared where both exist.
bool TModBasic::IsBrandModified(int brand) const {
    if (Ctx.SelPeriod + 1 == 0) return false;
    RequireMarketBrand(brand);
    if (pMbix[brand] == 0) return true;
    const TSimArr* before = ResultsT->GetSimArr(kCategoryFtaMarket, Ctx, "PosSemBrds");
    if (!before) return false;
    const TSimArr& after = RequireArr(*ResultsT1, kCategoryFtaMarket, Ctx, "PosSemBrds");
    const int lo = std::max<int>({DimSeries->Lo(), before->LB(2), after.LB(2)});
    const int hi = std::min<int>({DimSeries->Hi(), before->UB(2), after.UB(2)});
    if (lo > hi) return false;
    RequireIndex(*before, "PosSemBrds", {pMbix[brand], lo, si::AttAct});
    RequireIndex(after, "PosSemBrds", {brand, lo, si::AttAct});
    for (int d = lo; d <= hi; ++d)
        if (before->GetSmallint({pMbix[brand], d, si::AttAct}) != after.GetSmallint({brand, d, si::AttAct}))
            return true;
    return false;
}

bool TModBasic::AddSimMessage(std::initializer_list<std::string_view> items) {
    if (items.size() < 2) return false;
    const std::int16_t count = RequireSmallint(*ResultsT1, kCategoryFirmFta, Ctx, "NbMsgSim");
    TSimArr& messages = RequireArr(*ResultsT1, kCategoryFirmFta, Ctx, "MsgSim2Fir");
    if (count < 0 || count >= MsgSim->Count() || !IndexInBounds(messages, {count + 1, si::Section})) return false;
    const int row = count + 1;
    const std::array<std::int8_t, 2 + kSimMessageParams> columns{si::Section, si::Keyword, si::Param1, si::Param2,
                                                                 si::Param3,  si::Param4,  si::Param5};
    if (items.size() > columns.size()) LogFmt(0, "AddSimMessage: %d texts, the last ones dropped", {items.size()});
    std::size_t i = 0;
    for (std::string_view text : items) {
        if (i == columns.size()) break;
        RequireIndex(messages, "MsgSim2Fir", {row, columns[i]});
        messages.SetZts({row, columns[i++]}, text.substr(0, kSimMessageTextMax));
    }
    ResultsT1->SetSmallint(kCategoryFirmFta, Ctx, "NbMsgSim", static_cast<std::int16_t>(row));
    return true;
}

void TModBasic::Warn(const std::string& text) const {
    LogFmt(0, "Warning: %s", {text});
    if (WorkRec && std::find(WorkRec->Warnings.begin(), WorkRec->Warnings.end(), text) == WorkRec->Warnings.end())
        WorkRec->Warnings.push_back(text);
}

}  // namespace cv
