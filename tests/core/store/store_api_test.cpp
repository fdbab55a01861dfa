// The data grid's interface: read-only access through a const set, arrays that
// are saved as soon as they are created, and a cell too large for its volume
// reported with the file, the volume's keys and the field that does not fit.

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "core/stats/cv_interf.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

// A const set or bag hands out nothing that writes.
using TConstSet = const TCvPerData&;
static_assert(std::is_same_v<decltype(std::declval<TConstSet>().GetSimArr(0, {}, "")), const TSimArr*>);
static_assert(std::is_same_v<decltype(std::declval<TConstSet>().FindSimArr(0, {}, "")), const TSimArr*>);
static_assert(std::is_same_v<decltype(std::declval<TConstSet>().Cell({})), const TSimData*>);
static_assert(std::is_same_v<decltype(std::declval<const TSimData&>().GetSimArr("")), const TSimArr*>);
static_assert(std::is_same_v<decltype(std::declval<const TSimData&>().FindSimArr("")), const TSimArr*>);
static_assert(std::is_same_v<decltype(TFoundBrand::BrdRpt), const TSimArr*>);

TDataContext FirmContext(std::int16_t firm) {
    TDataContext context;
    context.SelFirm = firm;
    return context;
}

void CreateIndustrySet(TVolSet& volumes, const std::string& file) {
    volumes.Create(file, std::string(kIndustrySignature));
    for (const TIndustryKey& key : kIndustryKeys) volumes.AddKey(std::string(key.name), key.low, key.high);
}

void Save(const TCvPerData& set, const std::string& file, bool create) {
    TVolSet volumes;
    if (create) {
        CreateIndustrySet(volumes, file);
    } else {
        volumes.OpenReadWrite(file);
    }
    set.SaveToVolSet(volumes);
    volumes.Close();
}

void Load(TCvPerData& set, const std::string& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file);
    set.LoadFromVolSet(volumes);
    volumes.Close();
}

const TSeries kLoans(1, "Loans", 1, {"L1", "L2", "L3"});
const TSeries kPeriods(2, "Periods", 0, {"P0", "P1"});

TEST(StoreApi, ConstAccessBuildsAKeptCellAndGivesTheSameArray) {
    test::TempDir dir;
    TCvPerData written(vtDecisions, 1);
    written.CreateSimArr(kCategoryFirm, FirmContext(2), "LoanVal", dkReal48, 0, {&kLoans}).SetReal48({2}, 1.5L);
    Save(written, dir / "set.vs", true);

    TCvPerData loaded(vtDecisions, 1);
    Load(loaded, dir / "set.vs");
    const TCvPerData& readOnly = loaded;
    const TSimArr* seen = readOnly.GetSimArr(kCategoryFirm, FirmContext(2), "LoanVal");
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->GetReal48({2}), 1.5L);
    EXPECT_EQ(loaded.FindSimArr(kCategoryFirm, FirmContext(2), "LoanVal"), seen);
    EXPECT_EQ(readOnly.Cell({2, 0, 0}), loaded.Cell({2, 0, 0}));
}

// Decisions read from the file gain a loan array that stays all zero; a new
// cell holds nothing but a created array. Both arrays are data and come back.
TEST(StoreApi, ACreatedArrayNeverWrittenIsSavedAllZero) {
    test::TempDir dir;
    const std::string file = dir / "created.vs";
    TCvPerData first(vtDecisions, 1);
    first.SetSmallint(kCategoryFirm, FirmContext(1), "Budget", 4);
    Save(first, file, true);

    TCvPerData reopened(vtDecisions, 1);
    Load(reopened, file);
    reopened.CreateSimArr(kCategoryFirm, FirmContext(1), "LoanVal", dkReal48, 0, {&kLoans});
    reopened.CreateSimArr(kCategoryFirm, FirmContext(3), "LoanDur", dkSmallint, 0, {&kLoans, &kPeriods});
    Save(reopened, file, false);

    TCvPerData again(vtDecisions, 1);
    Load(again, file);
    EXPECT_EQ(again.GetSmallint(kCategoryFirm, FirmContext(1), "Budget"), 4);
    const TSimArr* values = again.FindSimArr(kCategoryFirm, FirmContext(1), "LoanVal");
    const TSimArr* durations = again.FindSimArr(kCategoryFirm, FirmContext(3), "LoanDur");
    ASSERT_NE(values, nullptr);
    ASSERT_NE(durations, nullptr);
    EXPECT_EQ(values->Count(), 3);
    EXPECT_EQ(durations->Count(), 6);  // 3 loans x periods 0..1
    for (int loan = 1; loan <= 3; ++loan) {
        EXPECT_EQ(values->GetReal48({loan}), 0.0L);
        for (int period = 0; period <= 1; ++period) EXPECT_EQ(durations->GetSmallint({loan, period}), 0);
    }
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
// Alone, the array's block runs from 64 to 65,463 and the bag ends at 65,466.
TEST(StoreApi, ACellTooLargeForItsVolumeNamesFileKeysAndOffsetAndLosesNothing) {
    test::RecordingUi ui;
    test::TempDir dir;
    const std::string file = dir / "large.vs";
    const TSeries rows(3, "Rows", 1, {"R1", "R2"});
    const TSeries columns(4, "Columns", 1, std::vector<std::string>(32700, "c"));
    TCvPerData written(vtResults, 2);
    written.CreateSimArr(kCategoryFirm, FirmContext(1), "A", dkByte, 0, {&rows, &columns}).SetByte({2, 9}, 7);
    Save(written, file, true);

    TCvPerData loaded(vtResults, 2);
    Load(loaded, file);
    loaded.SetString(kCategoryFirm, FirmContext(1), "T", std::string(255, 't'));
    try {
        Save(loaded, file, false);
        FAIL() << "the cell was saved";
    } catch (const ERangeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Industry file " + file +
                      ", volume (type 4, period 2, zone 32767, market 32767, firm 1): Range check error: a field of "
                      "65400 bytes at offset 333 ends past the 65521 bytes of a volume");
    }

    TCvPerData kept(vtResults, 2);
    Load(kept, file);
    EXPECT_EQ(kept.GetSimArr(kCategoryFirm, FirmContext(1), "A")->GetByte({2, 9}), 7);
    EXPECT_EQ(kept.GetSmallintDef(kCategoryFirm, FirmContext(1), "T", -1), -1);
}

}  // namespace
}  // namespace cv
