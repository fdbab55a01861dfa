// Damaged language files: a damaged entry counts as missing, with one log line,
// and nothing is read outside the volumes (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <optional>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "tests/core/language/translator_test_files.h"
#include "tests/support/checks.h"
#include "tests/support/damage.h"

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

// Each damaged entry counts as missing; the sound ones around it still answer.
TEST_F(TranslatorDamageTest, ADamagedEntryIsMissingAndTheOthersStay) {
    struct TCase {
        const char* what;
        std::string pool;
        std::vector<std::uint8_t> index;
        Lines a, b;
        std::optional<Lines> keys;  // the keys listed, where the case pins them
    };
    auto halfWord = test::IndexWords({2, 0, 1, 2, 6, 1});
    halfWord.push_back(8);
    const std::string cutPool = kPool.substr(0, 11);
    const TCase cases[] = {
        {"sound", kPool, test::IndexWords({2, 0, 1, 2, 6, 1, 8}), {"one"}, {"two"}, Lines{"A", "B"}},
        {"name beyond the pool", kPool, test::IndexWords({2, 50, 1, 2, 6, 1, 8}), {}, {"two"}, Lines{"B"}},
        {"a damaged line, and a second A that is sound", kPool, test::IndexWords({3, 0, 1, 40, 6, 1, 8, 0, 1, 2}),
         {"one"}, {"two"}, Lines{"A", "B", "A"}},
        {"line at the first byte past the pool", kPool, test::IndexWords({2, 0, 2, 2, 12, 6, 1, 8}), {}, {"two"}, {}},
        {"last zero gone", cutPool, test::IndexWords({2, 0, 1, 2, 6, 1, 8}), {"one"}, {}, {}},
        {"name in the unterminated tail", cutPool, test::IndexWords({2, 0, 1, 2, 9, 1, 2}), {"one"}, {}, Lines{"A"}},
        {"five entries declared, two present", kPool, test::IndexWords({5, 0, 1, 2, 6, 1, 8}), {"one"}, {"two"},
         Lines{"A", "B"}},
        {"B claims 40 lines", kPool, test::IndexWords({2, 0, 1, 2, 6, 40, 8}), {"one"}, {}, {}},
        {"half a word at the end", kPool, halfWord, {"one"}, {}, {}},
        {"empty index", kPool, {}, {}, {}, Lines{}},
        {"one byte of index", kPool, {1}, {}, {}, Lines{}},
        {"empty section", "", test::IndexWords({1, 0, 0}), {}, {}, Lines{}},
    };
    for (const TCase& c : cases) {
        OpenMessages(c.pool, c.index);
        EXPECT_EQ(Get("A"), c.a) << c.what;
        EXPECT_EQ(Get("B"), c.b) << c.what;
        if (c.keys) {
            EXPECT_EQ(Keys(), *c.keys) << c.what;
        }
    }
}

// One log line per look-up of a damaged entry, naming the section, the entry and the fault.
TEST_F(TranslatorDamageTest, EachLookUpOfADamagedEntryLogsOneLine) {
    const std::pair<std::vector<std::uint16_t>, const char*> cases[] = {
        {{2, 50, 1, 2, 6, 1, 8}, "section 3: entry 1: the name at offset 50 lies outside the text pool of 12 bytes"},
        {{5, 0, 1, 2, 6, 1, 8}, "entry 3 of 5 runs past the 7 words of the index"},
    };
    for (const auto& [words, message] : cases) {
        OpenMessages(kPool, test::IndexWords(words));
        test::LogCapture log(dir);
        Get("A");
        Keys();
        const auto logged = log.LinesMentioning("Language file");
        ASSERT_EQ(logged.size(), 2u) << message;
        EXPECT_PRED2(test::Contains, logged[0], message);
    }
    OpenMessages(kPool.substr(0, 11), test::IndexWords({2, 0, 1, 2, 6, 1, 8}));
    test::LogCapture log(dir);
    Get("B");
    EXPECT_EQ(log.LinesMentioning("Language file").size(), 1u);
    EXPECT_PRED2(test::Contains, log.LinesMentioning("Language file")[0],
                 "entry 2: line 1 at offset 8 has no terminating zero");
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

// Random bit flips in the section's volumes, pool and index alike: look-ups never read outside them.
TEST(TranslatorFuzz, FlippedBitsInTheVolumesNeverCrash) {
    const std::vector<TLangEntry> entries = {
        {"Alpha", {"first line", "second line"}}, {"Beta", {"beta"}}, {"Alpha", {"again"}}, {"Delta", {"d1", "d2"}}};
    const auto form = EncodeLangSection(kSectionMessages, entries);
    std::vector<std::uint8_t> both = form.pool;
    both.insert(both.end(), form.index.begin(), form.index.end());
    const auto split = static_cast<std::ptrdiff_t>(form.pool.size());
    for (const auto& copy : test::FlippedCopies(both, 3000, 20240611)) {
        const std::vector<std::uint8_t> pool(copy.begin(), copy.begin() + split);
        const std::vector<std::uint8_t> index(copy.begin() + split, copy.end());
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
