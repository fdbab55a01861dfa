#include "model/mod_finan.h"

#include <algorithm>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"

namespace cv {

namespace {

// The series and labels the finance steps address.
void RequireFinanceSeries() {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({BrdRpt, FFMRpt, FFXRpt, BrdCumRes, CumBrand, LoanTerms, DecBrdCV3, ProFinances, StuMkt,
                          StuFta, StuInfos, CostCategs, UorV});
    RequireIndexedElements({brUSold, brRPrice, brSPrice, brRev,    brUProd,   brCGS,      brUInv,  brIHC,
                            brISC,   brCBM,    brAdvM,   brAdvQ,   brSlf,     brCAM,      brVMS,   brUMS,
                            brRSales});
    RequireIndexedElements({ffmUSold, ffmUSold0,  ffmRPrice, ffmSPrice, ffmRev,     ffmUProd,   ffmTCost,
                            ffmCGS,   ffmUInv,    ffmIHC,    ffmISC,    ffmCBM,     ffmAdvM,    ffmAdvQ,
                            ffmSlf,   ffmCAM,     ffmMRS,    ffmRnD,    ffmRSales,  ffmRSales0, ffmVMS,
                            ffmVMS0,  ffmUMS,     ffmUMS0,   ffmCumMRS, ffmCumRnD});
    RequireIndexedElements({ffxUSold,  ffxUSold0,   ffxRPrice,   ffxSPrice, ffxRev,     ffxUMS,    ffxVMS,
                            ffxCAM,    ffxMRS,      ffxRnD,      ffxRSales, ffxRSales0, ffxVMS0,   ffxUMS0,
                            ffxCumMRS, ffxCumRnD,   ffxCumAdv,   ffxCumSlf, ffxIP,      ffxCumIP,  ffxECP,
                            ffxCumECP, ffxNC,       ffxCumNC,    ffxNPB,    ffxAdvM,    ffxAdvQ,   ffxSlf,
                            ffxCBM,    ffxRSalesM1, ffxRSalesM2, ffxMktVal, ffxMktVal0, ffxSPI,    ffxCBM0,
                            ffxCAM0,   ffxNC0,      ffxRMI,      ffxRMI0,   ffxCumRMI});
    RequireIndexedElements({brcIsMkted, brcIntroPer, brcUSold, brcRSales, brcRev, brcCGS, brcIHSC, brcAdv, brcSlf,
                            brcCAM});
    RequireIndexedElements({CostProfit, BgtChg, LoanCap, LoanDur, LoanIR, AdvertBgt, AdvertQual, ProAllBgt,
                            MarketForecast, IsStuAvailable, StuCost, Research, Salaries, Communic, Unit, Value});
}

// The zone totals add the market report into the zone report position by
// position: the zone report must begin with the market report's elements in
// their order, each "ffm..." as "ffx...".
void RequireZoneReportPrefix() {
    constexpr std::size_t kPrefixLength = 3;
    const std::vector<std::string>& market = si::FFMRpt->Labels();
    const std::vector<std::string>& zone = si::FFXRpt->Labels();
    for (std::size_t i = 0; i < market.size(); ++i) {
        const std::string expected = "ffx" + market[i].substr(std::min(kPrefixLength, market[i].size()));
        if (i >= zone.size() || !SameModelName(zone[i], expected))
            throw EModelError(FormatText("the series FFXRpt does not begin with the elements of FFMRpt: %s is not %s",
                                         {i < zone.size() ? zone[i] : std::string("missing"), expected}));
    }
}

// The minimum number of labels of CumBrand: one brand slot and the row of brands that lost theirs.
constexpr int kMinCumBrandLabels = 2;

}  // namespace

// ---- TFinArray ----

TSimArr& TFinArray::Array() const {
    if (!array_) throw EModelError(FormatText("array %s missing", {name_}));
    return *array_;
}

long double TFinArray::CheckedGet(const TIndex& index) const {
    if (!array_) return 0;
    RequireIndex(*array_, name_, index);
    return array_->GetReal48(index);
}

void TFinArray::CheckedSet(const TIndex& index, long double value) const {
    TSimArr& array = Array();
    RequireIndex(array, name_, index);
    array.SetReal48(index, value);
}

void TFinArray::CheckedAdd(const TIndex& index, long double value) const {
    TSimArr& array = Array();
    RequireIndex(array, name_, index);
    array.AddLong(index, value);
}

TFinRow::TFinRow(const TFinArray& array, int row) : array_(array), row_(row) {
    TSimArr* const whole = array.array_;
    if (!whole || whole->NDim() != 2) return;
    first_ = whole->Real48Element({row, whole->LB(2)});
    if (!first_) return;
    lo_ = whole->LB(2);
    count_ = static_cast<unsigned>(whole->UB(2) - whole->LB(2) + 1);
}

void SetBaseElements(const TFinArray& report, const TFinArray& previous, int decisionPeriod,
                     std::span<const TElementPair> pairs) {
    for (const TElementPair& pair : pairs)
        report.Set({*pair.target}, decisionPeriod == 0 ? report.Get({*pair.source}) : previous.Get({*pair.target}));
}

void CarryElements(const TFinArray& target, const TFinArray& previous, std::initializer_list<std::int8_t> elements) {
    for (std::int8_t element : elements) target.Set({element}, previous.Get({element}));
}

// ---- TModFinan ----

void TModFinan::Init(TCvInd& data, TWorkRec* workRec) {
    TModBasic::Init(data, workRec);
    RequireFinanceSeries();
    RequireZoneReportPrefix();
    if (CumBrand()->Count() < kMinCumBrandLabels)
        throw EModelError(FormatText("the series CumBrand has %d labels: no brand slot", {CumBrand()->Count()}));
}

void TModFinan::BackBone(std::uint16_t /*flags*/) {
    LogFmt(1, "TModFinan.BackBone");
    const int firms = FirmCount();
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        Loans();
    }
    for (int fta = 1; fta <= Data()->NbFtas(); ++fta) {
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) {
            Ctx().SelFirm = 0;
            SetMarket(fta, mkt);
            if (fta == 1) RnDCosts();
            if (NbMktedBrdsT1() > 0) BrandRevenues();
            MarketStudyCosts();
        }
        NextBudget();
    }
    for (int fta = 1; fta <= Data()->NbFtas(); ++fta) {
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) {
            SetMarket(fta, mkt);
            for (int firm = 1; firm <= firms; ++firm) {
                Ctx().SelFirm = static_cast<std::int16_t>(firm);
                CumulateBrandResults();
                CumulateMarketReport();
            }
        }
        for (int firm = 1; firm <= firms; ++firm) {
            Ctx().SelFirm = static_cast<std::int16_t>(firm);
            FirmTotals();
        }
    }
    StockPriceIndex();
}

long double TModFinan::MoneyFactor(int costCategory) const {
    return Data()->ConvertToFta(DecisionPeriod(), Ctx().SelFta, true, 1, costCategory);
}

int TModFinan::DecisionPeriod() const { return Data()->CurPeriod() + 1; }

int TModFinan::FirmCount() const { return ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms"); }

int TModFinan::SlotIndex(int k) const { return CumBrand()->Lo() + k - 1; }

TDataContext TModFinan::CellOf(int firm, int zone, int market) const {
    TDataContext cell = Ctx();
    cell.SelFirm = static_cast<std::int16_t>(firm);
    cell.SelFta = static_cast<std::int16_t>(zone);
    cell.SelMarket = static_cast<std::int16_t>(market);
    return cell;
}

TFinArray TModFinan::TFirmMarketArrays::operator[](int firm) {
    if (firm < 1 || firm > kMaxModelFirms)
        return module_.ResultT1(kCategoryFirmFtaMarket, module_.FirmContext(firm), name_);
    TSimArr*& array = arrays_[static_cast<std::size_t>(firm)];
    if (!array) array = &module_.ResultT1(kCategoryFirmFtaMarket, module_.FirmContext(firm), name_).Array();
    return TFinArray(array, name_);
}

TFinArray TModFinan::ResultT1(int category, const TDataContext& cell, std::string_view name) const {
    return TFinArray(&RequireArr(*ResultsT1(), category, cell, name), name);
}

TFinArray TModFinan::DecisionT1(int category, const TDataContext& cell, std::string_view name) const {
    return TFinArray(&RequireArr(*DecisionsT1(), category, cell, name), name);
}

TFinArray TModFinan::ConstantArr(int category, const TDataContext& cell, std::string_view name) const {
    return TFinArray(&RequireArr(Data()->ConstPart(), category, cell, name), name);
}

TFinArray TModFinan::ResultT(int category, const TDataContext& cell, std::string_view name) const {
    TSimArr* array = OptionalArr(*ResultsT(), category, cell, name);
    if (!array)
        LogFmt(0, "array %s missing in the %s: its values are taken as 0",
               {name, ResultsT()->DescribeCell(category, cell)});
    return TFinArray(array, name);
}

TFinArray TModFinan::Carried(int category, const TDataContext& cell, std::string_view name) const {
    return DecisionPeriod() > 0 ? ResultT(category, cell, name) : TFinArray(nullptr, name);
}

long double TModFinan::Parameter(int category, std::string_view name, long double defaultValue) const {
    return Data()->ConstPart().GetRealDef(category, Ctx(), name, defaultValue);
}

long double TModFinan::DecisionReal(long double value, const TLazyText& what) const {
    if (value != kEmptyDecisionValue) return value;
    Warn(FormatText("%s is empty and is taken as 0", {what.Text()}));
    return 0;
}

bool TModFinan::StudyOrdered(const TSimArr& orders, std::string_view name, int study) const {
    RequireIndex(orders, name, {study});
    return orders.GetByte({study}) == 1;
}

}  // namespace cv
