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
     "[Twice]\nfirst A\nfirst B\n\n"
     "[Other]\nother\n"
     "[twice]\nsecond A\n"},
    {"controls.txt", "[BBOk]\nOK\nCloses the window\n"},
    {"Decs.txt", "[DecTitle]\nDecisions\n"},
};

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override { translator.Open(test::CompileTexts(dir, kSources)); }

    Lines Get(int section, const std::string& key) {
        Lines lines{"left over"};
        translator.GetLines(section, key, lines);
        return lines;
    }

    test::TempDir dir;
    TTranslate translator;
};

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

// Opening another file, with or without closing first, forgets the line that the
// previous file gave: the same key is looked up again in the new file.
TEST_F(TranslatorTest, ReopeningEmptiesTheCache) {
    const std::string second = test::CompileTexts(dir, {{"messages.txt", "[Other]\nanother text\n"}}, "STRSTD.fra");
    const std::string third = test::CompileTexts(dir, {{"messages.txt", "[Other]\nthird text\n"}}, "STRSTD.deu");
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", 1), "other");
    translator.Close();
    EXPECT_EQ(translator.CachedSection(), TTranslate::kNoSection);
    EXPECT_EQ(translator.CachedKey(), "");
    translator.Open(second);
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", 1), "another text");
    translator.Open(third);
    EXPECT_EQ(translator.GetLine(kSectionMessages, "Other", 1), "third text");
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
