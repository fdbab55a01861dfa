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

// Reads elements [Row, Column] of a link array that the caller checked against
// the bounds: straight from the elements of a two-dimensional byte array, through
// GetByte (and its reports) from any other.
class TLinkReader {
public:
    explicit TLinkReader(const TDynArr& links)
        : links_(links), direct_(links.Kind() == dkByte && links.NDim() == 2) {}
    std::uint8_t operator()(int row, int column) const {
        return direct_ ? links_.ByteAt(PositionWithin(links_, {row, column})) : links_.GetByte({row, column});
    }

private:
    const TDynArr& links_;
    bool direct_;
};

}  // namespace

void TModBasic::Init(TCvInd& data, TWorkRec* workRec) {
    data_ = &data;
    workRec_ = workRec;
    const int t = data.CurPeriod();
    RequireForecastPeriods(t);
    ctx_ = TDataContext{};
    ctx_.SelPeriod = static_cast<std::int16_t>(t);
    ctx_.CurPeriod = static_cast<std::int16_t>(t);
    ctx_.DecPeriod = static_cast<std::int16_t>(t + 1);
    perSeries_ = data.PerSeries();
    if (!perSeries_) throw EModelError("the industry has no period series");
    RequireBaseSeries();
    msgSim_ = si::MsgSim;
    cumBrand_ = si::CumBrand;
    firBrand_ = si::FirBrand;
    mktBrand_ = si::MktBrand;
    resultsT_ = &data.PerResults(t);
    resultsT1_ = &data.PerResults(t + 1);
    positionsT_ = positionsT1_ = nullptr;
    decisionsT1_ = &data.PerDecisions(t + 1);
    decisionsT2_ = &data.PerDecisions(t + 2);
    defaultsT2_ = &data.PerDefaults(t + 2);
}

void TModBasic::SetMarket(int fta, int mkt) {
    ctx_.SelFta = static_cast<std::int16_t>(fta);
    ctx_.SelMarket = static_cast<std::int16_t>(mkt);
    dimSeries_ = RequireCellSeries(data_->DimSeries(mkt), "dimension", fta, mkt);
    mapSeries_ = RequireCellSeries(data_->MapSeries(mkt), "map", fta, mkt);
    semSeries_ = RequireCellSeries(data_->SemSeries(mkt), "semantic", fta, mkt);
    chaSeries_ = RequireCellSeries(data_->ChaSeries(fta), "channel", fta, mkt);
    segSeries_ = RequireCellSeries(data_->SegSeries(fta, mkt), "segment", fta, mkt);
    ClearLinks();
    if (TakeBookedLinks(fta, mkt)) return;
    // A level-1 log line may report a count of t taken as 0.
    linksQuiet_ = !LogWrites(1);
    ReadMarketLinks();
    const int firms = LinkCount(data_->NbFirms(), kMaxModelFirms, "number of firms");
    for (int firm = 1; firm <= firms; ++firm) ReadFirmLinks(firm);
    if (linksQuiet_) BookLinks(fta, mkt);
}

bool TModBasic::TakeBookedLinks(int fta, int mkt) {
    if (!linkBook_ || !linkBook_->open_) return false;
    for (const TLinkBook::TEntry& entry : linkBook_->entries_)
        if (entry.fta == fta && entry.mkt == mkt && entry.resultsT == resultsT_ && entry.resultsT1 == resultsT1_) {
            links_ = entry.links;
            brdNames_ = entry.brdNames;
            xfmLinks_ = entry.xfmLinks;
            ffmLinks_ = entry.ffmLinks;
            return true;
        }
    return false;
}

void TModBasic::BookLinks(int fta, int mkt) const {
    if (!linkBook_ || !linkBook_->open_) return;
    linkBook_->entries_.push_back({fta, mkt, resultsT_, resultsT1_, links_, brdNames_, xfmLinks_, ffmLinks_});
}

int TModBasic::LinkCount(long long count, int limit, const TLazyText& what) {
    const int taken = ClampCount(*this, count, limit, what);
    if (taken != count) linksQuiet_ = false;
    return taken;
}

void TModBasic::ClearLinks() {
    links_ = TMarketLinks{};
    for (TFirmArrays* arrays : {&brandDecisions_, &salesForceAllocs_, &salesForceSizes_}) arrays->fill(nullptr);
    positionsT_ = positionsT1_ = nullptr;
    foundFta_ = ctx_.SelFta;
    foundMarket_ = ctx_.SelMarket;
}

TSimArr& TModBasic::FirmDecisionArr(TFirmArrays& found, int firm, int fta, int category, std::string_view name) const {
    const bool selectedCell = firm >= 1 && firm <= kMaxModelFirms && fta == foundFta_ &&
                              (category == kCategoryFirmFta || ctx_.SelMarket == foundMarket_);
    TSimArr** kept = selectedCell ? &found[static_cast<std::size_t>(firm)] : nullptr;
    if (kept && *kept) return **kept;
    TDataContext context = FirmContext(firm);
    context.SelFta = static_cast<std::int16_t>(fta);
    TSimArr& array = RequireArr(*decisionsT1_, category, context, name);
    if (kept) *kept = &array;
    return array;
}

// The market's links of t+1, and its count of t (0 when t lacks it).
void TModBasic::ReadMarketLinks() {
    xfmLinks_ = &RequireArr(*resultsT1_, kCategoryFtaMarket, ctx_, "XFMLinks");
    brdNames_ = &RequireArr(*resultsT1_, kCategoryFtaMarket, ctx_, "BrdNames");
    const int capacity = std::min(RowCapacity(xfmLinks_, kMaxMktBrands), RowCapacity(brdNames_, kMaxMktBrands));
    const std::int16_t countT1 = RequireSmallint(*resultsT1_, kCategoryFtaMarket, ctx_, "NbMktedBrds");
    const auto where = [&] { return FormatText("zone %d, market %d", {ctx_.SelFta, ctx_.SelMarket}); };
    const int count = LinkCount(countT1, capacity, [&] { return "marketed brands of t+1 in " + where(); });
    links_.nbMktedBrdsT1 = static_cast<std::uint8_t>(count);
    const std::int16_t countT = OptionalSmallint(*resultsT_, kCategoryFtaMarket, ctx_, "NbMktedBrds", 0);
    links_.nbMktedBrdsT = static_cast<std::uint8_t>(
        LinkCount(countT, kMaxMktBrands, [&] { return "marketed brands of t in " + where(); }));
    if (count == 0) return;
    for (std::int8_t column : {si::Dfix, si::Dbix, si::Rfix, si::Rpix, si::pMbix})
        RequireIndex(*xfmLinks_, "XFMLinks", {1, column});
    const TLinkReader link(*xfmLinks_);
    for (int m = 1; m <= count; ++m) {
        links_.dfix[m] = link(m, si::Dfix);
        links_.dbix[m] = link(m, si::Dbix);
        links_.rfix[m] = link(m, si::Rfix);
        links_.rpix[m] = link(m, si::Rpix);
        links_.pMbix[m] = link(m, si::pMbix);
        if (links_.dfix[m] < 1 || links_.dfix[m] > kMaxModelFirms || links_.dbix[m] < 1 ||
            links_.dbix[m] > kMaxFirmBrands)
            throw EModelError(FormatText("XFMLinks of %s: market brand %d names firm %d, brand %d",
                                         {where(), m, links_.dfix[m], links_.dbix[m]}));
    }
}

void TModBasic::ReadFirmLinks(int firm) {
    const TDataContext context = FirmContext(firm);
    ffmLinks_ = &RequireArr(*resultsT1_, kCategoryFirmFtaMarket, context, "FFMLinks");
    const auto where = [&] { return FormatText("firm %d, zone %d, market %d", {firm, ctx_.SelFta, ctx_.SelMarket}); };
    const std::int16_t countT1 = RequireSmallint(*resultsT1_, kCategoryFirmFtaMarket, context, "NbMktedBrds");
    const int count = LinkCount(countT1, RowCapacity(ffmLinks_, kMaxFirmBrands),
                                [&] { return "marketed brands of t+1 of " + where(); });
    links_.firNbMktedBrdsT1[firm] = static_cast<std::uint8_t>(count);
    const std::int16_t countT = OptionalSmallint(*resultsT_, kCategoryFirmFtaMarket, context, "NbMktedBrds", 0);
    links_.firNbMktedBrdsT[firm] = static_cast<std::uint8_t>(
        LinkCount(countT, kMaxFirmBrands, [&] { return "marketed brands of t of " + where(); }));
    if (count == 0) return;
    for (std::int8_t column : {si::Mbix, si::pDfix, si::pDbix}) RequireIndex(*ffmLinks_, "FFMLinks", {1, column});
    const TLinkReader link(*ffmLinks_);
    for (int k = 1; k <= count; ++k) {
        links_.mbix[firm][k] = link(k, si::Mbix);
        links_.pDfix[firm][k] = link(k, si::pDfix);
        links_.pDbix[firm][k] = link(k, si::pDbix);
    }
}

void TModBasic::BindForecastPeriod(TCvPerData& results) {
    resultsT1_ = &results;
    brdNames_ = xfmLinks_ = ffmLinks_ = nullptr;
    positionsT1_ = nullptr;
}

void TModBasic::SelectMarketSeries(TSeries* segments, TSeries* map, TSeries* semantic, TSeries* dimensions) {
    segSeries_ = segments;
    mapSeries_ = map;
    semSeries_ = semantic;
    dimSeries_ = dimensions;
}

void TModBasic::BindMarketArrays(TSimArr* names, TSimArr* marketLinks) {
    brdNames_ = names;
    xfmLinks_ = marketLinks;
}

TDataContext TModBasic::FirmContext(int firm) const {
    TDataContext context = ctx_;
    context.SelFirm = static_cast<std::int16_t>(firm);
    return context;
}

void TModBasic::RequireMarketBrand(int brand) const {
    if (brand < 1 || brand > links_.nbMktedBrdsT1)
        throw EModelError(FormatText("market brand %d outside 1..%d in zone %d, market %d",
                                     {brand, links_.nbMktedBrdsT1, ctx_.SelFta, ctx_.SelMarket}));
}

double TModBasic::GetBrandDecision(int brand, int member) const {
    RequireMarketBrand(brand);
    const TSimArr& decisions =
        FirmDecisionArr(brandDecisions_, links_.dfix[brand], ctx_.SelFta, kCategoryFirmFtaMarket, "DecBrdCV3");
    RequireIndex(decisions, "DecBrdCV3", {links_.dbix[brand], member});
    return static_cast<double>(decisions.GetReal48({links_.dbix[brand], member}));
}

void TModBasic::SetBrandDecision(int brand, int member, double value) {
    RequireMarketBrand(brand);
    TSimArr& decisions =
        FirmDecisionArr(brandDecisions_, links_.dfix[brand], ctx_.SelFta, kCategoryFirmFtaMarket, "DecBrdCV3");
    RequireIndex(decisions, "DecBrdCV3", {links_.dbix[brand], member});
    decisions.SetReal48({links_.dbix[brand], member}, value);
}

double TModBasic::GetSalesForceSize(int firm, int fta, int channel) const {
    const TSimArr& sizes = FirmDecisionArr(salesForceSizes_, firm, fta, kCategoryFirmFta, "SlfSize");
    RequireIndex(sizes, "SlfSize", {channel});
    return static_cast<double>(sizes.GetReal48({channel}));
}

double TModBasic::GetSalesForceAlloc(int channel, int brand) const {
    RequireMarketBrand(brand);
    const int firm = links_.dfix[brand];
    const double size = GetSalesForceSize(firm, ctx_.SelFta, channel);
    const TSimArr& alloc = FirmDecisionArr(salesForceAllocs_, firm, ctx_.SelFta, kCategoryFirmFtaMarket, "SlfAlloc");
    RequireIndex(alloc, "SlfAlloc", {channel, links_.dbix[brand]});
    return size * static_cast<double>(alloc.GetReal48({channel, links_.dbix[brand]}));
}

// The attributes are compared over the dimensions that the market's dimension
// series and both arrays share: a market whose semantic scales span other
// bounds than its dimensions is compared where both exist.
bool TModBasic::IsBrandModified(int brand) const {
    if (ctx_.SelPeriod + 1 == 0) return false;
    RequireMarketBrand(brand);
    if (links_.pMbix[brand] == 0) return true;
    const bool selectedCell = ctx_.SelFta == foundFta_ && ctx_.SelMarket == foundMarket_;
    const TSimArr* before = selectedCell ? positionsT_ : nullptr;
    if (!before) before = resultsT_->FindSimArr(kCategoryFtaMarket, ctx_, "PosSemBrds");
    if (!before) return false;
    const TSimArr* after = selectedCell ? positionsT1_ : nullptr;
    if (!after) after = &RequireArr(*resultsT1_, kCategoryFtaMarket, ctx_, "PosSemBrds");
    if (selectedCell) {
        positionsT_ = before;
        positionsT1_ = after;
    }
    const int lo = std::max<int>({dimSeries_->Lo(), before->LB(2), after->LB(2)});
    const int hi = std::min<int>({dimSeries_->Hi(), before->UB(2), after->UB(2)});
    if (lo > hi) return false;
    RequireIndex(*before, "PosSemBrds", {links_.pMbix[brand], lo, si::AttAct});
    RequireIndex(*after, "PosSemBrds", {brand, lo, si::AttAct});
    for (int d = lo; d <= hi; ++d)
        if (before->GetSmallint({links_.pMbix[brand], d, si::AttAct}) != after->GetSmallint({brand, d, si::AttAct}))
            return true;
    return false;
}

bool TModBasic::AddSimMessage(std::initializer_list<std::string_view> items) {
    if (items.size() < 2) return false;
    const std::int16_t count = RequireSmallint(*resultsT1_, kCategoryFirmFta, ctx_, "NbMsgSim");
    TSimArr& messages = RequireArr(*resultsT1_, kCategoryFirmFta, ctx_, "MsgSim2Fir");
    if (count < 0 || count >= msgSim_->Count() || !IndexInBounds(messages, {count + 1, si::Section})) return false;
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
    resultsT1_->SetSmallint(kCategoryFirmFta, ctx_, "NbMsgSim", static_cast<std::int16_t>(row));
    return true;
}

void TModBasic::Warn(const std::string& text) const {
    LogFmt(0, "Warning: %s", {text});
    if (workRec_ && std::find(workRec_->Warnings.begin(), workRec_->Warnings.end(), text) == workRec_->Warnings.end())
        workRec_->Warnings.push_back(text);
}

}  // namespace cv
