// The firms' market reports ("FFMRpt") and cumulative brand results
// ("BrdCumNames", "BrdCumRes") of every results period, from the brand reports
// written before them. A market report sums its firm's brand rows, takes its
// shares of the market and, from period 0 on, its base elements from period 0.
// The cumulative slots list the brands the firm marketed in the market in
// periods 0 .. p, in the order of their first period, each with its results
// summed over those periods; the history books no studies and no R&D, so their
// cumulative values stay 0.

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
constexpr long double kMarketed = 1;
constexpr long double kWithdrawn = 2;

// The brand report rows a firm's market report adds up.
struct TElementPair {
    const std::int8_t* report;
    const std::int8_t* brand;
};
const TElementPair kReportSums[] = {
    {&si::ffmUSold, &si::brUSold}, {&si::ffmRev, &si::brRev},   {&si::ffmUProd, &si::brUProd},
    {&si::ffmCGS, &si::brCGS},     {&si::ffmUInv, &si::brUInv}, {&si::ffmIHC, &si::brIHC},
    {&si::ffmISC, &si::brISC},     {&si::ffmCBM, &si::brCBM},   {&si::ffmAdvM, &si::brAdvM},
    {&si::ffmAdvQ, &si::brAdvQ},   {&si::ffmSlf, &si::brSlf},   {&si::ffmCAM, &si::brCAM},
    {&si::ffmRSales, &si::brRSales}};
// The brand report elements each cumulative element adds.
const TElementPair kCumulativeSums[] = {
    {&si::brcUSold, &si::brUSold}, {&si::brcRSales, &si::brRSales}, {&si::brcRev, &si::brRev},
    {&si::brcCGS, &si::brCGS},     {&si::brcIHSC, &si::brIHC},      {&si::brcIHSC, &si::brISC},
    {&si::brcAdv, &si::brAdvM},    {&si::brcAdv, &si::brAdvQ},      {&si::brcSlf, &si::brSlf},
    {&si::brcCAM, &si::brCAM}};

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

// The cumulative slots of the cell's firm and market in Period: names in the order of their
// first period, with that period, each slot's summed results, and whether Period markets it.
struct TCumulativeSlots {
    std::vector<std::string> names;
    std::vector<int> introduced;
    std::vector<std::array<long double, std::size(kCumulativeSums)>> results;
    std::vector<bool> marketed;
};

TCumulativeSlots SlotsOf(const TSampleCell& cell, int slotCount) {
    TCumulativeSlots slots;
    for (int period = 0; period <= cell.Period(); ++period) {
        const TFirmBrands brands = BrandsOf(cell, cell.cell.firm, period);
        for (std::size_t b = 1; b <= brands.names.size(); ++b) {
            std::size_t k = 0;
            while (k < slots.names.size() && slots.names[k] != brands.names[b - 1]) ++k;
            if (k == slots.names.size()) {
                if (static_cast<int>(k) >= slotCount) throw std::logic_error("sample industry: too many brands");
                slots.names.push_back(brands.names[b - 1]);
                slots.introduced.push_back(period);
                slots.results.emplace_back();
                slots.marketed.push_back(false);
            }
            for (std::size_t i = 0; i < std::size(kCumulativeSums); ++i)
                slots.results[k][i] += brands.report->GetReal48({b, *kCumulativeSums[i].brand});
            if (period == cell.Period()) slots.marketed[k] = true;
        }
    }
    return slots;
}

}  // namespace

void WriteFirmMarketReport(const TSampleCell& cell, std::string_view name) {
    TSimArr& report = NewArray(cell, name, dkReal48, 0,
                                            {&RequireSeries(cell.industry, "FFMRpt")});
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
    if (cell.Period() < 0) return;  // the history period has no base period yet
    const TReportFigures base = FiguresOf(cell, 0);
    report.SetReal48({si::ffmUSold0}, base.Sum(si::ffmUSold));
    report.SetReal48({si::ffmRSales0}, base.Sum(si::ffmRSales));
    report.SetReal48({si::ffmUMS0}, UnitShare(base));
    report.SetReal48({si::ffmVMS0}, ValueShare(base));
}

void WriteCumulativeBrandNames(const TSampleCell& cell, std::string_view name) {
    const TSeries& slotSeries = RequireSeries(cell.industry, "CumBrand");
    TSimArr& names = NewArray(cell, name, dkZts, kBrandNameLength, {&slotSeries});
    const TCumulativeSlots slots = SlotsOf(cell, slotSeries.Count() - 1);
    for (std::size_t k = 0; k < slots.names.size(); ++k) names.SetZts({slotSeries.Lo() + k}, slots.names[k]);
}

void WriteCumulativeBrandResults(const TSampleCell& cell, std::string_view name) {
    const TSeries& slotSeries = RequireSeries(cell.industry, "CumBrand");
    TSimArr& results = NewArray(cell, name, dkReal48, 0,
                                             {&slotSeries, &RequireSeries(cell.industry, "BrdCumRes")});
    const TCumulativeSlots slots = SlotsOf(cell, slotSeries.Count() - 1);
    for (std::size_t k = 0; k < slots.names.size(); ++k) {
        const int slot = slotSeries.Lo() + static_cast<int>(k);
        results.SetReal48({slot, si::brcIsMkted}, slots.marketed[k] ? kMarketed : kWithdrawn);
        results.SetReal48({slot, si::brcIntroPer}, slots.introduced[k]);
        for (std::size_t i = 0; i < std::size(kCumulativeSums); ++i)
            results.AddLong({slot, *kCumulativeSums[i].report}, slots.results[k][i]);
    }
}

}  // namespace cv::sample
