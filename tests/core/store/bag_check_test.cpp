// The reader of stored bags and its check, on written, joined and damaged
// bytes: a bag either reads or raises EDataError, never reads outside its bytes
// (the sanitizer build checks that), and reads back as it is written again.
// TSimData::CheckBuffer and TSimData::ReadFromBuffer agree on whether the bag
// reads, on where it ends, on the error's words and on each array's dimensions,
// so that a set which checked its cells at load builds every one of them later
// without a data error.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/store/sim_data.h"
#include "core/base/errors.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TOutcome {
    std::optional<std::string> error;  // the EDataError's text, or none when the bag reads
    std::uint16_t end = 0;             // where a bag that reads ends

    bool operator==(const TOutcome&) const = default;
};

template <class Action>
TOutcome Outcome(Action action) {
    std::uint16_t pos = 0;
    try {
        action(pos);
    } catch (const EDataError& error) {
        return {error.what(), 0};
    }
    return {std::nullopt, pos};
}

TOutcome Check(const Bytes& bytes) {
    return Outcome([&](std::uint16_t& pos) { TSimData::CheckBuffer(bytes, pos); });
}

// Reads Bytes; a bag that reads is written again into Rewritten when it fits, else Rewritten is emptied.
TOutcome Read(const Bytes& bytes, Bytes* rewritten = nullptr) {
    TSimData bag;
    const TOutcome outcome = Outcome([&](std::uint16_t& pos) { bag.ReadFromBuffer(bytes, pos); });
    if (rewritten != nullptr && !outcome.error) {
        try {
            *rewritten = test::StoredForm(bag);
        } catch (const ERangeError&) {
            rewritten->clear();
        }
    }
    return outcome;
}

constexpr auto Stored = [](const TSimData& bag) { return test::StoredForm(bag); };

// The dimensions of each array of a bag that reads, one text per array, sorted:
// as the check tells them, and as the reader shapes the arrays.
std::string DimensionText(std::string_view name, int lo, int hi) {
    return std::string(name) + " " + std::to_string(lo) + ".." + std::to_string(hi) + "; ";
}
std::vector<std::string> CheckedDimensions(const Bytes& bytes) {
    std::vector<std::string> arrays;
    std::uint16_t pos = 0;
    TSimData::CheckBuffer(bytes, pos, [&arrays](std::string_view, const TSimArr::TStoredDims& dims, TGetBuf, std::uint16_t) {
        std::string& text = arrays.emplace_back();
        for (std::size_t d = 0; d < static_cast<std::size_t>(dims.nDim); ++d)
            text += DimensionText(dims.names[d], dims.lb[d], dims.ub[d]);
    });
    std::sort(arrays.begin(), arrays.end());
    return arrays;
}
std::vector<std::string> ReadDimensions(const Bytes& bytes) {
    TSimData bag;
    std::uint16_t pos = 0;
    bag.ReadFromBuffer(bytes, pos);
    std::vector<std::string> arrays;
    for (int a = 0; a < bag.ArrayCount(); ++a) {
        const TSimArr& array = bag.ArrayAt(a);
        std::string& text = arrays.emplace_back();
        for (int d = 1; d <= array.NDim(); ++d) text += DimensionText(array.DimName(d), array.LB(d), array.UB(d));
    }
    std::sort(arrays.begin(), arrays.end());
    return arrays;
}

// The items of two stored bags under one end tag.
Bytes Joined(Bytes first, const Bytes& second) {
    first.pop_back();
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::unique_ptr<TSimArr> Array(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub) {
    auto array = std::make_unique<TSimArr>();
    array->Init(kind, subType, nDim, lb, ub);
    return array;
}

// Random bags whose items come from small pools of names, so that when two
// bags' items are joined, names repeat and fall out of order.
class BagMaker {
public:
    explicit BagMaker(unsigned seed) : random_(seed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    Bytes Bag() {
        if (Uniform(0, 3) > 0) return RandomBag();
        Bytes first = RandomBag();  // items of two bags, names repeating and out of order
        return Joined(std::move(first), RandomBag());
    }

    Bytes Mutate(Bytes bytes) {
        for (int m = Uniform(0, 3); m > 0 && !bytes.empty(); --m) {
            const auto at = static_cast<std::size_t>(Uniform(0, static_cast<int>(bytes.size()) - 1));
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
    std::string Name() { return std::string(1, static_cast<char>("AbBcC"[Uniform(0, 4)])); }

    Bytes RandomBag() {
        TSimData bag;
        for (int i = Uniform(0, 3); i > 0; --i) {
            switch (Uniform(0, 2)) {
            case 0: bag.SetScalarInt(Name(), Uniform(-70000, 70000)); break;
            case 1: bag.SetScalarReal(Name(), Uniform(-1000, 1000) / 8.0L); break;
            default: bag.SetScalarZts(Name(), "text", static_cast<std::uint8_t>(Uniform(0, 1) * 6));
            }
        }
        for (int i = Uniform(0, 3); i > 0; --i) {
            const auto kind = static_cast<std::uint8_t>(Uniform(dkByte, dkZts));
            const int nDim = Uniform(1, 3);
            TIndex lb, ub;
            for (int d = 0; d < nDim; ++d) {
                lb.Set(d, Uniform(0, 2));
                ub.Set(d, lb[d] + Uniform(-1, 2));  // an empty dimension now and then
            }
            auto array = Array(kind, kind == dkZts ? 4 : 0, nDim, lb, ub);
            if (kind == dkZts && array->Count() > 0) array->SetZts(lb, "ab");
            const std::string name = Name();
            if (bag.FindSimArr(name) == nullptr) bag.AddSimArr(name, std::move(array));
        }
        return Stored(bag);
    }

    std::mt19937 random_;
};

// A stored bag of arrays named Names, in that order; the array named at
// place I spans 0..I, so that its count tells which one it is.
Bytes StoredArrays(std::initializer_list<const char*> names, int firstPlace) {
    TSimData bag;
    int place = firstPlace;
    for (const char* name : names) bag.AddSimArr(name, Array(dkByte, 0, 1, {0}, {place++}));
    return Stored(bag);
}

// Arrays stored out of order read into their sorted places; a name stored
// again, in any letter case, is refused, naming the array and its offset.
TEST(BagCheck, StoredArraysTakeTheirSortedPlacesAndRepeatsAreRefused) {
    const struct {
        std::initializer_list<const char*> first;
        std::initializer_list<const char*> second;
        std::vector<std::string> sorted;  // the names in the bag's order; empty when refused
        const char* repeated;
    } cases[] = {
        {{"Brd1", "Brd2"}, {"Brd3"}, {"Brd1", "Brd2", "Brd3"}, ""},
        {{"Brd2"}, {"Brd1"}, {"Brd1", "Brd2"}, ""},
        {{"C"}, {"A", "B"}, {"A", "B", "C"}, ""},
        {{"A", "C"}, {"B", "D"}, {"A", "B", "C", "D"}, ""},
        {{"Brd"}, {"brd"}, {}, "brd"},
        {{"A", "B"}, {"b"}, {}, "b"},
        {{"A", "C"}, {"B", "c"}, {}, "c"},
    };
    for (const auto& c : cases) {
        const Bytes bytes = Joined(StoredArrays(c.first, 0), StoredArrays(c.second, static_cast<int>(c.first.size())));
        const std::string what = *c.first.begin() + std::string("+") + *c.second.begin();
        TSimData bag;
        std::uint16_t pos = 0;
        if (c.sorted.empty()) {
            const TOutcome read = Read(bytes);
            ASSERT_TRUE(read.error.has_value()) << what;
            EXPECT_EQ(read.error->rfind("bag: array \"" + std::string(c.repeated) + "\" at offset ", 0), 0u)
                << *read.error;
            EXPECT_TRUE(read.error->ends_with(": String list does not allow duplicates")) << *read.error;
            EXPECT_EQ(Check(bytes), read) << what;
            continue;
        }
        bag.ReadFromBuffer(bytes, pos);
        EXPECT_EQ(pos, bytes.size()) << what;
        ASSERT_EQ(bag.ArrayCount(), static_cast<int>(c.sorted.size())) << what;
        for (std::size_t i = 0; i < c.sorted.size(); ++i)
            EXPECT_EQ(bag.FindSimArr(c.sorted[i]), &bag.ArrayAt(static_cast<int>(i))) << what << " " << c.sorted[i];
        // Each array is the one stored under its name.
        std::vector<const char*> stored(c.first);
        stored.insert(stored.end(), c.second.begin(), c.second.end());
        for (std::size_t place = 0; place < stored.size(); ++place)
            EXPECT_EQ(bag.FindSimArr(stored[place])->Count(), static_cast<int>(place) + 1) << what << " " << stored[place];
    }
}

TEST(BagCheck, DamagedBagsReadOrRaiseDataErrorsAndTheCheckAgreesWithTheReader) {
    test::RecordingUi ui;
    BagMaker maker(20240612);
    int reads = 0;
    int duplicates = 0;
    constexpr int kCases = 6000;
    for (int c = 0; c < kCases; ++c) {
        const Bytes bytes = maker.Mutate(maker.Bag());
        Bytes rewritten;
        const TOutcome read = Read(bytes, &rewritten);
        ASSERT_EQ(Check(bytes), read) << "case " << c;
        reads += !read.error.has_value();
        duplicates += read.error && read.error->find("does not allow duplicates") != std::string::npos;
        if (read.error) continue;
        EXPECT_EQ(CheckedDimensions(bytes), ReadDimensions(bytes)) << "case " << c;
        if (rewritten.empty()) continue;
        // What was read is written in the same form again.
        Bytes again;
        ASSERT_EQ(Read(rewritten, &again), (TOutcome{std::nullopt, static_cast<std::uint16_t>(rewritten.size())}));
        EXPECT_EQ(again, rewritten) << "case " << c;
    }
    // The cases reach both outcomes, and the repeated array names among the refusals.
    EXPECT_GT(reads, kCases / 5);
    EXPECT_LT(reads, kCases * 4 / 5);
    EXPECT_GT(duplicates, kCases / 50);
}

}  // namespace
}  // namespace cv
