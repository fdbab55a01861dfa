// The language file as it ships: the sources in texts/ compile, no section
// names a key twice (the translator would join the two entries' lines, so a
// caption would gain a hint or lose its place), and the entries whose lines
// are read by number hold exactly as many lines as their readers count on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/language/translator.h"
#include "tests/core/language/translator_test_files.h"

namespace cv {
namespace {

std::vector<TTextSource> ShippedSources() {
    std::vector<TTextSource> sources;
    for (const auto& entry : std::filesystem::directory_iterator(CV_TEXTS_DIR)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() != ".txt" || path.filename() == "CMakeLists.txt") continue;
        sources.push_back({path.string(), test::ReadFileBytes(path.string())});
    }
    return sources;
}

class ShippedTexts : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<TTextSource> sources = ShippedSources();
        ASSERT_FALSE(sources.empty());
        translator_.Open(test::CompileTexts(dir_, sources));
    }

    test::TempDir dir_;
    TTranslate translator_;
};

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

TEST_F(ShippedTexts, NoSectionNamesAKeyTwice) {
    for (int section = 1; section <= kLangSectionCount; ++section) {
        std::vector<std::string> keys;
        translator_.GetKeys(section, keys);
        std::map<std::string, int> seen;
        for (const std::string& key : keys) ++seen[LowerAscii(key)];
        for (const auto& [key, count] : seen) EXPECT_EQ(count, 1) << "section " << section << ", key " << key;
    }
}

struct TNumberedEntry {
    int section;
    const char* key;
    std::size_t lines;
};

// Entries read line by line, with the number of lines their readers number.
constexpr TNumberedEntry kNumberedEntries[] = {
    {kSectionMessages, "QnNoMessage", 10},
    {kSectionControls, "TSBudget", 3},
    {kSectionControls, "rgPrintDecChoices", 4},
    {kSectionControls, "TSMktPlan", 6},
    {kSectionDecs, "MktPlanSegSizes", 8},
    {kSectionDecs, "MktPlanBrdShaSal", 9},
    {kSectionDecs, "MktPlanBrdChaSales", 7},
    {kSectionMessages, "DevDecs", 8},
    {kSectionControls, "DecsHints", 5},
    {kSectionDecs, "BrdPortfolio", 5},
    {kSectionMessages, "BFolioDecs", 4},
    {kSectionDecs, "MktMixDecs", 2},
    {kSectionMessages, "BMktMixDecs", 10},
    {kSectionControls, "RBAutoMode", 4},
    {kSectionDecs, "DistribDecs", 4},
    {kSectionGlobals, "Headers", 17},
    {kSectionGlobals, "Footers", 3},
    {kSectionGlobals, "Sections", 13},
    {kSectionGlobals, "CoverPages", 15},
    {kSectionGlobals, "MISC", 11},
    {kSectionGlobals, "Units", 12},
    {kSectionGlobals, "FirGraph", 23},
    {kSectionGlobals, "MktTotPerGraph", 14},
    {kSectionGlobals, "BenchGraph", 18},
    {kSectionGlobals, "GSP", 3},
    {kSectionStudies, "StuSemEstimGraph", 5},
    {kSectionStudies, "MapRelationsGraph", 4},
    {kSectionControls, "SolverModes", 3},
    {kSectionMessages, "Att2MapSolver", 6},
    {kSectionSeries, "UorV", 2},
    {kSectionSeries, "EvolOnePerCumul", 3},
    {kSectionStudies, "StuSemMapGraph", 14},
    {kSectionMessages, "Misc", 4},
};

TEST_F(ShippedTexts, NumberedEntriesHoldTheLinesTheirReadersCount) {
    for (const TNumberedEntry& entry : kNumberedEntries) {
        std::vector<std::string> lines;
        translator_.GetLines(entry.section, entry.key, lines);
        EXPECT_EQ(lines.size(), entry.lines) << entry.key;
    }
}

}  // namespace
}  // namespace cv
