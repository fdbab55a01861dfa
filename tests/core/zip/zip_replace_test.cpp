#include <gtest/gtest.h>

#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "tests/core/zip/zip_test_support.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

class ZipReplace : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteCraftedZip(archive, {{"a.txt", "new A"}, {"b.txt", "new B"}, {"sub/c.dat", "new C"}});
        fs::create_directories(destination);
        WriteFileBytes(destination / "a.txt", "old A");
        WriteFileBytes(destination / "b.txt", "old B");
        zip.ExtractDirectory = destination.string();
    }

    int Unzip() {
        zip.ZipFileName = archive.string();
        return zip.Unzip();
    }

    test::TempDir dir;
    test::RecordingUi ui;
    const fs::path archive = dir.path() / "r.zip";
    const fs::path destination = dir.path() / "dest";
    TXceedZip zip;
};

TEST_F(ZipReplace, OnReplaceDecidesFileByFile) {
    std::vector<std::string> asked;
    zip.OnReplace = [&asked](TXceedZip&, TXcdReplace& record) {
        asked.push_back(record.FileName);
        EXPECT_EQ(record.Action, kZipActionKeep);  // the engine proposes to keep
        record.Action = record.FileName.ends_with("b.txt") ? kZipActionReplace : kZipActionKeep;
    };
    EXPECT_EQ(Unzip(), kZipFilesKept);
    EXPECT_EQ(asked, (std::vector<std::string>{(destination / "a.txt").string(), (destination / "b.txt").string()}));
    EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "old A");
    EXPECT_EQ(ReadFileBytes(destination / "b.txt"), "new B");
    EXPECT_EQ(ReadFileBytes(destination / "sub/c.dat"), "new C");
    EXPECT_GT(ui.eventPumps, 0);
}

TEST_F(ZipReplace, OverwriteSettingsNeedNoQuestion) {
    int questions = 0;
    zip.OnReplace = [&questions](TXceedZip&, TXcdReplace& record) {
        ++questions;
        record.Action = kZipActionReplace;
    };
    zip.Overwrite = xowNever;
    EXPECT_EQ(Unzip(), kZipFilesKept);
    EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "old A");
    EXPECT_EQ(ReadFileBytes(destination / "b.txt"), "old B");

    zip.Overwrite = xowAlways;
    EXPECT_EQ(Unzip(), kZipOk);
    EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "new A");
    EXPECT_EQ(ReadFileBytes(destination / "b.txt"), "new B");
    EXPECT_EQ(questions, 0);

    // Asking without a handler keeps what exists.
    WriteFileBytes(destination / "a.txt", "old A");
    zip.OnReplace = nullptr;
    zip.Overwrite = xowAsk;
    EXPECT_EQ(Unzip(), kZipFilesKept);
    EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "old A");
}

TEST_F(ZipReplace, PatternsAndExcludesSelectEntries) {
    fs::remove_all(destination);
    zip.FilesToProcess = {"*.txt", "<b*"};
    EXPECT_EQ(Unzip(), kZipOk);
    EXPECT_TRUE(zip.FilesToProcess.empty());
    EXPECT_EQ(test::FilesUnder(destination), std::vector<std::string>{"a.txt"});

    // A pattern that matches nothing is a notice; the rest is done.
    fs::remove_all(destination);
    zip.FilesToProcess = {"sub/*", "nothing.here"};
    EXPECT_EQ(Unzip(), kZipSomeFilesSkipped);
    EXPECT_EQ(test::FilesUnder(destination), std::vector<std::string>{"sub/c.dat"});

    fs::remove_all(destination);
    zip.FilesToProcess = {"nothing.here"};
    EXPECT_EQ(Unzip(), kZipNothingToDo);

    // Without paths every entry lands directly in the destination.
    zip.UsePaths = false;
    EXPECT_EQ(Unzip(), kZipOk);
    EXPECT_EQ(test::FilesUnder(destination), (std::vector<std::string>{"a.txt", "b.txt", "c.dat"}));
}

}  // namespace
}  // namespace cv
