#include "core/zip/zip_errors.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"

namespace cv {
namespace {

constexpr int kNoBox = 0;
const TMsgDlgType info = TMsgDlgType::mtInformation, error = TMsgDlgType::mtError;

// The table of result codes: the line N of "ZipErrors" shown under lines 1
// and 2, and the icon; success, negative codes and the three silent codes show nothing.
const struct {
    int code;
    int line;
    TMsgDlgType type;
} kCodes[] = {
    {40, 3, info},    {190, 4, info},   {100, 5, error},  {110, 6, error},  {160, 6, error},  {200, 6, error},
    {120, 7, error},  {150, 8, error},  {210, 9, error},  {240, 10, error}, {280, 11, error}, {380, 12, error},
    {180, 13, error}, {350, 14, error}, {400, 15, error}, {370, 16, error}, {1, 17, error},   {999, 17, error},
    {290, 18, error}, {300, 19, error}, {310, 20, error}, {320, 21, error}, {0, kNoBox, info}, {-240, kNoBox, info},
    {10, kNoBox, info}, {30, kNoBox, info}, {140, kNoBox, info},
};

TEST(ZipErrors, ShowsLinesOneTwoAndTheCodesLineWithItsIcon) {
    for (const auto& row : kCodes) {
        SCOPED_TRACE(row.code);
        test::RecordingUi ui;
        ShowZipError(row.code, "restore");
        EXPECT_EQ(ZipErrorLine(row.code), row.line);
        if (row.line == kNoBox) {
            EXPECT_TRUE(ui.messageBoxes.empty() && ui.errorBoxes.empty() && ui.plainBoxes.empty());
            continue;
        }
        const test::RecordingUi::MessageBoxCall box{row.type, mbOK, "ZipErrors", {1, 2, row.line}, TAlignment::taCenter};
        EXPECT_EQ(ui.messageBoxes, std::vector{box});
    }
}

TEST(ZipErrors, ResultKeepsTheFirstErrorOverNoticesAndSilentCodes) {
    TZipResult result;
    result.Note(kZipOk);
    result.Note(kZipFilesKept);
    EXPECT_EQ(result.Code(), kZipFilesKept);
    result.Note(kZipSomeFilesSkipped);
    EXPECT_EQ(result.Code(), kZipSomeFilesSkipped);
    EXPECT_FALSE(result.HasError());
    for (int code : {kZipUnsafeEntryName, kZipLinkEntry, kZipFilesKept, kZipOk}) result.Note(code);
    EXPECT_EQ(result.Code(), kZipUnsafeEntryName);
    EXPECT_TRUE(result.HasError());
}

}  // namespace
}  // namespace cv
