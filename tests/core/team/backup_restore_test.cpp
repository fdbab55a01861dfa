#include "core/team/backup_restore.h"

#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "core/team/backup_steps.h"
#include "core/team/industry_opening.h"
#include "core/zip/zip_errors.h"
#include "tests/core/team/team_archive_fixture.h"
#include "tests/support/damage.h"
#include "tests/support/dead_process.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

class BackupRestoreTest : public TeamArchiveFixture {
protected:
    BackupRestoreTest() { Start(Exchange().string() + "/"); }

    fs::path Backup() const { return Private() / "SAMPL03A.ZIP"; }
    bool WriteBackup(const fs::path& archive) { return WriteZipBackup(*Session, archive.string(), "A", {}); }
    // Restores Archive answering every replace question with Answer; the names asked about.
    std::vector<std::string> Restore(const fs::path& archive, bool answer, bool* succeeded = nullptr) {
        std::vector<std::string> asked;
        const bool ok = RestoreZipBackup(
            *Session, archive.string(),
            [&](const std::string& file) {
                asked.push_back(fs::path(file).filename().string());
                return answer;
            },
            {});
        if (succeeded) *succeeded = ok;
        return asked;
    }
};

TEST(ProposedBackupName, FiveLettersOfTheIndustryThePeriodAndTheTeamLetter) {
    EXPECT_EQ(ProposedBackupName("SAMPLE", 3, ".mtA"), "SAMPL03A");
    EXPECT_EQ(ProposedBackupName("X", 11, ".mtE"), "X11E");
}

TEST_F(BackupRestoreTest, BackupHoldsTheWorkingCopyAndTheDescriptorCopy) {
    ASSERT_TRUE(WriteBackup(Backup()));
    EXPECT_TRUE(UnzipAccepts(Backup()));
    const auto entries = PythonZipEntries(Backup());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.at("SAMPLE.MTA"), ReadFileBytes(WorkingCopy()));
    EXPECT_EQ(entries.at("SAMPLE.mrA"), ReadFileBytes(DescriptorCopy()));
    EXPECT_NE(Session->Industry(), nullptr);
    // One word at the end: where the archive is.
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].key, "The backup was written to " + Backup().string() + ".");
    EXPECT_EQ(ui.messageBoxes[0].type, TMsgDlgType::mtInformation);
    EXPECT_FALSE(ui.progressOpen);
}

TEST_F(BackupRestoreTest, BackupThatCannotBeWrittenIsReportedAndTheIndustryReopened) {
    EXPECT_FALSE(WriteBackup(Private() / "missing" / "B.ZIP"));
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].key, "ZipErrors");
    EXPECT_EQ(ui.messageBoxes[0].lines.back(), ZipErrorLine(kZipCannotWriteArchive));
    EXPECT_FALSE(fs::exists(Private() / "missing"));
    EXPECT_NE(Session->Industry(), nullptr);
}

// A child process limited to files of 1 KiB writes the backup: the archive
// (tens of KiB) fails part-way, and no file of it may stay behind.
TEST_F(BackupRestoreTest, FileSizeLimitLeavesNoPartialArchive) {
    const std::vector<std::string> files = BackupFiles(*Session, "A");
    const std::vector<std::string> before = FileNames(Private());
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(ZipBackupFiles(Backup().string(), files) == kZipCannotWriteArchive ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(FileNames(Private()), before);
}

TEST_F(BackupRestoreTest, RestoreGivesBackTheBackedUpBytesWhenReplacingIsConfirmed) {
    ASSERT_TRUE(WriteBackup(Backup()));
    const std::string backedUp = ReadFileBytes(WorkingCopy());
    Session->IndClose();
    WriteFileBytes(WorkingCopy(), "changed since the backup");
    bool ok = false;
    EXPECT_EQ(Restore(Backup(), true, &ok), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.mrA"}));
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadFileBytes(WorkingCopy()), backedUp);
    EXPECT_EQ(Session->Industry(), nullptr);
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_EQ(ui.messageBoxes.back().key, "Restored from " + Backup().string() +
                                              ": SAMPLE.MTA, SAMPLE.mrA.\n"
                                              "No industry is open now: open the restored one with Open industry.");
}

TEST_F(BackupRestoreTest, RestoreAnsweredNoKeepsEveryExistingFile) {
    ASSERT_TRUE(WriteBackup(Backup()));
    Session->IndClose();
    ui.messageBoxes.clear();
    WriteFileBytes(WorkingCopy(), "kept");
    WriteFileBytes(DescriptorCopy(), "kept too");
    EXPECT_EQ(Restore(Backup(), false).size(), 2u);
    EXPECT_EQ(ReadFileBytes(WorkingCopy()), "kept");
    EXPECT_EQ(ReadFileBytes(DescriptorCopy()), "kept too");
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].key, "Nothing was restored from " + Backup().string() +
                                          ": every existing file was kept.\n"
                                          "No industry is open now: your own copy is as it was. Open it with Open "
                                          "industry.");
}

TEST_F(BackupRestoreTest, UnsafeEntriesWriteNothingOutsideThePrivateDirectory) {
    Session->IndClose();
    const fs::path archive = Exchange() / "unsafe.zip";
    // Python writes the names as given: a ".." step, an absolute path and a link.
    const fs::path script = Exchange() / "unsafe.py";
    WriteFileBytes(script,
                   "import sys, zipfile\n"
                   "z = zipfile.ZipFile(sys.argv[1], 'w')\n"
                   "z.writestr('../outside.txt', 'escaped')\n"
                   "z.writestr(sys.argv[2], 'escaped')\n"
                   "link = zipfile.ZipInfo('link')\n"
                   "link.create_system = 3\n"
                   "link.external_attr = 0o120777 << 16\n"
                   "z.writestr(link, sys.argv[2])\n");
    const fs::path absolute = Exchange() / "absolute.txt";
    ASSERT_EQ(std::system(("python3 '" + script.string() + "' '" + archive.string() + "' '" + absolute.string() + "'")
                              .c_str()),
              0);
    bool ok = true;
    Restore(archive, true, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(fs::exists(Private().parent_path() / "outside.txt"));
    EXPECT_FALSE(fs::exists(absolute));
    EXPECT_FALSE(fs::exists(fs::symlink_status(Private() / "link")));
    ASSERT_FALSE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.messageBoxes.back().key, "ZipErrors");
}

// The sample with firm A's label in the firm series Firms changed to X: an
// industry that reads whole but has no team A.
std::string WithoutTeamA(std::string sample, const std::string& firms) {
    const auto stored = [](char tag, const std::string& text) {
        const auto length = static_cast<char>(text.size());
        return std::string{tag, length, static_cast<char>(kSeriesTextMax), length} + text;
    };
    const std::size_t series = sample.find(stored('\x02', firms));
    const std::size_t label = sample.find(stored('\x05', "A"), series);
    if (series == std::string::npos || label == std::string::npos) ADD_FAILURE() << "no label A in " << firms;
    else sample[label + 4] = 'X';
    return sample;
}

// Backups that must not replace anything: each refused with its message, and
// the private directory byte for byte as it was (no staging files left).
TEST_F(BackupRestoreTest, ABackupThatDoesNotOpenAsTheTeamsCopyRestoresNothing) {
    ASSERT_TRUE(WriteBackup(Backup()));
    const std::string firms = Session->Industry()->FirSeries()->Name();
    Session->IndClose();
    const std::string sample = ReadFileBytes(WorkingCopy());
    const auto file = [this](const std::string& name, const std::string& bytes) {
        const fs::path path = Exchange() / name;
        WriteFileBytes(path, bytes);
        return path;
    };
    const fs::path good = file("good", sample);
    const fs::path text = file("text", "SAMPLE, as a text file");
    const fs::path descriptor = file("descriptor", ReadFileBytes(DescriptorCopy()));
    const fs::path empty = file("empty", "");
    const fs::path archive = Exchange() / "refused.zip";
    const std::string damaged = DamagedIndustryText(kDamagedBackupLine) + "\n";
    const std::string nothingRestored = " Nothing was restored: your files are as they were.";
    const struct {
        const char* name;
        std::vector<std::pair<std::string, fs::path>> entries;
        std::string wrongSumEntry;
        // The message: its text begins with Text, or else it is the line N of "ZipErrors".
        std::string text;
        int zipLine;
    } cases[] = {
        {"a text file named like the industry", {{"SAMPLE.MTA", text}, {"SAMPLE.mrA", descriptor}}, {}, damaged, 0},
        {"garbage at 10 %", {{"SAMPLE.MTA", file("g10", test::WithGarbage(sample, 0.1, 4096, 28))}}, {}, damaged, 0},
        {"garbage at 50 %", {{"SAMPLE.MTA", file("g50", test::WithGarbage(sample, 0.5, 4096, 28))}}, {}, damaged, 0},
        {"garbage at 90 %", {{"SAMPLE.MTA", file("g90", test::WithGarbage(sample, 0.9, 4096, 28))}}, {}, damaged, 0},
        // What does not read names the backup's entry, not the place it was unpacked to.
        {"a truncated industry",
         {{"SAMPLE.MTA", file("truncated", sample.substr(0, sample.size() / 2))}},
         {},
         damaged + "What does not read: Volume set SAMPLE.MTA: ",
         0},
        {"an industry without the team",
         {{"SAMPLE.MTA", file("no team A", WithoutTeamA(sample, firms))}, {"SAMPLE.mrA", descriptor}},
         {},
         "The industry in the backup " + archive.string() + " has no team A, so it would not open as your copy." +
             nothingRestored,
         0},
        {"a descriptor that does not read",
         {{"SAMPLE.MTA", good}, {"SAMPLE.mrA", file("junk", std::string(40, '\x7f'))}},
         {},
         "The team descriptor SAMPLE.mrA in the backup " + archive.string() + " cannot be read." + nothingRestored,
         0},
        // Garbage first, a good copy second: the whole archive is refused.
        {"the industry twice", {{"SAMPLE.MTA", text}, {"SAMPLE.MTA", good}}, {}, {}, ZipErrorLine(kZipDuplicateEntry)},
        {"an empty entry with a wrong sum", {{"SAMPLE.MTA", good}, {"SAMPLE.mrA", empty}}, "SAMPLE.mrA", {},
         ZipErrorLine(kZipDataError)},
    };
    const auto before = PrivateChecksums();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(archive);
        WritePythonZip(archive, c.entries, c.wrongSumEntry);
        ui.messageBoxes.clear();
        bool ok = true;
        EXPECT_TRUE(Restore(archive, true, &ok).empty()) << "a replace question was asked";
        EXPECT_FALSE(ok);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        if (c.zipLine == 0) {
            EXPECT_TRUE(ui.messageBoxes[0].key.starts_with(c.text)) << ui.messageBoxes[0].key;
            EXPECT_EQ(ui.messageBoxes[0].key.find(".restore-"), std::string::npos) << ui.messageBoxes[0].key;
        } else {
            EXPECT_EQ(ui.messageBoxes[0].key, "ZipErrors");
            EXPECT_EQ(ui.messageBoxes[0].lines, (std::vector<int>{1, 2, c.zipLine}));
        }
        EXPECT_EQ(ui.messageBoxes[0].type, TMsgDlgType::mtError);
        EXPECT_FALSE(ui.progressOpen);
        EXPECT_EQ(PrivateChecksums(), before);
    }
}

// Backups holding a file that no backup of one team's industry holds: a name
// damaged by a stray byte, a file of another industry or team, a file twice,
// one in a directory. Each is refused naming that file, and the private
// directory is as it was.
TEST_F(BackupRestoreTest, ABackupHoldingAnotherFileRestoresNothing) {
    Session->IndClose();
    const auto before = PrivateChecksums();
    const struct {
        std::vector<std::string> entries;
        std::string foreign;
    } cases[] = {
        {{"SAMPLE.MT\x01", "SAMPLE.mrA"}, "SAMPLE.MT\x01"},
        {{"SAMPLE.mrA", "SAMPLE.MTA\x01"}, "SAMPLE.MTA\x01"},
        {{"SAMPLE.MTA", "OTHER.mrA"}, "OTHER.mrA"},
        {{"SAMPLE.MTA", "SAMPLE.mrE"}, "SAMPLE.mrE"},
        {{"SAMPLE.MTA", "sample.MTA"}, "sample.MTA"},
        {{"INDUSTRY/SAMPLE.MTA"}, "INDUSTRY/SAMPLE.MTA"},
        // Spelt otherwise than the program names the team's files: restored,
        // they would lie beside the team's own copy.
        {{"sample.mta", "sample.mra"}, "sample.mta"},
        {{"SAMPLE.mtA", "SAMPLE.mrA"}, "SAMPLE.mtA"},
        {{"SAMPLE.MTA", "SAMPLE.MRA"}, "SAMPLE.MRA"},
        {{"Sample.mrA"}, "Sample.mrA"},
    };
    const fs::path archive = Exchange() / "foreign.zip";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.foreign);
        std::vector<std::pair<std::string, fs::path>> entries;
        for (const std::string& name : c.entries) entries.emplace_back(name, WorkingCopy());
        fs::remove(archive);
        WritePythonZip(archive, entries);
        ui.messageBoxes.clear();
        bool ok = true;
        EXPECT_TRUE(Restore(archive, true, &ok).empty()) << "a replace question was asked";
        EXPECT_FALSE(ok);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].key, "The backup " + archive.string() +
                                              " holds a file that no backup of an industry holds: " + c.foreign +
                                              ". Nothing was restored: your files are as they were.");
        EXPECT_EQ(PrivateChecksums(), before);
    }
}

// Transfers and restores killed part-way leave their staging directories and
// temporary files behind: the next transfer or restore removes those of
// processes that ended, and nothing else (a running process's, a user's own
// folders and files named like them, what a link leads to).
TEST_F(BackupRestoreTest, TransferAndRestoreRemoveWhatEndedRunsLeft) {
    ASSERT_TRUE(WriteBackup(Backup()));
    const std::string ended = std::to_string(DeadProcessId()), running = std::to_string(::getpid());
    // A file of the private directory, or in a folder of it, and whether it goes.
    const struct {
        std::string path;
        bool removed;
    } entries[] = {
        {".restore-" + ended + "-a1B2c3/x", true},
        {".transfer-" + ended + "-Zz9Yy8/x", true},
        {"SAMPLE.mrA.tmp-" + ended + "-3", true},
        // An earlier version's, named without its process, holding only what it stages.
        {".transfer-k3Q9zA/SAMPLE.tmp", true},
        {".restore-X1y2Z3/SAMPLE.MTA", true},
        {".restore-X1y2Z3/.previous-0", true},
        {".restore-" + running + "-a1B2c3/x", false},
        {".restore-notes/x", false},
        // The user's own, named like the program's.
        {".restore-backup/notes.txt", false},
        {".transfer-photos/p.txt", false},
        {".transfer-mixed1/SAMPLE.tmp", false},
        {".transfer-mixed1/notes.txt", false},
        {"ABCD.tmp-" + ended + "-45", false},
        {"notes.txt.tmp-" + ended + "-45", false},
        {"notes.tmp-1x-1", false},
    };
    const std::string linked = ".transfer-" + ended + "-linked";
    TempDir elsewhere;
    WriteFileBytes(elsewhere.path() / "x", "elsewhere");
    const std::function<void()> operations[] = {
        [&] { EXPECT_EQ(OpenTeamIndustry(*Session, {true, "A", "SAMPLE", "CV3-4817", {}}), TOpeningOutcome::opened); },
        [&] { Restore(Backup(), false); },
    };
    for (const auto& operation : operations) {
        for (const auto& entry : entries) {
            fs::create_directories((Private() / entry.path).parent_path());
            WriteFileBytes(Private() / entry.path, "left");
        }
        fs::create_directory_symlink(elsewhere.path(), Private() / linked);
        operation();
        for (const auto& entry : entries) EXPECT_NE(fs::exists(Private() / entry.path), entry.removed) << entry.path;
        EXPECT_TRUE(fs::exists(fs::symlink_status(Private() / linked)));
        EXPECT_TRUE(fs::exists(elsewhere.path() / "x"));
        for (const auto& entry : entries) fs::remove_all(Private() / fs::path(entry.path).begin()->string());
        fs::remove(Private() / linked);
    }
}

// The disk fills while the backup is extracted: the message says so, and the
// private directory is as it was.
TEST_F(BackupRestoreTest, ADiskThatFillsDuringTheRestoreIsReportedAsFull) {
    ASSERT_TRUE(WriteBackup(Backup()));
    Session->IndClose();
    ui.messageBoxes.clear();
    const fs::path archive = Exchange() / "backup.zip";
    fs::rename(Backup(), archive);
    WriteFileBytes(WorkingCopy(), "changed since the backup");
    const auto run = RunOnSmallDisk(Private(), 16 * 1024, [&] {
        const auto before = PrivateChecksums();
        bool ok = true;
        Restore(archive, true, &ok);
        EXPECT_FALSE(ok);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].lines, (std::vector<int>{1, 2, ZipErrorLine(kZipDiskFull)}));
        EXPECT_EQ(PrivateChecksums(), before);
    });
    if (run == TSmallDiskRun::unavailable) GTEST_SKIP() << "no file system of a test's own can be mounted here";
    EXPECT_EQ(run, TSmallDiskRun::passed);
}

}  // namespace
}  // namespace cv::test
