#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/store/typed_array.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"

// The texts of text arrays at every length an element meets, through stores,
// copies, deletions and the stored form.

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TDynArr TextArray(std::uint8_t maxLen, int count) {
    TDynArr array;
    array.Init(dkZts, maxLen, 1, {1}, {count});
    return array;
}

// Length characters, each telling its place, so that a shifted text shows.
std::string TextOf(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char>('A' + i % 26));
    return text;
}

// The field a text takes in the stored form: its length, its characters and a
// zero, in a field of the maximum length (bytes past the text left zero) or,
// without one, in as many bytes as the text needs (an empty one: the length only).
Bytes FieldOf(const std::string& text, std::uint8_t maxLen) {
    std::size_t size = maxLen + 2u;
    if (maxLen == 0) size = text.empty() ? 1 : text.size() + 2;
    Bytes field(size, 0);
    field[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), field.begin() + 1);
    return field;
}

// The bytes of a form from its first element field to its end tag.
Bytes ElementFields(const Bytes& form, int nDim) {
    const auto first = static_cast<long>(9 + 4 * nDim);  // six tags, kind, sub type, dimension count, bounds
    return Bytes(form.begin() + first, form.end() - 1);
}

struct TLengthCase {
    std::uint8_t maxLen;
    std::size_t length;
    std::size_t kept;
};

// None, short, exactly the maximum, over it, and 255, the longest any text keeps.
const TLengthCase kLengthCases[] = {
    {8, 0, 0},       {8, 3, 3},       {8, 8, 8},       {8, 9, 8},       {8, 255, 8},
    {128, 0, 0},     {128, 20, 20},   {128, 128, 128}, {128, 129, 128}, {128, 255, 128},
    {255, 255, 255}, {255, 300, 255}, {0, 0, 0},       {0, 3, 3},       {0, 255, 255},
    {0, 300, 255},
};

// Element 3 of five takes the text between neighbours of other lengths, then a
// text of another length: the neighbours stay as they were.
TEST(TypedArrayTexts, EveryLengthIsStoredCutToTheMaximumBetweenItsNeighbours) {
    for (const TLengthCase& lengths : kLengthCases) {
        test::RecordingUi ui;
        const std::string label = std::to_string(lengths.maxLen) + "/" + std::to_string(lengths.length);
        TDynArr array = TextArray(lengths.maxLen, 5);
        const std::vector<std::string> neighbours{"n", "", "", "nextdoor", "m"};
        for (int i : {1, 2, 4, 5}) array.SetZts({i}, neighbours[static_cast<std::size_t>(i - 1)]);
        const std::string text = TextOf(lengths.length);
        const std::string kept = text.substr(0, lengths.kept);
        array.SetZts({3}, text);
        std::vector<std::string> expected = neighbours;
        expected[2] = kept;
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(array.GetZts({i}), expected[static_cast<std::size_t>(i - 1)]) << label << " at " << i;
            EXPECT_EQ(array.TextAt(static_cast<std::size_t>(i - 1)), expected[static_cast<std::size_t>(i - 1)])
                << label;
        }
        EXPECT_EQ(array.GetV({3}).text, kept) << label;
        EXPECT_EQ(array.FindZts(kept, 1, {0}), kept.empty() ? kZtsNotFound : 3) << label;
        const bool tooLong = lengths.maxLen != 0 && lengths.length > lengths.maxLen;
        EXPECT_EQ(ui.errorBoxes.size(), tooLong ? 1u : 0u) << label;

        array.SetV({3}, TSimValue{.kind = dkZts, .text = "x"});
        array.SetZts({4}, text);
        expected[2] = "x";
        expected[3] = kept;
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(array.GetZts({i}), expected[static_cast<std::size_t>(i - 1)]) << label << " at " << i;
    }
}

// The stored form holds each text in its field; read back, the array writes
// the same bytes; a copy, new or into an array of the shape, holds the same.
TEST(TypedArrayTexts, EveryLengthReadsBackAndCopiesAsItWasWritten) {
    for (const TLengthCase& lengths : kLengthCases) {
        test::RecordingUi ui;
        const std::string label = std::to_string(lengths.maxLen) + "/" + std::to_string(lengths.length);
        TDynArr written = TextArray(lengths.maxLen, 3);
        const std::string text = TextOf(lengths.length);
        written.SetZts({1}, text);
        written.SetZts({3}, "end");
        const Bytes form = test::StoredForm(written);
        Bytes fields = FieldOf(text.substr(0, lengths.kept), lengths.maxLen);
        for (const std::string& other : {std::string(), std::string("end")}) {
            const Bytes field = FieldOf(other, lengths.maxLen);
            fields.insert(fields.end(), field.begin(), field.end());
        }
        EXPECT_EQ(ElementFields(form, 1), fields) << label;
        EXPECT_GE(written.StoredSizeBound(), form.size()) << label;

        TDynArr read;
        std::uint16_t pos = 0;
        read.ReadFromBuffer(form, pos);
        EXPECT_EQ(pos, form.size()) << label;
        EXPECT_EQ(read.GetZts({1}), text.substr(0, lengths.kept)) << label;
        EXPECT_EQ(read.GetZts({3}), "end") << label;
        EXPECT_EQ(test::StoredForm(read), form) << label;

        TDynArr fresh;
        TDynArr sameShape = TextArray(lengths.maxLen, 3);
        sameShape.SetZts({2}, "held before");
        for (TDynArr* copy : {&fresh, &sameShape}) {
            copy->Assign(read);
            EXPECT_EQ(test::StoredForm(*copy), form) << label;
            EXPECT_TRUE(SimValuesEqual(copy->GetV({1}), read.GetV({1}))) << label;
        }
    }
}

// A form cut inside its text fields is refused at the field that runs past
// the end, whether the fields have one size or not, and the array keeps its texts.
TEST(TypedArrayTexts, AFormCutInsideItsTextsIsRefusedAndChangesNothing) {
    for (const std::uint8_t maxLen : {std::uint8_t{8}, std::uint8_t{0}}) {
        TDynArr written = TextArray(maxLen, 3);
        written.SetZts({2}, "Beta");
        const Bytes form = test::StoredForm(written);
        TDynArr kept = TextArray(maxLen, 2);
        kept.SetZts({2}, "kept");
        std::uint16_t pos = 0;
        EXPECT_THROW(kept.ReadFromBuffer(TGetBuf(form.data(), form.size() - 3), pos), EDataError) << int{maxLen};
        EXPECT_EQ(kept.UB(1), 2);
        EXPECT_EQ(kept.GetZts({2}), "kept");
    }
}

// Texts stored one after another, longer and shorter, outgrow the array's
// storage many times over; every one stays in its element.
TEST(TypedArrayTexts, ManyTextsStoredOneByOneEachStayInTheirElement) {
    constexpr int kCount = 140;
    TDynArr array = TextArray(0, kCount);
    const auto textAt = [](int i) { return TextOf(static_cast<std::size_t>(i * 7 % 40)) + std::to_string(i); };
    for (int i = kCount; i >= 1; --i) array.SetZts({i}, textAt(i));
    for (int i = 1; i <= kCount; i += 3) array.SetZts({i}, "s" + std::to_string(i));
    for (int i = 1; i <= kCount; ++i)
        EXPECT_EQ(array.GetZts({i}), i % 3 == 1 ? "s" + std::to_string(i) : textAt(i)) << i;
}

// Deleting moves each text to the element before it, within the array's own
// storage, whatever their lengths.
TEST(TypedArrayTexts, DeletingMovesTextsOfEveryLengthWithinTheArray) {
    TDynArr list = TextArray(0, 4);
    const std::vector<std::string> texts{"a", TextOf(200), "cc", TextOf(17)};
    for (int i = 1; i <= 4; ++i) list.SetZts({i}, texts[static_cast<std::size_t>(i - 1)]);
    list.DeleteElement(1);
    EXPECT_EQ((std::vector<std::string>{list.GetZts({1}), list.GetZts({2}), list.GetZts({3}), list.GetZts({4})}),
              (std::vector<std::string>{texts[1], texts[2], texts[3], ""}));

    TDynArr rows;
    rows.Init(dkZts, 16, 2, {1, 1}, {3, 2});
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 2; ++j) rows.SetZts({i, j}, TextOf(static_cast<std::size_t>(3 * i + j)));
    rows.DeleteRow(1);
    EXPECT_EQ((std::vector<std::string>{rows.GetZts({1, 1}), rows.GetZts({2, 2}), rows.GetZts({3, 1})}),
              (std::vector<std::string>{TextOf(7), TextOf(11), ""}));
}

// Every element has room for a text of up to 15 characters, or of its
// maximum length when shorter, and an array keeps the room its texts took when
// cleared or shaped again: a copy of texts that fit that room goes in place.
TEST(TypedArrayTexts, TextsThatFitTheRoomHeldAreCopiedInPlace) {
    TDynArr names = TextArray(8, 4);
    for (int i = 1; i <= 4; ++i) names.SetZts({i}, TextOf(8));
    EXPECT_TRUE(TextArray(8, 4).AssignsInPlace(names));

    TDynArr source = TextArray(0, 2);
    source.SetZts({1}, TextOf(30));
    EXPECT_TRUE(TextArray(0, 2).AssignsInPlace(source));
    source.SetZts({1}, TextOf(40));
    TDynArr target = TextArray(0, 2);
    EXPECT_FALSE(target.AssignsInPlace(source));
    // The copy's storage has room for the 40 characters and 15 more.
    target.Assign(source);
    target.Init(dkZts, 0, 1, {1}, {2});
    EXPECT_EQ(target.GetZts({1}), "");
    source.SetZts({2}, TextOf(15));
    EXPECT_TRUE(target.AssignsInPlace(source));
    target.Clear();
    EXPECT_TRUE(target.AssignsInPlace(source));
    target.Assign(source);
    EXPECT_EQ(test::StoredForm(target), test::StoredForm(source));
    source.SetZts({2}, TextOf(16));
    EXPECT_FALSE(target.AssignsInPlace(source));
    EXPECT_FALSE(target.AssignsInPlace(TextArray(0, 3)));
}

}  // namespace
}  // namespace cv
