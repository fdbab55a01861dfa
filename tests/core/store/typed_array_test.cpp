#include "core/store/typed_array.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/store/series.h"
#include "core/base/log_file.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TDynArr MakeArray(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub) {
    TDynArr array;
    array.Init(kind, subType, nDim, lb, ub);
    return array;
}

std::vector<std::string> FileLines(const std::string& file) {
    const std::string text = test::ReadFileBytes(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

constexpr auto Written = [](const TDynArr& array) { return test::StoredForm(array); };

TEST(TypedArray, ShapeAndPositionsFollowRowMajorOrder) {
    test::RecordingUi ui;
    TDynArr flat;
    flat.Init(dkReal48, 0, 2, {0, 0}, {6, 3});
    EXPECT_EQ(flat.Stride(1), 4);
    EXPECT_EQ(flat.Count(), 28);
    EXPECT_EQ(flat.ByteSize(), 28 * 6);
    EXPECT_EQ(flat.Base(), 0);
    EXPECT_EQ(flat.CalcIndex({2, 3}), 11u);  // 2 * 4 + 3
    EXPECT_EQ(flat.CalcIndex({6, 3}), 27u);  // the last element
    EXPECT_FALSE(flat.IsModified());

    TDynArr cube;
    cube.Init(dkSmallint, 0, 3, {1, 1, 1}, {3, 2, 4});
    EXPECT_EQ(cube.Stride(1), 8);  // 2 * 4
    EXPECT_EQ(cube.Stride(2), 4);
    EXPECT_EQ(cube.Count(), 24);
    EXPECT_EQ(cube.Base(), 13);  // 1 * 8 + 1 * 4 + 1
    EXPECT_EQ(cube.CalcIndex({1, 1, 1}), 0u);
    EXPECT_EQ(cube.CalcIndex({3, 2, 4}), 23u);
    // Extra trailing components are ignored.
    EXPECT_EQ(cube.CalcIndex({3, 2, 4, 9, 9}), 23u);
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_THROW(cube.CalcIndex({3, 2}), ERangeError);
    EXPECT_THROW(cube.GetSmallint({1, 40000, 1}), ERangeError);
}

TEST(TypedArray, ShapesBeyondTheLimitsAreRefusedAndLeaveNoShape) {
    test::RecordingUi ui;
    TDynArr array;
    EXPECT_THROW(array.Init(dkByte, 0, 2, {0, 0}, {255, 255}), ERangeError);  // 65,536 elements
    EXPECT_THROW(array.Init(dkReal48, 0, 1, {0}, {10922}), ERangeError);      // 10,923 * 6 bytes > 65,535
    EXPECT_THROW(array.Init(dkReal48, 0, 1, {0}, {10921}), ERangeError);      // position 10,921 beyond 10,920
    EXPECT_THROW(array.Init(dkReal48, 0, 1, {-1}, {12}), ERangeError);        // base -1
    EXPECT_THROW(array.Init(dkWord, 0, 6, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}), ERangeError);
    EXPECT_THROW(array.Init(dkWord, 0, 2, {0}, {1, 1}), ERangeError);  // too few bounds
    EXPECT_THROW(array.Init(dkWord, 0, 1, {5}, {3}), ERangeError);     // upper below lower - 1
    EXPECT_THROW(array.Init(9, 0, 1, {0}, {3}), ERangeError);
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[DA_SizeOf] Unknown kind : 9"});
    EXPECT_EQ(array.NDim(), 0);
    EXPECT_THROW(array.GetByte({0}), ERangeError);
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    EXPECT_THROW(array.WriteToBuffer(buffer, pos), ERangeError);

    array.Init(dkReal48, 0, 1, {0}, {10920});
    EXPECT_EQ(array.ByteSize(), 65526);
    // A lower bound may be negative when the earlier dimensions keep the base positive.
    array.Init(dkReal48, 0, 2, {1, -1}, {2, 12});
    EXPECT_EQ(array.Base(), 13);  // 1 * 14 - 1
}

class TypedArrayLogTest : public ::testing::Test {
protected:
    void TearDown() override { LogClose(); }
    test::TempDir dir;
    test::RecordingUi ui;
};

TEST_F(TypedArrayLogTest, BadIndexIsLoggedAndReadsTheFirstElementButNeverWrites) {
    LogOpen(dir / "IDX", 0);
    TDynArr array = MakeArray(dkReal48, 0, 2, {0, 0}, {6, 3});
    array.SetReal48({0, 0}, 7.5L);
    array.SetReal48({6, 3}, 1.25L);
    EXPECT_EQ(array.GetReal48({0, 4}), 7.5L);
    array.SetReal48({0, 4}, 99.0L);
    array.SetSmallint({7, 0}, 3);  // wrong kind and bad index: dropped too
    EXPECT_EQ(array.GetReal48({0, 0}), 7.5L);
    EXPECT_EQ(array.GetReal48({6, 3}), 1.25L);
    LogClose();

    const std::string boxText = "Fatal error in Corvantis Model. Wrong index in CalcIndex. Please contact Quenor";
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>(3, boxText));
    const auto lines = FileLines(dir / "IDX00.TXT");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[4], "Out of bounds error : 4 not in [0,3]");
    EXPECT_EQ(lines[5], "   kind=4");
    EXPECT_EQ(lines[6], "   lb=0   ub=6");
    EXPECT_EQ(lines[7], "   lb=0   ub=3");
    EXPECT_EQ(lines[8].rfind("Log file flushed on ", 0), 0u);
    EXPECT_EQ(lines[9], "Out of bounds error : 4 not in [0,3]");
    EXPECT_EQ(lines[14], "Out of bounds error : 7 not in [0,6]");

    // An empty dimension holds no element: reads give zero, writes go nowhere.
    TDynArr empty = MakeArray(dkSmallint, 0, 1, {1}, {0});
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.GetSmallint({1}), 0);
    empty.SetSmallint({1}, 5);
    EXPECT_EQ(empty.GetSmallint({1}), 0);
    EXPECT_FALSE(empty.IsModified());
}

TEST(TypedArray, RealsAreStoredAsReal48) {
    TDynArr array = MakeArray(dkReal48, 0, 1, {1}, {4});
    array.SetReal48({1}, 1.0L);
    array.SetReal48({2}, 0.1L);
    array.SetReal48({3}, std::ldexp(1.0L, -129));
    EXPECT_TRUE(array.IsModified());
    EXPECT_EQ(array.GetReal48({1}), 1.0L);
    // 0.1 = 1.6 * 2^-4: the fraction rounded to the nearest 2^-39.
    EXPECT_EQ(array.GetReal48({2}), std::ldexp(std::nearbyint(1.6L * 0x1p39L), -43));
    EXPECT_EQ(array.GetReal48({3}), 0.0L);
    array.SetReal48({4}, 2.0L);
    EXPECT_THROW(array.SetReal48({4}, 1e39L), EOverflowError);
    EXPECT_EQ(array.GetReal48({4}), 2.0L);
    array.AddLong({4}, 0.5L);
    EXPECT_EQ(array.GetReal48({4}), 2.5L);
    EXPECT_EQ(array.GetV({4}).real, ToReal48(2.5L));
}

TEST(TypedArray, IntegerKindsCheckRangesAndConvertOnKindErrors) {
    test::RecordingUi ui;
    TDynArr small = MakeArray(dkSmallint, 0, 1, {0}, {2});
    TDynArr word = MakeArray(dkWord, 0, 1, {0}, {2});
    TDynArr shortInt = MakeArray(dkShortInt, 0, 1, {0}, {2});
    small.SetSmallint({0}, -32768);
    EXPECT_THROW(small.SetSmallint({1}, 32768), ERangeError);
    word.SetWord({0}, 65535);
    EXPECT_THROW(word.SetWord({1}, -1), ERangeError);
    EXPECT_EQ(small.GetSmallint({0}), -32768);
    EXPECT_EQ(word.GetWord({0}), 65535);
    EXPECT_EQ(word.GetV({0}).integer, 65535);  // zero-extended

    TSimValue minusFive;
    minusFive.kind = dkSmallint;
    minusFive.integer = -5;
    shortInt.SetV({1}, minusFive);  // integer kinds pass between each other after the box
    EXPECT_EQ(shortInt.GetV({1}).integer, -5);  // sign-extended
    minusFive.integer = -200;
    EXPECT_THROW(shortInt.SetV({1}, minusFive), ERangeError);
    EXPECT_EQ(ui.errorBoxes, (std::vector<std::string>{"[SetV] Bad kinds : 1 <> 2", "[SetV] Bad kinds : 1 <> 2"}));
    ui.errorBoxes.clear();

    // Wrong-kind accessors show their box, then go by the array's kind.
    small.SetReal48({2}, 2.5L);  // rounds halves to even
    EXPECT_EQ(small.GetSmallint({2}), 2);
    EXPECT_EQ(small.GetReal48({0}), -32768.0L);
    EXPECT_THROW(small.GetByte({0}), ERangeError);
    EXPECT_EQ(small.GetZts({0}), "");
    small.SetZts({0}, "text");
    EXPECT_EQ(small.GetSmallint({0}), -32768);
    EXPECT_EQ(ui.errorBoxes, (std::vector<std::string>{"[SetReal48] Bad kind : 2", "[GetReal48] Bad kind : 2",
                                                       "[GetByte] Bad kind : 2", "[GetZts] Bad kind : 2",
                                                       "[SetZts] Bad kind : 2"}));
}

TEST(TypedArray, TextsAreOwnedCutToTheSubTypeAndFoundIgnoringCase) {
    test::RecordingUi ui;
    TDynArr names = MakeArray(dkZts, 8, 1, {1}, {4});
    names.SetZts({1}, "Alpha");
    names.SetString({2}, "ABCDEFGHIJ");
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[SetZts] Bad length : 10"});
    EXPECT_EQ(names.GetZts({2}), "ABCDEFGH");
    EXPECT_EQ(names.FindZts("alpha", 1, {0}), 1);
    EXPECT_EQ(names.FindZts("abcdefgh", 1, {0}), 2);
    EXPECT_EQ(names.FindZts("gamma", 1, {0}), kZtsNotFound);
    EXPECT_EQ(names.FindZts("", 1, {0}), kZtsNotFound) << "elements without text never match";

    TSimValue text;
    text.kind = dkZts;
    text.text = "Beta";
    names.SetV({3}, text);
    EXPECT_EQ(names.GetString({3}), "Beta");
    TDynArr copy;
    copy.Assign(names);
    names.SetZts({3}, "Other");
    EXPECT_EQ(copy.GetZts({3}), "Beta");
    EXPECT_TRUE(copy.IsModified());
    EXPECT_TRUE(SimValuesEqual(copy.GetV({4}), names.GetV({4})));
    EXPECT_FALSE(SimValuesEqual(copy.GetV({3}), names.GetV({3})));
    EXPECT_FALSE(SimValuesEqual(copy.GetV({1}), names.GetV({4})));
    names.Clear();
    EXPECT_EQ(names.GetZts({1}), "");

    TDynArr longTexts = MakeArray(dkZts, 0, 1, {0}, {0});
    longTexts.SetZts({0}, std::string(300, 'x'));
    EXPECT_EQ(longTexts.GetZts({0}).size(), 255u);
}

// 1..5 x 1..3 with element (i, j) = 10 i + j.
TDynArr TensAndUnits(std::uint8_t kind) {
    TDynArr array = MakeArray(kind, 0, 2, {1, 1}, {5, 3});
    TSimValue value;
    value.kind = kind;
    for (int i = 1; i <= 5; ++i) {
        for (int j = 1; j <= 3; ++j) {
            value.integer = 10 * i + j;
            value.real = ToReal48(10 * i + j);
            array.SetV({i, j}, value);
        }
    }
    return array;
}

TEST(TypedArray, SumRunsOverTheOpenDimensionsWithReal48Rounding) {
    const TDynArr array = TensAndUnits(dkSmallint);
    // Column 2: 12 + 22 + 32 + 42 + 52 = 160; op 2 divides by UB - LB = 4.
    EXPECT_EQ(array.Sum(1, {kOpenDim, 2}, 1), 160.0L);
    EXPECT_EQ(array.Sum(1, {kOpenDim, 2}, 2), 40.0L);
    // Row 3: 31 + 32 + 33 = 96, divided by 3 - 1 = 2.
    EXPECT_EQ(array.Sum(1, {3, kOpenDim}, 2), 48.0L);
    // Everything: 30 * (1 + ... + 5) + 5 * (1 + 2 + 3) = 480; op 2 divides by 4 * 2.
    EXPECT_EQ(array.Sum(2, {kOpenDim, kOpenDim2}, 1), 480.0L);
    EXPECT_EQ(array.Sum(2, {kOpenDim2, kOpenDim}, 2), 60.0L);
    EXPECT_EQ(TensAndUnits(dkReal48).Sum(1, {kOpenDim, 1}, 1), 155.0L);  // 11 + 21 + 31 + 41 + 51

    // Real48 spacing at 2^40 is 2: 2^40 + 1 rounds up to 2^40 + 2, then + 1 up to 2^40 + 4.
    TDynArr big = MakeArray(dkReal48, 0, 1, {0}, {2});
    big.SetReal48({0}, std::ldexp(1.0L, 40));
    big.SetReal48({1}, 1);
    big.SetReal48({2}, 1);
    EXPECT_EQ(big.Sum(1, {kOpenDim}, 1), std::ldexp(1.0L, 40) + 4);
    // A single element: UB - LB = 0 divides to 0.
    EXPECT_EQ(MakeArray(dkReal48, 0, 1, {1}, {1}).Sum(1, {kOpenDim}, 2), 0.0L);

    EXPECT_THROW(array.Sum(1, {1, 2}, 1), ERangeError);
    EXPECT_THROW(array.Sum(2, {kOpenDim, 2}, 1), ERangeError);
    EXPECT_THROW(array.Sum(3, {kOpenDim, 2}, 1), EFatalStop);
}

TEST(TypedArray, CopiesMoveRowsColumnsAndSubArrays) {
    test::RecordingUi ui;
    const TDynArr src = TensAndUnits(dkSmallint);
    TDynArr dst = MakeArray(dkSmallint, 0, 2, {1, 1}, {5, 3});
    dst.CopyRow(src, 4, 1);
    EXPECT_EQ(dst.GetSmallint({1, 3}), 43);
    EXPECT_TRUE(dst.RowEquals(src, 4, 1));
    EXPECT_FALSE(dst.RowEquals(src, 3, 1));
    dst.CopyColumn(src, 2, 3);
    EXPECT_EQ(dst.GetSmallint({5, 3}), 52);
    dst.CopyRowIdx(src, 2, 2, {1, 3});
    EXPECT_EQ(dst.GetSmallint({2, 1}), 21);
    EXPECT_EQ(dst.GetSmallint({2, 2}), 0);

    // The destination's open dimension may sit elsewhere than the source's.
    TDynArr column = MakeArray(dkSmallint, 0, 2, {1, 0}, {5, 0});
    column.CopySubArray(src, 1, {kOpenDim, 0}, {kOpenDim, 3});
    EXPECT_EQ(column.GetSmallint({4, 0}), 43);
    TDynArr whole = MakeArray(dkReal48, 0, 2, {1, 1}, {5, 3});
    whole.CopySubArray(src, 2, {kOpenDim, kOpenDim2}, {kOpenDim, kOpenDim2});
    EXPECT_EQ(whole.GetReal48({5, 2}), 52.0L);  // integers pass into a real array
    whole.CopySubArray(src, 0, {1, 1}, {2, 2});
    EXPECT_EQ(whole.GetReal48({1, 1}), 22.0L);
    EXPECT_THROW(whole.CopySubArray(src, 5, {1, 1}, {1, 1}), EFatalStop);

    TDynArr rows = TensAndUnits(dkSmallint);
    rows.DeleteRow(2);
    EXPECT_EQ(rows.GetSmallint({2, 1}), 31);
    EXPECT_EQ(rows.GetSmallint({4, 3}), 53);
    EXPECT_EQ(rows.GetSmallint({5, 2}), 0);
    TDynArr last = TensAndUnits(dkSmallint);
    last.DeleteRow(5);
    EXPECT_EQ(last.GetSmallint({4, 1}), 41);
    EXPECT_EQ(last.GetSmallint({5, 1}), 0);
    last.DeleteRow(9);  // reported, nothing changes
    EXPECT_EQ(last.GetSmallint({4, 1}), 41);
    EXPECT_EQ(ui.plainBoxes.size(), 1u);

    TDynArr list = MakeArray(dkZts, 0, 1, {1}, {3});
    list.SetZts({1}, "a");
    list.SetZts({2}, "b");
    list.SetZts({3}, "c");
    list.DeleteElement(1);
    EXPECT_EQ(list.GetZts({1}), "b");
    EXPECT_EQ(list.GetZts({2}), "c");
    EXPECT_EQ(list.GetZts({3}), "");

    TDynArr block = MakeArray(dkWord, 0, 2, {1, 1}, {5, 3});
    block.CopyData(src);  // raw bytes of the same size
    EXPECT_EQ(block.GetWord({5, 3}), 53);
    EXPECT_THROW(block.CopyData(list), ERangeError);
    EXPECT_THROW(block.CopyData(column), ERangeError);
}

TEST(TypedArray, TaggedFormHasTheDocumentedBytesAndReadsBack) {
    TDynArr small = MakeArray(dkSmallint, 0, 1, {1}, {2});
    small.SetSmallint({1}, 5);
    small.SetSmallint({2}, -1);
    const Bytes expected{'3', 2, '4', 0, '5', 1, '6', 1, 0, '7', 2, 0, '8', 5, 0, 0xFF, 0xFF, 'd'};
    EXPECT_EQ(Written(small), expected);
    TDynArr back;
    std::uint16_t pos = 0;
    back.ReadFromBuffer(expected, pos);
    EXPECT_EQ(pos, expected.size());
    EXPECT_FALSE(back.IsModified());
    EXPECT_EQ(back.GetSmallint({2}), -1);

    // Text elements with sub type 8 take 10 bytes each, with or without text.
    TDynArr texts = MakeArray(dkZts, 8, 1, {1}, {3});
    texts.SetZts({1}, "AB");
    texts.SetZts({2}, "ABCDEFGH");
    const Bytes textBytes = Written(texts);
    const std::size_t header = 13;  // tags, kind, sub type, NDim, one lower and one upper bound
    EXPECT_EQ(textBytes.size(), header + 3 * 10 + 1);
    EXPECT_EQ(Bytes(textBytes.begin() + header, textBytes.begin() + header + 4), (Bytes{2, 'A', 'B', 0}));
    TDynArr textsBack;
    pos = 0;
    textsBack.ReadFromBuffer(textBytes, pos);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(textsBack.GetZts({i}), texts.GetZts({i}));

    // Bytes that are not tags of the form are skipped.
    Bytes noisy = expected;
    noisy.insert(noisy.begin() + 2, {0x00, 0xEE});
    pos = 0;
    back.ReadFromBuffer(noisy, pos);
    EXPECT_EQ(back.GetSmallint({1}), 5);
}

TEST(TypedArray, MalformedTaggedFormsRaiseDataErrors) {
    const Bytes good{'3', 2, '4', 0, '5', 1, '6', 1, 0, '7', 2, 0, '8', 5, 0, 0xFF, 0xFF, 'd'};
    for (std::size_t length = 0; length < good.size(); ++length) {
        TDynArr array;
        std::uint16_t pos = 0;
        EXPECT_THROW(array.ReadFromBuffer(TGetBuf(good.data(), length), pos), EDataError) << length;
    }
    const auto fails = [](Bytes bytes) {
        TDynArr array;
        std::uint16_t pos = 0;
        EXPECT_THROW(array.ReadFromBuffer(bytes, pos), EDataError);
    };
    fails({'3', 9, '5', 1, '6', 0, 0, '7', 0, 0, '8', 'd'});                 // unknown kind
    fails({'3', 0, '5', 6, '6', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'd'});          // six dimensions
    fails({'3', 0, '5', 2, '6', 0, 0, 0, 0, '8', 'd'});                       // upper bounds missing
    fails({'3', 0, '5', 2, '6', 0, 0, 0, 0, '7', 0xFF, 0, 0xFF, 0, '8', 'd'});  // 65,536 elements
    fails({'3', 0, 'd'});                                                      // no elements

    // A read that fails leaves the array's shape and elements as they were.
    TDynArr kept = MakeArray(dkSmallint, 0, 1, {1}, {3});
    kept.SetSmallint({3}, 7);
    std::uint16_t pos = 0;
    EXPECT_THROW(kept.ReadFromBuffer(TGetBuf(good.data(), good.size() - 2), pos), EDataError);
    EXPECT_EQ(kept.UB(1), 3);
    EXPECT_EQ(kept.GetSmallint({3}), 7);
}

TEST(TypedArray, NamedArraysCarryTheirSeriesNames) {
    const TSeries brands(1, "Brands", 1, {"A", "B", "C"});
    const TSeries segments(2, "SegmentsWithALongName", 0, {"S0", "S1"});
    const std::vector<const TSeries*> dims{&brands, &segments};
    TSimArr array;
    array.InitFromSeries(dkReal48, 0, dims);
    EXPECT_EQ(array.NDim(), 2);
    EXPECT_EQ(array.LB(1), 1);
    EXPECT_EQ(array.UB(1), 3);
    EXPECT_EQ(array.UB(2), 1);
    EXPECT_EQ(array.DimName(1), "Brands");
    EXPECT_EQ(array.DimName(2), "SegmentsWithALon");
    array.SetReal48({3, 1}, -2.5L);

    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    array.WriteToBuffer(buffer, pos);
    EXPECT_EQ(buffer[0], 103);
    EXPECT_EQ(buffer[1 + 19], 103);  // each name field takes 19 bytes
    EXPECT_EQ(buffer[2 * 20], 104);
    EXPECT_EQ(buffer[pos - 1], 200);

    TSimArr back;
    std::uint16_t readPos = 0;
    back.ReadFromBuffer(TGetBuf(buffer.data(), pos), readPos);
    EXPECT_EQ(readPos, pos);
    EXPECT_EQ(back.DimName(2), "SegmentsWithALon");
    EXPECT_EQ(back.GetReal48({3, 1}), -2.5L);
    EXPECT_FALSE(back.IsModified());

    TSimArr copy;
    copy.Assign(back);
    EXPECT_EQ(copy.DimName(1), "Brands");
    EXPECT_TRUE(copy.IsModified());
    TSimArr single;
    single.InitFromSeries(dkZts, 16, {&segments});
    EXPECT_EQ(single.DimName(1), "SegmentsWithALon");
    EXPECT_EQ(single.DimName(2), "");
    EXPECT_EQ(single.Count(), 2);
    const Bytes noBody{103, 0, 0, 0, 200};
    readPos = 0;
    EXPECT_THROW(back.ReadFromBuffer(noBody, readPos), EDataError);
}

}  // namespace
}  // namespace cv
