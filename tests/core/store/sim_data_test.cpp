#include "core/store/sim_data.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/store/series.h"

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
    EXPECT_EQ(TSimData::SmallintOf(*bag.FindScalar("b")), 7);
    EXPECT_EQ(TSimData::SmallintOf(*bag.FindScalar("a")), 1);
    EXPECT_TRUE(ui.plainBoxes.empty() && ui.errorBoxes.empty());
    // Symbols before digits before letters; a shorter name first; accented letters match their capitals.
    for (const auto& [lower, higher] : {std::pair{"Brd_X", "Brd1"}, {"Brd1", "BrdA"}, {"Brd", "brdA"}}) {
        EXPECT_LT(CompareNames(lower, higher), 0) << lower;
        EXPECT_GT(CompareNames(higher, lower), 0) << lower;
    }
    EXPECT_EQ(CompareNames("caf\xE9", "CAF\xC9"), 0);
    // Long names that differ after a shared prefix, in letter case before the difference too.
    for (const auto& [lower, higher] : {std::pair{"StuBrdChaUMS", "stubrdSegUMS"}, {"StuBrdSegAwa1", "STUBRDSEGAWA2"},
                                        {"StuBrdSegAwa", "stubrdsegawareness"}}) {
        EXPECT_LT(CompareNames(lower, higher), 0) << lower;
        EXPECT_GT(CompareNames(higher, lower), 0) << lower;
    }
    EXPECT_EQ(CompareNames("StuBrdSegUMS", "STUBRDsegums"), 0);

    bag.AddSimArr("Prices", NewArray(dkByte, 0, 1, {0}, {1}));
    EXPECT_NE(bag.FindSimArr("PRICES"), nullptr);
    EXPECT_EQ(test::ErrorText<ECvError>([&] { bag.AddSimArr("prices", NewArray(dkByte, 0, 1, {0}, {1})); }),
              "String list does not allow duplicates");
    EXPECT_EQ(bag.ArrayCount(), 1);
}

// Small and large bags find every name as written and in another letter case,
// and nothing for a name they do not hold.
TEST(SimData, EveryNameIsFoundInBagsOfAnySize) {
    for (const int count : {1, 5, 8, 9, 15, 16, 40}) {
        TSimData bag;
        std::vector<std::string> names;
        std::vector<const TSimArr*> arrays;
        for (int i = 0; i < count; ++i) {
            names.push_back("StuBrdSeg" + std::to_string(i) + "Awa");
            bag.SetScalarInt(names.back(), i);
            arrays.push_back(&bag.AddSimArr(names.back(), NewArray(dkByte, 0, 1, {0}, {1})));
        }
        for (int i = 0; i < count; ++i) {
            std::string upper = names[i];
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            EXPECT_EQ(std::as_const(bag).FindSimArr(names[i]), arrays[i]) << count << names[i];
            EXPECT_EQ(std::as_const(bag).FindSimArr(upper), arrays[i]) << count << upper;
            ASSERT_NE(bag.FindScalar(upper), nullptr) << count << upper;
            EXPECT_EQ(bag.FindScalar(upper)->integer, i) << count << upper;
            EXPECT_EQ(bag.FindSimArr(names[i] + "s"), nullptr) << count << names[i];
            EXPECT_EQ(bag.FindScalar(names[i].substr(1)), nullptr) << count << names[i];
        }
    }
}

// Room reserved beforehand, short of or beyond the arrays added, changes
// nothing of what a bag does: arrays added out of order take their sorted
// places, and a repeated name is refused.
TEST(SimData, ReservedRoomKeepsOrderAndRefusesRepeats) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{2}, std::size_t{4}, std::size_t{30}}) {
        TSimData bag;
        bag.ReserveArrays(room);
        TSimArr& second = bag.AddSimArr("Brd2", NewArray(dkByte, 0, 1, {0}, {1}));
        TSimArr& fourth = bag.AddSimArr("brdB", NewArray(dkByte, 0, 1, {0}, {1}));
        TSimArr& first = bag.AddSimArr("Brd_", NewArray(dkByte, 0, 1, {0}, {1}));
        TSimArr& third = bag.AddSimArr("BrdA", NewArray(dkByte, 0, 1, {0}, {1}));
        EXPECT_EQ(test::ErrorText<ECvError>([&] { bag.AddSimArr("BRD2", NewArray(dkByte, 0, 1, {0}, {1})); }),
                  "String list does not allow duplicates")
            << room;
        ASSERT_EQ(bag.ArrayCount(), 4) << room;
        const TSimArr* sorted[] = {&first, &second, &third, &fourth};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(&bag.ArrayAt(i), sorted[i]) << room << " " << i;
        EXPECT_EQ(bag.FindSimArr("brd2"), &second) << room;
    }
}

// The size bound of a bag is never below the bytes it writes; a bag holding
// an array without a shape, which refuses to be written, has no bound.
TEST(SimData, TheSizeBoundCoversTheWrittenForm) {
    const TSeries brands(1, "BrandsOfTheMarketNamedLong", 1, {"B1", "B2", "B3"});
    const struct {
        const char* what;
        void (*fill)(TSimData& bag);
    } bags[] = {
        {"empty", [](TSimData&) {}},
        {"numbers",
         [](TSimData& bag) {
             bag.SetScalarInt("N", 70000);
             bag.SetScalarReal("Rate", 0.25L);
             bag.AddSimArr("Sales", NewArray(dkReal48, 0, 2, {1, 1}, {4, 3}));
             bag.AddSimArr("Flags", NewArray(dkByte, 0, 1, {0}, {9}));
         }},
        // An array's ten bytes of tags, kind, sub type and dimension count, with
        // no slack of names or texts around them.
        {"arrays of one dimension",
         [](TSimData& bag) {
             for (const char* name : {"A", "B", "C", "D"}) bag.AddSimArr(name, NewArray(dkSmallint, 0, 1, {1}, {2}));
         }},
        {"texts",
         [](TSimData& bag) {
             bag.SetScalarZts("Title", "A long title of the industry", 0);
             bag.SetScalarZts("Short", "cut", 40);
             auto names = NewArray(dkZts, 8, 1, {1}, {3});
             names->SetZts({2}, "BRAVO");
             bag.AddSimArr("Names", std::move(names));
             auto free = NewArray(dkZts, 0, 1, {1}, {2});
             free->SetZts({1}, std::string(200, 'x'));
             bag.AddSimArr("Free", std::move(free));
         }},
    };
    for (const auto& c : bags) {
        TSimData bag;
        c.fill(bag);
        auto named = std::make_unique<TSimArr>();
        named->InitFromSeries(dkSmallint, 0, {&brands, &brands});
        bag.AddSimArr("NamedDims", std::move(named));
        EXPECT_GE(bag.StoredSizeBound(), Written(bag).size()) << c.what;
        EXPECT_LT(bag.StoredSizeBound(), kBufSize) << c.what;
    }
    TSimData unshaped;
    unshaped.AddSimArr("None", std::make_unique<TSimArr>());
    EXPECT_EQ(unshaped.StoredSizeBound(), kNoSizeBound);
}

// Only names listed exactly, letter case included, stay; the others go, in
// either list, wherever they sort.
TEST(SimData, KeepOnlyLeavesTheNamesListedExactly) {
    TSimData bag;
    for (const char* name : {"Alpha", "beta", "Gamma", "Delta", "1st"}) bag.SetScalarInt(name, 1);
    for (const char* name : {"Sales", "prices", "Units"}) bag.AddSimArr(name, NewArray(dkByte, 0, 1, {1}, {2}));
    const std::vector<std::string_view> scalars{"Alpha", "Beta", "Delta", "Zeta"};  // in the bag's order
    const std::vector<std::string_view> arrays{"Prices", "Sales"};
    bag.KeepOnly(scalars, arrays);
    TSimData expected;
    for (const char* name : {"Alpha", "Delta"}) expected.SetScalarInt(name, 1);
    expected.AddSimArr("Sales", NewArray(dkByte, 0, 1, {1}, {2}));
    EXPECT_EQ(Written(bag), Written(expected));
    EXPECT_EQ(bag.FindScalar("beta"), nullptr);
    EXPECT_EQ(bag.FindSimArr("prices"), nullptr);
}

TEST(SimData, ScalarsKeepTheirKindAndTextsAreCutToTheirField) {
    test::RecordingUi ui;
    TSimData bag;
    bag.SetScalarInt("Count", 40000);
    bag.SetScalarReal("Rate", 0.25L);
    bag.SetScalarZts("Title", "A text longer than sixteen", 16);
    EXPECT_EQ(bag.FindScalar("Title")->text, "A text longer th");
    EXPECT_EQ(bag.FindScalar("Missing"), nullptr);
    EXPECT_EQ(SimValueNumber(*bag.FindScalar("Count")), 40000.0L);
    // A Smallint read is one of that kind and within 16 bits.
    EXPECT_THROW(TSimData::SmallintOf(*bag.FindScalar("Count")), ERangeError);
    EXPECT_EQ(test::ErrorText<EDataError>([&] { TSimData::SmallintOf(*bag.FindScalar("Rate")); }),
              "[GetScalar] expecting kind 2   found 4");
    EXPECT_TRUE(ui.plainBoxes.empty() && ui.errorBoxes.empty());
    // A name field holds 255 characters; a scalar kind is 0..5.
    EXPECT_THROW(bag.SetScalarInt(std::string(256, 'n'), 1), ERangeError);
    bag.SetScalarInt(std::string(255, 'n'), 1);
    EXPECT_EQ(TSimData::SmallintOf(*bag.FindScalar(std::string(255, 'N'))), 1);
    EXPECT_THROW(bag.SetScalar("Strange", TSimValue{.kind = 9, .text = {}}), ERangeError);
    EXPECT_EQ(bag.ScalarCount(), 4);
}

}  // namespace
}  // namespace cv
