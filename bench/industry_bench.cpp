// The industry data store: opening an industry file and loading every data
// set (each cell's bytes checked and kept), the same and then every cell used
// (each bag built), and saving the decisions after one change, each timed
// alternately with a read of the same file's raw bytes ("x_raw": the ratio of
// their medians); and the program's most frequent access, an array found by
// category, context and name and then one element read, beside the element
// read alone. The open figures include closing: the industry is freed at the
// end of every iteration.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/paired_timing.h"
#include "bench/raw_read.h"
#include "core/store/cv_data.h"
#include "tests/support/temp_dir.h"

namespace {

using cv::bench::ReadRawBytes;

constexpr std::int16_t kFirms = 6;
constexpr std::int16_t kZones = 3;
constexpr std::int16_t kMarkets = 3;
constexpr std::int16_t kCurrentPeriod = 6;
constexpr int kBrandsPerFirm = 5;

cv::TDataContext Cell(std::int16_t firm, std::int16_t zone, std::int16_t market) {
    cv::TDataContext context;
    context.SelFirm = firm;
    context.SelFta = zone;
    context.SelMarket = market;
    return context;
}

std::vector<std::string> Labels(const char* stem, int count) {
    std::vector<std::string> labels;
    for (int i = 1; i <= count; ++i) labels.push_back(stem + std::to_string(i));
    return labels;
}

// One set filled as the simulation fills a period: per firm, zone and market
// the brand-by-segment and brand-by-channel arrays and a few scalars; per firm
// its totals; per zone and market the market figures.
void FillSet(cv::TCvPerData& set, const cv::TCvSeries& list, int seed) {
    const cv::TSeries* brands = list.FindSeries("Brands");
    const cv::TSeries* segments = list.FindSeries("Segments");
    const cv::TSeries* channels = list.FindSeries("Channels");
    long double value = seed;
    for (std::int16_t firm = 1; firm <= kFirms; ++firm) {
        for (std::int16_t zone = 1; zone <= kZones; ++zone) {
            for (std::int16_t market = 1; market <= kMarkets; ++market) {
                const cv::TDataContext cell = Cell(firm, zone, market);
                constexpr int kCategory = cv::kCategoryFirmFtaMarket;
                auto& awareness = set.CreateSimArr(kCategory, cell, "BrdSegAwa", cv::dkReal48, 0, {brands, segments});
                auto& sales = set.CreateSimArr(kCategory, cell, "BrdChaSales", cv::dkReal48, 0, {brands, channels});
                for (int b = brands->Lo(); b <= brands->Hi(); ++b) {
                    for (int s = segments->Lo(); s <= segments->Hi(); ++s) awareness.SetReal48({b, s}, value += 0.25L);
                    for (int c = channels->Lo(); c <= channels->Hi(); ++c) sales.SetReal48({b, c}, value += 1.5L);
                }
                set.SetReal(cv::kCategoryFirmFtaMarket, cell, "MktShare", value / 1000);
                set.SetSmallint(cv::kCategoryFirmFtaMarket, cell, "NbBrds", kBrandsPerFirm);
            }
        }
        set.CreateSimArr(cv::kCategoryFirm, Cell(firm, 0, 0), "Price", cv::dkReal48, 0, {brands}).SetReal48({1}, value);
        set.SetReal(cv::kCategoryFirm, Cell(firm, 0, 0), "Budget", value * 10);
    }
    for (std::int16_t zone = 1; zone <= kZones; ++zone)
        for (std::int16_t market = 1; market <= kMarkets; ++market)
            set.CreateSimArr(cv::kCategoryFtaMarket, Cell(0, zone, market), "SegSize", cv::dkReal48, 0, {segments})
                .SetReal48({1}, value);
}

// The period, firm, zone and market series and their positions in the constant part.
void AddDimensionSeries(cv::TCvData& industry) {
    const struct {
        const char* position;
        const char* name;
        std::int16_t lo;
        int count;
    } dimensions[] = {{"PerSeries", "Periods", -1, 14}, {"FirSeries", "Firms", 1, kFirms},
                      {"FtaSeries", "Zones", 1, kZones}, {"MktSeries", "Markets", 1, kMarkets}};
    cv::TCvSeries& list = industry.SeriesList();
    for (const auto& dimension : dimensions) {
        const auto position = static_cast<std::int16_t>(list.Count());
        list.AddSeries(cv::TSeries(static_cast<std::uint16_t>(position + 1), dimension.name, dimension.lo,
                                   Labels(dimension.name, dimension.count)));
        industry.ConstPart().SetSmallint(cv::kCategoryIndustry, {}, dimension.position, position);
    }
}

// An industry of 6 firms, 3 zones and 3 markets at period 6: results of
// periods -1..6, decisions of 0..7, defaults of 7 and 8 (about 1,100 volumes).
class SampleIndustry {
public:
    SampleIndustry() {
        file_ = dir_ / "BENCH.IND";
        cv::TCvData industry;
        industry.Open(std::string(cv::kIndustrySignature), file_);
        cv::TCvSeries& list = industry.SeriesList();
        list.AddSeries(cv::TSeries(1, "Brands", 1, Labels("B", kBrandsPerFirm)));
        list.AddSeries(cv::TSeries(2, "Segments", 1, Labels("S", 5)));
        list.AddSeries(cv::TSeries(3, "Channels", 1, Labels("C", 3)));
        AddDimensionSeries(industry);
        for (int period = -1; period <= kCurrentPeriod; ++period) FillSet(industry.PerResults(period), list, period);
        for (int period = 0; period <= kCurrentPeriod + 1; ++period) FillSet(industry.PerDecisions(period), list, 50);
        for (int period = kCurrentPeriod + 1; period <= kCurrentPeriod + 2; ++period)
            FillSet(industry.PerDefaults(period), list, 90);
        industry.SetCurPeriod(kCurrentPeriod);
        industry.Close();
        size_ = static_cast<std::int64_t>(std::filesystem::file_size(file_));
    }
    const std::string& File() const { return file_; }
    std::int64_t Size() const { return size_; }

private:
    cv::test::TempDir dir_;
    std::string file_;
    std::int64_t size_ = 0;
};

const SampleIndustry& Sample() {
    static const SampleIndustry sample;
    return sample;
}

// Opens the industry and loads every set of every period, then calls Use on
// each set; the industry is dropped without saving, as nothing changed.
template <class Use>
std::size_t OpenAndLoadEverySet(const std::string& file, Use&& use) {
    cv::TCvData industry;
    industry.Open(std::string(cv::kIndustrySignature), file);
    std::size_t used = use(industry.ConstPart());
    for (int period = cv::kFirstResultPeriod; period <= cv::kLastResultPeriod; ++period)
        used += use(industry.PerResults(period));
    for (int period = cv::kFirstDecisionPeriod; period <= cv::kLastDecisionPeriod; ++period) {
        used += use(industry.PerDecisions(period));
        used += use(industry.PerDefaults(period));
    }
    return used;
}

std::size_t HasCells(const cv::TCvPerData& set) { return set.HasCells(); }

// Every cell of the set, each bag built: the work a full pass over the industry does.
std::size_t UseEveryCell(const cv::TCvPerData& set) {
    std::size_t bags = 0;
    cv::ForEachCell([&](const cv::TCellIndex& cell) { bags += set.Cell(cell) != nullptr; });
    return bags;
}

void BM_IndustryReadRawBytes(benchmark::State& state) {
    const SampleIndustry& sample = Sample();
    for (auto _ : state) benchmark::DoNotOptimize(ReadRawBytes(sample.File()));
    state.SetBytesProcessed(state.iterations() * sample.Size());
}
BENCHMARK(BM_IndustryReadRawBytes);

template <class Use>
void OpenAgainstRaw(benchmark::State& state, Use use) {
    const SampleIndustry& sample = Sample();
    cv::bench::TPairedTimes times;
    for (auto _ : state)
        state.SetIterationTime(times.Round([&] { benchmark::DoNotOptimize(OpenAndLoadEverySet(sample.File(), use)); },
                                           [&] { benchmark::DoNotOptimize(ReadRawBytes(sample.File())); }));
    state.SetBytesProcessed(state.iterations() * sample.Size());
    times.Report(state, "raw");
}

// What opening an industry costs: its bytes read, checked and kept.
void BM_IndustryOpenAndLoadEverySet(benchmark::State& state) { OpenAgainstRaw(state, HasCells); }
BENCHMARK(BM_IndustryOpenAndLoadEverySet)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same, and then every cell of every set built into its bag and arrays.
void BM_IndustryOpenLoadAndUseEveryCell(benchmark::State& state) { OpenAgainstRaw(state, UseEveryCell); }
BENCHMARK(BM_IndustryOpenLoadAndUseEveryCell)->UseManualTime()->Unit(benchmark::kMillisecond);

// One decision element changed, then SaveDecisions: the info volume and that
// cell are written and the file is flushed (three syncs).
void BM_IndustrySaveDecisionsAfterOneChange(benchmark::State& state) {
    const SampleIndustry& sample = Sample();
    cv::TCvData industry;
    industry.Open(std::string(cv::kIndustrySignature), sample.File());
    cv::TSimArr* price = industry.PerDecisions(kCurrentPeriod + 1).FindSimArr(cv::kCategoryFirm, Cell(2, 0, 0), "Price");
    long double value = 0;
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Round(
            [&] {
                price->SetReal48({1}, value += 1);
                industry.SaveDecisions();
            },
            [&] { benchmark::DoNotOptimize(ReadRawBytes(sample.File())); }));
    }
    times.Report(state, "raw");
    industry.Close();
}
BENCHMARK(BM_IndustrySaveDecisionsAfterOneChange)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The array by category, context and name, then one element: what every
// report cell and model step does.
void BM_IndustryGetSimArrThenGetReal48(benchmark::State& state) {
    cv::TCvData industry;
    industry.Open(std::string(cv::kIndustrySignature), Sample().File());
    const cv::TCvPerData& results = industry.PerResults(kCurrentPeriod);
    std::int16_t firm = 0;
    for (auto _ : state) {
        firm = static_cast<std::int16_t>(firm % kFirms + 1);
        const cv::TSimArr* awareness =
            results.FindSimArr(cv::kCategoryFirmFtaMarket, Cell(firm, 2, 3), "BrdSegAwa");
        benchmark::DoNotOptimize(awareness->GetReal48({3, 4}));
    }
}
BENCHMARK(BM_IndustryGetSimArrThenGetReal48);

// The baseline: the element read from an array already in hand.
void BM_IndustryGetReal48Alone(benchmark::State& state) {
    cv::TCvData industry;
    industry.Open(std::string(cv::kIndustrySignature), Sample().File());
    const cv::TSimArr* awareness =
        industry.PerResults(kCurrentPeriod).FindSimArr(cv::kCategoryFirmFtaMarket, Cell(1, 2, 3), "BrdSegAwa");
    for (auto _ : state) {
        benchmark::DoNotOptimize(awareness);
        benchmark::DoNotOptimize(awareness->GetReal48({3, 4}));
    }
}
BENCHMARK(BM_IndustryGetReal48Alone);

}  // namespace
