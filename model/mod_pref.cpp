#include "model/mod_pref.h"

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

constexpr char kPriceScaleLabel[] = "Price";

// The series and labels of the preference arrays and the brand decisions.
void RequirePrefSeries() {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({PosSemIP, PosMapIP, PosSemBrd, SemPos, MinMax, UorV, DecBrdCV3});
    RequireIndexedElements({PSBefAttr, PSAftAttr, PMBefAttr, PMAftAttr, AttAct, NatPos, MinScale, MaxScale, DeltaScale,
                            InflaScale, CalcScales, CalcStandard, NatPosExp, SrMin, SrMax, Unit, Price, PortStatus});
}

}  // namespace

void TModPref::Init(TCvInd& data, TWorkRec* workRec) {
    TModBasic::Init(data, workRec);
    cachedFta_ = cachedMkt_ = 0;
    RequirePrefSeries();
}

void TModPref::SetMarket(int fta, int mkt) {
    TModBasic::SetMarket(fta, mkt);
    cell_ = Ctx();
    BindPositions();
    CheckCellBounds();
    LoadSegmentSales();
}

void TModPref::PrepareMarket() {
    RequireBoundMarket();
    if (cachedFta_ == Ctx().SelFta && cachedMkt_ == Ctx().SelMarket) return;
    MoveIdealPoints();
    ComputeBrandAttributes();
    ScaleAxes();
    ComputeNaturalPositions(1, NbMktedBrdsT1());
    cachedFta_ = Ctx().SelFta;
    cachedMkt_ = Ctx().SelMarket;
}

bool TModPref::ForecastIsFirstPeriod() const { return Ctx().DecPeriod == 0; }

void TModPref::RequireBoundMarket() const {
    if (!PosSemBrdsT1) throw EModelError("the preference module works on a market only after SetMarket");
}

// The arrays of t exist only when t+1 is not the first period; the portfolio
// status needs the brands' positions of t and stays 1 without them.
void TModPref::BindPositions() {
    const bool first = ForecastIsFirstPeriod();
    auto ofT = [&](const char* name) {
        return first ? nullptr : OptionalArr(*ResultsT(), kCategoryFtaMarket, Ctx(), name);
    };
    PosSemBrdsT = ofT("PosSemBrds");
    PosMapBrdsT = ofT("PosMapBrds");
    PosSemIPsT = ofT("PosSemIPs");
    PosMapIPsT = ofT("PosMapIPs");
    if (!first && !PosSemBrdsT)
        LogFmt(0, "array PosSemBrds missing in the %s: portfolio status left at 1",
               {ResultsT()->DescribeCell(kCategoryFtaMarket, Ctx())});
    auto ofT1 = [&](const char* name) { return &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), name); };
    PosSemBrdsT1 = ofT1("PosSemBrds");
    PosMapBrdsT1 = ofT1("PosMapBrds");
    PosSemIPsT1 = ofT1("PosSemIPs");
    PosMapIPsT1 = ofT1("PosMapIPs");
    SemToMap = &RequireArr(Data()->ConstPart(), kCategoryMarket, Ctx(), "SemToMap");
}

// Every index the steps use on the arrays of t+1 and "SemToMap", checked once
// for the cell: the loops below then never leave an array.
void TModPref::CheckCellBounds() {
    PriceScale();
    const int segLo = SegSeries()->Lo(), segHi = SegSeries()->Hi();
    const int semLo = SemSeries()->Lo(), semHi = SemSeries()->Hi();
    const int mapLo = MapSeries()->Lo(), mapHi = MapSeries()->Hi();
    RequireBox(*PosSemIPsT1, "PosSemIPs", {segLo, semLo, si::PSBefAttr}, {segHi, semHi, si::PSBefAttr});
    for (std::int8_t column : {si::PMBefAttr, si::PMAftAttr})
        RequireBox(*PosMapIPsT1, "PosMapIPs", {segLo, mapLo, column}, {segHi, mapHi, column});
    RequireBox(*SemToMap, "SemToMap", {mapLo, semLo}, {mapHi, semHi});
    for (std::int8_t column : {si::AttAct, si::NatPos})
        RequireBox(*PosSemBrdsT1, "PosSemBrds", {1, semLo, column}, {NbMktedBrdsT1(), semHi, column});
}

// Segment sales of t, or the segments' maximum sizes when t+1 is the first
// period, into the work record: element s for segment s, element 0 their sum.
void TModPref::LoadSegmentSales() {
    if (!WorkRec()) return;
    const int lo = SegSeries()->Lo(), hi = SegSeries()->Hi();
    if (lo < 1 || hi > kWorkSegments)
        throw EModelError(FormatText("segments %d..%d of zone %d, market %d do not fit the work record's 1..%d",
                                     {lo, hi, Ctx().SelFta, Ctx().SelMarket, kWorkSegments}));
    TSegSales& sales = WorkRec()->SegSalesT;
    sales.fill(0.0);
    if (ForecastIsFirstPeriod()) {
        const TSimArr& sizes = RequireArr(Data()->ConstPart(), kCategoryFtaMarket, Ctx(), "MaxSegSize");
        RequireBox(sizes, "MaxSegSize", {lo}, {hi});
        for (int s = lo; s <= hi; ++s) sales[s] = static_cast<double>(sizes.GetReal48({s}));
    } else {
        const TSimArr& segSales = RequireArr(*ResultsT(), kCategoryFtaMarket, Ctx(), "SegSales");
        RequireBox(segSales, "SegSales", {lo, si::Unit}, {hi, si::Unit});
        for (int s = lo; s <= hi; ++s) sales[s] = static_cast<double>(segSales.GetReal48({s, si::Unit}));
    }
    for (int s = lo; s <= hi; ++s) sales[0] += sales[s];
}

int TModPref::PriceScale() const {
    const int scale = SemSeries()->IndexOf(kPriceScaleLabel);
    if (scale == kLabelAbsent)
        throw EModelError(FormatText("the series %s has no label %s", {SemSeries()->Name(), kPriceScaleLabel}));
    return scale;
}

void TModPref::Store(TDynArr& array, std::string_view name, const TIndex& index, long double value) const {
    StoreSmallintSaturated(*this, array, name, [&] { return ResultsT1()->DescribeCell(kCategoryFtaMarket, cell_); },
                           index, value);
}

void TModPref::RequireBox(const TDynArr& array, const char* name, const TIndex& first, const TIndex& last) {
    for (int d = 0; d < first.Count(); ++d)
        if (first[d] > last[d]) return;  // an empty range: no element is used
    RequireIndex(array, name, first);
    RequireIndex(array, name, last);
}

}  // namespace cv
