#include "core/store/typed_array.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "core/store/series.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TDynArr MakeArray(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub) {
    TDynArr array;
    array.Init(kind, subType, nDim, lb, ub);
    return array;
}

TEST(TypedArray, ShapeAndPositionsFollowRowMajorOrderWithinTheLimits) {
    test::RecordingUi ui;
    TDynArr cube = MakeArray(dkSmallint, 0, 3, {1, 1, 1}, {3, 2, 4});
    // Strides 2 * 4 and 4; base 1 * 8 + 1 * 4 + 1; (2, 1, 3) at 8 + 0 + 2; extra trailing components are ignored.
    EXPECT_EQ((std::vector<long>{cube.Stride(1), cube.Stride(2), cube.Count(), cube.ByteSize(), cube.Base()}),
              (std::vector<long>{8, 4, 24, 48, 13}));
    EXPECT_EQ((std::vector<std::size_t>{cube.CalcIndex({1, 1, 1}), cube.CalcIndex({2, 1, 3}),
                                        cube.CalcIndex({3, 2, 4, 9, 9})}),
              (std::vector<std::size_t>{0, 10, 23}));
    EXPECT_FALSE(cube.IsModified());
    EXPECT_THROW(cube.CalcIndex({3, 2}), ERangeError);
    EXPECT_THROW(cube.GetSmallint({1, 40000, 1}), ERangeError);
    EXPECT_TRUE(ui.plainBoxes.empty());

    // Refused shapes leave no shape.
    const struct { std::uint8_t kind; int nDim; TIndex lb, ub; } refused[] = {
        {dkByte, 2, {0, 0}, {255, 255}},                     // 65,536 elements
        {dkReal48, 1, {0}, {10922}},                         // 10,923 * 6 bytes > 65,535
        {dkReal48, 1, {0}, {10921}},                         // position 10,921 beyond 10,920
        {dkReal48, 1, {-1}, {12}},                           // base -1
        {dkWord, 6, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}},       // six dimensions
        {dkWord, 2, {0}, {1, 1}},                            // too few bounds
        {dkWord, 1, {5}, {3}},                               // upper below lower - 1
        {9, 1, {0}, {3}},                                    // no such kind
    };
    TDynArr array;
    for (const auto& shape : refused)
        EXPECT_THROW(array.Init(shape.kind, 0, shape.nDim, shape.lb, shape.ub), ERangeError) << shape.ub[0];
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

// Shaping an array again gives it zero elements and no modified mark, as a
// new array of that shape has, whether the shape stays or changes; a refused
// shape leaves it as it was.
TEST(TypedArray, ShapingAgainGivesTheElementsOfANewArray) {
    const struct {
        std::uint8_t kind;
        int nDim;
        TIndex lb, ub;
    } shapes[] = {
        {dkReal48, 2, {1, 1}, {3, 2}},  // the shape it has
        {dkReal48, 2, {1, 1}, {2, 3}},  // other bounds, the same count
        {dkSmallint, 2, {1, 1}, {3, 2}},
        {dkZts, 1, {1}, {6}},
    };
    for (const auto& shape : shapes) {
        TDynArr array = MakeArray(dkReal48, 0, 2, {1, 1}, {3, 2});
        array.SetReal48({3, 2}, 4.5);
        TDynArr texts = MakeArray(dkZts, 8, 1, {1}, {6});
        texts.SetZts({6}, "ALPHA");
        for (TDynArr* again : {&array, &texts}) {
            again->Init(shape.kind, 8, shape.nDim, shape.lb, shape.ub);
            const TDynArr fresh = MakeArray(shape.kind, 8, shape.nDim, shape.lb, shape.ub);
            EXPECT_TRUE(again->SameShape(fresh));
            EXPECT_EQ(test::StoredForm(*again), test::StoredForm(fresh)) << shape.ub[1];
            EXPECT_FALSE(again->IsModified());
        }
    }
    TDynArr array = MakeArray(dkReal48, 0, 1, {1}, {3});
    array.SetReal48({2}, 1.5);
    EXPECT_THROW(array.Init(dkReal48, 0, 1, {5}, {3}), ERangeError);
    EXPECT_EQ(array.GetReal48({2}), 1.5L);
    EXPECT_TRUE(array.IsModified());
}

// A bad index is damaged data met on the way (a count read beyond its array):
// it is logged and ends the action, and nothing is read or written in its place.
TEST(TypedArray, BadIndexIsLoggedAndRaisesWithoutReadingOrWriting) {
    test::TempDir dir;
    test::RecordingUi ui;
    LogOpen(dir / "IDX", 0);
    TDynArr array = MakeArray(dkReal48, 0, 2, {0, 0}, {6, 3});
    array.SetReal48({0, 0}, 7.5L);
    EXPECT_EQ(test::ErrorText<EDataError>([&] { array.GetReal48({0, 4}); }), "an index outside an array: 4 not in [0,3]");
    EXPECT_EQ(test::ErrorText<EDataError>([&] { array.SetReal48({7, 0}, 99.0L); }),
              "an index outside an array: 7 not in [0,6]");
    EXPECT_EQ(array.GetReal48({0, 0}), 7.5L);
    EXPECT_EQ(array.GetReal48({6, 0}), 0.0L);
    LogClose();
    EXPECT_TRUE(ui.plainBoxes.empty());
    const std::string log = test::ReadFileBytes(dir / "IDX00.TXT");
    EXPECT_NE(log.find("\nOut of bounds error : 4 not in [0,3]\n   kind=4\n   lb=0   ub=6\n   lb=0   ub=3\nLog file "),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\nOut of bounds error : 7 not in [0,6]\n"), std::string::npos) << log;

    // An empty dimension holds no element to read or write.
    TDynArr empty = MakeArray(dkSmallint, 0, 1, {1}, {0});
    EXPECT_THROW(empty.SetSmallint({1}, 5), EDataError);
    EXPECT_THROW(empty.GetSmallint({1}), EDataError);
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_FALSE(empty.IsModified());
}

TEST(TypedArray, IntegerKindsCheckRangesAndRaiseOnKindErrors) {
    test::RecordingUi ui;
    TDynArr small = MakeArray(dkSmallint, 0, 1, {0}, {2});
    TDynArr word = MakeArray(dkWord, 0, 1, {0}, {2});
    TDynArr shortInt = MakeArray(dkShortInt, 0, 1, {0}, {2});
    small.SetSmallint({0}, -32768);
    small.SetSmallint({1}, 32767);
    EXPECT_THROW(small.SetSmallint({1}, 32768), ERangeError);
    word.SetWord({0}, 65535);
    EXPECT_THROW(word.SetWord({1}, -1), ERangeError);
    EXPECT_EQ((std::vector<int>{small.GetSmallint({0}), small.GetSmallint({1})}), (std::vector<int>{-32768, 32767}));
    EXPECT_EQ(word.GetV({0}).integer, 65535);  // zero-extended
    shortInt.SetV({1}, TSimValue{.kind = dkSmallint, .integer = -5, .text = {}});  // integer kinds pass after the box
    EXPECT_EQ(shortInt.GetV({1}).integer, -5);  // sign-extended
    EXPECT_THROW(shortInt.SetV({1}, TSimValue{.kind = dkSmallint, .integer = -200, .text = {}}), ERangeError);
    EXPECT_EQ(ui.errorBoxes, (std::vector<std::string>{"[SetV] Bad kinds : 1 <> 2", "[SetV] Bad kinds : 1 <> 2"}));
    ui.errorBoxes.clear();

    // Wrong-kind accessors raise, naming the accessor and the array's kind, and change nothing.
    const std::pair<const char*, std::function<void()>> wrongKinds[] = {
        {"[SetReal48] Bad kind : 2", [&] { small.SetReal48({0}, 2.5L); }},
        {"[GetReal48] Bad kind : 2", [&] { small.GetReal48({0}); }},
        {"[GetByte] Bad kind : 2", [&] { small.GetByte({0}); }},
        {"[GetWord] Bad kind : 2", [&] { small.GetWord({0}); }},
        {"[SetByte] Bad kind : 2", [&] { small.SetByte({0}, 1); }},
        {"[GetZts] Bad kind : 2", [&] { small.GetZts({0}); }},
        {"[SetZts] Bad kind : 2", [&] { small.SetZts({0}, "text"); }},
        {"[FindZts] Bad kind : 2", [&] { small.FindZts("text", 1, {0}); }},
        {"[AddLong] Bad kind : 2", [&] { small.AddLong({0}, 1); }},
        {"[GetSmallint] Bad kind : 3", [&] { word.GetSmallint({0}); }},
    };
    for (const auto& [text, action] : wrongKinds) EXPECT_EQ(test::ErrorText<EDataError>(action), text);
    EXPECT_EQ(small.GetSmallint({0}), -32768);
    EXPECT_TRUE(ui.errorBoxes.empty());
}

TEST(TypedArray, TextsAreOwnedCutToTheSubTypeAndFoundIgnoringCase) {
    test::RecordingUi ui;
    TDynArr names = MakeArray(dkZts, 8, 1, {1}, {4});
    names.SetZts({1}, "Alpha");
    names.SetString({2}, "ABCDEFGHIJ");
    names.SetZts({4}, "Omega");
    EXPECT_EQ(ui.errorBoxes, std::vector<std::string>{"[SetZts] Bad length : 10"});
    EXPECT_EQ(names.GetZts({2}), "ABCDEFGH");
    // Elements without text never match the empty text.
    for (const auto& [text, at] :
         {std::pair{"alpha", 1}, {"abcdefgh", 2}, {"OMEGA", 4}, {"gamma", kZtsNotFound}, {"", kZtsNotFound}})
        EXPECT_EQ(names.FindZts(text, 1, {0}), at) << text;
    names.SetV({3}, TSimValue{.kind = dkZts, .text = "Beta"});
    TDynArr copy;
    copy.Assign(names);
    names.SetZts({3}, "Other");
    EXPECT_EQ(copy.GetString({3}), "Beta");
    EXPECT_TRUE(copy.IsModified());
    EXPECT_TRUE(SimValuesEqual(copy.GetV({4}), names.GetV({4})));
    EXPECT_FALSE(SimValuesEqual(copy.GetV({3}), names.GetV({3})));
    names.Clear();
    EXPECT_EQ(names.GetZts({1}), "");
    TDynArr longTexts = MakeArray(dkZts, 0, 1, {0}, {0});
    longTexts.SetZts({0}, std::string(300, 'x'));
    EXPECT_EQ(longTexts.GetZts({0}).size(), 255u);
}

// A copy takes its source's shape and elements, into a new array or one of
// another shape; the copy of an empty array holds no element, as its source.
TEST(TypedArray, ACopyTakesTheShapeAndElementsOfItsSource) {
    test::RecordingUi ui;
    TDynArr reals = MakeArray(dkReal48, 0, 2, {1, 0}, {3, 2});
    reals.SetReal48({3, 2}, 4.5L);
    reals.SetReal48({1, 0}, -2.25L);
    TDynArr texts = MakeArray(dkZts, 8, 1, {1}, {3});
    texts.SetZts({2}, "Beta");
    const TDynArr empty = MakeArray(dkSmallint, 0, 2, {1, 1}, {4, 0});
    for (const TDynArr* source : std::vector<const TDynArr*>{&reals, &texts, &empty}) {
        TDynArr fresh;
        TDynArr reshaped = MakeArray(dkByte, 0, 1, {0}, {9});
        reshaped.SetByte({9}, 200);
        for (TDynArr* copy : {&fresh, &reshaped}) {
            copy->Assign(*source);
            EXPECT_TRUE(copy->SameShape(*source));
            EXPECT_EQ((std::vector<int>{copy->Count(), copy->Stride(1), copy->Base(), copy->IsModified()}),
                      (std::vector<int>{source->Count(), source->Stride(1), source->Base(), true}));
            EXPECT_EQ(test::StoredForm(*copy), test::StoredForm(*source));
        }
        if (source == &empty) {
            EXPECT_EQ(fresh.Count(), 0);
        }
    }
}

// 1..5 x 1..3 with element (i, j) = 10 i + j.
TDynArr TensAndUnits(std::uint8_t kind) {
    TDynArr array = MakeArray(kind, 0, 2, {1, 1}, {5, 3});
    TSimValue value;
    value.kind = kind;
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 3; ++j) {
            value.integer = 10 * i + j;
            value.real = ToReal48(10 * i + j);
            array.SetV({i, j}, value);
        }
    return array;
}

// A named array reads back as it was written: its texts, with a maximum
// length (fields of one size) or without, its dimension names kept to 16
// characters, and the position just after its form.
TEST(TypedArray, NamedTextArraysReadBackTheirTextsAndDimensionNames) {
    const TSeries brands(1, "BrandsOfEveryFirm", 1, {"A", "B", "C"});
    const TSeries lines(2, "SixteenCharsLong", 0, {"L0", "L1"});
    for (const std::uint8_t maxLen : {std::uint8_t{8}, std::uint8_t{0}}) {
        TSimArr written;
        written.InitFromSeries(dkZts, maxLen, std::vector<const TSeries*>{&brands, &lines});
        written.SetZts({1, 0}, "Alpha");
        written.SetZts({2, 1}, "EightChr");
        written.SetZts({3, 0}, "B");
        Bytes form = test::StoredForm(written);
        const std::size_t formSize = form.size();
        form.push_back(0xEE);  // what follows the form is not read
        TSimArr read;
        std::uint16_t pos = 0;
        read.ReadFromBuffer(form, pos);
        EXPECT_EQ(pos, formSize) << int{maxLen};
        EXPECT_EQ((std::vector<std::string>{read.GetZts({1, 0}), read.GetZts({1, 1}), read.GetZts({2, 1}),
                                            read.GetZts({3, 0})}),
                  (std::vector<std::string>{"Alpha", "", "EightChr", "B"}))
            << int{maxLen};
        EXPECT_EQ((std::vector<std::string_view>{read.DimName(1), read.DimName(2), read.DimName(3)}),
                  (std::vector<std::string_view>{"BrandsOfEveryFir", "SixteenCharsLong", ""}))
            << int{maxLen};
        EXPECT_EQ((std::vector<int>{read.SubType(), read.UB(1), read.UB(2)}), (std::vector<int>{maxLen, 3, 1}));
        EXPECT_EQ(test::StoredForm(read), Bytes(form.begin(), form.begin() + static_cast<long>(formSize)));
    }
}

// A form is written alike into a buffer with room to spare and into exactly
// its room, wherever it starts; one byte short, it is refused at its last
// field, the end tag, as a form written field by field is. Its size bound
// covers it.
TEST(TypedArray, AFormFillsExactlyItsRoomAndOneByteLessRefusesItsEndTag) {
    const auto check = [](const auto& array, const std::string& what) {
        constexpr std::uint16_t kStart = 3;
        const Bytes form = test::StoredForm(array);
        Bytes exact(kStart + form.size(), 0xEE);
        std::uint16_t pos = kStart;
        array.WriteToBuffer(exact, pos);
        EXPECT_EQ(pos, exact.size()) << what;
        EXPECT_EQ(Bytes(exact.begin() + kStart, exact.end()), form) << what;
        EXPECT_EQ(Bytes(exact.begin(), exact.begin() + kStart), Bytes(kStart, 0xEE)) << what;
        EXPECT_GE(array.StoredSizeBound(), form.size()) << what;

        Bytes shorter(exact.size() - 1, 0);
        try {
            array.WriteToBuffer(shorter, pos = kStart);
            ADD_FAILURE() << what << ": written into a byte too few";
        } catch (const EBufferFullError& error) {
            EXPECT_EQ(error.offset, shorter.size()) << what;
            EXPECT_EQ(error.size, 1u) << what;
        }
    };
    const TSeries brands(1, "BrandsOfEveryFirm", 1, {"A", "B", "C"});
    const TSeries lines(2, "Lines", 0, {"L0", "L1"});
    const struct {
        const char* what;
        std::uint8_t kind;
        std::uint8_t subType;
    } arrays[] = {{"reals", dkReal48, 0}, {"texts of a maximum length", dkZts, 8}, {"texts of any length", dkZts, 0}};
    for (const auto& a : arrays) {
        TSimArr named;
        named.InitFromSeries(a.kind, a.subType, {&brands, &lines});
        if (a.kind == dkZts) {
            named.SetZts({1, 0}, "Alpha");
            named.SetZts({3, 1}, "EightChr");
        } else {
            named.SetReal48({2, 1}, 12.5L);
        }
        check(named, std::string("named ") + a.what);
        check(static_cast<const TDynArr&>(named), std::string("bare ") + a.what);
    }
}

// A form refused after its elements (cut inside them, or at the missing end tag)
// leaves the array's shape and elements as they were, bare or named.
TEST(TypedArray, AFormRefusedAfterItsElementsLeavesTheArrayAsItWas) {
    TDynArr two = MakeArray(dkSmallint, 0, 1, {1}, {2});
    const Bytes bare = test::StoredForm(two);
    for (std::size_t cut : {2, 1}) {
        TDynArr kept = MakeArray(dkSmallint, 0, 1, {1}, {3});
        kept.SetSmallint({3}, 7);
        std::uint16_t pos = 0;
        EXPECT_THROW(kept.ReadFromBuffer(TGetBuf(bare.data(), bare.size() - cut), pos), EDataError);
        EXPECT_EQ((std::vector<int>{kept.UB(1), kept.GetSmallint({3})}), (std::vector<int>{3, 7})) << cut;
    }
    const TSeries brands(1, "Brands", 1, {"A", "B", "C"});
    const TSeries segments(2, "Segments", 0, {"S0", "S1"});
    TSimArr named;
    named.InitFromSeries(dkReal48, 0, std::vector<const TSeries*>{&brands});
    const Bytes namedForm = test::StoredForm(named);
    TSimArr kept;
    kept.InitFromSeries(dkSmallint, 0, std::vector<const TSeries*>{&segments});
    std::uint16_t pos = 0;
    EXPECT_THROW(kept.ReadFromBuffer(TGetBuf(namedForm.data(), namedForm.size() - 1), pos), EDataError);
    EXPECT_EQ((std::vector<int>{kept.Kind(), kept.NDim(), kept.UB(1)}), (std::vector<int>{dkSmallint, 1, 1}));
}

TEST(TypedArray, SumRunsOverTheOpenDimensionsWithReal48Rounding) {
    const TDynArr array = TensAndUnits(dkSmallint);
    // Column 2: 12 + 22 + 32 + 42 + 52 = 160; op 2 divides by UB - LB = 4. Row 3: 31 + 32 + 33 = 96,
    // divided by 3 - 1 = 2. Everything: 30 * (1 + ... + 5) + 5 * (1 + 2 + 3) = 480; op 2 divides by 4 * 2.
    // Column 1 of reals: 11 + 21 + 31 + 41 + 51.
    EXPECT_EQ((std::vector<long double>{array.Sum(1, {kOpenDim, 2}, 1), array.Sum(1, {kOpenDim, 2}, 2),
                                        array.Sum(1, {3, kOpenDim}, 2), array.Sum(2, {kOpenDim, kOpenDim2}, 1),
                                        array.Sum(2, {kOpenDim2, kOpenDim}, 2),
                                        TensAndUnits(dkReal48).Sum(1, {kOpenDim, 1}, 1)}),
              (std::vector<long double>{160, 40, 48, 480, 60, 155}));
    // Real48 spacing at 2^40 is 2: 2^40 + 1 rounds up to 2^40 + 2, then + 1 up to 2^40 + 4.
    TDynArr big = MakeArray(dkReal48, 0, 1, {0}, {2});
    for (int i : {0, 1, 2}) big.SetReal48({i}, i == 0 ? std::ldexp(1.0L, 40) : 1);
    EXPECT_EQ(big.Sum(1, {kOpenDim}, 1), std::ldexp(1.0L, 40) + 4);
    // A single element: UB - LB = 0 divides to 0.
    EXPECT_EQ(MakeArray(dkReal48, 0, 1, {1}, {1}).Sum(1, {kOpenDim}, 2), 0.0L);
    EXPECT_THROW(array.Sum(1, {1, 2}, 1), ERangeError);
    EXPECT_THROW(array.Sum(2, {kOpenDim, 2}, 1), ERangeError);
    EXPECT_THROW(array.Sum(3, {kOpenDim, 2}, 1), EFatalStop);
    // A fixed component outside the bounds raises at the first element.
    EXPECT_EQ(test::ErrorText<EDataError>([&] { array.Sum(1, {kOpenDim, 9}, 1); }),
              "an index outside an array: 9 not in [1,3]");
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
    EXPECT_EQ(dst.GetSmallint({2, 1}) + dst.GetSmallint({2, 2}), 21);
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
    EXPECT_EQ((std::vector<int>{rows.GetSmallint({2, 1}), rows.GetSmallint({4, 3}), rows.GetSmallint({5, 2})}),
              (std::vector<int>{31, 53, 0}));
    EXPECT_THROW(rows.DeleteRow(9), EDataError);  // nothing changes
    EXPECT_EQ(rows.GetSmallint({4, 1}), 51);
    EXPECT_TRUE(ui.plainBoxes.empty());
    TDynArr list = MakeArray(dkZts, 0, 1, {1}, {3});
    for (int i : {1, 2, 3}) list.SetZts({i}, std::string(1, static_cast<char>('a' + i - 1)));
    list.DeleteElement(1);
    EXPECT_EQ(list.GetZts({1}) + list.GetZts({2}) + list.GetZts({3}), "bc");

    TDynArr block = MakeArray(dkWord, 0, 2, {1, 1}, {5, 3});
    block.CopyData(src);  // raw bytes of the same size
    EXPECT_EQ(block.GetWord({5, 3}), 53);
    block.Clear();
    EXPECT_EQ(block.GetWord({5, 3}), 0);
    EXPECT_THROW(block.CopyData(list), ERangeError);
    EXPECT_THROW(block.CopyData(column), ERangeError);
}

}  // namespace
}  // namespace cv
