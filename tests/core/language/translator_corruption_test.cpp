// Damaged language files: a damaged entry counts as missing, with one log line,
// and nothing is read outside the volumes (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <random>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "tests/core/language/translator_test_files.h"

namespace cv {
namespace {

using Lines = std::vector<std::string>;

// Pool "A\0one\0B\0two\0": A at 0, "one" at 2, B at 6, "two" at 8; 12 bytes.
const std::string kPool("A\0one\0B\0two\0", 12);

class TranslatorDamageTest : public ::testing::Test {
protected:
    // Opens a file whose messages section holds Pool and an index of Words.
    void OpenMessages(const std::string& pool, const std::vector<std::uint8_t>& index) {
        translator.Close();
        translator.Open(test::WriteRawLanguageFile(dir, {{kSectionMessages, {test::Bytes(pool), index}}},
                                                   "RAW" + std::to_string(++files) + ".enu"));
    }

    Lines Get(const std::string& key) {
        Lines lines;
        translator.GetLines(kSectionMessages, key, lines);
        return lines;
    }

    Lines Keys() {
        Lines keys;
        translator.GetKeys(kSectionMessages, keys);
        return keys;
    }

    test::TempDir dir;
    TTranslate translator;
    int files = 0;
};

TEST_F(TranslatorDamageTest, AWellFormedIndexForReference) {
    OpenMessages(kPool, test::IndexWords({2, 0, 1, 2, 6, 1, 8}));
    EXPECT_EQ(Get("A"), Lines{"one"});
    EXPECT_EQ(Get("B"), Lines{"two"});
    EXPECT_EQ(Keys(), (Lines{"A", "B"}));
}

TEST_F(TranslatorDamageTest, OffsetsOutsideThePoolMakeTheirEntryMissingWithOneLogLine) {
    // Entry 1's name lies at 50, beyond the 12 bytes.
    OpenMessages(kPool, test::IndexWords({2, 50, 1, 2, 6, 1, 8}));
    test::LogCapture log(dir);
    EXPECT_EQ(Get("A"), Lines{});
    EXPECT_EQ(Get("B"), Lines{"two"});
    EXPECT_EQ(Keys(), Lines{"B"});
    const auto logged = log.LinesMentioning("Language file");
    ASSERT_EQ(logged.size(), 3u);  // one per look-up
    EXPECT_NE(logged[0].find("section 3: entry 1: the name at offset 50 lies outside the text pool of 12 bytes"),
              std::string::npos);

    // Entry 1 (A) has a line at 40; entry 3, a second A, is sound and still counts.
    OpenMessages(kPool, test::IndexWords({3, 0, 1, 40, 6, 1, 8, 0, 1, 2}));
    EXPECT_EQ(Get("A"), Lines{"one"});
    EXPECT_EQ(Get("B"), Lines{"two"});
    // The offset 12 is the first byte past the pool.
    OpenMessages(kPool, test::IndexWords({2, 0, 2, 2, 12, 6, 1, 8}));
    EXPECT_EQ(Get("A"), Lines{});
    EXPECT_EQ(Get("B"), Lines{"two"});
}

TEST_F(TranslatorDamageTest, UnterminatedTextsMakeTheirEntryMissing) {
    // The last zero is gone: "two" runs to the end of the pool.
    OpenMessages(kPool.substr(0, 11), test::IndexWords({2, 0, 1, 2, 6, 1, 8}));
    test::LogCapture log(dir);
    EXPECT_EQ(Get("A"), Lines{"one"});
    EXPECT_EQ(Get("B"), Lines{});
    const auto logged = log.LinesMentioning("Language file");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("entry 2: line 1 at offset 8 has no terminating zero"), std::string::npos);

    // A name in the unterminated tail.
    OpenMessages(kPool.substr(0, 11), test::IndexWords({2, 0, 1, 2, 9, 1, 2}));
    EXPECT_EQ(Keys(), Lines{"A"});
}

TEST_F(TranslatorDamageTest, AnIndexCutShortEndsTheWalkAtTheCut) {
    // Five entries declared, two present.
    OpenMessages(kPool, test::IndexWords({5, 0, 1, 2, 6, 1, 8}));
    test::LogCapture log(dir);
    EXPECT_EQ(Get("B"), Lines{"two"});
    EXPECT_EQ(Keys(), (Lines{"A", "B"}));
    const auto logged = log.LinesMentioning("Language file");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find("entry 3 of 5 runs past the 7 words of the index"), std::string::npos);

    // B claims 40 lines.
    OpenMessages(kPool, test::IndexWords({2, 0, 1, 2, 6, 40, 8}));
    EXPECT_EQ(Get("A"), Lines{"one"});
    EXPECT_EQ(Get("B"), Lines{});
    // A half word at the end is not a word: B's line offset is lost.
    auto index = test::IndexWords({2, 0, 1, 2, 6, 1});
    index.push_back(8);
    OpenMessages(kPool, index);
    EXPECT_EQ(Get("A"), Lines{"one"});
    EXPECT_EQ(Get("B"), Lines{});

    for (const auto& tiny : {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{1}}) {
        OpenMessages(kPool, tiny);
        EXPECT_EQ(Get("A"), Lines{});
        EXPECT_EQ(Keys(), Lines{});
    }
    // The section exists even when it is empty: no "Unknown section" line.
    OpenMessages("", test::IndexWords({1, 0, 0}));
    EXPECT_EQ(Get("A"), Lines{});
    EXPECT_EQ(Keys(), Lines{});
}

TEST_F(TranslatorDamageTest, WordsBeyondTheReadLimitAreNotRead) {
    // A: 32,700 lines ends at word 1 + 2 + 32,700 = 32,703; B: 60 lines would end at
    // word 32,703 + 2 + 60 = 32,765 (65,530 bytes, a volume still), beyond the 32,760 words a reader takes.
    std::vector<std::uint16_t> words{2, 0, 32700};
    words.insert(words.end(), 32700, 2);
    words.insert(words.end(), {6, 60});
    words.insert(words.end(), 60, 8);
    OpenMessages(kPool, test::IndexWords(words));
    EXPECT_EQ(Get("A").size(), 32700u);
    EXPECT_EQ(Get("B"), Lines{});
    EXPECT_EQ(Keys(), Lines{"A"});
}

// Truncating either volume anywhere gives, for every key, its full lines or none.
TEST_F(TranslatorDamageTest, TruncatedVolumesGiveWholeEntriesOrNone) {
    const std::vector<TLangEntry> entries = {
        {"Alpha", {"first line", "second line"}}, {"Beta", {"beta"}}, {"Gamma", {}}, {"Delta", {"d1", "d2", "d3"}}};
    const auto form = EncodeLangSection(kSectionMessages, entries);
    const std::string pool(form.pool.begin(), form.pool.end());
    const auto check = [&](const std::string& what) {
        for (const TLangEntry& entry : entries) {
            const Lines lines = Get(entry.name);
            EXPECT_TRUE(lines == entry.lines || lines.empty()) << what << " key " << entry.name;
        }
    };
    for (std::size_t size = 0; size <= form.index.size(); ++size) {
        OpenMessages(pool, std::vector<std::uint8_t>(form.index.begin(), form.index.begin() + size));
        check("index cut at " + std::to_string(size));
    }
    for (std::size_t size = 0; size <= pool.size(); ++size) {
        OpenMessages(pool.substr(0, size), form.index);
        check("pool cut at " + std::to_string(size));
    }
    // Uncut, everything is there.
    EXPECT_EQ(Get("Delta"), (Lines{"d1", "d2", "d3"}));
}

// Random bit flips in the section's volumes: look-ups never read outside them.
TEST(TranslatorFuzz, FlippedBitsInTheVolumesNeverCrash) {
    const std::vector<TLangEntry> entries = {
        {"Alpha", {"first line", "second line"}}, {"Beta", {"beta"}}, {"Alpha", {"again"}}, {"Delta", {"d1", "d2"}}};
    const auto form = EncodeLangSection(kSectionMessages, entries);
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        auto pool = form.pool;
        auto index = form.index;
        const int flips = 1 + round % 4;
        for (int i = 0; i < flips; ++i) {
            auto& target = (random() % 2) ? pool : index;
            target[random() % target.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        }
        TLangIndexReader reader(pool, index);
        while (reader.Next()) {
            std::string_view name;
            if (reader.Name(name)) {
                EXPECT_LT(name.size(), pool.size());
            }
            Lines lines;
            if (reader.AppendLines(lines)) {
                EXPECT_EQ(lines.size(), static_cast<std::size_t>(reader.LineCount()));
            } else {
                EXPECT_TRUE(lines.empty());
                EXPECT_TRUE(reader.Faulty());
            }
        }
    }
}

// Bit flips anywhere in a whole file: it either fails to open or answers every look-up.
TEST(TranslatorFuzz, FlippedBitsInTheWholeFileNeverCrash) {
    test::TempDir dir;
    const std::string file =
        test::CompileTexts(dir, {{"messages.txt", "[One]\nfirst\n[Two]\nsecond\nthird\n"}, {"menus.txt", "[M]\nm\n"}});
    const std::string sound = test::ReadFileBytes(file);
    const std::string damaged = dir / "DAMAGED.enu";
    int opened = 0;
    for (std::size_t position = 0; position < sound.size(); ++position) {
        std::string bytes = sound;
        bytes[position] = static_cast<char>(bytes[position] ^ (1 << (position % 8)));
        test::WriteFileBytes(damaged, bytes);
        TTranslate translator;
        try {
            translator.Open(damaged);
        } catch (const EVolSetError&) {
            continue;
        }
        ++opened;
        Lines lines;
        for (int section = 0; section <= kLangSectionCount + 1; ++section) {
            translator.GetKeys(section, lines);
            for (const std::string& key : Lines{"One", "Two", "M", "Other"}) translator.GetLines(section, key, lines);
        }
    }
    // Flips in the volumes' bytes and the date-times leave a file that opens.
    EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace cv
