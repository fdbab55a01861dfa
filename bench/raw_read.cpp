#include "bench/raw_read.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

namespace cv::bench {

namespace {

constexpr int kRawSamples = 101;

}  // namespace

std::size_t ReadRawBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<std::size_t>(in.gcount()) + static_cast<unsigned char>(bytes.back());
}

double RawSecondsPerRead(const std::string& file) {
    std::vector<double> samples;
    for (int i = 0; i < kRawSamples; ++i) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ReadRawBytes(file));
        samples.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(samples.begin(), samples.begin() + kRawSamples / 2, samples.end());
    return samples[kRawSamples / 2];
}

}  // namespace cv::bench
