// The firms' market reports ("FFMRpt") and cumulative brand results
// ("BrdCumNames", "BrdCumRes") of the history period, from the brand reports
// written before them. A market report sums its firm's brand rows and takes its
// shares of the market; the history books no studies and no R&D. Results are
// cumulated from period 0 on, so the history's cumulative slots are empty; the
// forecasts fill those of the later periods.

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "core/base/numbers.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr long double kShareScale = 1000;  // market shares are in thousandths
constexpr std::uint8_t kBrandNameLength = 8;

// The brand report rows a firm's market report adds up.
struct TElementPair {
    const std::int8_t* report;
    const std::int8_t* brand;
};
const TElementPair kReportSums[] = {
    {&si::ffmUSold, &si::brUSold},  {&si::ffmRev, &si::brRev},   {&si::ffmUProd, &si::brUProd},
    {&si::ffmCGS, &si::brCGS},      {&si::ffmUInv, &si::brUInv}, {&si::ffmIHC, &si::brIHC},
    {&si::ffmISC, &si::brISC},      {&si::ffmCBM, &si::brCBM},   {&si::ffmAdvM, &si::brAdvM},
    {&si::ffmAdvQ, &si::brAdvQ},    {&si::ffmSlf, &si::brSlf},   {&si::ffmCAM, &si::brCAM},
    {&si::ffmRSales, &si::brRSales}};
// A firm's marketed brands in a market and period, with its brand report.
struct TFirmBrands {
    std::vector<std::string> names;
    const TSimArr* report = nullptr;
};

TFirmBrands BrandsOf(const TSampleCell& cell, int firm, int period) {
    TCvPerData& set = SampleSet(cell.industry, TSampleSet::Results, static_cast<std::int16_t>(period));
    TCellIndex index = cell.cell;
    index.firm = static_cast<std::int16_t>(firm);
    const TDataContext context = SampleContext(static_cast<std::int16_t>(period), index);
    TFirmBrands brands;
    const TSimArr* names = set.FindSimArr(kCategoryFirmFtaMarket, context, "FirMktedBrds");
    brands.report = set.FindSimArr(kCategoryFirmFtaMarket, context, "BrdRpt");
    if (names == nullptr || brands.report == nullptr)
        throw std::logic_error("sample industry: the brand reports are written later");
    const int count = set.GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds");
    for (int b = 1; b <= count; ++b) brands.names.push_back(names->GetZts({b}));
    return brands;
}

// What a firm's market report sums, and the market's units and retail sales.
struct TReportFigures {
    std::array<long double, std::size(kReportSums)> sums{};
    long double marketUnits = 0;
    long double marketRetail = 0;

    long double Sum(std::int8_t element) const {
        for (std::size_t i = 0; i < sums.size(); ++i)
            if (*kReportSums[i].report == element) return sums[i];
        return 0;
    }
};

TReportFigures FiguresOf(const TSampleCell& cell, int period) {
    TReportFigures figures;
    for (int firm = 1; firm <= kFirmCount; ++firm) {
        const TFirmBrands brands = BrandsOf(cell, firm, period);
        for (std::size_t b = 1; b <= brands.names.size(); ++b) {
            figures.marketUnits += brands.report->GetReal48({b, si::brUSold});
            figures.marketRetail += brands.report->GetReal48({b, si::brRSales});
            if (firm != cell.cell.firm) continue;
            for (std::size_t i = 0; i < figures.sums.size(); ++i)
                figures.sums[i] += brands.report->GetReal48({b, *kReportSums[i].brand});
        }
    }
    return figures;
}

long double UnitShare(const TReportFigures& figures) {
    return SafeDiv(static_cast<double>(figures.Sum(si::ffmUSold)), static_cast<double>(figures.marketUnits), 0) *
           kShareScale;
}

long double ValueShare(const TReportFigures& figures) {
    return SafeDiv(static_cast<double>(figures.Sum(si::ffmRSales)), static_cast<double>(figures.marketRetail), 0) *
           kShareScale;
}

}  // namespace

void WriteFirmMarketReport(const TSampleCell& cell, std::string_view name) {
    TSimArr& report = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "FFMRpt")});
    const TReportFigures figures = FiguresOf(cell, cell.Period());
    for (std::size_t i = 0; i < figures.sums.size(); ++i) report.SetReal48({*kReportSums[i].report}, figures.sums[i]);
    auto ratio = [&figures](std::int8_t a, std::int8_t b) {
        return SafeDiv(static_cast<double>(figures.Sum(a)), static_cast<double>(figures.Sum(b)), 0);
    };
    report.SetReal48({si::ffmRPrice}, ratio(si::ffmRSales, si::ffmUSold));
    report.SetReal48({si::ffmSPrice}, ratio(si::ffmRev, si::ffmUSold));
    report.SetReal48({si::ffmTCost}, ratio(si::ffmCGS, si::ffmUProd));
    report.SetReal48({si::ffmUMS}, UnitShare(figures));
    report.SetReal48({si::ffmVMS}, ValueShare(figures));
}

void WriteCumulativeBrandNames(const TSampleCell& cell, std::string_view name) {
    NewArray(cell, name, dkZts, kBrandNameLength, {&RequireSeries(cell.industry, "CumBrand")});
}

void WriteCumulativeBrandResults(const TSampleCell& cell, std::string_view name) {
    NewArray(cell, name, dkReal48, 0,
             {&RequireSeries(cell.industry, "CumBrand"), &RequireSeries(cell.industry, "BrdCumRes")});
}

}  // namespace cv::sample
