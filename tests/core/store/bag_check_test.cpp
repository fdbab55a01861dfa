// The reader of stored bags and its check, on written, joined and damaged
// bytes: a bag either reads or raises EDataError, never reads outside its bytes
// (the sanitizer build checks that), and reads back as it is written again.
// TSimData::CheckBuffer and TSimData::ReadFromBuffer agree on whether the bag
// reads, on where it ends and on the error's words, so that a set which checked
// its cells at load builds every one of them later without a data error.

#include <gtest/gtest.h>

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
        if (read.error || rewritten.empty()) continue;
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

// Two faults with their exact words: the fuzz above holds the check to the
// reader's words for every other one.
TEST(BagCheck, NamesEachFaultAsTheReaderDoes) {
    test::RecordingUi ui;
    const TIndex one(1), three(3);

    // Arrays "A", "B", then "b", which repeats "B", letter case ignored. Each
    // item takes 5 bytes (tag 101 and the name's field L, C, L, 'x') + 1 (tag
    // 102) + 20 (tag 103 and the dimension name's field of capacity 16) + 1 (tag
    // 104) + 17 (kind, sub type and count with their tags: 6; two bounds with
    // their tags: 6; '8', 3 elements, 'd': 5) + 1 (tag 200) = 45 bytes, so the
    // third array's tag 102 lies at 2 x 45 + 5 = 95.
    TSimData first;
    first.AddSimArr("B", Array(dkByte, 0, 1, one, three));
    first.AddSimArr("A", Array(dkByte, 0, 1, one, three));
    TSimData second;
    second.AddSimArr("b", Array(dkByte, 0, 1, one, three));
    const Bytes joined = Joined(Stored(first), Stored(second));  // "A" then "B", in name order, then "b"
    EXPECT_EQ(Check(joined).error, "bag: array \"b\" at offset 95: String list does not allow duplicates");
    EXPECT_EQ(Check(joined), Read(joined));

    // A scalar of kind 9: tags 1 (name "S": 1, 1, 1, 'S'), 2, then the value form.
    const Bytes badKind = {1, 1, 1, 1, 'S', 2, 3, 9, 4, 0, 5, 1, 0, 0, 0, 50, 255};
    EXPECT_EQ(Check(badKind).error, "bag: scalar \"S\" at offset 5: Range check error");
    EXPECT_EQ(Check(badKind), Read(badKind));
}

TEST(BagCheck, AnArrayCrossingPosition65535IsRefusedAsTheReaderRefusesIt) {
    test::RecordingUi ui;
    TSimData bag;
    bag.AddSimArr("Wide", Array(dkReal48, 0, 1, TIndex(1), TIndex(100)));
    const Bytes stored = Stored(bag);
    // Unknown bytes (0) move the array so that its 600-byte block ends past
    // 65,535; its tag 102 follows tag 101 and the name's 7-byte field.
    Bytes bytes(65200, 0);
    bytes.insert(bytes.end(), stored.begin(), stored.end());
    EXPECT_EQ(Check(bytes).error, "bag: array \"Wide\" at offset 65208: Integer overflow");
    EXPECT_EQ(Check(bytes), Read(bytes));
}

}  // namespace
}  // namespace cv
