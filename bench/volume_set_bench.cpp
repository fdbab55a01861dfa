// Reading every volume of a set (open read-only, load each volume by its keys,
// close) against reading the same file's raw bytes: a set of 1,000 volumes
// (about 1 MB, read in one call) and one of 4,000 (about 4 MB, four times what
// the cache holds, read in windows while older reads are released). The volume
// benchmarks are timed alternately with the raw read of the same file and
// report the ratio of their medians ("x_raw").

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/paired_timing.h"
#include "bench/raw_read.h"
#include "core/store/volume_set.h"
#include "tests/support/temp_dir.h"

namespace {

using cv::bench::ReadRawBytes;

constexpr std::int16_t kVolumeCount = 1000;
constexpr std::int16_t kLargeVolumeCount = 4000;

// A set of Count volumes of 200..1,799 bytes (about 1 KB each) in a temporary directory.
class SampleSet {
public:
    explicit SampleSet(std::int16_t count) : count_(count) {
        file_ = dir_ / "bench.vs";
        cv::TVolSet set;
        set.Create(file_, "Bench");
        set.AddKey("Number", 1, count);
        std::mt19937 random(5);
        for (std::int16_t key = 1; key <= count; ++key) {
            const std::vector<std::uint8_t> bytes(200 + random() % 1600, static_cast<std::uint8_t>(key));
            set.VolumeSet(bytes.data(), static_cast<std::uint16_t>(bytes.size()), {key});
        }
        set.Close();
        size_ = static_cast<std::int64_t>(std::filesystem::file_size(file_));
    }
    const std::string& File() const { return file_; }
    std::int64_t Size() const { return size_; }
    std::int16_t Count() const { return count_; }

private:
    std::int16_t count_;
    cv::test::TempDir dir_;
    std::string file_;
    std::int64_t size_ = 0;
};

const SampleSet& Sample() {
    static const SampleSet sample(kVolumeCount);
    return sample;
}

const SampleSet& LargeSample() {
    static const SampleSet sample(kLargeVolumeCount);
    return sample;
}

std::size_t ReadEveryVolume(const SampleSet& sample) {
    cv::TVolSet set;
    set.OpenReadOnly(sample.File());
    std::size_t total = 0;
    for (std::int16_t key = 1; key <= sample.Count(); ++key) {
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        if (set.VolumeGet(data, size, {key})) total += size + data[size - 1];
    }
    set.Close();
    return total;
}

void BM_VolSetReadRawBytes(benchmark::State& state) {
    const SampleSet& sample = Sample();
    for (auto _ : state) benchmark::DoNotOptimize(ReadRawBytes(sample.File()));
    state.SetBytesProcessed(state.iterations() * sample.Size());
}
BENCHMARK(BM_VolSetReadRawBytes);

void ReadEveryVolumeAgainstRaw(benchmark::State& state, const SampleSet& sample) {
    cv::bench::TPairedTimes times;
    for (auto _ : state)
        state.SetIterationTime(times.Round([&] { benchmark::DoNotOptimize(ReadEveryVolume(sample)); },
                                           [&] { benchmark::DoNotOptimize(ReadRawBytes(sample.File())); }));
    state.SetBytesProcessed(state.iterations() * sample.Size());
    times.Report(state, "raw");
}

void BM_VolSetReadEveryVolume(benchmark::State& state) { ReadEveryVolumeAgainstRaw(state, Sample()); }
BENCHMARK(BM_VolSetReadEveryVolume)->UseManualTime();

void BM_VolSetReadEveryVolumeBeyondTheCache(benchmark::State& state) {
    ReadEveryVolumeAgainstRaw(state, LargeSample());
}
BENCHMARK(BM_VolSetReadEveryVolumeBeyondTheCache)->UseManualTime();

}  // namespace
