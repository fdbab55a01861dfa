#include "core/zip/zip_errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/recording_ui.h"

namespace cv {
namespace {

struct Expected {
    int code;
    int line;
    TMsgDlgType type;
};

TEST(ZipErrors, ShowsLinesOneTwoAndTheCodesLineWithItsIcon) {
    const TMsgDlgType info = TMsgDlgType::mtInformation, error = TMsgDlgType::mtError;
    // The table of result codes: line N of "ZipErrors" and the icon.
    const std::vector<Expected> table{
        {40, 3, info},   {190, 4, info},   {100, 5, error},  {110, 6, error}, {160, 6, error}, {200, 6, error},
        {120, 7, error}, {150, 8, error},  {210, 9, error},  {240, 10, error}, {280, 11, error}, {380, 12, error},
        {180, 13, error}, {350, 14, error}, {400, 15, error}, {370, 16, error}, {1, 17, error}, {41, 17, error},
        {999, 17, error},
    };
    for (const auto& row : table) {
        test::RecordingUi ui;
        ShowZipError(row.code, "restore");
        ASSERT_EQ(ui.messageBoxes.size(), 1u) << row.code;
        const auto& box = ui.messageBoxes[0];
        EXPECT_EQ(box.type, row.type) << row.code;
        EXPECT_EQ(box.buttons, mbOK) << row.code;
        EXPECT_EQ(box.key, "ZipErrors");
        EXPECT_EQ(box.lines, (std::vector<int>{1, 2, row.line})) << row.code;
        EXPECT_EQ(box.alignment, TAlignment::taCenter);
    }
}

TEST(ZipErrors, SuccessNegativeAndTheThreeSilentCodesShowNothing) {
    test::RecordingUi ui;
    for (int code : {0, -1, -240, 10, 30, 140}) ShowZipError(code, "backup");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.plainBoxes.empty());
}

TEST(ZipErrors, ResultKeepsTheFirstErrorOverNoticesAndSilentCodes) {
    TZipResult result;
    EXPECT_EQ(result.Code(), kZipOk);
    result.Note(kZipOk);
    result.Note(kZipFilesKept);
    EXPECT_EQ(result.Code(), kZipFilesKept);
    result.Note(kZipSomeFilesSkipped);
    EXPECT_EQ(result.Code(), kZipSomeFilesSkipped);
    EXPECT_FALSE(result.HasError());
    result.Note(kZipUnsafeEntryName);
    result.Note(kZipLinkEntry);
    result.Note(kZipFilesKept);
    result.Note(kZipOk);
    EXPECT_EQ(result.Code(), kZipUnsafeEntryName);
    EXPECT_TRUE(result.HasError());
}

// The language entry holds a heading of two lines and one line per code, 17 in all.
TEST(ZipErrors, LanguageEntryHasSeventeenLines) {
    const std::filesystem::path root = std::filesystem::path(CV_TEST_DATA_DIR).parent_path().parent_path();
    std::ifstream source(root / "texts" / "messages.txt");
    ASSERT_TRUE(source);
    std::vector<std::string> lines;
    bool inEntry = false;
    for (std::string line; std::getline(source, line);) {
        if (!inEntry) {
            inEntry = line == "[ZipErrors]";
            continue;
        }
        if (line.starts_with("[") || line.starts_with("##")) break;
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    ASSERT_EQ(lines.size(), 17u);
    for (int line = 3; line <= 17; ++line) EXPECT_FALSE(lines[static_cast<std::size_t>(line - 1)].empty()) << line;
}

}  // namespace
}  // namespace cv
