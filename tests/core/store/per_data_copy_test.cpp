// Whole-set copies into a set that already holds cells: a cell of the same
// names and shapes takes its copy in its own storage, marked changed; any
// other cell is replaced by a copy kept in its stored form until used, which a
// save writes whole; a failure leaves the target as it was. The set's kept
// copy to return to.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/volume_set.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

using test::ErrorText;
constexpr auto Context = test::CellContext;
constexpr auto CellBytes = [](const TSimData& cell) { return test::StoredForm(cell); };

const TSeries kBrands(1, "Brands", 1, {"B1", "B2", "B3"});
const TSeries kTwoBrands(2, "Two", 1, {"B1", "B2"});
const TSeries kOtherBrands(3, "Others", 1, {"B1", "B2", "B3"});

// Firm Firm's cell: the number "N" = Value, the text "T" = Text, and the
// arrays "Arr" over the brands (Arr[1] = Value) and "Names" (Names[2] = Text).
void FillFirm(TCvPerData& set, int firm, int value, const std::string& text) {
    const TDataContext cell = Context(firm, 0, 0);
    set.SetSmallint(kCategoryFirm, cell, "N", static_cast<std::int16_t>(value));
    set.SetString(kCategoryFirm, cell, "T", text);
    set.CreateSimArr(kCategoryFirm, cell, "Arr", dkReal48, 0, {&kBrands}).SetReal48({1}, value);
    set.CreateSimArr(kCategoryFirm, cell, "Names", dkZts, 0, {&kBrands}).SetZts({2}, text);
}

// Whether every scalar and every array of the firm's cell carries its changed mark.
bool AllMarked(const TCvPerData& set, int firm) {
    const TSimData* bag = set.Cell({static_cast<std::int16_t>(firm), 0, 0});
    if (bag == nullptr) return false;
    for (const char* name : {"N", "T"}) {
        TSimValue value;
        set.GetScalar(kCategoryFirm, Context(firm, 0, 0), name, kAnyKind, true, value);
        if (value.changed == 0) return false;
    }
    for (const char* name : {"Arr", "Names"})
        if (!bag->FindSimArr(name)->IsModified()) return false;
    return true;
}

class PerDataCopy : public ::testing::Test {
protected:
    // The set as a save and a load give it back: its cells built, no marks.
    void Reload(TCvPerData& set) { LoadInto(set, SaveToNewFile(set)); }
    // What a save of the set writes, read back.
    std::unique_ptr<TCvPerData> Saved(const TCvPerData& set) {
        auto saved = std::make_unique<TCvPerData>(set.What(), set.Period());
        LoadInto(*saved, SaveToNewFile(set));
        return saved;
    }
    void ExpectCopyOf(const TCvPerData& copy, const TCvPerData& source) {
        ForEachCell([&](const TCellIndex& cell) {
            const TSimData* original = source.Cell(cell);
            const TSimData* copied = copy.Cell(cell);
            ASSERT_EQ(original == nullptr, copied == nullptr) << cell.firm;
            if (original == nullptr) return;
            EXPECT_EQ(CellBytes(*copied), CellBytes(*original)) << cell.firm;
        });
    }

    test::RecordingUi ui;
    test::TempDir dir;

private:
    std::string SaveToNewFile(const TCvPerData& set) {
        const std::string file = dir / ("set" + std::to_string(++files_) + ".vs");
        TVolSet volumes;
        test::CreateIndustrySet(volumes, file);
        set.SaveToVolSet(volumes);
        volumes.Close();
        return file;
    }
    static void LoadInto(TCvPerData& set, const std::string& file) {
        TVolSet volumes;
        volumes.OpenReadOnly(file);
        set.LoadFromVolSet(volumes);
        volumes.Close();
    }

    int files_ = 0;
};

// Source and target were loaded from files, so nothing in them is marked; the
// target's cell of the same layout keeps its arrays and takes the source's
// values, every one marked.
TEST_F(PerDataCopy, ACellOfTheSameLayoutTakesItsCopyInItsOwnStorageMarked) {
    TCvPerData source(vtDecisions, 3);
    FillFirm(source, 1, 7, "a name of more than fifteen letters");
    Reload(source);
    TCvPerData target(vtDefaults, 3);
    FillFirm(target, 1, 2, "an older name, longer than the new one");
    Reload(target);
    ASSERT_FALSE(target.Cell({1, 0, 0})->IsModified());
    const TSimArr* names = target.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Names");

    target.CopyAllCells(source);
    ExpectCopyOf(target, source);
    EXPECT_TRUE(AllMarked(target, 1));
    EXPECT_EQ(target.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Names"), names);
    EXPECT_EQ(names->GetZts({2}), "a name of more than fifteen letters");
}

// A copy's stored form is given the bytes it takes, even in a cell of arrays
// alone, whose names and texts leave no room to spare.
TEST_F(PerDataCopy, ACellOfArraysAloneIsCopiedWhole) {
    TCvPerData source(vtDecisions, 3);
    for (const char* name : {"A", "B", "C", "D"})
        source.CreateSimArr(kCategoryFirm, Context(1, 0, 0), name, dkSmallint, 0, {&kBrands}).SetSmallint({3}, 9);
    TCvPerData target(vtDefaults, 3);

    target.CopyAllCells(source);
    ExpectCopyOf(target, source);
}

// Firm 1's cell takes its copy in place in every case; firm 2's differs from
// its source as each case says and is replaced whole; firm 3's, which the
// source lacks, goes.
TEST_F(PerDataCopy, ACellThatDiffersIsReplacedAndACellTheSourceLacksGoes) {
    struct TCase {
        const char* what;
        std::function<void(TCvPerData&)> alter;  // firm 2's cell of the target
    };
    const TCase cases[] = {
        {"an extra scalar", [](TCvPerData& set) { set.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Extra", 1); }},
        {"an extra array",
         [](TCvPerData& set) { set.CreateSimArr(kCategoryFirm, Context(2, 0, 0), "Zed", dkByte, 0, {&kBrands}); }},
        {"an array of the same shape under another name",
         [](TCvPerData& set) {
             const std::string_view scalars[] = {"N", "T"};
             const std::string_view arrays[] = {"Arr"};
             set.Cell({2, 0, 0})->KeepOnly(scalars, arrays);
             set.CreateSimArr(kCategoryFirm, Context(2, 0, 0), "Namez", dkZts, 0, {&kBrands})
                 .SetZts({2}, "a name of more than fifteen letters");
         }},
        {"an array of another shape",
         [](TCvPerData& set) {
             set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Arr")->InitFromSeries(dkReal48, 0, {&kTwoBrands});
         }},
        {"an array over a series of another name",
         [](TCvPerData& set) {
             set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Arr")->InitFromSeries(dkReal48, 0, {&kOtherBrands});
         }},
        {"an array of another kind",
         [](TCvPerData& set) {
             set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Arr")->InitFromSeries(dkSmallint, 0, {&kBrands});
         }},
        {"texts too short for the source's",
         [](TCvPerData& set) {
             set.SetString(kCategoryFirm, Context(2, 0, 0), "T", "");
             set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Names")->Clear();
         }},
        {"a cell not yet built", [](TCvPerData&) {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TCvPerData source(vtDecisions, 3);
        FillFirm(source, 1, 7, "seven");
        FillFirm(source, 2, 8, "a name of more than fifteen letters");
        Reload(source);
        TCvPerData target(vtDefaults, 3);
        FillFirm(target, 1, 1, "one");
        FillFirm(target, 2, 2, "a name of more than fifteen letters");
        FillFirm(target, 3, 3, "three");
        c.alter(target);
        Reload(target);
        target.Cell({1, 0, 0});
        if (std::string(c.what) != "a cell not yet built") target.Cell({2, 0, 0});
        const TSimArr* kept = target.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Arr");

        target.CopyAllCells(source);
        ExpectCopyOf(target, source);
        EXPECT_EQ(target.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Arr"), kept);
        EXPECT_TRUE(AllMarked(target, 1));
        EXPECT_TRUE(AllMarked(target, 2));
        EXPECT_EQ(target.Cell({3, 0, 0}), nullptr);
    }
}

// Firm 1's cell could take its copy in place, but firm 2's source is too large
// for a volume (two arrays of 60,000 bytes): the copy is refused naming that
// volume, and the target keeps every value and every cell it had.
TEST_F(PerDataCopy, ACellTooLargeLeavesTheTargetAsItWasCellsOfTheSameLayoutIncluded) {
    TCvPerData source(vtDecisions, 3);
    FillFirm(source, 1, 7, "seven");
    for (const char* name : {"Big1", "Big2"})
        source.AddSimArr(kCategoryFirm, Context(2, 0, 0), name, std::make_unique<TSimArr>())
            .Init(dkReal48, 0, 1, {1}, {10000});
    TCvPerData target(vtDefaults, 3);
    FillFirm(target, 1, 1, "one");
    FillFirm(target, 3, 3, "three");
    const std::vector<std::uint8_t> firm1 = CellBytes(*target.Cell({1, 0, 0}));
    const std::vector<std::uint8_t> firm3 = CellBytes(*target.Cell({3, 0, 0}));

    EXPECT_PRED2(test::Contains, ErrorText<ERangeError>([&] { target.CopyAllCells(source); }),
                 "Copy of volume (type 5, period 3, zone 32767, market 32767, firm 2): ");
    EXPECT_EQ(CellBytes(*target.Cell({1, 0, 0})), firm1);
    EXPECT_EQ(CellBytes(*target.Cell({3, 0, 0})), firm3);
    EXPECT_EQ(target.Cell({2, 0, 0}), nullptr);
}

// The kept copy brings back the set as it was when kept, every time, also
// after a second copy into the first one's storage; a set without one stays.
TEST_F(PerDataCopy, ReturningToTheKeptCopyBringsBackTheSetAsItWasKept) {
    TCvPerData set(vtDecisions, 3);
    set.ReturnToCopy();
    EXPECT_FALSE(set.HasCells());
    for (int value : {4, 5}) {
        SCOPED_TRACE(value);
        FillFirm(set, 1, value, "kept");
        const std::vector<std::uint8_t> kept = CellBytes(*set.Cell({1, 0, 0}));
        set.KeepCopy();
        set.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Arr")->SetReal48({1}, 99);
        FillFirm(set, 2, 2, "added");
        set.ReturnToCopy();
        EXPECT_EQ(CellBytes(*set.Cell({1, 0, 0})), kept);
        EXPECT_TRUE(AllMarked(set, 1));
        EXPECT_EQ(set.Cell({2, 0, 0}), nullptr);
        set.CopyAllCells(TCvPerData(vtDecisions, 3));
    }
}

// A cell that cannot take its copy in place (firm 1's has another layout,
// firm 2's is not built, firm 4's is new) is saved whole, built first or not:
// what the save writes reads back as the source, except the empty cell, which
// is not saved; every scalar and array of the built copy is marked changed.
TEST_F(PerDataCopy, ACopyNotTakenInPlaceIsSavedWholeBuiltOrNot) {
    for (const bool built : {false, true}) {
        SCOPED_TRACE(built ? "built before the save" : "saved unbuilt");
        TCvPerData source(vtDecisions, 3);
        FillFirm(source, 1, 7, "seven");
        FillFirm(source, 2, 8, "a name of more than fifteen letters");
        source.SetSmallint(kCategoryFirm, Context(4, 0, 0), "Gone", 1);
        source.Cell({4, 0, 0})->KeepOnly({}, {});
        TCvPerData target(vtDefaults, 3);
        FillFirm(target, 1, 1, "one");
        target.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Extra", 1);
        FillFirm(target, 2, 2, "two");
        FillFirm(target, 3, 3, "three");
        Reload(target);
        target.Cell({1, 0, 0});

        target.CopyAllCells(source);
        if (built) ExpectCopyOf(target, source);
        const std::unique_ptr<TCvPerData> saved = Saved(target);
        for (const std::int16_t firm : {1, 2}) {
            ASSERT_NE(saved->Cell({firm, 0, 0}), nullptr) << firm;
            EXPECT_EQ(CellBytes(*saved->Cell({firm, 0, 0})), CellBytes(*source.Cell({firm, 0, 0}))) << firm;
            EXPECT_TRUE(AllMarked(target, firm)) << firm;
        }
        EXPECT_EQ(saved->Cell({3, 0, 0}), nullptr);
        EXPECT_EQ(saved->Cell({4, 0, 0}), nullptr);
        ExpectCopyOf(target, source);
    }
}

// Copies into a set of stored copies, each over the one before: of the same
// size, larger (more cells, a longer text), then smaller. Each reads back as
// its source, saved unbuilt and then built; a copy that fails (a cell too
// large for a volume) leaves the copies before as they were.
TEST_F(PerDataCopy, CopiesOverStoredCopiesReadBackEachTimeAndAFailureChangesNone) {
    const auto sourceOf = [](std::vector<int> firms, int value, const std::string& text) {
        auto source = std::make_unique<TCvPerData>(vtDecisions, 3);
        for (const int firm : firms) FillFirm(*source, firm, value + firm, text);
        return source;
    };
    std::unique_ptr<TCvPerData> sources[] = {sourceOf({1, 2}, 10, "first"), sourceOf({1, 2}, 20, "again"),
                                             sourceOf({1, 2, 3}, 30, "a name of more than fifteen letters"),
                                             sourceOf({2}, 40, "last")};
    TCvPerData target(vtDefaults, 3);
    for (const auto& source : sources) {
        SCOPED_TRACE(source->GetSmallint(kCategoryFirm, Context(2, 0, 0), "N"));
        target.CopyAllCells(*source);
        ExpectCopyOf(*Saved(target), *source);
    }
    TCvPerData oversized(vtDecisions, 3);
    FillFirm(oversized, 1, 1, "one");
    for (const char* name : {"Big1", "Big2"})
        oversized.AddSimArr(kCategoryFirm, Context(2, 0, 0), name, std::make_unique<TSimArr>())
            .Init(dkReal48, 0, 1, {1}, {10000});
    EXPECT_THROW(target.CopyAllCells(oversized), ERangeError);
    ExpectCopyOf(*Saved(target), *sources[3]);
    ExpectCopyOf(target, *sources[3]);
    EXPECT_TRUE(AllMarked(target, 2));
}

// The kept copy of a set read from its file comes back unbuilt, and is then
// saved whole, as a copy is, and built marked changed.
TEST_F(PerDataCopy, ReturningToTheKeptCopyOfAReadSetBringsBackCellsSavedWhole) {
    TCvPerData set(vtDecisions, 3);
    FillFirm(set, 1, 1, "one");
    FillFirm(set, 2, 2, "two");
    Reload(set);
    const std::vector<std::uint8_t> firm1 = CellBytes(*set.Cell({1, 0, 0}));
    const std::vector<std::uint8_t> firm2 = CellBytes(*set.Cell({2, 0, 0}));
    set.KeepCopy();
    set.FindSimArr(kCategoryFirm, Context(1, 0, 0), "Arr")->SetReal48({1}, 99);
    FillFirm(set, 3, 3, "added");
    set.ReturnToCopy();
    const std::unique_ptr<TCvPerData> saved = Saved(set);
    EXPECT_EQ(CellBytes(*saved->Cell({1, 0, 0})), firm1);
    EXPECT_EQ(CellBytes(*saved->Cell({2, 0, 0})), firm2);
    EXPECT_EQ(saved->Cell({3, 0, 0}), nullptr);
    EXPECT_TRUE(AllMarked(set, 1));
    EXPECT_TRUE(AllMarked(set, 2));
    EXPECT_EQ(set.Cell({3, 0, 0}), nullptr);
}

}  // namespace
}  // namespace cv
