// The sources of the language file and their compilation into its stored form.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/errors.h"
#include "core/language/text_source.h"
#include "core/language/translator.h"
#include "tests/core/language/translator_test_files.h"
#include "tests/support/checks.h"

namespace cv {
namespace {

using Lines = std::vector<std::string>;

// The message of the EDataError that parsing Text as FileName raises.
std::string ParseError(const std::string& fileName, const std::string& text) {
    return test::ErrorText<EDataError>([&] { ParseTextSource(fileName, text); });
}

TEST(TranslatorSources, Utf8BecomesTheWesternCodePage) {
    // é is U+00E9 (byte E9); € U+20AC is byte 80; ’ U+2019 is byte 92; Ÿ U+0178 is byte 9F.
    const auto entries = ParseTextSource("globals.txt", "[Caf\xC3\xA9]\n\xE2\x82\xAC 5 \xE2\x80\x99 \xC5\xB8\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Caf\xE9");
    EXPECT_EQ(entries[0].lines, (Lines{"\x80 5 \x92 \x9F"}));
}

TEST(TranslatorSources, FaultsNameTheFileAndTheLine) {
    EXPECT_EQ(ParseError("texts/decs.txt", "\nstray text\n[Key]\nx\n"),
              "texts/decs.txt:2: text outside an entry (an entry starts with a line \"[Key]\")");
    EXPECT_EQ(ParseError("decs.txt", "[Key]\nx\n[]\n"), "decs.txt:3: an entry without a key");
    // U+4E2D (three UTF-8 bytes E4 B8 AD) has no byte in the code page.
    EXPECT_EQ(ParseError("decs.txt", "[Key]\nok\nwith \xE4\xB8\xAD\n"),
              "decs.txt:3: the character U+4E2D has no place in the Western code page (cp1252)");
    for (const char* line :
         {"Latin-1 \xE9", "cut \xE2\x82", "overlong \xC0\xAF", "surrogate \xED\xA0\x80", "beyond \xF4\x90\x80\x80"})
        EXPECT_EQ(ParseError("decs.txt", std::string("[Key]\n") + line), "decs.txt:2: bytes that are not UTF-8")
            << line;
    // U+1F600 is well-formed UTF-8 (F0 9F 98 80) but not in the code page.
    EXPECT_EQ(ParseError("decs.txt", "[Key]\n\xF0\x9F\x98\x80\n"),
              "decs.txt:2: the character U+1F600 has no place in the Western code page (cp1252)");
    EXPECT_EQ(ParseError("decs.txt", "[Key]\nbell \x07\n"), "decs.txt:2: the control character U+0007");
    EXPECT_EQ(ParseError("decs.txt", std::string("[Key]\nzero \0 byte\n", 18)),
              "decs.txt:2: the control character U+0000");
    // U+0081 (C2 81) is one of the bytes the code page leaves undefined.
    EXPECT_EQ(ParseError("decs.txt", "[K\xC2\x81]\n"), "decs.txt:1: the control character U+0081");
}

TEST(TranslatorSources, SectionsThatOutgrowTheirFormAreRefused) {
    // 300 distinct lines of 219 characters and a zero take 300 x 220 = 66,000 bytes > 65,535.
    std::vector<TLangEntry> big{{"Big", {}}};
    for (int i = 0; i < 300; ++i) big[0].lines.push_back(std::string(216, 'a') + std::to_string(100 + i));
    EXPECT_THROW(EncodeLangSection(kSectionResults, big), EDataError);

    // 1 count word + 2 header words + 32,758 line words = 32,761 words > 32,760.
    std::vector<TLangEntry> wide{{"Wide", Lines(32758, "same")}};
    EXPECT_THROW(EncodeLangSection(kSectionResults, wide), EDataError);
    wide[0].lines.pop_back();  // exactly 32,760 words fit
    EXPECT_EQ(EncodeLangSection(kSectionResults, wide).index.size(), 32760u * 2);

    EXPECT_THROW(EncodeLangSection(kSectionResults, {{"Zero", {std::string("a\0b", 3)}}}), EDataError);
}

TEST(TranslatorSources, CompiledFileReadsBackAndAFailedCompileKeepsTheOldFile) {
    test::TempDir dir;
    const std::string file = test::CompileTexts(
        dir, {{"texts/series.txt", "[Mkt]\nNorth\nSouth\n"}, {"/abs/path/MENUS.txt", "[MPFile]\nFile\n"}});
    TTranslate translator;
    translator.Open(file);
    EXPECT_EQ(translator.GetLine(kSectionSeries, "mkt", 2), "South");
    EXPECT_EQ(translator.GetLine(kSectionMenus, "MPFile", 1), "File");
    EXPECT_EQ(translator.GetLine(kSectionControls, "X", 1), "Unknown section : 2");
    translator.Close();

    // Topics of one section join in file-name order whatever the argument order.
    const std::string topics = test::CompileTexts(
        dir, {{"b/menus-zeta.txt", "[Dup]\nfrom zeta\n"}, {"a/menus.txt", "[Dup]\nfrom base\n[Own]\nx\n"},
              {"c/MENUS-alpha.txt", "[Dup]\nfrom alpha\n"}});
    translator.Open(topics);
    std::vector<std::string> keys;
    translator.GetKeys(kSectionMenus, keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"Dup", "Dup", "Dup", "Own"}));
    EXPECT_EQ(translator.GetLine(kSectionMenus, "Dup", 1), "from alpha");
    translator.Close();

    const std::string before = test::ReadFileBytes(file);
    const auto compileError = [&](const std::vector<TTextSource>& sources) {
        return test::ErrorText<EDataError>([&] { CompileLanguageFile(sources, file); });
    };
    EXPECT_EQ(compileError({{"texts/series.txt", "[Mkt]\nNorth\n"}, {"texts/bogus.txt", "[K]\n"}}),
              "texts/bogus.txt: the file name names no section of the language file");
    EXPECT_EQ(compileError({{"texts/decs.txt", "[K]\n"}, {"texts/help.md", "[K]\n"}}),
              "texts/help.md: the file name names no section of the language file");
    EXPECT_EQ(compileError({{"texts/series.txt", "[Mkt]\nNorth\n"}, {"texts/help.txt", "stray\n"}}),
              "texts/help.txt:1: text outside an entry (an entry starts with a line \"[Key]\")");
    EXPECT_EQ(test::ReadFileBytes(file), before);
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
}

}  // namespace
}  // namespace cv
