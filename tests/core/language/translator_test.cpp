#include "core/language/translator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/errors.h"
#include "tests/core/language/translator_test_files.h"

namespace cv {
namespace {

using Lines = std::vector<std::string>;

const std::vector<TTextSource> kSources = {
    {"messages.txt",
     "## messages of the tests\n"
     "[Title]\nPlain title\n\n"
     "[TitleX]\nTitle of version X\nSecond line of X\n"
     "[Twice]\nfirst A\nfirst B\n"
     "[Other]\nother\n"
     "[twice]\nsecond A\n"},
    {"controls.txt", "[BBOk]\nOK\nCloses the window\n"},
    {"Decs.txt", "[DecTitle]\nDecisions\n"},
};

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override { translator.Open(test::CompileTexts(dir, kSources)); }
    void TearDown() override { VersionSuffix.clear(); }

    Lines Get(int section, const std::string& key) {
        Lines lines{"left over"};
        translator.GetLines(section, key, lines);
        return lines;
    }

    test::TempDir dir;
    TTranslate translator;
};

TEST_F(TranslatorTest, EveryEntryOfAKeyCountsInFileOrderWhateverTheCase) {
    for (const char* key : {"Twice", "TWICE"})
        EXPECT_EQ(Get(kSectionMessages, key), (Lines{"first A", "first B", "second A"})) << key;
    EXPECT_EQ(Get(kSectionMessages, "title"), (Lines{"Plain title"}));
    EXPECT_EQ(Get(kSectionControls, "bbok"), (Lines{"OK", "Closes the window"}));
    EXPECT_EQ(Get(kSectionDecs, "DecTitle"), (Lines{"Decisions"}));
    EXPECT_EQ(Get(kSectionMessages, "Missing"), Lines{});
    // A key of another section is not found here.
    EXPECT_EQ(Get(kSectionMessages, "BBOk"), Lines{});

    Lines keys;
    translator.GetKeys(kSectionMessages, keys);
    EXPECT_EQ(keys, (Lines{"Title", "TitleX", "Twice", "Other", "twice"}));
}

TEST_F(TranslatorTest, VersionSuffixedEntriesComeFirst) {
    VersionSuffix = "X";
    // No suffixed entry: the plain one.
    EXPECT_EQ(Get(kSectionMessages, "Other"), (Lines{"other"}));
    VersionSuffix = "x";
    EXPECT_EQ(Get(kSectionMessages, "TITLE"), (Lines{"Title of version X", "Second line of X"}));
    VersionSuffix.clear();
    EXPECT_EQ(Get(kSectionMessages, "Title"), (Lines{"Plain title"}));
}

TEST_F(TranslatorTest, LinesThroughTheCacheAndBadLineNumbers) {
    EXPECT_EQ(translator.CachedSection(), TTranslate::kNoSection);
    std::string text;
    translator.MessagesLine("Twice", 3, text);
    EXPECT_EQ(text, "second A");
    EXPECT_EQ(translator.CachedSection(), kSectionMessages);
    EXPECT_EQ(translator.CachedKey(), "Twice");
    EXPECT_EQ(translator.GetLine(kSectionMessages, "twice", 1), "first A");
    EXPECT_EQ(translator.CachedKey(), "Twice");  // the same entry: no new look-up

    for (int lineNo : {2, 0, -1})
        EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", lineNo), "bad line number " + std::to_string(lineNo));
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Missing", 1), "bad line number 1");

    translator.ControlsLine("BBOk", 2, text);
    EXPECT_EQ(text, "Closes the window");
    translator.DecsLine("DecTitle", 1, text);
    EXPECT_EQ(text, "Decisions");
    translator.SeriesLine("Any", 1, text);
    EXPECT_EQ(text, "Unknown section : 1");
    translator.GlobalsLine("Any", 2, text);
    EXPECT_EQ(text, "bad line number 2");
}

TEST_F(TranslatorTest, ReopeningEmptiesTheCache) {
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", 1), "other");
    const std::string second =
        test::CompileTexts(dir, {{"messages.txt", "[Other]\nanother text\n"}}, "STRSTD.fra");
    translator.Close();
    EXPECT_EQ(translator.CachedSection(), TTranslate::kNoSection);
    EXPECT_EQ(translator.CachedKey(), "");
    translator.Open(second);
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", 1), "another text");
}

TEST_F(TranslatorTest, MissingSectionsAnswerWithOneLineExceptTheMenus) {
    EXPECT_EQ(Get(kSectionResults, "Anything"), (Lines{"Unknown section : 8"}));
    EXPECT_EQ(Get(kSectionMenus, "MPFile"), Lines{});
    for (int section : {0, 10, -1})
        EXPECT_EQ(Get(section, "Title"), (Lines{"Unknown section : " + std::to_string(section)}));
    EXPECT_EQ(translator.GetLine(kSectionResults, "Anything", 1), "Unknown section : 8");
    EXPECT_EQ(translator.GetLine(kSectionResults, "Anything", 2), "bad line number 2");

    Lines keys;
    for (const auto& [section, answer] :
         {std::pair{kSectionMenus, "Unknown section : 6"}, {kSectionStudies, "Unknown section : 4"}}) {
        translator.GetKeys(section, keys);
        EXPECT_EQ(keys, Lines{answer});
    }
}

TEST_F(TranslatorTest, AClosedOrUnopenableTranslatorAnswersEverySectionAsMissing) {
    translator.Close();
    EXPECT_FALSE(translator.IsOpen());
    EXPECT_EQ(Get(kSectionMessages, "Title"), (Lines{"Unknown section : 3"}));

    EXPECT_THROW(translator.Open(dir / "STRSTD.xyz"), EVolSetError);
    EXPECT_FALSE(translator.IsOpen());
    test::WriteFileBytes(dir.path() / "STRSTD.txt", "not a volume set at all");
    EXPECT_THROW(translator.Open(dir / "STRSTD.txt"), EVolSetError);
    EXPECT_EQ(Get(kSectionMessages, "Title"), (Lines{"Unknown section : 3"}));
}

TEST(TranslatorSectionIndex, NamesOfTheTableWhateverTheCase) {
    for (const auto& [name, section] : {std::pair{"series", 1}, {"MENUS", 6}, {"DECS", 9}, {"deci", -1},
                                        {"series ", -1}, {"", -1}})
        EXPECT_EQ(TTranslate::SectionIndex(name), section) << name;
}

// Works in a fresh current directory and puts the previous one back.
class VersionSuffixTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::current_path(dir.path()); }
    void TearDown() override {
        std::filesystem::current_path(previous);
        VersionSuffix.clear();
    }
    std::filesystem::path previous = std::filesystem::current_path();
    test::TempDir dir;
};

TEST_F(VersionSuffixTest, FirstLineOfTheVersionFileInAnyLetterCase) {
    VersionSuffix = "stale";
    ReadVersionSuffix();
    EXPECT_EQ(VersionSuffix, "");

    for (const auto& [content, suffix] : {std::pair{"Pro2\r\nsecond line\r\n", "Pro2"}, {"Last", "Last"}, {"", ""}}) {
        test::WriteFileBytes(dir.path() / "VERSION.TXT", content);
        ReadVersionSuffix();
        EXPECT_EQ(VersionSuffix, suffix) << content;
    }
}

}  // namespace
}  // namespace cv
