#include "core/store/sim_data.h"

#include <gtest/gtest.h>

#include "core/base/log_file.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr auto Written = [](const TSimData& bag) { return test::StoredForm(bag); };

void ReadInto(TSimData& bag, const Bytes& bytes) {
    std::uint16_t pos = 0;
    bag.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
}

std::unique_ptr<TSimArr> NewArray(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb,
                                  const TIndex& ub) {
    auto array = std::make_unique<TSimArr>();
    array->Init(kind, subType, nDim, lb, ub);
    return array;
}

TEST(SimData, WorkedExampleAndEmptyBagHaveTheirExactBytes) {
    TSimData bag;
    bag.SetScalarInt("N", 5);
    EXPECT_EQ(Written(bag), (Bytes{0x01, 0x01, 0x01, 0x01, 0x4E, 0x02, 0x03, 0x02, 0x04, 0x00, 0x05, 0x05, 0x00, 0x00,
                                   0x00, 0x32, 0xFF}));
    const TSimData empty;
    EXPECT_EQ(Written(empty), Bytes{0xFF});
    TSimData back;
    ReadInto(back, Bytes{0xFF});
    EXPECT_EQ(back.ScalarCount(), 0);
    EXPECT_EQ(back.ArrayCount(), 0);
    EXPECT_FALSE(back.IsModified());
}

TEST(SimData, NamesAreSortedAndFoundWithoutRegardToCase) {
    test::RecordingUi ui;
    TSimData bag;
    bag.SetScalarInt("b", 2);
    bag.SetScalarInt("A", 1);
    const Bytes bytes = Written(bag);
    EXPECT_EQ(bytes[4], 'A');  // tag 1, then L C L of the first name
    TSimValue value;
    bag.GetScalar("a", dkSmallint, value, true);
    EXPECT_EQ(value.integer, 1);
    EXPECT_EQ(bag.GetScalarSmallint("B"), 2);
    bag.SetScalarInt("B", 7);  // the same scalar
    EXPECT_EQ(bag.ScalarCount(), 2);
    EXPECT_EQ(bag.GetScalarSmallint("b"), 7);
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_TRUE(ui.errorBoxes.empty());

    // Symbols before digits before letters; accented letters match their capitals.
    EXPECT_LT(CompareNames("Brd_X", "Brd1"), 0);
    EXPECT_LT(CompareNames("Brd1", "BrdA"), 0);
    EXPECT_LT(CompareNames("Brd", "brdA"), 0);
    EXPECT_EQ(CompareNames("caf\xE9", "CAF\xC9"), 0);

    auto first = NewArray(dkByte, 0, 1, {0}, {1});
    bag.AddSimArr("Prices", std::move(first));
    EXPECT_NE(bag.GetSimArr("PRICES"), nullptr);
    EXPECT_EQ(test::ErrorText<ECvError>([&] { bag.AddSimArr("prices", NewArray(dkByte, 0, 1, {0}, {1})); }),
              "String list does not allow duplicates");
    EXPECT_EQ(bag.ArrayCount(), 1);
}

TEST(SimData, ScalarLookUpsReportMissingAndMismatchedKinds) {
    test::RecordingUi ui;
    TSimData bag;
    bag.SetScalarInt("Count", 40000);
    bag.SetScalarReal("Rate", 0.25L);
    bag.SetScalarZts("Title", "Report", 16);

    TSimValue value;
    bag.GetScalar("Title", kAnyKind, value, true);
    EXPECT_EQ(value.text, "Report");
    EXPECT_TRUE(ui.plainBoxes.empty());
    bag.GetScalar("Missing", dkReal48, value, false);
    EXPECT_EQ(value.kind, 0);
    EXPECT_EQ(value.integer, 0);
    EXPECT_TRUE(ui.errorBoxes.empty());
    bag.GetScalar("Missing", dkReal48, value, true);
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[GetScalar] Unknown scalar : Missing"});

    EXPECT_EQ(bag.GetScalarReal("Count"), 40000.0L);  // the integer, after the box
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"[GetScalar] expecting kind 4   found 2"});
    EXPECT_THROW(bag.GetScalarSmallint("Count"), ERangeError);
    EXPECT_EQ(bag.GetScalarReal("Rate"), 0.25L);
    EXPECT_EQ(bag.GetScalarZts("Title"), "Report");
    EXPECT_EQ(bag.GetScalarZts("Rate"), "");
    EXPECT_EQ(bag.GetScalarZts("Nothing"), "");

    EXPECT_THROW(bag.SetScalarInt(std::string(256, 'n'), 1), ERangeError);
    TSimData longest;  // the longest name a field holds
    longest.SetScalarInt(std::string(255, 'n'), 1);
    EXPECT_EQ(longest.GetScalarSmallint(std::string(255, 'N')), 1);
    TSimValue strange;
    strange.kind = 9;
    EXPECT_THROW(bag.SetScalar("Strange", strange), ERangeError);
    EXPECT_EQ(bag.ScalarCount(), 3);
}

TEST(SimData, TextScalarTakesItsMaximumLengthInTheValueField) {
    for (const std::string text : {"", "A", "Sixteen chars ok"}) {
        TSimData bag;
        bag.SetScalarZts("T", text, 16);
        // 01, name (4), 02, 03 kind 04 sub, 07, the text field (18), 50, FF.
        EXPECT_EQ(Written(bag).size(), 1u + 4 + 1 + 4 + 1 + 18 + 1 + 1) << text;
    }
    TSimData bag;
    bag.SetScalarZts("T", "A text longer than sixteen", 16);
    EXPECT_EQ(bag.GetScalarZts("T"), "A text longer th");
}

// A bag holding a scalar of each kind and an array of each element kind.
void FillSample(TSimData& bag) {
    bag.SetScalarInt("NbBrds", 5);
    bag.SetScalarReal("Inflation", 1.03L);
    bag.SetScalarZts("FirmName", "Alpha", 16);
    TSimValue word;
    word.changed = 1;
    word.kind = dkWord;
    word.integer = 65535;
    bag.SetScalar("Budget", word);

    auto sales = NewArray(dkReal48, 0, 3, {1, 0, 1}, {3, 2, 4});
    sales->SetReal48({3, 2, 4}, -1234.5L);
    sales->SetReal48({1, 0, 1}, 0.1L);
    bag.AddSimArr("BrdSales", std::move(sales));
    auto names = NewArray(dkZts, 8, 1, {1}, {3});
    names->SetZts({1}, "ALPHA");
    names->SetZts({3}, "Gamma");
    bag.AddSimArr("BrdNames", std::move(names));
    auto flags = NewArray(dkByte, 0, 1, {0}, {4});
    flags->SetByte({4}, 200);
    bag.AddSimArr("Flags", std::move(flags));
    auto shifts = NewArray(dkShortInt, 0, 1, {0}, {1});
    TSimValue minusOne;
    minusOne.kind = dkShortInt;
    minusOne.integer = -1;
    shifts->SetV({1}, minusOne);
    bag.AddSimArr("Shifts", std::move(shifts));
    auto counts = NewArray(dkSmallint, 0, 2, {0, 0}, {1, 1});
    counts->SetSmallint({1, 1}, -300);
    bag.AddSimArr("Counts", std::move(counts));
    auto units = NewArray(dkWord, 0, 1, {0}, {0});
    units->SetWord({0}, 60000);
    bag.AddSimArr("Units", std::move(units));
}

TEST(SimData, WrittenBagReadsBackEqualAndUnmodified) {
    TSimData bag;
    FillSample(bag);
    EXPECT_TRUE(bag.IsModified());
    const Bytes bytes = Written(bag);
    TSimData back;
    ReadInto(back, bytes);
    EXPECT_FALSE(back.IsModified());
    EXPECT_EQ(Written(back), bytes);

    TSimValue value;
    back.GetScalar("Budget", dkWord, value, true);
    EXPECT_EQ(value.integer, 65535);
    EXPECT_EQ(value.changed, 0);
    EXPECT_EQ(back.GetScalarReal("Inflation"), RoundToReal48(1.03L));
    EXPECT_EQ(back.GetScalarZts("FirmName"), "Alpha");
    EXPECT_EQ(back.GetSimArr("BrdSales")->GetReal48({3, 2, 4}), -1234.5L);
    EXPECT_EQ(back.GetSimArr("BrdNames")->GetZts({1}), "ALPHA");
    EXPECT_EQ(back.GetSimArr("BrdNames")->GetZts({2}), "");
    EXPECT_EQ(back.GetSimArr("Flags")->GetByte({4}), 200);
    EXPECT_EQ(back.GetSimArr("Shifts")->GetV({1}).integer, -1);
    EXPECT_EQ(back.GetSimArr("Counts")->GetSmallint({1, 1}), -300);
    EXPECT_EQ(back.GetSimArr("Units")->GetWord({0}), 60000);

    back.GetSimArr("Flags")->SetByte({0}, 1);
    EXPECT_TRUE(back.IsModified());

    // A deep copy: scalars keep their flags, arrays are marked modified.
    TSimData copy;
    copy.Assign(back);
    back.GetSimArr("BrdNames")->SetZts({1}, "Changed");
    EXPECT_EQ(copy.GetSimArr("BrdNames")->GetZts({1}), "ALPHA");
    copy.GetScalar("Budget", kAnyKind, value, true);
    EXPECT_EQ(value.changed, 0);
    EXPECT_TRUE(copy.GetSimArr("Units")->IsModified());
}

TEST(SimData, OversizedBagIsRefusedWithoutOverrunningTheBuffer) {
    // Bag of one two-dimensional byte array named "A" of N elements: 101, "A" (4), 102, the
    // named array (two dimension names 40, 104, body 18 + N, 200), FF = 67 + N bytes.
    // 2 x 32,727 = 65,454 elements fill the 65,521 bytes; 5 x 13,091 = 65,455 are one too many.
    const auto bagOfBytes = [](int rows, int columns) {
        auto bag = std::make_unique<TSimData>();
        bag->AddSimArr("A", NewArray(dkByte, 0, 2, {0, 0}, {rows - 1, columns - 1}));
        return bag;
    };
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    bagOfBytes(2, 32727)->WriteToBuffer(buffer, pos);
    EXPECT_EQ(pos, kBufSize);
    EXPECT_EQ(buffer[kBufSize - 1], 0xFF);

    pos = 0;
    EXPECT_THROW(bagOfBytes(5, 13091)->WriteToBuffer(buffer, pos), ERangeError);
    EXPECT_EQ(pos, 0) << "a refused bag leaves the position where it was";

    // Many scalars overflow too.
    TSimData many;
    for (int i = 0; i < 4000; ++i) many.SetScalarReal("Scalar" + std::to_string(i), i);
    pos = 0;
    EXPECT_THROW(many.WriteToBuffer(buffer, pos), ERangeError);
}

TEST(SimData, MalformedBagsRaiseDataErrorsAndLeaveTheBagAsItWas) {
    TSimData sample;
    FillSample(sample);
    const Bytes bytes = Written(sample);

    TSimData bag;
    bag.SetScalarInt("Kept", 1);
    Bytes noEnd(bytes.begin(), bytes.end() - 1);
    std::uint16_t pos = 0;
    EXPECT_EQ(test::ErrorText<EDataError>([&] { bag.ReadFromBuffer(noEnd, pos); }).rfind("bag: tag at offset ", 0), 0u);
    EXPECT_EQ(bag.ScalarCount(), 1);
    EXPECT_EQ(bag.GetScalarSmallint("Kept"), 1);

    // Cut inside the first array: the error names it.
    const Bytes cut(bytes.begin(), bytes.begin() + 120);
    pos = 0;
    EXPECT_PRED2(test::Contains, test::ErrorText<EDataError>([&] { bag.ReadFromBuffer(cut, pos); }),
                 "array \"BrdNames\"");

    // The same array twice.
    TSimData twice;
    twice.AddSimArr("X", NewArray(dkByte, 0, 1, {0}, {0}));
    Bytes doubled = Written(twice);
    doubled.pop_back();
    const Bytes once = Written(twice);
    doubled.insert(doubled.end(), once.begin(), once.end());
    pos = 0;
    EXPECT_THROW(bag.ReadFromBuffer(doubled, pos), EDataError);

    // A scalar of an unknown kind.
    const Bytes strange{1, 1, 1, 1, 'S', 2, 3, 9, 50, 0xFF};
    pos = 0;
    EXPECT_THROW(bag.ReadFromBuffer(strange, pos), EDataError);
}

class SimDataLogTest : public ::testing::Test {
protected:
    void TearDown() override {
        LogClose();
        DebugLevel = 0;
    }
    test::TempDir dir;
};

TEST_F(SimDataLogTest, MissingArraysAndContentsGoToTheLog) {
    TSimData bag;
    bag.SetScalarInt("N", 1);
    bag.AddSimArr("Arr", NewArray(dkByte, 0, 1, {0}, {0}));
    DebugLevel = 9;
    LogOpen(dir / "BAG", 1);
    EXPECT_EQ(bag.GetSimArr("Other"), nullptr);
    bag.LogContents();
    LogClose();
    const std::string text = test::ReadFileBytes(dir / "BAG01.TXT");
    EXPECT_NE(text.find("\ncannot get SimArr Other\n"
                        "   #scal=1   #sarr=1\n"
                        "   scal 0 : N\n"
                        "   sarr 0 : Arr\n"),
              std::string::npos)
        << text;
}

}  // namespace
}  // namespace cv
