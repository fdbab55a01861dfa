#include <gtest/gtest.h>

#include <map>

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

constexpr int kDeflated = 8;
constexpr int kStored = 0;

// Works in a fresh directory made current, so that relative patterns
// give short stored names; the previous current directory comes back after.
class ZipRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir.path());
        files_ = {
            {"src/a.txt", "first file\r\nsecond line\r\n"},
            {"src/empty.dat", ""},
            {"src/sub/b.bin", test::PatternBytes(700 * 1024, 7)},  // spans several read blocks
            {"src/sub/deep/c.ZIP", test::PatternBytes(3000, 9)},
        };
        for (const auto& [name, bytes] : files_) {
            fs::create_directories(fs::path(name).parent_path());
            WriteFileBytes(name, bytes);
        }
    }
    void TearDown() override { fs::current_path(previous_); }

    void ExpectExtractedUnder(const fs::path& root) const {
        for (const auto& [name, bytes] : files_) EXPECT_EQ(ReadFileBytes(root / name), bytes) << name;
    }

    test::TempDir dir;
    test::RecordingUi ui;
    std::map<std::string, std::string> files_;

private:
    fs::path previous_;
};

TEST_F(ZipRoundTrip, ZipThenUnzipElsewhereGivesIdenticalBytes) {
    TXceedZip zip;
    zip.ZipFileName = "out/all.zip";
    zip.FilesToProcess = {"src/*"};
    zip.Recurse = true;
    fs::create_directory("out");
    EXPECT_EQ(zip.Zip(), kZipOk);
    EXPECT_TRUE(zip.FilesToProcess.empty());
    EXPECT_GT(ui.eventPumps, 0);  // windows could repaint during the run

    // Stored names keep the relative paths; ".ZIP" files are stored, the others deflated.
    std::map<std::string, int> methods;
    for (const auto& entry : test::CentralEntries(ReadFileBytes("out/all.zip"))) methods[entry.name] = entry.method;
    EXPECT_EQ(methods, (std::map<std::string, int>{{"src/a.txt", kDeflated},
                                                   {"src/empty.dat", kDeflated},
                                                   {"src/sub/b.bin", kDeflated},
                                                   {"src/sub/deep/c.ZIP", kStored}}));
    EXPECT_EQ(test::FilesUnder("out"), std::vector<std::string>{"all.zip"});  // no temporary file left

    zip.ExtractDirectory = "copy";
    EXPECT_EQ(zip.Unzip(), kZipOk);
    ExpectExtractedUnder("copy");
    EXPECT_EQ(test::FilesUnder("copy").size(), files_.size());

    if (!test::ToolAvailable("unzip")) GTEST_SKIP() << "unzip tool missing";
    EXPECT_EQ(test::RunCommand("unzip -q out/all.zip -d tool"), 0);
    ExpectExtractedUnder("tool");
}

TEST_F(ZipRoundTrip, PasswordArchiveOpensOnlyWithTheSamePassword) {
    TXceedZip zip;
    zip.ZipFileName = "secret.zip";
    zip.Password = "Tr0ub4dor";
    zip.FilesToProcess = {"src/a.txt", "src/sub/b.bin"};
    ASSERT_EQ(zip.Zip(), kZipOk);
    for (const auto& entry : test::CentralEntries(ReadFileBytes("secret.zip"))) EXPECT_TRUE(entry.encrypted);

    zip.ExtractDirectory = "right";
    EXPECT_EQ(zip.Unzip(), kZipOk);
    EXPECT_EQ(ReadFileBytes("right/src/a.txt"), files_["src/a.txt"]);
    EXPECT_EQ(ReadFileBytes("right/src/sub/b.bin"), files_["src/sub/b.bin"]);

    zip.Password = "tr0ub4dor";
    zip.ExtractDirectory = "wrong";
    EXPECT_EQ(zip.Unzip(), kZipBadPassword);
    EXPECT_TRUE(test::FilesUnder("wrong").empty());  // nothing half decrypted is left

    // Without a password the question goes to OnPwdQuery, once per entry here.
    zip.Password.clear();
    int questions = 0;
    zip.OnPwdQuery = [&questions](TXceedZip&, TXcdPwdQuery& query) {
        ++questions;
        EXPECT_EQ(query.Action, kZipActionDecrypt);
        query.Password = "Tr0ub4dor";
    };
    zip.ExtractDirectory = "asked";
    EXPECT_EQ(zip.Unzip(), kZipOk);
    EXPECT_EQ(questions, 1);  // the answer is remembered for the second entry
    EXPECT_EQ(ReadFileBytes("asked/src/sub/b.bin"), files_["src/sub/b.bin"]);

    if (!test::ToolAvailable("unzip")) GTEST_SKIP() << "unzip tool missing";
    EXPECT_EQ(test::RunCommand("unzip -q -P Tr0ub4dor secret.zip -d tool"), 0);
    EXPECT_EQ(ReadFileBytes("tool/src/sub/b.bin"), files_["src/sub/b.bin"]);
    EXPECT_NE(test::RunCommand("unzip -q -P wrong secret.zip -d toolwrong >/dev/null 2>&1"), 0);
}

TEST_F(ZipRoundTrip, ArchivesOfTheZipToolAreRead) {
    if (!test::ToolAvailable("zip")) GTEST_SKIP() << "zip tool missing";
    ASSERT_EQ(test::RunCommand("zip -q -r -P S3same tool.zip src"), 0);
    TXceedZip zip;
    zip.ZipFileName = "tool.zip";
    zip.Password = "S3same";
    zip.ExtractDirectory = "mine";
    EXPECT_EQ(zip.Unzip(), kZipOk);
    ExpectExtractedUnder("mine");
}

TEST_F(ZipRoundTrip, IncludeExcludeHiddenAndPathOptionsPickTheEntries) {
    WriteFileBytes("src/.hidden", "h");
    WriteFileBytes("src/sub/notes.txt", "n");
    const auto names = [](const std::string& archive) {
        std::vector<std::string> result;
        for (const auto& entry : test::CentralEntries(ReadFileBytes(archive))) result.push_back(entry.name);
        return result;
    };
    TXceedZip zip;
    zip.Recurse = true;
    zip.ZipFileName = "pick.zip";
    zip.FilesToProcess = {"src/*", ">*.txt", "<*/sub/*"};  // text files, none under sub
    ASSERT_EQ(zip.Zip(), kZipOk);
    EXPECT_EQ(names("pick.zip"), std::vector<std::string>{"src/a.txt"});

    // Hidden files only on request; without paths the names lose their directories.
    zip.ZipFileName = "flat.zip";
    zip.FilesToProcess = {"src/*"};
    zip.UsePaths = false;
    zip.IncludeHiddenFiles = true;
    ASSERT_EQ(zip.Zip(), kZipOk);
    EXPECT_EQ(names("flat.zip"), (std::vector<std::string>{".hidden", "a.txt", "empty.dat", "b.bin", "c.ZIP",
                                                           "notes.txt"}));

    // Directory entries with paths; an unknown pattern is a notice.
    zip.ZipFileName = "dirs.zip";
    zip.FilesToProcess = {"src/sub", "src/missing.txt"};
    zip.UsePaths = true;
    zip.IncludeHiddenFiles = false;
    zip.IncludeDirectoryEntries = true;
    EXPECT_EQ(zip.Zip(), kZipSomeFilesSkipped);
    EXPECT_EQ(names("dirs.zip"), (std::vector<std::string>{"src/sub/", "src/sub/b.bin", "src/sub/deep/",
                                                           "src/sub/deep/c.ZIP", "src/sub/notes.txt"}));

    // A file written before 1 January 1980 is left out, and that is said.
    const std::chrono::sys_seconds before1980 = std::chrono::sys_days(std::chrono::year{1979} / 12 / 31);
    fs::last_write_time("src/sub/notes.txt", std::chrono::file_clock::from_sys(before1980));
    zip.ZipFileName = "dated.zip";
    zip.FilesToProcess = {"src/a.txt", "src/sub/notes.txt"};
    EXPECT_EQ(zip.Zip(), kZipSomeFilesSkipped);
    EXPECT_EQ(names("dated.zip"), std::vector<std::string>{"src/a.txt"});
}

TEST_F(ZipRoundTrip, FailedZipLeavesTheOldArchiveAsItWas) {
    WriteFileBytes("keep.zip", "old archive bytes");
    TXceedZip zip;
    zip.ZipFileName = "keep.zip";
    zip.FilesToProcess = {"src/nothing*"};
    EXPECT_EQ(zip.Zip(), kZipNothingToDo);
    EXPECT_EQ(ReadFileBytes("keep.zip"), "old archive bytes");
    EXPECT_TRUE(zip.FilesToProcess.empty());

    zip.ZipFileName = "no/such/dir/new.zip";
    zip.FilesToProcess = {"src/a.txt"};
    EXPECT_EQ(zip.Zip(), kZipCannotWriteArchive);
    EXPECT_TRUE(zip.FilesToProcess.empty());

    // A stop half way: the old archive stays, no temporary file is left.
    const auto engine = TZipEngine::Start(TZipEngineKind::zekZip);
    int added = 0;
    const auto stopAtSecond = [&added](TZipNotification& n) {
        return n.kind == TZipNotice::ntAdding && ++added == 2 ? 1 : 0;
    };
    const int code =
        engine->Run(kZipInterfaceVersion, {"", "keep.zip", "src/a.txt", "src/sub/b.bin"}, stopAtSecond);
    EXPECT_EQ(code, kZipStopped);
    EXPECT_EQ(ReadFileBytes("keep.zip"), "old archive bytes");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find("~cvz"), std::string::npos) << entry.path();

    // A new archive replaces the old one whole.
    zip.ZipFileName = "keep.zip";
    zip.FilesToProcess = {"src/a.txt"};
    EXPECT_EQ(zip.Zip(), kZipOk);
    EXPECT_EQ(test::CentralEntries(ReadFileBytes("keep.zip")).size(), 1u);
}

TEST_F(ZipRoundTrip, MovedFilesAreDeletedOnceArchived) {
    TXceedZip zip;
    zip.ZipFileName = "moved.zip";
    zip.MoveFiles = true;
    zip.FilesToProcess = {"src/a.txt", "src/empty.dat"};
    std::vector<std::string> deleted;
    zip.OnDeleting = [&deleted](TXceedZip&, const TZipNotification& n) { deleted.push_back(n.fileName); };
    EXPECT_EQ(zip.Zip(), kZipOk);
    EXPECT_FALSE(fs::exists("src/a.txt"));
    EXPECT_FALSE(fs::exists("src/empty.dat"));
    EXPECT_EQ(deleted, (std::vector<std::string>{"src/a.txt", "src/empty.dat"}));
    EXPECT_EQ(test::CentralEntries(ReadFileBytes("moved.zip")).size(), 2u);
}

TEST_F(ZipRoundTrip, LevelZeroStoresAndTempPathHoldsTheWorkingCopy) {
    fs::create_directory("work");
    TXceedZip zip;
    zip.ZipFileName = "stored.zip";
    zip.Compression = 0;
    zip.TempPath = "work";
    zip.FilesToProcess = {"src/a.txt", "src/sub/b.bin"};
    ASSERT_EQ(zip.Zip(), kZipOk);
    for (const auto& entry : test::CentralEntries(ReadFileBytes("stored.zip"))) EXPECT_EQ(entry.method, kStored);
    EXPECT_TRUE(fs::is_empty("work"));

    // A working directory on another file system (shared memory is one where
    // it exists) is reached by a copy.
    const fs::path shared = "/dev/shm";
    std::error_code error;
    if (fs::is_directory(shared, error)) {
        zip.TempPath = shared.string();
        zip.ZipFileName = "copied.zip";
        zip.FilesToProcess = {"src/a.txt"};
        EXPECT_EQ(zip.Zip(), kZipOk);
        zip.ExtractDirectory = "copied";
        EXPECT_EQ(zip.Unzip(), kZipOk);
        EXPECT_EQ(ReadFileBytes("copied/src/a.txt"), files_["src/a.txt"]);
    }
}

TEST_F(ZipRoundTrip, ExceptionOfAPasswordHandlerPassesThroughTheLibrary) {
    TXceedZip zip;
    zip.ZipFileName = "secret.zip";
    zip.Password = "pw";
    zip.FilesToProcess = {"src/a.txt"};
    ASSERT_EQ(zip.Zip(), kZipOk);

    zip.Password.clear();
    zip.OnPwdQuery = [](TXceedZip&, TXcdPwdQuery&) { throw std::runtime_error("cancelled by the user"); };
    zip.ExtractDirectory = "out";
    zip.FilesToProcess = {"*"};
    EXPECT_THROW(zip.Unzip(), std::runtime_error);
    EXPECT_TRUE(zip.FilesToProcess.empty());
    EXPECT_TRUE(test::FilesUnder("out").empty());
}

}  // namespace
}  // namespace cv
