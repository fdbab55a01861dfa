#include "core/store/sim_data.h"

#include <gtest/gtest.h>

#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
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
    TSimData back;
    ReadInto(back, Bytes{0xFF});
    EXPECT_EQ(Written(back), Bytes{0xFF});
    EXPECT_EQ(back.ScalarCount() + back.ArrayCount(), 0);
    EXPECT_FALSE(back.IsModified());
}

TEST(SimData, NamesAreSortedAndFoundWithoutRegardToCase) {
    test::RecordingUi ui;
    TSimData bag;
    bag.SetScalarInt("b", 2);
    bag.SetScalarInt("A", 1);
    EXPECT_EQ(Written(bag)[4], 'A');  // tag 1, then L C L of the first name
    bag.SetScalarInt("B", 7);  // the same scalar
    EXPECT_EQ(bag.ScalarCount(), 2);
    EXPECT_EQ(bag.GetScalarSmallint("b"), 7);
    EXPECT_EQ(bag.GetScalarSmallint("a"), 1);
    EXPECT_TRUE(ui.plainBoxes.empty() && ui.errorBoxes.empty());
    // Symbols before digits before letters; a shorter name first; accented letters match their capitals.
    for (const auto& [lower, higher] : {std::pair{"Brd_X", "Brd1"}, {"Brd1", "BrdA"}, {"Brd", "brdA"}}) {
        EXPECT_LT(CompareNames(lower, higher), 0) << lower;
        EXPECT_GT(CompareNames(higher, lower), 0) << lower;
    }
    EXPECT_EQ(CompareNames("caf\xE9", "CAF\xC9"), 0);

    bag.AddSimArr("Prices", NewArray(dkByte, 0, 1, {0}, {1}));
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
    bag.SetScalarZts("Title", "A text longer than sixteen", 16);
    TSimValue value;
    bag.GetScalar("Title", kAnyKind, value, true);
    EXPECT_EQ(value.text, "A text longer th");
    bag.GetScalar("Missing", dkReal48, value, false);
    EXPECT_EQ(value.kind + value.integer, 0);
    EXPECT_TRUE(ui.errorBoxes.empty());
    bag.GetScalar("Missing", dkReal48, value, true);
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[GetScalar] Unknown scalar : Missing"});
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_EQ(bag.GetScalarReal("Count"), 40000.0L);  // the integer, after the box
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"[GetScalar] expecting kind 4   found 2"});
    EXPECT_THROW(bag.GetScalarSmallint("Count"), ERangeError);
    EXPECT_EQ(bag.GetScalarReal("Rate"), 0.25L);
    EXPECT_EQ(bag.GetScalarZts("Rate"), "");
    EXPECT_EQ(bag.GetScalarZts("Nothing"), "");
    // A name field holds 255 characters; a scalar kind is 0..5.
    EXPECT_THROW(bag.SetScalarInt(std::string(256, 'n'), 1), ERangeError);
    bag.SetScalarInt(std::string(255, 'n'), 1);
    EXPECT_EQ(bag.GetScalarSmallint(std::string(255, 'N')), 1);
    EXPECT_THROW(bag.SetScalar("Strange", TSimValue{.kind = 9, .text = {}}), ERangeError);
    EXPECT_EQ(bag.ScalarCount(), 4);
}

// A bag holding a scalar of each kind and arrays of several element kinds.
void FillSample(TSimData& bag) {
    bag.SetScalarInt("NbBrds", 5);
    bag.SetScalarReal("Inflation", 1.03L);
    bag.SetScalarZts("FirmName", "Alpha", 16);
    bag.SetScalar("Budget", TSimValue{.changed = 1, .kind = dkWord, .integer = 65535, .text = {}});
    TSimArr& sales = bag.AddSimArr("BrdSales", NewArray(dkReal48, 0, 3, {1, 0, 1}, {3, 2, 4}));
    sales.SetReal48({3, 2, 4}, -1234.5L);
    bag.AddSimArr("BrdNames", NewArray(dkZts, 8, 1, {1}, {3})).SetZts({3}, "Gamma");
    bag.AddSimArr("Shifts", NewArray(dkShortInt, 0, 1, {0}, {1}))
        .SetV({1}, TSimValue{.kind = dkShortInt, .integer = -1, .text = {}});
    bag.AddSimArr("Units", NewArray(dkWord, 0, 1, {0}, {0})).SetWord({0}, 60000);
}

TEST(SimData, WrittenBagReadsBackEqualAndUnmodifiedAndCopiesDeeply) {
    TSimData bag;
    FillSample(bag);
    EXPECT_TRUE(bag.IsModified());
    TSimData back;
    ReadInto(back, Written(bag));
    EXPECT_FALSE(back.IsModified());
    TSimValue value;
    back.GetScalar("Budget", dkWord, value, true);
    EXPECT_EQ((std::vector<int>{value.integer, value.changed}), (std::vector<int>{65535, 0}));
    EXPECT_EQ(back.GetScalarReal("Inflation"), RoundToReal48(1.03L));
    EXPECT_EQ(back.GetScalarZts("FirmName") + " " + back.GetSimArr("BrdNames")->GetZts({3}), "Alpha Gamma");
    EXPECT_EQ(back.GetSimArr("BrdSales")->GetReal48({3, 2, 4}), -1234.5L);
    EXPECT_EQ((std::vector<int>{back.GetSimArr("Shifts")->GetV({1}).integer, back.GetSimArr("Units")->GetWord({0})}),
              (std::vector<int>{-1, 60000}));
    back.GetSimArr("Units")->SetWord({0}, 1);
    EXPECT_TRUE(back.IsModified());

    // A deep copy: scalars keep their flags, arrays are marked modified.
    TSimData copy;
    copy.Assign(back);
    back.GetSimArr("BrdNames")->SetZts({3}, "Changed");
    EXPECT_EQ(copy.GetSimArr("BrdNames")->GetZts({3}), "Gamma");
    copy.GetScalar("Budget", kAnyKind, value, true);
    EXPECT_EQ(value.changed, 0);
    EXPECT_TRUE(copy.GetSimArr("Shifts")->IsModified());
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
}

TEST(SimData, MalformedBagsRaiseDataErrorsAndLeaveTheBagAsItWas) {
    TSimData sample;
    FillSample(sample);
    const Bytes bytes = Written(sample);
    TSimData bag;
    bag.SetScalarInt("Kept", 1);
    const Bytes noEnd(bytes.begin(), bytes.end() - 1);
    std::uint16_t pos = 0;
    EXPECT_EQ(test::ErrorText<EDataError>([&] { bag.ReadFromBuffer(noEnd, pos); }).rfind("bag: tag at offset ", 0), 0u);
    // Cut inside the first array: the error names it.
    const Bytes cut(bytes.begin(), bytes.begin() + 120);
    pos = 0;
    EXPECT_PRED2(test::Contains, test::ErrorText<EDataError>([&] { bag.ReadFromBuffer(cut, pos); }),
                 "array \"BrdNames\"");
    EXPECT_EQ(bag.ScalarCount(), 1);
    EXPECT_EQ(bag.GetScalarSmallint("Kept"), 1);
}

}  // namespace
}  // namespace cv
