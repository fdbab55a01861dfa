// The per-period data grid: cells picked by category, missing arrays and the
// dump in the log, copies between sets, and the volumes a set is saved to and
// loaded from.

#include <gtest/gtest.h>
#include <memory>
#include <type_traits>
#include <vector>

#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "core/stats/cv_interf.h"
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

using test::CreateIndustrySet;
using test::ErrorText;
constexpr auto Context = test::CellContext;
constexpr auto CellBytes = [](const TSimData& cell) { return test::StoredForm(cell); };

// A const set or bag hands out nothing that writes.
static_assert(std::is_same_v<decltype(std::declval<const TCvPerData&>().GetSimArr(0, {}, "")), const TSimArr&>);
static_assert(std::is_same_v<decltype(std::declval<const TCvPerData&>().FindSimArr(0, {}, "")), const TSimArr*>);
static_assert(std::is_same_v<decltype(std::declval<const TCvPerData&>().Cell({})), const TSimData*>);
static_assert(std::is_same_v<decltype(std::declval<const TSimData&>().FindSimArr("")), const TSimArr*>);
static_assert(std::is_same_v<decltype(TFoundBrand::BrdRpt), const TSimArr*>);

const TSeries kBrands(1, "Brands", 1, {"B1", "B2", "B3"});

// Set saved into File (created when Create) and closed.
void Save(const TCvPerData& set, const std::string& file, bool create = true) {
    TVolSet volumes;
    create ? CreateIndustrySet(volumes, file) : volumes.OpenReadWrite(file);
    set.SaveToVolSet(volumes);
    volumes.Close();
}

void Load(TCvPerData& set, const std::string& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file);
    set.LoadFromVolSet(volumes);
    volumes.Close();
}

// Every test has a box recorder, a directory and a file name in it.
class PerData : public ::testing::Test {
protected:
    test::RecordingUi ui;
    test::TempDir dir;
    const std::string file = dir / "cells.vs";
};

int Occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// GetSimArr raises for a missing array, naming it and the cell, FindSimArr
// answers nothing; DupSimArr of an array the target has logs a warning; the
// dump lists every cell and the contents of each bag.
TEST_F(PerData, MissingArraysDuplicatesAndTheDumpGoToTheLog) {
    TCvPerData written(vtDefaults, 1);
    written.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Loaded", 1);
    written.CreateSimArr(kCategoryFirm, Context(2, 0, 0), "Arr", dkByte, 0, {&kBrands}).SetByte({3}, 9);
    Save(written, file);
    TCvPerData set(vtDefaults, 1);
    Load(set, file);  // a loaded cell is listed with its contents too
    struct TLogGuard {  // the log is closed and quiet again whatever the test's outcome
        ~TLogGuard() { LogClose(), DebugLevel = 0; }
    } logGuard;
    DebugLevel = 9;
    LogOpen(dir / "GRID", 1);
    set.SetSmallint(kCategoryFirmFtaMarket, Context(6, 3, 3), "Last", 1);
    EXPECT_EQ(ErrorText<EDataError>([&] { set.GetSimArr(kCategoryFirm, Context(2, 0, 0), "Absent"); }),
              "array Absent missing in the default decisions of period 1, firm 2");
    EXPECT_EQ(set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Hidden"), nullptr);
    // The empty cell (4, 0, 0) answers as an empty bag and is not created.
    EXPECT_EQ(ErrorText<EDataError>([&] { set.GetSimArr(kCategoryFirm, Context(4, 0, 0), "Other"); }),
              "array Other missing in the default decisions of period 1, firm 4");
    EXPECT_EQ(set.FindSimArr(kCategoryFirm, Context(4, 0, 0), "Hidden"), nullptr);
    EXPECT_EQ(set.Cell({4, 0, 0}), nullptr);
    set.DumpToLog();
    // Duplicated into an empty cell, then again over the copy: one copy, one warning.
    TCvPerData target(vtDecisions, 5);
    TSimArr* copy = &target.DupSimArr(set, kCategoryFirm, Context(2, 0, 0), "Arr");
    ASSERT_NE(copy, set.FindSimArr(kCategoryFirm, Context(2, 0, 0), "Arr"));
    copy->SetByte({3}, 1);
    EXPECT_EQ(&target.DupSimArr(set, kCategoryFirm, Context(2, 0, 0), "Arr"), copy);
    EXPECT_EQ(copy->GetByte({3}), 9);
    EXPECT_EQ(target.Cell({2, 0, 0})->ArrayCount(), 1);
    EXPECT_EQ(ErrorText<EDataError>([&] { target.DupSimArr(set, kCategoryFirm, Context(2, 0, 0), "Missing"); }),
              "array Missing missing in the default decisions of period 1, firm 2");
    EXPECT_TRUE(ui.plainBoxes.empty());
    LogClose();
    const std::string text = test::ReadFileBytes(dir / "GRID01.TXT");
    for (const auto& [line, count] :
         {std::pair{"Hidden", 0}, {"Warning : attempt to duplicate an existing array Arr", 1}})
        EXPECT_EQ(Occurrences(text, line), count) << line << text;
    EXPECT_PRED2(test::Contains, text,
                 "What=6   ThisPer=1\niFir=0   iFta=0   iMkt=0   \niFir=0   iFta=0   iMkt=1   \n");
    EXPECT_EQ(Occurrences(text, "iFir="), 112);  // 7 x 4 x 4 cells
    EXPECT_PRED2(test::Contains, text,
                 "iFir=2   iFta=0   iMkt=0   \n   #scal=1   #sarr=1\n   scal 0 : Loaded\n   sarr 0 : Arr\n");
    EXPECT_PRED2(test::Contains, text, "iFir=6   iFta=3   iMkt=3   \n   #scal=1   #sarr=0\n   scal 0 : Last\n");
}

// Copies of cells read from a file are deep and marked changed, so that they are saved.
TEST_F(PerData, CopiesAreDeepAndMarkedSoThatTheyAreSaved) {
    TCvPerData written(vtDecisions, 3);
    written.SetSmallint(kCategoryFirmFta, Context(2, 1, 0), "OnlyScalar", 5);
    written.CreateSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr", dkSmallint, 0, {&kBrands}).SetSmallint({1}, 9);
    written.SetSmallint(kCategoryFirm, Context(3, 0, 0), "OtherFirm", 1);
    written.SetSmallint(kCategoryIndustry, {}, "Status", 1);
    Save(written, file);
    TCvPerData source(vtDecisions, 3);
    Load(source, file);
    ASSERT_FALSE(source.Cell({2, 1, 0})->IsModified());

    TCvPerData target(vtDefaults, 5);
    target.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept", 3);
    target.SetSmallint(kCategoryFirmFta, Context(2, 1, 0), "Replaced", 3);
    target.CopyFirmCells(2, source);
    EXPECT_EQ((std::vector<int>{target.GetSmallintDef(kCategoryFirmFta, Context(2, 1, 0), "Replaced", -1),
                                target.GetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept")}),
              (std::vector<int>{-1, 3}));
    EXPECT_EQ(target.Cell({3, 0, 0}), nullptr);
    source.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr").SetSmallint({1}, -4);
    EXPECT_EQ(target.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr").GetSmallint({1}), 9);
    EXPECT_EQ(target.CopyScalar(source, kCategoryFirm, Context(3, 0, 0), "OtherFirm").integer, 1);
    TCvPerData reloaded(vtDefaults, 5);
    Save(target, dir / "target.vs");
    Load(reloaded, dir / "target.vs");
    EXPECT_EQ((std::vector<int>{reloaded.GetSmallint(kCategoryFirmFta, Context(2, 1, 0), "OnlyScalar"),
                                reloaded.GetSmallint(kCategoryFirm, Context(3, 0, 0), "OtherFirm"),
                                reloaded.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr").GetSmallint({1})}),
              (std::vector<int>{5, 1, 9}));

    // CopyAllCells mirrors the whole grid: cells the source lacks go.
    TCvPerData mirror(vtDefaults, 3);
    mirror.SetSmallint(kCategoryFirm, Context(5, 0, 0), "Gone", 7);
    mirror.CopyAllCells(source);
    int cells = 0;
    ForEachCell([&](const TCellIndex& cell) {
        const TSimData* original = source.Cell(cell);
        const TSimData* copy = mirror.Cell(cell);
        ASSERT_EQ(original == nullptr, copy == nullptr);
        if (copy == nullptr) return;
        ++cells;
        EXPECT_TRUE(copy->IsModified());
        EXPECT_EQ(CellBytes(*copy), CellBytes(*original));
    });
    EXPECT_EQ(cells, 4);

    // A cell whose tagged form exceeds a volume (two arrays of 60,000 bytes) cannot
    // be copied: the target keeps every cell it had.
    TCvPerData oversized(vtDecisions, 4);
    for (const char* name : {"Big1", "Big2"})
        oversized.AddSimArr(kCategoryFirm, Context(2, 0, 0), name, std::make_unique<TSimArr>())
            .Init(dkReal48, 0, 1, {1}, {10000});
    EXPECT_THROW(mirror.CopyAllCells(oversized), ERangeError);
    EXPECT_EQ(mirror.GetSmallint(kCategoryIndustry, {}, "Status"), 1);
    // Swapping exchanges the cells, not the kind and period.
    mirror.SwapCells(oversized);
    EXPECT_EQ(oversized.GetSmallint(kCategoryIndustry, {}, "Status"), 1);
    EXPECT_EQ(oversized.Period(), 4);
}

// Decisions read from the file gain a loan array that stays all zero; a new
// cell holds nothing but a created array. Both arrays are data and come back.
TEST_F(PerData, ACreatedArrayNeverWrittenIsSavedAllZero) {
    const TSeries periods(2, "Periods", 0, {"P0", "P1"});
    TCvPerData first(vtDecisions, 1);
    first.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Budget", 4);
    Save(first, file);
    TCvPerData reopened(vtDecisions, 1);
    Load(reopened, file);
    reopened.CreateSimArr(kCategoryFirm, Context(1, 0, 0), "LoanVal", dkReal48, 0, {&kBrands});
    reopened.CreateSimArr(kCategoryFirm, Context(3, 0, 0), "LoanDur", dkSmallint, 0, {&kBrands, &periods});
    Save(reopened, file, false);
    TCvPerData again(vtDecisions, 1);
    Load(again, file);
    EXPECT_EQ(again.GetSmallint(kCategoryFirm, Context(1, 0, 0), "Budget"), 4);
    const TSimArr* values = again.FindSimArr(kCategoryFirm, Context(1, 0, 0), "LoanVal");
    const TSimArr* durations = again.FindSimArr(kCategoryFirm, Context(3, 0, 0), "LoanDur");
    ASSERT_TRUE(values && durations);
    // 3 brands, and 3 brands x periods 0..1.
    EXPECT_EQ((std::vector<int>{values->Count(), durations->Count()}), (std::vector<int>{3, 6}));
    EXPECT_EQ(values->GetReal48({3}) + durations->GetSmallint({3, 1}), 0.0L);
}

// A byte array of 2 x 32,700 = 65,400 elements saved alone fits its volume;
// once a 255-character text scalar is stored before it, its element block no
// longer does. Written form, scalars first (docs/tagged_forms.md):
//   text scalar "T": tag 1, name 3 + 1, tag 2, value: 2 kind, 2 sub type,
//   tag 7 and the text field 255 + 2, tag 50 = 1 + 4 + 1 + 2 + 2 + 1 + 257 + 1 = 269;
//   array "A": tag 101, name 4, tag 102 (6); two dimension names of 1 + 19
//   (46); tag 104 (47); kind, sub type, NDim, 2 each (53); lower and upper
//   bounds, 1 + 4 each (63); tag '8' (64): the block starts 64 bytes into the
//   array, at 269 + 64 = 333, and would end at 65,733.
TEST_F(PerData, ACellTooLargeForItsVolumeNamesFileKeysAndOffsetAndLosesNothing) {
    const TSeries rows(3, "Rows", 1, {"R1", "R2"});
    const TSeries columns(4, "Columns", 1, std::vector<std::string>(32700, "c"));
    TCvPerData written(vtResults, 2);
    written.CreateSimArr(kCategoryFirm, Context(1, 0, 0), "A", dkByte, 0, {&rows, &columns}).SetByte({2, 9}, 7);
    Save(written, file);
    TCvPerData loaded(vtResults, 2);
    Load(loaded, file);
    loaded.SetString(kCategoryFirm, Context(1, 0, 0), "T", std::string(255, 't'));
    EXPECT_EQ(ErrorText<ERangeError>([&] { Save(loaded, file, false); }),
              "Industry file " + file +
                  ", volume (type 4, period 2, zone 32767, market 32767, firm 1): Range check error: a field of "
                  "65400 bytes at offset 333 ends past the 65521 bytes of a volume");
    // A copy refuses the cell alike and leaves its target as it was; without
    // the text the cell fits and copies.
    TCvPerData copy(vtResults, 3);
    copy.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept", 1);
    EXPECT_EQ(ErrorText<ERangeError>([&] { copy.CopyAllCells(loaded); }),
              "Copy of volume (type 4, period 2, zone 32767, market 32767, firm 1): Range check error: a field of "
              "65400 bytes at offset 333 ends past the 65521 bytes of a volume");
    EXPECT_EQ(copy.GetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept"), 1);
    copy.CopyAllCells(written);
    EXPECT_EQ(copy.GetSimArr(kCategoryFirm, Context(1, 0, 0), "A").GetByte({2, 9}), 7);
    TCvPerData kept(vtResults, 2);
    Load(kept, file);
    EXPECT_EQ(kept.GetSimArr(kCategoryFirm, Context(1, 0, 0), "A").GetByte({2, 9}), 7);
    EXPECT_EQ(kept.GetSmallintDef(kCategoryFirm, Context(1, 0, 0), "T", -1), -1);

    // The period key stops at 12: a set of period 13 has no volume to go to.
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "thirteen.vs");
    TCvPerData thirteen(vtDecisions, 13);
    thirteen.SetSmallint(kCategoryIndustry, {}, "N", 1);
    EXPECT_THROW(thirteen.SaveToVolSet(volumes), EVolSetError);
    volumes.Close();
}

// A stored cell is checked when it is first used: loading the set succeeds,
// the malformed cell fails each use with the file and its volume's keys named,
// the other cells read, and neither a save nor a copy writes from its bytes.
TEST_F(PerData, AMalformedStoredCellFailsEachUseNamingFileAndKeysAndIsNeverWritten) {
    TCvPerData written(vtResults, 2);
    written.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Sound", 4);
    written.SetSmallint(kCategoryFirm, Context(2, 0, 0), "N", 5);
    Save(written, file);
    // Firm 2's volume loses its last byte, the bag's end tag: the reader asks
    // for a tag of 1 byte at offset Size - 1 of a volume of Size - 1 bytes.
    std::vector<std::uint8_t> cut = CellBytes(*written.Cell({2, 0, 0}));
    const std::size_t size = cut.size() - 1;
    cut.resize(size);
    {
        TVolSet volumes;
        volumes.OpenReadWrite(file);
        volumes.VolumeSet(cut.data(), static_cast<std::uint16_t>(size), CellVolumeKeys(vtResults, 2, {2, 0, 0}));
        volumes.Close();
    }
    const std::string expected =
        "Industry file " + file + ", volume (type 4, period 2, zone 32767, market 32767, firm 2): bag: tag at offset " +
        std::to_string(size) + ": truncated data: a field of 1 bytes at offset " + std::to_string(size) +
        " runs past the end of " + std::to_string(size) + " bytes";
    TCvPerData loaded(vtResults, 2);
    Load(loaded, file);
    EXPECT_EQ(loaded.GetSmallint(kCategoryFirm, Context(1, 0, 0), "Sound"), 4);
    EXPECT_EQ(ErrorText<EDataError>([&] { loaded.GetSmallint(kCategoryFirm, Context(2, 0, 0), "N"); }), expected);
    EXPECT_EQ(ErrorText<EDataError>([&] { loaded.SetSmallint(kCategoryFirm, Context(2, 0, 0), "N", 6); }), expected);
    TCvPerData copy(vtDecisions, 3);
    copy.SetSmallint(kCategoryFirm, Context(3, 0, 0), "Kept", 1);
    EXPECT_EQ(ErrorText<EDataError>([&] { copy.CopyAllCells(loaded); }), expected);
    EXPECT_EQ(copy.GetSmallint(kCategoryFirm, Context(3, 0, 0), "Kept"), 1);
    // The sound cell changed and saved; the malformed one stays as the file holds it.
    loaded.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Sound", 7);
    Save(loaded, file, false);
    TVolSet volumes;
    volumes.OpenReadOnly(file);
    const std::uint8_t* data = nullptr;
    std::uint16_t stored = 0;
    ASSERT_TRUE(volumes.VolumeGet(data, stored, CellVolumeKeys(vtResults, 2, {2, 0, 0})));
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + stored), cut);
    volumes.Close();
    TCvPerData reloaded(vtResults, 2);
    Load(reloaded, file);
    EXPECT_EQ(reloaded.GetSmallint(kCategoryFirm, Context(1, 0, 0), "Sound"), 7);
}

// A built cell moves with its contents and marks; a cell still stored in the
// file, an empty one, or one whose place in the target holds something stays put.
TEST_F(PerData, AdoptCellMovesOnlyABuiltCellIntoAnEmptyPlace) {
    TCvPerData written(vtResults, 2);
    written.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Stored", 3);
    Save(written, file);
    TCvPerData from(vtResults, 2);
    Load(from, file);
    from.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Built", 4);
    from.SetSmallint(kCategoryFirm, Context(3, 0, 0), "Taken", 5);
    TCvPerData to(vtResults, 2);
    to.SetSmallint(kCategoryFirm, Context(3, 0, 0), "Held", 6);

    TSimData* moved = to.AdoptCell(from, kCategoryFirm, Context(2, 0, 0));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved, to.Cell({2, 0, 0}));
    EXPECT_EQ(TSimData::SmallintOf(*moved->FindScalar("Built")), 4);
    EXPECT_TRUE(moved->IsModified());
    EXPECT_EQ(from.Cell({2, 0, 0}), nullptr);

    EXPECT_EQ(to.AdoptCell(from, kCategoryFirm, Context(1, 0, 0)), nullptr);  // stored, not built
    EXPECT_EQ(to.AdoptCell(from, kCategoryFirm, Context(4, 0, 0)), nullptr);  // empty
    EXPECT_EQ(to.AdoptCell(from, kCategoryFirm, Context(3, 0, 0)), nullptr);  // the target's place is taken
    EXPECT_EQ(from.GetSmallint(kCategoryFirm, Context(1, 0, 0), "Stored"), 3);
    EXPECT_EQ(from.GetSmallint(kCategoryFirm, Context(3, 0, 0), "Taken"), 5);
    EXPECT_EQ(to.GetSmallint(kCategoryFirm, Context(3, 0, 0), "Held"), 6);
    EXPECT_EQ(to.Cell({1, 0, 0}), nullptr);
}

// Firm 3, zone 2, market 1: each category keeps only its own dimensions; an
// unknown one is reported and gives the industry cell.
TEST(CalcIndices, EachCategoryKeepsOnlyItsDimensions) {
    const TCellIndex cells[] = {{0, 0, 0}, {3, 0, 0}, {0, 2, 0}, {0, 0, 1}, {3, 2, 0}, {3, 0, 1}, {0, 2, 1}, {3, 2, 1}};
    TDataContext context = test::CellContext(3, 2, 1);
    context.SelPeriod = 12;  // not a dimension of any cell
    context.SelSegment = 5;
    for (int category = -1; category <= 9; ++category) {
        test::RecordingUi ui;
        const bool known = category >= 1 && category <= 8;
        EXPECT_EQ(CalcIndices(category, context), known ? cells[category - 1] : TCellIndex{}) << category;
        EXPECT_EQ(ui.plainBoxes, known ? std::vector<std::string>{}
                                       : std::vector<std::string>{"CalcIndices: unknown category: " +
                                                                  std::to_string(category)})
            << category;
    }
}

}  // namespace
}  // namespace cv
