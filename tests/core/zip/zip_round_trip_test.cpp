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

    // Zips Files into Archive with the other settings of Zip.
    static int Zip(TXceedZip& zip, const std::string& archive, std::vector<std::string> files) {
        zip.ZipFileName = archive;
        zip.FilesToProcess = std::move(files);
        return zip.Zip();
    }
    // Extracts the archive of Zip into Directory.
    static int Unzip(TXceedZip& zip, const std::string& directory) {
        zip.ExtractDirectory = directory;
        return zip.Unzip();
    }

    test::TempDir dir;
    test::RecordingUi ui;
    std::map<std::string, std::string> files_;

private:
    fs::path previous_;
};

TEST_F(ZipRoundTrip, PasswordArchiveOpensOnlyWithTheSamePassword) {
    TXceedZip zip;
    zip.Password = "Tr0ub4dor";
    ASSERT_EQ(Zip(zip, "secret.zip", {"src/a.txt", "src/sub/b.bin"}), kZipOk);
    for (const auto& entry : test::CentralEntries("secret.zip")) EXPECT_TRUE(entry.encrypted);

    EXPECT_EQ(Unzip(zip, "right"), kZipOk);
    EXPECT_EQ(ReadFileBytes("right/src/a.txt"), files_["src/a.txt"]);
    EXPECT_EQ(ReadFileBytes("right/src/sub/b.bin"), files_["src/sub/b.bin"]);

    zip.Password = "tr0ub4dor";
    EXPECT_EQ(Unzip(zip, "wrong"), kZipBadPassword);
    EXPECT_TRUE(test::FilesUnder("wrong").empty());  // nothing half decrypted is left

    // Without a password the question goes to OnPwdQuery, once per entry here.
    zip.Password.clear();
    int questions = 0;
    zip.OnPwdQuery = [&questions](TXceedZip&, TXcdPwdQuery& query) {
        ++questions;
        EXPECT_EQ(query.Action, kZipActionDecrypt);
        query.Password = "Tr0ub4dor";
    };
    EXPECT_EQ(Unzip(zip, "asked"), kZipOk);
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
    EXPECT_EQ(Unzip(zip, "mine"), kZipOk);
    for (const auto& [name, bytes] : files_) EXPECT_EQ(ReadFileBytes("mine/" + name), bytes) << name;
}

TEST_F(ZipRoundTrip, IncludeExcludeHiddenAndPathOptionsPickTheEntries) {
    WriteFileBytes("src/.hidden", "h");
    WriteFileBytes("src/sub/notes.txt", "n");
    TXceedZip zip;
    zip.Recurse = true;
    ASSERT_EQ(Zip(zip, "pick.zip", {"src/*", ">*.txt", "<*/sub/*"}), kZipOk);  // text files, none under sub
    EXPECT_EQ(test::EntryNames("pick.zip"), std::vector<std::string>{"src/a.txt"});

    // Hidden files only on request; without paths the names lose their directories.
    zip.UsePaths = false;
    zip.IncludeHiddenFiles = true;
    ASSERT_EQ(Zip(zip, "flat.zip", {"src/*"}), kZipOk);
    EXPECT_EQ(test::EntryNames("flat.zip"),
              (std::vector<std::string>{".hidden", "a.txt", "empty.dat", "b.bin", "c.ZIP", "notes.txt"}));

    // Directory entries with paths; an unknown pattern is a notice.
    zip.UsePaths = true;
    zip.IncludeHiddenFiles = false;
    zip.IncludeDirectoryEntries = true;
    EXPECT_EQ(Zip(zip, "dirs.zip", {"src/sub", "src/missing.txt"}), kZipSomeFilesSkipped);
    EXPECT_EQ(test::EntryNames("dirs.zip"), (std::vector<std::string>{"src/sub/", "src/sub/b.bin", "src/sub/deep/",
                                                                      "src/sub/deep/c.ZIP", "src/sub/notes.txt"}));

    // A file written before 1 January 1980 is left out, and that is said.
    const std::chrono::sys_seconds before1980 = std::chrono::sys_days(std::chrono::year{1979} / 12 / 31);
    fs::last_write_time("src/sub/notes.txt", std::chrono::file_clock::from_sys(before1980));
    EXPECT_EQ(Zip(zip, "dated.zip", {"src/a.txt", "src/sub/notes.txt"}), kZipSomeFilesSkipped);
    EXPECT_EQ(test::EntryNames("dated.zip"), std::vector<std::string>{"src/a.txt"});
}

TEST_F(ZipRoundTrip, FailedZipLeavesTheOldArchiveAsItWas) {
    WriteFileBytes("keep.zip", "old archive bytes");
    TXceedZip zip;
    EXPECT_EQ(Zip(zip, "keep.zip", {"src/nothing*"}), kZipNothingToDo);
    EXPECT_EQ(ReadFileBytes("keep.zip"), "old archive bytes");
    EXPECT_TRUE(zip.FilesToProcess.empty());

    EXPECT_EQ(Zip(zip, "no/such/dir/new.zip", {"src/a.txt"}), kZipCannotWriteArchive);
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
    EXPECT_EQ(Zip(zip, "keep.zip", {"src/a.txt"}), kZipOk);
    EXPECT_EQ(test::EntryNames("keep.zip"), std::vector<std::string>{"src/a.txt"});
}

TEST_F(ZipRoundTrip, MovedFilesAreDeletedOnceArchived) {
    TXceedZip zip;
    zip.MoveFiles = true;
    std::vector<std::string> deleted;
    zip.OnDeleting = [&deleted](TXceedZip&, const TZipNotification& n) { deleted.push_back(n.fileName); };
    const std::vector<std::string> moved{"src/a.txt", "src/empty.dat"};
    EXPECT_EQ(Zip(zip, "moved.zip", moved), kZipOk);
    EXPECT_FALSE(fs::exists("src/a.txt") || fs::exists("src/empty.dat"));
    EXPECT_EQ(deleted, moved);
    EXPECT_EQ(test::EntryNames("moved.zip"), moved);
}

TEST_F(ZipRoundTrip, LevelZeroStoresAndTempPathHoldsTheWorkingCopy) {
    fs::create_directory("work");
    TXceedZip zip;
    zip.Compression = 0;
    zip.TempPath = "work";
    ASSERT_EQ(Zip(zip, "stored.zip", {"src/a.txt", "src/sub/b.bin"}), kZipOk);
    for (const auto& entry : test::CentralEntries("stored.zip")) EXPECT_EQ(entry.method, kStored);
    EXPECT_TRUE(fs::is_empty("work"));

    // A working directory on another file system (shared memory is one where it exists) is reached by a copy.
    std::error_code error;
    if (fs::is_directory("/dev/shm", error)) {
        zip.TempPath = "/dev/shm";
        EXPECT_EQ(Zip(zip, "copied.zip", {"src/a.txt"}), kZipOk);
        EXPECT_EQ(Unzip(zip, "copied"), kZipOk);
        EXPECT_EQ(ReadFileBytes("copied/src/a.txt"), files_["src/a.txt"]);
    }
}

TEST_F(ZipRoundTrip, ExceptionOfAPasswordHandlerPassesThroughTheLibrary) {
    TXceedZip zip;
    zip.Password = "pw";
    ASSERT_EQ(Zip(zip, "secret.zip", {"src/a.txt"}), kZipOk);

    zip.Password.clear();
    zip.OnPwdQuery = [](TXceedZip&, TXcdPwdQuery&) { throw std::runtime_error("cancelled by the user"); };
    zip.FilesToProcess = {"*"};
    EXPECT_THROW(Unzip(zip, "out"), std::runtime_error);
    EXPECT_TRUE(zip.FilesToProcess.empty());
    EXPECT_TRUE(test::FilesUnder("out").empty());
}

}  // namespace
}  // namespace cv
