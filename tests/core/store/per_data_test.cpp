// The per-period data grid: cells picked by category and context, the silent
// and the reporting getters, copies between sets, and the volumes a set is
// saved to and loaded from.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/recording_ui.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using test::CellContext;
using test::CreateIndustrySet;
using test::ErrorText;
constexpr auto Context = CellContext;

const TSeries kBrands(1, "Brands", 1, {"B1", "B2", "B3"});
const TSeries kSegments(2, "Segments", 1, {"S1", "S2"});

class PerDataLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugLevel = 9;
        LogOpen(dir / "GRID", 1);
    }
    void TearDown() override {
        LogClose();
        DebugLevel = 0;
    }
    std::string LogText() {
        LogClose();
        return test::ReadFileBytes(dir / "GRID01.TXT");
    }
    static int Occurrences(const std::string& text, const std::string& what) {
        int count = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
        return count;
    }
    test::TempDir dir;
    test::RecordingUi ui;
};

TEST(PerData, CategoryAndContextPickTheCell) {
    test::RecordingUi ui;
    TCvPerData set(vtDecisions, 5);
    set.SetSmallint(kCategoryFirm, Context(3, 1, 2), "N", 7);

    // Category 2 keeps only the firm: any zone and market reach cell (3, 0, 0).
    EXPECT_EQ(set.GetSmallint(kCategoryFirm, Context(3, 3, 1), "N"), 7);
    EXPECT_NE(set.Cell({3, 0, 0}), nullptr);
    EXPECT_TRUE(ui.errorBoxes.empty());

    // Category 5 selects (3, 1, 0), which holds nothing: the silent form gives
    // the default, the reporting form the bag's report and 0; no cell appears.
    EXPECT_EQ(set.GetSmallintDef(kCategoryFirmFta, Context(3, 1, 2), "N", -9), -9);
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_EQ(set.GetSmallint(kCategoryFirmFta, Context(3, 1, 2), "N"), 0);
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[GetScalar] Unknown scalar : N"});
    EXPECT_EQ(set.Cell({3, 1, 0}), nullptr);

    // An unknown category is reported and stores into the industry-wide cell.
    set.SetSmallint(9, Context(2, 2, 2), "M", 4);
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"CalcIndices: unknown category: 9"});
    EXPECT_EQ(set.GetSmallint(kCategoryIndustry, Context(5, 1, 1), "M"), 4);

    // Cells outside firm 0..6, zone 0..3, market 0..3.
    EXPECT_THROW(set.SetSmallint(kCategoryFirm, Context(7, 0, 0), "N", 1), ERangeError);
    EXPECT_THROW(set.GetReal(kCategoryFirmFtaMarket, Context(1, 4, 1), "N"), ERangeError);
    EXPECT_THROW(set.GetSimArr(kCategoryMarket, Context(0, 0, -1), "N"), ERangeError);
}

TEST(PerData, ScalarSettersAndGetters) {
    test::RecordingUi ui;
    TCvPerData set(vtResults, 2);
    const TDataContext context = Context(1, 2, 3);
    set.SetReal(kCategoryFirmFtaMarket, context, "R", 1.25L);
    set.SetString(kCategoryFirmFtaMarket, context, "S", "Brand AX");
    set.SetReal(kCategoryFirmFtaMarket, context, "Half", 2.5L);
    set.SetReal(kCategoryFirmFtaMarket, context, "Big", 40000.0L);

    EXPECT_EQ(set.GetReal(kCategoryFirmFtaMarket, context, "R"), 1.25L);
    EXPECT_EQ(set.GetRealDef(kCategoryFirmFtaMarket, context, "R", 9.0L), 1.25L);
    EXPECT_EQ(set.GetRealDef(kCategoryFirmFtaMarket, context, "Never", 2.5L), 2.5L);
    // A stored zero is a value, not an absence: the defaults do not replace it.
    TSimValue storedZero;
    storedZero.kind = dkByte;
    set.SetScalar(kCategoryFirmFtaMarket, context, "Zero", storedZero);
    EXPECT_EQ(set.GetSmallintDef(kCategoryFirmFtaMarket, context, "Zero", 7), 0);
    EXPECT_EQ(set.GetRealDef(kCategoryFirmFtaMarket, context, "Zero", 7.0L), 0.0L);
    EXPECT_EQ(set.GetString(kCategoryFirmFtaMarket, context, "S"), "Brand AX");
    // A real read as a smallint rounds halves to even: 2.5 gives 2.
    EXPECT_EQ(set.GetSmallintDef(kCategoryFirmFtaMarket, context, "Half", 0), 2);
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.plainBoxes.empty());
    // 40000 does not fit 16 bits.
    EXPECT_THROW(set.GetSmallintDef(kCategoryFirmFtaMarket, context, "Big", 0), ERangeError);

    TSimValue value;
    set.GetScalar(kCategoryFirmFtaMarket, context, "S", kAnyKind, true, value);
    EXPECT_EQ(value.kind, dkZts);
    EXPECT_EQ(value.text, "Brand AX");
    set.GetScalar(kCategoryFirmFtaMarket, context, "Gone", dkSmallint, false, value);
    EXPECT_TRUE(ui.errorBoxes.empty());
    set.GetScalar(kCategoryFirmFtaMarket, context, "Gone", dkSmallint, true, value);
    EXPECT_EQ(ui.errorBoxes.size(), 1u);
}

TEST_F(PerDataLogTest, MissingArraysAreLoggedByGetSimArrOnly) {
    TCvPerData set(vtDecisions, 1);
    set.SetSmallint(kCategoryIndustry, {}, "N", 1);
    EXPECT_EQ(set.GetSimArr(kCategoryIndustry, {}, "Absent"), nullptr);
    EXPECT_EQ(set.FindSimArr(kCategoryIndustry, {}, "Hidden"), nullptr);
    EXPECT_EQ(set.FindSimArr(kCategoryFirm, Context(4, 0, 0), "Hidden"), nullptr);
    // The empty cell (4, 0, 0) answers as an empty bag and is not created.
    EXPECT_EQ(set.GetSimArr(kCategoryFirm, Context(4, 0, 0), "Other"), nullptr);
    EXPECT_EQ(set.Cell({4, 0, 0}), nullptr);
    const std::string text = LogText();
    EXPECT_EQ(Occurrences(text, "cannot get SimArr Absent\n"), 1) << text;
    EXPECT_EQ(Occurrences(text, "cannot get SimArr Other\n"), 1) << text;
    EXPECT_EQ(Occurrences(text, "Hidden"), 0) << text;
}

TEST(PerData, CreateSimArrTakesItsShapeFromTheSeries) {
    TCvPerData set(vtConstant, kConstantPeriod);
    TSimArr& array = set.CreateSimArr(kCategoryFtaMarket, Context(0, 2, 1), "BrdSegAwa", dkReal48, 0,
                                      {&kBrands, &kSegments});
    EXPECT_EQ(array.NDim(), 2);
    EXPECT_EQ(array.LB(1), 1);
    EXPECT_EQ(array.UB(1), 3);
    EXPECT_EQ(array.UB(2), 2);
    EXPECT_EQ(array.DimName(1), "Brands");
    EXPECT_EQ(array.DimName(2), "Segments");
    EXPECT_EQ(set.GetSimArr(kCategoryFtaMarket, Context(6, 2, 1), "brdsegawa"), &array);
    EXPECT_THROW(set.CreateSimArr(kCategoryFtaMarket, Context(0, 2, 1), "BrdSegAwa", dkByte, 0, {&kBrands}),
                 ECvError);
    EXPECT_THROW(set.CreateSimArr(kCategoryIndustry, {}, "NoDims", dkByte, 0, {}), ERangeError);
}

TEST_F(PerDataLogTest, DupSimArrTwiceLeavesOneCopyAndOneWarning) {
    TCvPerData source(vtDecisions, 4);
    TCvPerData target(vtDecisions, 5);
    const TDataContext context = Context(2, 0, 0);
    TSimArr& original = source.CreateSimArr(kCategoryFirm, context, "Price", dkReal48, 0, {&kBrands});
    original.SetReal48({2}, 11.5L);

    TSimArr* first = target.DupSimArr(source, kCategoryFirm, context, "Price");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first, &original);
    original.SetReal48({3}, 7.0L);
    TSimArr* second = target.DupSimArr(source, kCategoryFirm, context, "Price");
    EXPECT_EQ(second, first);
    for (int brand = 1; brand <= 3; ++brand) EXPECT_EQ(first->GetReal48({brand}), original.GetReal48({brand}));
    EXPECT_EQ(first->GetReal48({3}), 7.0L);
    EXPECT_EQ(target.Cell({2, 0, 0})->ArrayCount(), 1);

    EXPECT_EQ(target.DupSimArr(source, kCategoryFirm, context, "Missing"), nullptr);
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"[TCvPerData.DupSimArr] cannot duplicate Missing"});
    const std::string text = LogText();
    EXPECT_EQ(Occurrences(text, "Warning : attempt to duplicate an existing array Price"), 1) << text;
}

// A set saved to Volumes and read back, as a fresh industry file would give it.
void SaveAndReload(const TCvPerData& set, TCvPerData& loaded, const std::string& file) {
    TVolSet volumes;
    CreateIndustrySet(volumes, file);
    set.SaveToVolSet(volumes);
    volumes.Close();
    volumes.OpenReadOnly(file);
    loaded.LoadFromVolSet(volumes);
}

TEST(PerData, CopiesAreDeepAndMarkedSoThatTheyAreSaved) {
    test::TempDir dir;
    TCvPerData written(vtDecisions, 3);
    written.SetSmallint(kCategoryFirmFta, Context(2, 1, 0), "OnlyScalar", 5);
    written.CreateSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr", dkSmallint, 0, {&kBrands}).SetSmallint({1}, 9);
    written.SetSmallint(kCategoryFirm, Context(3, 0, 0), "OtherFirm", 1);
    // Read from a file, the source's scalars and arrays carry no changed mark.
    TCvPerData source(vtDecisions, 3);
    SaveAndReload(written, source, dir / "source.vs");
    ASSERT_FALSE(source.Cell({2, 1, 0})->IsModified());

    TCvPerData target(vtDefaults, 5);
    target.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept", 3);
    target.SetSmallint(kCategoryFirmFta, Context(2, 1, 0), "Replaced", 3);
    target.CopyFirmCells(2, source);
    EXPECT_EQ(target.GetSmallint(kCategoryFirmFta, Context(2, 1, 0), "OnlyScalar"), 5);
    EXPECT_EQ(target.GetSmallintDef(kCategoryFirmFta, Context(2, 1, 0), "Replaced", -1), -1);
    EXPECT_EQ(target.GetSmallint(kCategoryFirm, Context(2, 0, 0), "Kept"), 3);
    EXPECT_EQ(target.Cell({3, 0, 0}), nullptr);
    // Deep: changing the source leaves the copy.
    source.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr")->SetSmallint({1}, -4);
    EXPECT_EQ(target.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr")->GetSmallint({1}), 9);

    const TSimValue copied = target.CopyScalar(source, kCategoryFirm, Context(3, 0, 0), "OtherFirm");
    EXPECT_EQ(copied.integer, 1);

    // Saved: the cells (2,0,0), (2,1,0), (2,0,2) and (3,0,0), the scalar-only copies included.
    TCvPerData reloaded(vtDefaults, 5);
    SaveAndReload(target, reloaded, dir / "target.vs");
    EXPECT_EQ(reloaded.GetSmallint(kCategoryFirmFta, Context(2, 1, 0), "OnlyScalar"), 5);
    EXPECT_EQ(reloaded.GetSmallint(kCategoryFirm, Context(3, 0, 0), "OtherFirm"), 1);
    EXPECT_EQ(reloaded.GetSimArr(kCategoryFirmMarket, Context(2, 0, 2), "Arr")->GetSmallint({1}), 9);
}

constexpr auto CellBytes = [](const TSimData& cell) { return test::StoredForm(cell); };

TEST(PerData, CopyAllCellsMirrorsTheWholeGridAndChangesNothingWhenACellCannotBeCopied) {
    test::TempDir dir;
    TCvPerData written(vtDecisions, 4);
    written.SetSmallint(kCategoryIndustry, {}, "Status", 1);
    written.CreateSimArr(kCategoryFirmFtaMarket, Context(6, 3, 3), "Arr", dkReal48, 0, {&kBrands})
        .SetReal48({2}, 2.5L);
    written.SetString(kCategoryFirmFta, Context(1, 2, 0), "Name", "One");
    TCvPerData source(vtDecisions, 4);
    SaveAndReload(written, source, dir / "source.vs");  // read back: nothing marked changed

    TCvPerData target(vtDefaults, 4);
    target.SetSmallint(kCategoryFirmFta, Context(1, 2, 0), "Stale", 7);  // replaced by the source's cell
    target.SetSmallint(kCategoryFirm, Context(5, 0, 0), "Gone", 7);      // the source has no such cell
    target.CopyAllCells(source);
    EXPECT_EQ(target.Cell({5, 0, 0}), nullptr);
    EXPECT_EQ(target.FindSimArr(kCategoryFirmFta, Context(1, 2, 0), "Stale"), nullptr);
    EXPECT_EQ(target.GetSmallintDef(kCategoryFirmFta, Context(1, 2, 0), "Stale", -1), -1);
    int cells = 0;
    ForEachCell([&](const TCellIndex& cell) {
        const TSimData* original = source.Cell(cell);
        const TSimData* copy = target.Cell(cell);
        ASSERT_EQ(original == nullptr, copy == nullptr);
        if (!copy) return;
        ++cells;
        EXPECT_NE(copy, original);
        EXPECT_TRUE(copy->IsModified());
        EXPECT_EQ(CellBytes(*copy), CellBytes(*original));
    });
    EXPECT_EQ(cells, 3);
    // Deep: a change of the source leaves the copy.
    source.GetSimArr(kCategoryFirmFtaMarket, Context(6, 3, 3), "Arr")->SetReal48({2}, 9);
    EXPECT_EQ(target.GetSimArr(kCategoryFirmFtaMarket, Context(6, 3, 3), "Arr")->GetReal48({2}), 2.5L);

    // A cell whose tagged form exceeds a volume (two arrays of 60,000 bytes) cannot be
    // copied: the target keeps every cell it had.
    TCvPerData oversized(vtDecisions, 4);
    for (const char* name : {"Big1", "Big2"}) {
        auto array = std::make_unique<TSimArr>();
        array->Init(dkReal48, 0, 1, {1}, {10000});
        oversized.AddSimArr(kCategoryFirm, Context(2, 0, 0), name, std::move(array));
    }
    oversized.SetSmallint(kCategoryIndustry, {}, "Status", 2);
    EXPECT_THROW(target.CopyAllCells(oversized), ERangeError);
    EXPECT_EQ(target.GetSmallint(kCategoryIndustry, {}, "Status"), 1);
    EXPECT_EQ(target.Cell({2, 0, 0}), nullptr);

    // Swapping exchanges the cells and nothing else.
    TCvPerData other(vtResults, 9);
    other.SetSmallint(kCategoryFirm, Context(4, 0, 0), "Four", 4);
    target.SwapCells(other);
    EXPECT_EQ(target.GetSmallint(kCategoryFirm, Context(4, 0, 0), "Four"), 4);
    EXPECT_EQ(target.Cell({0, 0, 0}), nullptr);
    EXPECT_EQ(other.GetSmallint(kCategoryIndustry, {}, "Status"), 1);
    EXPECT_EQ(target.What(), vtDefaults);
    EXPECT_EQ(target.Period(), 4);
}

TEST(PerData, SaveWritesChangedNonEmptyCellsUnderTheirKeysAndLoadRestoresThem) {
    test::TempDir dir;
    const std::string file = dir / "grid.vs";
    TVolSet volumes;
    CreateIndustrySet(volumes, file);

    TCvPerData set(vtDecisions, 5);
    set.SaveToVolSet(volumes);
    EXPECT_EQ(volumes.VolumeCount(), 0);  // nothing stored, nothing written

    set.SetReal(kCategoryIndustry, {}, "Total", 3.5L);
    set.CreateSimArr(kCategoryFirmFtaMarket, Context(2, 1, 3), "Sales", dkReal48, 0, {&kBrands})
        .SetReal48({3}, 120.25L);
    set.SetString(kCategoryFirm, Context(6, 0, 0), "Name", "Six");
    set.SaveToVolSet(volumes);
    EXPECT_EQ(volumes.VolumeCount(), 3);
    // Keys (type, period, zone, market, firm), an index 0 stored as 32767.
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    EXPECT_TRUE(volumes.VolumeGet(data, size, {5, 5, 32767, 32767, 32767}));
    EXPECT_TRUE(volumes.VolumeGet(data, size, {5, 5, 1, 3, 2}));
    EXPECT_TRUE(volumes.VolumeGet(data, size, {5, 5, 32767, 32767, 6}));
    EXPECT_FALSE(volumes.VolumeGet(data, size, {5, 5, 32767, 32767, 1}));
    volumes.Close();

    test::ManualClock clock;
    TVolSet reopened(clock.Function());
    reopened.OpenReadWrite(file);
    TCvPerData loaded(vtDecisions, 5);
    loaded.LoadFromVolSet(reopened);
    EXPECT_EQ(loaded.GetReal(kCategoryIndustry, Context(3, 3, 3), "Total"), 3.5L);
    EXPECT_EQ(loaded.GetSimArr(kCategoryFirmFtaMarket, Context(2, 1, 3), "Sales")->GetReal48({3}), 120.25L);
    EXPECT_EQ(loaded.GetString(kCategoryFirm, Context(6, 1, 1), "Name"), "Six");
    int cells = 0;
    ForEachCell([&](const TCellIndex& cell) { cells += loaded.Cell(cell) != nullptr; });
    EXPECT_EQ(cells, 3);

    // Nothing changed since loading: a save stores no volume. After one change, it stores that cell.
    clock.now += 1;
    loaded.SaveToVolSet(reopened);
    for (int i = 0; i < reopened.VolumeCount(); ++i) EXPECT_NE(reopened.Entry(i).stored, clock.now) << i;
    loaded.SetString(kCategoryFirm, Context(6, 0, 0), "Name", "Sixth");
    loaded.SaveToVolSet(reopened);
    std::vector<std::int16_t> storedFirms;
    for (int i = 0; i < reopened.VolumeCount(); ++i)
        if (reopened.Entry(i).stored == clock.now) storedFirms.push_back(reopened.Entry(i).keys[4]);
    EXPECT_EQ(storedFirms, std::vector<std::int16_t>{6});
    reopened.Close();
}

TEST(PerData, CellThatGrowsOrShrinksIsSavedAndReadBackAfterReopening) {
    test::TempDir dir;
    const std::string file = dir / "resize.vs";
    const TDataContext context = Context(1, 2, 0);
    {
        TVolSet volumes;
        CreateIndustrySet(volumes, file);
        TCvPerData set(vtResults, 4);
        set.SetString(kCategoryFirmFta, context, "Text", "short");
        set.SetSmallint(kCategoryIndustry, {}, "Neighbour", 1);
        set.SaveToVolSet(volumes);
        volumes.Close();
    }
    const std::string longText(200, 'x');
    for (const std::string& text : {longText, std::string("s")}) {
        {
            TVolSet volumes;
            volumes.OpenReadWrite(file);
            TCvPerData set(vtResults, 4);
            set.LoadFromVolSet(volumes);
            set.SetString(kCategoryFirmFta, context, "Text", text);
            if (text == longText)
                set.CreateSimArr(kCategoryFirmFta, context, "Added", dkReal48, 0, {&kBrands}).SetReal48({2}, 0.5L);
            set.SaveToVolSet(volumes);
            volumes.Close();
        }
        TVolSet volumes;
        volumes.OpenReadOnly(file);
        TCvPerData set(vtResults, 4);
        set.LoadFromVolSet(volumes);
        EXPECT_EQ(set.GetString(kCategoryFirmFta, context, "Text"), text);
        EXPECT_EQ(set.GetSimArr(kCategoryFirmFta, context, "Added")->GetReal48({2}), 0.5L);
        EXPECT_EQ(set.GetSmallint(kCategoryIndustry, {}, "Neighbour"), 1);
    }
}

TEST(PerData, MalformedVolumeNamesItsKeysAndLeavesTheSetAsItWas) {
    test::TempDir dir;
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "bad.vs");
    // Firm 2, zone 0, market 1 of the decisions of period 5: a scalar name whose
    // length byte runs past the end of the volume.
    const std::uint8_t broken[] = {1, 40, 40, 40, 'A'};
    volumes.VolumeSet(broken, sizeof broken, {5, 5, 32767, 1, 2});

    TCvPerData set(vtDecisions, 5);
    set.SetSmallint(kCategoryIndustry, {}, "Before", 8);
    EXPECT_PRED2(test::Contains, ErrorText<EDataError>([&] { set.LoadFromVolSet(volumes); }),
                 "(type 5, period 5, zone 32767, market 1, firm 2)");
    EXPECT_EQ(set.GetSmallint(kCategoryIndustry, {}, "Before"), 8);
    volumes.Close();
}

// Only volumes whose keys name a cell of the grid belong to the set: one with a
// key beyond the industry's five set is left alone.
TEST(PerData, VolumesThatNameNoCellAreNotLoaded) {
    test::TempDir dir;
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "extra.vs");
    volumes.AddKey("VkExtra", 1, 2);
    TCvPerData written(vtResults, 2);
    written.SetSmallint(kCategoryFirm, Context(1, 0, 0), "Kept", 1);
    written.SaveToVolSet(volumes);
    const std::vector<std::uint8_t> bag = CellBytes(*written.Cell({1, 0, 0}));
    const auto size = static_cast<std::uint16_t>(bag.size());
    volumes.VolumeSet(bag.data(), size, {4, 2, 32767, 32767, 2, 1});  // the sixth key set
    volumes.VolumeSet(bag.data(), size, {4, 2, 3, 32767, 3, 32767});  // the sixth key unset
    TCvPerData loaded(vtResults, 2);
    loaded.LoadFromVolSet(volumes);
    EXPECT_NE(loaded.Cell({1, 0, 0}), nullptr);
    EXPECT_EQ(loaded.Cell({2, 0, 0}), nullptr);
    EXPECT_NE(loaded.Cell({3, 3, 0}), nullptr);
    volumes.Close();
}

TEST(PerData, LoadedCellsAreReadWhenFirstUsedFromBytesOfTheirOwn) {
    test::TempDir dir;
    const std::string file = dir / "lazy.vs";
    TCvPerData written(vtResults, 2);
    written.SetReal(kCategoryFirm, Context(1, 0, 0), "Sales", 10.5L);
    written.SetReal(kCategoryFirm, Context(2, 0, 0), "Sales", 20.5L);
    written.CreateSimArr(kCategoryFirmFta, Context(3, 1, 0), "Share", dkReal48, 0, {&kBrands}).SetReal48({2}, 0.25L);
    test::ManualClock clock;
    TVolSet volumes(clock.Function());
    CreateIndustrySet(volumes, file);
    written.SaveToVolSet(volumes);

    TCvPerData loaded(vtResults, 2);
    loaded.LoadFromVolSet(volumes);
    EXPECT_TRUE(loaded.HasCells());
    // The volumes change after the load (as a later save of another set would
    // move them): the set reads the bytes it kept at load.
    TCvPerData overwriting(vtResults, 2);
    overwriting.SetReal(kCategoryFirm, Context(1, 0, 0), "Sales", -1);
    overwriting.SetReal(kCategoryFirm, Context(2, 0, 0), "Other", -1);
    clock.now += 1;
    overwriting.SaveToVolSet(volumes);
    EXPECT_EQ(loaded.GetReal(kCategoryFirm, Context(1, 0, 0), "Sales"), 10.5L);
    EXPECT_EQ(loaded.GetSimArr(kCategoryFirmFta, Context(3, 1, 2), "Share")->GetReal48({2}), 0.25L);

    // Cells used or not, none is changed: a save stores nothing. The cell of
    // firm 2 was never used and is still the one loaded.
    clock.now += 1;
    loaded.SaveToVolSet(volumes);
    for (int i = 0; i < volumes.VolumeCount(); ++i) EXPECT_NE(volumes.Entry(i).stored, clock.now) << i;
    EXPECT_EQ(loaded.GetReal(kCategoryFirm, Context(2, 0, 0), "Sales"), 20.5L);

    // Swapped and copied before any use, the cells read the same: the copies
    // are marked changed, the swapped cells are not.
    TCvPerData reloaded(vtResults, 2);
    reloaded.LoadFromVolSet(volumes);  // firm 1: Sales -1; firm 2: Other -1; firm 3: Share
    TCvPerData swapped(vtResults, 2);
    swapped.SwapCells(reloaded);
    EXPECT_FALSE(reloaded.HasCells());
    TCvPerData copies(vtResults, 2);
    copies.CopyAllCells(swapped);
    EXPECT_EQ(swapped.GetReal(kCategoryFirm, Context(1, 0, 0), "Sales"), -1.0L);
    EXPECT_EQ(copies.GetRealDef(kCategoryFirm, Context(2, 0, 0), "Other", 0), -1.0L);
    EXPECT_EQ(copies.GetSimArr(kCategoryFirmFta, Context(3, 1, 0), "Share")->GetReal48({2}), 0.25L);
    EXPECT_TRUE(copies.Cell({3, 1, 0})->IsModified());
    EXPECT_FALSE(swapped.Cell({3, 1, 0})->IsModified());
    volumes.Close();
}

TEST(PerData, AMalformedCellFailsTheLoadEvenIfNeverUsedAndTheLoadedCellsStay) {
    test::TempDir dir;
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "later.vs");
    TCvPerData written(vtDecisions, 4);
    written.SetSmallint(kCategoryFirm, Context(1, 0, 0), "First", 1);
    written.SetSmallint(kCategoryFirm, Context(6, 0, 0), "Last", 6);
    written.SaveToVolSet(volumes);
    TCvPerData set(vtDecisions, 4);
    set.LoadFromVolSet(volumes);

    // Firm 6's cell becomes an array whose element block is cut short: the
    // error names its volume, and the cells loaded before, not yet used, stay.
    TSimData bag;
    bag.AddSimArr("Arr", std::make_unique<TSimArr>()).Init(dkSmallint, 0, 1, {1}, {4});
    std::vector<std::uint8_t> bytes = CellBytes(bag);
    bytes.resize(bytes.size() - 4);
    volumes.VolumeSet(bytes.data(), static_cast<std::uint16_t>(bytes.size()), {5, 4, 32767, 32767, 6});
    const std::string text = ErrorText<EDataError>([&] { set.LoadFromVolSet(volumes); });
    EXPECT_PRED2(test::Contains, text, "(type 5, period 4, zone 32767, market 32767, firm 6): bag: array \"Arr\"");
    EXPECT_PRED2(test::Contains, text, "truncated data");
    EXPECT_EQ(set.GetSmallint(kCategoryFirm, Context(1, 0, 0), "First"), 1);
    EXPECT_EQ(set.GetSmallint(kCategoryFirm, Context(6, 0, 0), "Last"), 6);
    volumes.Close();
}

TEST(PerData, OversizedCellsAndPeriodThirteenAreRefusedAtSave) {
    test::TempDir dir;
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "limits.vs");
    const TSeries thousands(3, "Big", 1, std::vector<std::string>(6000));

    // 2 x 6000 Real48 elements = 72,000 bytes: more than a volume buffer holds.
    TCvPerData big(vtResults, 1);
    big.CreateSimArr(kCategoryIndustry, {}, "A", dkReal48, 0, {&thousands}).SetReal48({1}, 1.0L);
    big.CreateSimArr(kCategoryIndustry, {}, "B", dkReal48, 0, {&thousands}).SetReal48({1}, 1.0L);
    EXPECT_THROW(big.SaveToVolSet(volumes), ERangeError);
    EXPECT_EQ(volumes.VolumeCount(), 0);

    // The period key stops at 12: a set of period 13 has no volume to go to.
    TCvPerData thirteen(vtDecisions, 13);
    thirteen.SetSmallint(kCategoryIndustry, {}, "N", 1);
    EXPECT_THROW(thirteen.SaveToVolSet(volumes), EVolSetError);
    TCvPerData loaded(vtDecisions, 13);
    loaded.LoadFromVolSet(volumes);
    EXPECT_FALSE(loaded.HasCells());
    volumes.Close();
}

TEST_F(PerDataLogTest, DumpToLogListsTheSetAndEveryCellWithItsContents) {
    TVolSet volumes;
    CreateIndustrySet(volumes, dir / "dump.vs");
    TCvPerData written(vtDefaults, 1);
    written.SetSmallint(kCategoryFirm, Context(2, 0, 0), "Loaded", 1);
    written.SaveToVolSet(volumes);
    TCvPerData set(vtDefaults, 1);
    set.LoadFromVolSet(volumes);  // a loaded cell is listed with its contents too
    set.SetSmallint(kCategoryFirmFtaMarket, Context(6, 3, 3), "Last", 1);
    set.DumpToLog();
    volumes.Close();
    const std::string text = LogText();
    EXPECT_PRED2(test::Contains, text, "What=6   ThisPer=1\niFir=0   iFta=0   iMkt=0   \niFir=0   iFta=0   iMkt=1   \n");
    // 7 x 4 x 4 cells, the filled ones with their bags' contents.
    EXPECT_EQ(Occurrences(text, "iFir="), 112);
    EXPECT_PRED2(test::Contains, text, "iFir=2   iFta=0   iMkt=0   \n   #scal=1   #sarr=0\n   scal 0 : Loaded\n");
    EXPECT_PRED2(test::Contains, text, "iFir=6   iFta=3   iMkt=3   \n   #scal=1   #sarr=0\n   scal 0 : Last\n");
}

}  // namespace
}  // namespace cv
