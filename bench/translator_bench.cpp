// A look-up by key in a full section (1,000 entries of two lines, about 57 KB of
// text) against a plain pass over the same two volumes: copying them and
// counting the texts of the pool. The look-up walks the whole index and
// compares every name, so the ratio "x_raw" (of the medians of the two, timed
// alternately) shows what the walk costs beyond touching the bytes once.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/paired_timing.h"
#include "core/store/volume_set.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"

namespace {

constexpr int kEntryCount = 1000;

class SampleLanguageFile {
public:
    SampleLanguageFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "cvbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        file_ = (dir_ / "STRSTD.enu").string();
        std::vector<cv::TLangEntry> entries;
        for (int i = 0; i < kEntryCount; ++i) {
            const std::string number = std::to_string(i);
            entries.push_back({"labControl" + number, {"Caption of control " + number, "Hint of control " + number}});
        }
        cv::WriteLanguageFile(file_, {{cv::kSectionControls, entries}});
        lastKey_ = entries.back().name;
    }
    ~SampleLanguageFile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    const std::string& File() const { return file_; }
    const std::string& LastKey() const { return lastKey_; }

private:
    std::filesystem::path dir_;
    std::string file_;
    std::string lastKey_;
};

const SampleLanguageFile& Sample() {
    static const SampleLanguageFile sample;
    return sample;
}

// Copies the section's two volumes and counts the texts of the pool.
std::size_t CopyAndScan(cv::TVolSet& set) {
    std::vector<std::uint8_t> pool;
    std::vector<std::uint8_t> index;
    const std::uint8_t* bytes = nullptr;
    std::uint16_t size = 0;
    set.VolumeGet(bytes, size, {cv::kSectionControls, cv::kLangPartPool});
    pool.assign(bytes, bytes + size);
    set.VolumeGet(bytes, size, {cv::kSectionControls, cv::kLangPartIndex});
    index.assign(bytes, bytes + size);
    return static_cast<std::size_t>(std::count(pool.begin(), pool.end(), std::uint8_t{0})) + index.size();
}

void BM_TranslatorCopyAndScanSection(benchmark::State& state) {
    cv::TVolSet set;
    set.OpenReadOnly(Sample().File());
    for (auto _ : state) benchmark::DoNotOptimize(CopyAndScan(set));
}
BENCHMARK(BM_TranslatorCopyAndScanSection);

void BM_TranslatorGetLinesOfTheLastEntry(benchmark::State& state) {
    cv::TVolSet set;
    set.OpenReadOnly(Sample().File());
    cv::TTranslate translator;
    translator.Open(Sample().File());
    std::vector<std::string> lines;
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Round(
            [&] {
                translator.GetLines(cv::kSectionControls, Sample().LastKey(), lines);
                benchmark::DoNotOptimize(lines.data());
            },
            [&] { benchmark::DoNotOptimize(CopyAndScan(set)); }));
    }
    if (lines.size() != 2) state.SkipWithError("the last entry was not found");
    times.Report(state, "raw");
}
BENCHMARK(BM_TranslatorGetLinesOfTheLastEntry)->UseManualTime();

}  // namespace
