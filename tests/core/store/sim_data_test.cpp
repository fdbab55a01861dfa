#include "core/store/sim_data.h"

#include <gtest/gtest.h>

#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr auto Written = [](const TSimData& bag) { return test::StoredForm(bag); };

std::unique_ptr<TSimArr> NewArray(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb,
                                  const TIndex& ub) {
    auto array = std::make_unique<TSimArr>();
    array->Init(kind, subType, nDim, lb, ub);
    return array;
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
    const Bytes bytes = Written(bag);
    TSimData back;
    std::uint16_t pos = 0;
    back.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
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

}  // namespace
}  // namespace cv
