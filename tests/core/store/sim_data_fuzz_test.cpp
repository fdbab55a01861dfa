// Corruption tests: valid bags are mutated and truncated at random (fixed seed);
// every result either reads or raises EDataError, and never reads outside its
// bytes (the sanitizer build checks the latter).

#include <gtest/gtest.h>

#include <random>

#include "core/store/sim_data.h"
#include "tests/support/recording_ui.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr unsigned kSeed = 20240611;
constexpr int kCases = 4000;

class BagFuzzer {
public:
    BagFuzzer() : random_(kSeed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    std::string Name() {
        std::string name;
        for (int i = Uniform(1, 12); i > 0; --i) name += static_cast<char>('A' + Uniform(0, 25));
        return name;
    }

    Bytes RandomBag() {
        TSimData bag;
        for (int i = Uniform(0, 6); i > 0; --i) AddScalar(bag);
        for (int i = Uniform(0, 5); i > 0; --i) AddArray(bag);
        Bytes buffer(kBufSize, 0);
        std::uint16_t pos = 0;
        bag.WriteToBuffer(buffer, pos);
        buffer.resize(pos);
        return buffer;
    }

    Bytes Mutate(Bytes bytes) {
        const int mutations = Uniform(1, 4);
        for (int m = 0; m < mutations && !bytes.empty(); ++m) {
            const std::size_t at = static_cast<std::size_t>(Uniform(0, static_cast<int>(bytes.size()) - 1));
            switch (Uniform(0, 4)) {
            case 0: bytes[at] ^= static_cast<std::uint8_t>(1 << Uniform(0, 7)); break;
            case 1: bytes.resize(at); break;
            case 2: bytes[at] = static_cast<std::uint8_t>(Uniform(0, 255)); break;
            case 3: bytes.erase(bytes.begin() + static_cast<long>(at)); break;
            default: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<std::uint8_t>(Uniform(0, 255)));
            }
        }
        return bytes;
    }

private:
    void AddScalar(TSimData& bag) {
        switch (Uniform(0, 2)) {
        case 0: bag.SetScalarInt(Name(), Uniform(-100000, 100000)); break;
        case 1: bag.SetScalarReal(Name(), Uniform(-1000000, 1000000) / 7.0L); break;
        default: bag.SetScalarZts(Name(), Name(), static_cast<std::uint8_t>(Uniform(0, 1) * 16)); break;
        }
    }

    void AddArray(TSimData& bag) {
        const auto kind = static_cast<std::uint8_t>(Uniform(dkByte, dkZts));
        const int nDim = Uniform(1, 3);
        TIndex lb;
        TIndex ub;
        for (int d = 0; d < nDim; ++d) {
            lb.Set(d, Uniform(0, 2));
            ub.Set(d, lb[d] + Uniform(0, 3));
        }
        auto array = std::make_unique<TSimArr>();
        array->Init(kind, kind == dkZts ? 8 : 0, nDim, lb, ub);
        TIndex first = lb;
        if (kind == dkZts) {
            array->SetZts(first, Name().substr(0, 8));
        } else if (kind == dkReal48) {
            array->SetReal48(first, Uniform(-1000, 1000) / 3.0L);
        } else {
            TSimValue value;
            value.kind = kind;
            value.integer = Uniform(0, 100);
            array->SetV(first, value);
        }
        try {
            bag.AddSimArr(Name(), std::move(array));
        } catch (const ECvError&) {
            // A name drawn twice: that array is simply left out.
        }
    }

    std::mt19937 random_;
};

TEST(SimDataFuzz, MutatedAndTruncatedBagsReadOrRaiseDataErrors) {
    test::RecordingUi ui;  // boxes of odd contents are recorded, never shown
    BagFuzzer fuzzer;
    std::vector<Bytes> samples;
    for (int i = 0; i < 20; ++i) samples.push_back(fuzzer.RandomBag());

    int read = 0;
    int refused = 0;
    for (int c = 0; c < kCases; ++c) {
        const Bytes& sample = samples[static_cast<std::size_t>(c) % samples.size()];
        const Bytes mutated = fuzzer.Mutate(sample);
        TSimData bag;
        std::uint16_t pos = 0;
        try {
            bag.ReadFromBuffer(mutated, pos);
            ++read;
        } catch (const EDataError&) {
            ++refused;
            continue;
        }
        EXPECT_LE(pos, mutated.size());
        // What was read can be written again, unless it no longer fits.
        Bytes again(kBufSize, 0);
        std::uint16_t writePos = 0;
        try {
            bag.WriteToBuffer(again, writePos);
        } catch (const ERangeError&) {
        }
    }
    EXPECT_EQ(read + refused, kCases);
    // Both outcomes occur: the mutations reach past the tags into the payloads.
    EXPECT_GT(read, kCases / 20);
    EXPECT_GT(refused, kCases / 4);
}

}  // namespace
}  // namespace cv
