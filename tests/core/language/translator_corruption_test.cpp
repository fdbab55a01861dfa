// Damaged language files: each look-up of a damaged entry logs one line, and nothing
// is read outside the volumes (the sanitizer build checks that).
#include <gtest/gtest.h>

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
        const TLangSectionForm form{{pool.begin(), pool.end()}, index};
        translator.Open(
            test::WriteRawLanguageFile(dir, {{kSectionMessages, form}}, "RAW" + std::to_string(++files) + ".enu"));
    }

    test::TempDir dir;
    TTranslate translator;
    int files = 0;
};

// A damaged entry counts as missing, whole: no line of it is given, and the
// sound entries around it still answer.
TEST_F(TranslatorDamageTest, ADamagedEntryIsMissingAndTheOthersStay) {
    struct TCase {
        const char* what;
        std::string pool;
        std::vector<std::uint16_t> words;
        Lines a, b, keys;
    };
    const std::string cutPool = kPool.substr(0, 11);  // "two" loses its terminating zero
    const TCase cases[] = {
        {"sound", kPool, {2, 0, 1, 2, 6, 1, 8}, {"one"}, {"two"}, {"A", "B"}},
        {"name beyond the pool", kPool, {2, 50, 1, 2, 6, 1, 8}, {}, {"two"}, {"B"}},
        {"last zero gone", cutPool, {2, 0, 1, 2, 6, 1, 8}, {"one"}, {}, {"A", "B"}},
        {"sound first line, unterminated second", cutPool, {2, 0, 1, 2, 6, 2, 2, 8}, {"one"}, {}, {"A", "B"}},
        {"name in the unterminated tail", cutPool, {2, 0, 1, 2, 9, 1, 2}, {"one"}, {}, {"A"}},
    };
    for (const TCase& c : cases) {
        OpenMessages(c.pool, test::IndexWords(c.words));
        Lines a, b, keys;
        translator.GetLines(kSectionMessages, "A", a);
        translator.GetLines(kSectionMessages, "B", b);
        translator.GetKeys(kSectionMessages, keys);
        EXPECT_EQ(a, c.a) << c.what;
        EXPECT_EQ(b, c.b) << c.what;
        EXPECT_EQ(keys, c.keys) << c.what;
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
        Lines lines;
        translator.GetLines(kSectionMessages, "A", lines);
        translator.GetKeys(kSectionMessages, lines);
        const auto logged = log.LinesMentioning("Language file");
        ASSERT_EQ(logged.size(), 2u) << message;
        EXPECT_PRED2(test::Contains, logged[0], message);
    }
    OpenMessages(kPool.substr(0, 11), test::IndexWords({2, 0, 1, 2, 6, 1, 8}));
    test::LogCapture log(dir);
    Lines lines;
    translator.GetLines(kSectionMessages, "B", lines);
    const auto logged = log.LinesMentioning("Language file");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_PRED2(test::Contains, logged[0], "entry 2: line 1 at offset 8 has no terminating zero");
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
