// Element access on a three-dimensional Real48 array against an empty loop and a
// raw load of the same bytes, and a bag of 200 arrays written and read against a
// memcpy of the same bytes. Each pair runs in the same process, so the figures
// compare as ratios.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/store/sim_data.h"

namespace cv {
namespace {

// Brands x segments x channels, as in a typical sales array.
constexpr int kBrands = 10;
constexpr int kSegments = 8;
constexpr int kChannels = 6;
constexpr int kElements = kBrands * kSegments * kChannels;

constexpr int kBagArrays = 200;
constexpr int kBagRows = 5;
constexpr int kBagColumns = 8;

TDynArr SalesArray() {
    TDynArr array;
    array.Init(dkReal48, 0, 3, {1, 1, 1}, {kBrands, kSegments, kChannels});
    for (int b = 1; b <= kBrands; ++b)
        for (int s = 1; s <= kSegments; ++s)
            for (int c = 1; c <= kChannels; ++c) array.SetReal48({b, s, c}, b * 100 + s * 10 + c);
    return array;
}

void EmptyLoop(benchmark::State& state) {
    for (auto _ : state) {
        for (int b = 1; b <= kBrands; ++b)
            for (int s = 1; s <= kSegments; ++s)
                for (int c = 1; c <= kChannels; ++c) {
                    int index = (b * kSegments + s) * kChannels + c;
                    benchmark::DoNotOptimize(index);
                }
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(EmptyLoop);

// The same Real48 bytes converted at a computed position, with no bounds check.
void RawReal48Load(benchmark::State& state) {
    std::vector<std::uint8_t> block(kElements * 6);
    for (int i = 0; i < kElements; ++i) StoreReal48(i, block.data() + i * 6);
    for (auto _ : state) {
        long double sum = 0;
        for (int b = 0; b < kBrands; ++b)
            for (int s = 0; s < kSegments; ++s)
                for (int c = 0; c < kChannels; ++c) {
                    const int position = (b * kSegments + s) * kChannels + c;
                    benchmark::DoNotOptimize(position);
                    sum += LoadReal48(block.data() + position * 6);
                }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(RawReal48Load);

void GetReal48(benchmark::State& state) {
    const TDynArr array = SalesArray();
    for (auto _ : state) {
        long double sum = 0;
        for (int b = 1; b <= kBrands; ++b)
            for (int s = 1; s <= kSegments; ++s)
                for (int c = 1; c <= kChannels; ++c) sum += array.GetReal48({b, s, c});
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(GetReal48);

void SetReal48(benchmark::State& state) {
    TDynArr array = SalesArray();
    for (auto _ : state) {
        for (int b = 1; b <= kBrands; ++b)
            for (int s = 1; s <= kSegments; ++s)
                for (int c = 1; c <= kChannels; ++c) array.SetReal48({b, s, c}, c + 0.5L);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(SetReal48);

std::unique_ptr<TSimData> BagOfArrays() {
    auto bag = std::make_unique<TSimData>();
    for (int a = 0; a < kBagArrays; ++a) {
        auto array = std::make_unique<TSimArr>();
        array->Init(dkReal48, 0, 2, {1, 1}, {kBagRows, kBagColumns});
        for (int r = 1; r <= kBagRows; ++r)
            for (int c = 1; c <= kBagColumns; ++c) array->SetReal48({r, c}, a + r * 0.1L + c);
        bag->AddSimArr("Arr" + std::to_string(1000 + a), std::move(array));
    }
    return bag;
}

std::size_t WrittenSize(const TSimData& bag) {
    std::vector<std::uint8_t> buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    bag.WriteToBuffer(buffer, pos);
    return pos;
}

// Writing the bag into a volume buffer and reading it into a new bag.
void BagWriteRead(benchmark::State& state) {
    const auto bag = BagOfArrays();
    std::vector<std::uint8_t> buffer(kBufSize, 0);
    for (auto _ : state) {
        std::uint16_t pos = 0;
        bag->WriteToBuffer(buffer, pos);
        TSimData back;
        std::uint16_t readPos = 0;
        back.ReadFromBuffer(buffer, readPos);
        benchmark::DoNotOptimize(back.ArrayCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * WrittenSize(*bag)));
}
BENCHMARK(BagWriteRead);

// The same bytes copied into the buffer and out again.
void BagMemcpyBaseline(benchmark::State& state) {
    const std::size_t size = WrittenSize(*BagOfArrays());
    std::vector<std::uint8_t> source(size, 0x5A);
    std::vector<std::uint8_t> buffer(kBufSize, 0);
    std::vector<std::uint8_t> target(size, 0);
    for (auto _ : state) {
        std::memcpy(buffer.data(), source.data(), size);
        benchmark::ClobberMemory();
        std::memcpy(target.data(), buffer.data(), size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BagMemcpyBaseline);

}  // namespace
}  // namespace cv
