// TModFinan, market steps: R&D costs, brand revenues and shares, segment sales,
// the firm's market report and its market-study costs.

#include <algorithm>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/text_format.h"
#include "model/mod_finan.h"
#include "model/model_access.h"

namespace cv {

namespace {

// Market shares are in thousandths of the market.
constexpr long double kShareScale = 1000;
// TDynArr::Sum: one open dimension, a plain sum.
constexpr int kSumOneDimension = 1;
constexpr int kSumPlain = 1;

// The brand report rows that a firm's market report adds up.
const TElementPair kMarketReportSums[] = {
    {&si::ffmUSold, &si::brUSold}, {&si::ffmRev, &si::brRev},       {&si::ffmUProd, &si::brUProd},
    {&si::ffmCGS, &si::brCGS},     {&si::ffmUInv, &si::brUInv},     {&si::ffmIHC, &si::brIHC},
    {&si::ffmISC, &si::brISC},     {&si::ffmCBM, &si::brCBM},       {&si::ffmAdvM, &si::brAdvM},
    {&si::ffmAdvQ, &si::brAdvQ},   {&si::ffmSlf, &si::brSlf},       {&si::ffmCAM, &si::brCAM},
    {&si::ffmRSales, &si::brRSales},
};

// Base elements of the market report and the current elements they start from.
const TElementPair kMarketBaseElements[] = {
    {&si::ffmUSold0, &si::ffmUSold},
    {&si::ffmRSales0, &si::ffmRSales},
    {&si::ffmVMS0, &si::ffmVMS},
    {&si::ffmUMS0, &si::ffmUMS},
};

// Units of market brand Brand in Segment over the channels, added as
// TDynArr::Sum adds them (each partial sum rounded to a 6-byte real). When the
// array is shaped for it, the channels' elements are read straight from their
// row, one after the other.
long double ChannelSum(const TSimArr& units, int brand, int segment) {
    if (units.NDim() == 3) {
        if (const std::uint8_t* first = units.Real48Element({brand, segment, units.LB(3)})) {
            const int channels = units.UB(3) - units.LB(3) + 1;
            // The first partial sum, 0 + the first element, is that element exactly.
            long double sum = LoadReal48(first);
            for (int channel = 1; channel < channels; ++channel)
                sum = RoundToReal48(sum + LoadReal48(first + sizeof(Real48) * channel));
            return sum;
        }
    }
    RequireIndex(units, "BrdUSales", {brand, segment, units.NDim() >= 3 ? units.LB(3) : 0});
    return units.Sum(kSumOneDimension, {brand, segment, kOpenDim}, kSumPlain);
}

}  // namespace

// R&D spending is booked in zone 1's market reports only, in base money: the
// budgets allocated to the firm's projects in the market.
void TModFinan::RnDCosts() {
    constexpr int kRnDZone = 1;
    const int firms = FirmCount();
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        const TDataContext cell = CellOf(firm, kRnDZone, Ctx().SelMarket);
        const TFinArray report = ResultT1(kCategoryFirmFtaMarket, cell, "FFMRpt");
        const std::int16_t count = RequireSmallint(*DecisionsT1(), kCategoryFirmMarket, cell, "NbPrjs");
        long double total = 0;
        if (count > 0) {
            const TFinArray projects = DecisionT1(kCategoryFirmMarket, cell, "PrjFins");
            const auto where = [&] { return FormatText("firm %d, market %d", {firm, Ctx().SelMarket}); };
            const int rows = ClampCount(*this, count, RowCapacity(&projects.Array(), count),
                                        [&] { return "projects of " + where(); });
            for (int project = 1; project <= rows; ++project)
                total += DecisionAmount(*this, projects.Get({project, si::ProAllBgt}), [&] {
                    return FormatText("ProAllBgt of project %d of %s", {project, where()});
                });
        }
        report.Set({si::ffmRnD}, total);
    }
}

void TModFinan::BrandRevenues() {
    const TDataContext market = CellOf(0, Ctx().SelFta, Ctx().SelMarket);
    const TFinArray unitSales = ResultT1(kCategoryFtaMarket, market, "BrdUSales");
    const TFinArray segSales = ResultT1(kCategoryFtaMarket, market, "SegSales");
    segSales.Array().Clear();
    TFirmMarketArrays reports(*this, "BrdRpt");
    long double totUnits = 0;
    long double totRetail = 0;
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) {
        Ctx().SelFirm = Dfix()[brand];
        const TFinArray report = reports[Dfix()[brand]];
        BrandProfitAndLoss(brand, report, totUnits, totRetail);
        AddSegmentSales(brand, report, unitSales, segSales);
    }
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) {
        Ctx().SelFirm = Dfix()[brand];
        const TFinRow figures(reports[Dfix()[brand]], Dbix()[brand]);
        figures.Set(si::brUMS, Ratio(figures.Get(si::brUSold), totUnits) * kShareScale);
        figures.Set(si::brVMS, Ratio(figures.Get(si::brRSales), totRetail) * kShareScale);
    }
}

// Advertising split into media and research, revenues, retail sales and the
// contributions before and after marketing of market brand Brand.
void TModFinan::BrandProfitAndLoss(int brand, const TFinArray& report, long double& totUnits,
                                   long double& totRetail) {
    const int row = Dbix()[brand];
    const auto where = [&] { return FormatText("brand %d of firm %d in zone %d, market %d",
                                         {row, Dfix()[brand], Ctx().SelFta, Ctx().SelMarket}); };
    const TFinRow figures(report, row);
    const long double budget =
        DecisionAmount(*this, GetBrandDecision(brand, si::AdvertBgt), [&] { return "AdvertBgt of " + where(); });
    const long double quality =
        DecisionReal(GetBrandDecision(brand, si::AdvertQual), [&] { return "AdvertQual of " + where(); });
    figures.Set(si::brAdvM, (1 - quality) * budget);
    figures.Set(si::brAdvQ, budget * quality);

    const long double units = figures.Get(si::brUSold);
    totUnits += units;
    figures.Set(si::brRev, figures.Get(si::brSPrice) * units);
    const long double retail = figures.Get(si::brRPrice) * units;
    figures.Set(si::brRSales, retail);
    totRetail += retail;

    const long double goodsCosts =
        figures.Get(si::brCGS) + figures.Get(si::brIHC) + figures.Get(si::brISC);
    figures.Set(si::brCBM, figures.Get(si::brRev) - goodsCosts);
    const long double marketing =
        figures.Get(si::brAdvM) + figures.Get(si::brAdvQ) + figures.Get(si::brSlf);
    figures.Set(si::brCAM, figures.Get(si::brCBM) - marketing);
}

// The brand's units of each segment (summed over the channels) and their retail value.
void TModFinan::AddSegmentSales(int brand, const TFinArray& report, const TFinArray& unitSales,
                                const TFinArray& segSales) {
    const TSimArr& units = unitSales.Array();
    const long double price = report.Get({Dbix()[brand], si::brRPrice});
    for (int segment = SegSeries()->Lo(); segment <= SegSeries()->Hi(); ++segment) {
        const long double sold = ChannelSum(units, brand, segment);
        segSales.Add({segment, si::Unit}, sold);
        segSales.Add({segment, si::Value}, price * sold);
    }
}

void TModFinan::MarketStudyCosts() {
    const TFinArray studyParams = ConstantArr(kCategoryFtaMarket, CellOf(0, Ctx().SelFta, Ctx().SelMarket),
                                              "StuMktParams");
    const long double salaryFactor = MoneyFactor(si::Salaries);
    TFirmMarketArrays reports(*this, "BrdRpt");
    TFirmMarketArrays marketReports(*this, "FFMRpt");
    long double totUnits = 0;
    long double totRetail = 0;
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) {
        const int firm = Dfix()[brand];
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        const TFinArray report = reports[firm];
        AddBrandToMarketReport(brand, report, marketReports[firm], totUnits, totRetail);
    }
    const int firms = FirmCount();
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        MarketRatiosAndStudies(firm, marketReports[firm], totUnits, totRetail, studyParams, salaryFactor);
    }
}

void TModFinan::AddBrandToMarketReport(int brand, const TFinArray& report, const TFinArray& marketReport,
                                       long double& totUnits, long double& totRetail) {
    const TFinRow figures(report, Dbix()[brand]);
    for (const TElementPair& pair : kMarketReportSums) marketReport.Add({*pair.target}, figures.Get(*pair.source));
    totUnits += figures.Get(si::brUSold);
    totRetail += figures.Get(si::brRSales);
}

// Prices, unit cost and shares of the firm in the market, its market studies,
// and the base elements of its market report.
void TModFinan::MarketRatiosAndStudies(int firm, const TFinArray& report, long double totUnits, long double totRetail,
                                       const TFinArray& studyParams, long double salaryFactor) {
    const TDataContext cell = FirmContext(firm);
    const TSimArr& orders = RequireArr(*DecisionsT1(), kCategoryFirmFtaMarket, cell, "DecStuMkt");
    auto get = [&report](std::int8_t element) { return report.Get({element}); };

    report.Set({si::ffmRPrice}, Ratio(get(si::ffmRSales), get(si::ffmUSold)));
    report.Set({si::ffmSPrice}, Ratio(get(si::ffmRev), get(si::ffmUSold)));
    report.Set({si::ffmTCost}, Ratio(get(si::ffmCGS), get(si::ffmUProd)));
    report.Set({si::ffmUMS}, Ratio(get(si::ffmUSold), totUnits) * kShareScale);
    report.Set({si::ffmVMS}, Ratio(get(si::ffmRSales), totRetail) * kShareScale);

    // Only the market forecast can be charged in a market without brands.
    for (int study = si::StuMkt->Lo(); study <= si::StuMkt->Hi(); ++study) {
        const bool available = studyParams.Get({study, si::IsStuAvailable}) > 0;
        const bool applies = NbMktedBrdsT1() > 0 || study == si::MarketForecast;
        if (available && applies && StudyOrdered(orders, "DecStuMkt", study))
            report.Add({si::ffmMRS}, studyParams.Get({study, si::StuCost}) * salaryFactor);
    }
    SetBaseElements(report, Carried(kCategoryFirmFtaMarket, cell, "FFMRpt"), DecisionPeriod(), kMarketBaseElements);
}

}  // namespace cv
