#include "core/team/industry_opening.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <functional>

#include "core/base/ini_file.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/session/team_password.h"
#include "core/team/backup_steps.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "tests/core/team/opening_fixture.h"
#include "tests/core/team/team_archive_fixture.h"
#include "tests/support/damage.h"
#include "tests/support/sent_files.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_exchange.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kPasswordA[] = "CV3-4817";  // the sample's password of team A

TOpeningRequest Request(bool transfer, const std::string& letter, const std::string& password,
                        const std::string& industry = "SAMPLE") {
    return {transfer, letter, industry, password, {}};
}

class IndustryOpeningTest : public OpeningFixture {
public:
    IndustryOpeningTest() { StartSession(Exchange().string() + "/"); }
    using OpeningFixture::Exchange;
    using OpeningFixture::Private;

    void WriteDescriptor(const std::string& letter, const std::string& text) {
        WriteFileBytes(Exchange() / ("SAMPLE.mr" + letter), text);
    }

    TOpeningOutcome Open(const TOpeningRequest& request) { return OpenTeamIndustry(*Session, request); }

    // Team A has taken the industry once: its working copy and descriptor copy
    // are in the private directory and the industry is open.
    void TakeIndustryAsTeamA() {
        ASSERT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::opened);
        // Saved once, so that what follows compares the copy as it rests.
        const std::string path = Session->IndFullPath();
        Session->IndClose();
        ASSERT_TRUE(Session->IndOpen(path));
        ui.messageBoxes.clear();
    }

    // The archive of the exchange directory with these entries instead.
    void WriteArchive(const std::vector<std::pair<std::string, fs::path>>& entries) {
        TempDir staging;
        TXceedZip zip;
        for (const auto& [name, source] : entries) {
            fs::copy_file(source, staging.path() / name);
            zip.FilesToProcess.push_back((staging.path() / name).string());
        }
        fs::remove(Exchange() / "SAMPLE.rzx");
        zip.ZipFileName = (Exchange() / "SAMPLE.rzx").string();
        zip.UsePaths = false;
        ASSERT_EQ(zip.Zip(), 0);
    }

    // The sample's industry file with 4 KiB of garbage from Fraction of its length on.
    fs::path Damaged(double fraction) {
        return TextFile(test::WithGarbage(ReadFileBytes(SampleIndustryFile()), fraction, 4096, 28));
    }

    fs::path TextFile(const std::string& text) {
        const fs::path file = scratch_.path() / ("text" + std::to_string(++textFiles_));
        WriteFileBytes(file, text);
        return file;
    }

    std::vector<std::string> PrivateFiles() const { return FileNames(Private()); }
    const RecordingUi::MessageBoxCall& LastBox() const { return ui.messageBoxes.back(); }

    TempDir scratch_;
    int textFiles_ = 0;
};

// Team A as sent; team E with its files renamed to another letter case: the
// working copy takes the upper-case spelling, the descriptor copy the sent one.
TEST_F(IndustryOpeningTest, TransferGivesTheWorkingCopyTheDescriptorCopyAndTheTeam) {
    ASSERT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::opened);
    EXPECT_EQ(PrivateFiles(), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.mrA"}));
    EXPECT_EQ(ReadFileBytes(Private() / "SAMPLE.mrA"), ReadFileBytes(Exchange() / "SAMPLE.mrA"));
    EXPECT_EQ(Session->IndFullPath(), (Private() / "SAMPLE.MTA").string());
    // A is the first label of the sample's firm series.
    EXPECT_EQ(Session->Industry()->ConstPart().GetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam"), 1);
    EXPECT_EQ(Session->Registry().ReadString("Session", "IndName", ""), "SAMPLE");
    EXPECT_EQ(Session->Registry().ReadString("Session", "Team", ""), "A");
    EXPECT_TRUE(ui.messageBoxes.empty());

    fs::rename(Exchange() / "SAMPLE.rzx", Exchange() / "sample.RZX");
    fs::rename(Exchange() / "SAMPLE.mrE", Exchange() / "sample.MRE");
    ASSERT_EQ(Open(Request(true, "E", "CV3-2093", "sample")), TOpeningOutcome::opened);
    EXPECT_EQ(PrivateFiles(), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.MTE", "SAMPLE.mrA", "sample.MRE"}));
    EXPECT_EQ(Session->Industry()->ConstPart().GetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam"), 2);
}

TEST_F(IndustryOpeningTest, AWrongPasswordSaysLineFiveAndTakesNothing) {
    EXPECT_EQ(Open(Request(true, "A", "CV3-0000")), TOpeningOutcome::wrongPassword);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(LastBox().key, "TeamIndOpen");
    EXPECT_EQ(LastBox().lines, std::vector<int>{5});
    EXPECT_TRUE(PrivateFiles().empty());
    EXPECT_EQ(Session->Industry(), nullptr);
}

TEST_F(IndustryOpeningTest, AMissingExchangeDirectoryIsNamedNotTakenForADamagedTeamFile) {
    fs::remove_all(Exchange());
    EXPECT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::failed);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(LastBox().lines, std::vector<int>{-1});
    EXPECT_EQ(LastBox().key.rfind("The directory " + Exchange().string(), 0), 0u) << LastBox().key;
    EXPECT_EQ(Session->Industry(), nullptr);
}

TEST_F(IndustryOpeningTest, TheNoPasswordMarkerInEitherFormOpensWithoutAPassword) {
    // Team I's descriptor carries the checksum of "I" + marker; team O's is
    // rewritten with the checksum of the marker alone.
    sample::WriteNoPasswordDescriptor(Exchange(), 4);
    for (const char* letter : {"I", "O"}) EXPECT_EQ(Open(Request(true, letter, "whatever")), TOpeningOutcome::opened) << letter;
    // Without the marker an empty password is no way in.
    EXPECT_EQ(Open(Request(true, "A", "")), TOpeningOutcome::wrongPassword);
}

struct TBadInputCase {
    const char* name;
    std::function<void(IndustryOpeningTest&)> prepare;
    const char* letter;
    const char* password;
    const char* key;
    int line;  // 0: every line
};

TEST_F(IndustryOpeningTest, EachLeavesTheWorkingCopyAndTheOpenIndustryAsTheyWere) {
    const std::string keyA = std::to_string(TeamPasswordChecksum(std::string("A") + kPasswordA));
    const TBadInputCase cases[] = {
        {"letter B, not a vowel",
         [&](IndustryOpeningTest& t) { t.WriteDescriptor("B", "[Team]\r\nKeyPwd=" + keyA + "\r\nCurPer=4\r\n"); }, "B",
         kPasswordA, "TeamIndOpen", 1},
        {"a descriptor without a period",
         [&](IndustryOpeningTest& t) { t.WriteDescriptor("A", "[Team]\r\nKeyPwd=" + keyA + "\r\n"); }, "A", kPasswordA,
         "TeamIndOpen", 7},
        {"a corrupt archive", [](IndustryOpeningTest& t) { WriteFileBytes(t.Exchange() / "SAMPLE.rzx", "PK\3\4 broken"); },
         "A", kPasswordA, "ZipErrors", 0},
        {"no archive", [](IndustryOpeningTest& t) { fs::remove(t.Exchange() / "SAMPLE.rzx"); }, "A", kPasswordA,
         nullptr, 0},
        {"an archive holding a file that is no industry",
         [](IndustryOpeningTest& t) { t.WriteArchive({{"SAMPLE.tmp", t.TextFile("not an industry")}}); }, "A", kPasswordA,
         "OldIndustry", 0},
        {"an industry with garbage at 10 %", [](IndustryOpeningTest& t) { t.WriteArchive({{"SAMPLE.tmp", t.Damaged(0.1)}}); },
         "A", kPasswordA, kDamagedIndustryKey, kDamagedSentLine},
        {"an industry with garbage at 50 %", [](IndustryOpeningTest& t) { t.WriteArchive({{"SAMPLE.tmp", t.Damaged(0.5)}}); },
         "A", kPasswordA, kDamagedIndustryKey, kDamagedSentLine},
        {"an industry with garbage at 90 %", [](IndustryOpeningTest& t) { t.WriteArchive({{"SAMPLE.tmp", t.Damaged(0.9)}}); },
         "A", kPasswordA, kDamagedIndustryKey, kDamagedSentLine},
        // What does not read names the archive's entry, not the place it was unpacked to.
        {"a truncated industry",
         [](IndustryOpeningTest& t) {
             const std::string sample = ReadFileBytes(SampleIndustryFile());
             t.WriteArchive({{"SAMPLE.tmp", t.TextFile(sample.substr(0, sample.size() / 2))}});
         },
         "A", kPasswordA, kDamagedIndustryKey, kDamagedSentLine},
        {"an empty industry entry with a wrong sum",
         [](IndustryOpeningTest& t) {
             WritePythonZip(t.Exchange() / "SAMPLE.rzx", {{"SAMPLE.tmp", t.TextFile("")}}, "SAMPLE.tmp");
         },
         "A", kPasswordA, "ZipErrors", 0},
        {"an archive without the industry entry",
         [](IndustryOpeningTest& t) { t.WriteArchive({{"OTHER.tmp", SampleIndustryFile()}}); }, "A", kPasswordA,
         "TeamBadTransfer", 0},
        {"a read-only working copy",
         [](IndustryOpeningTest& t) {
             fs::permissions(t.Private() / "SAMPLE.MTA", fs::perms::owner_write, fs::perm_options::remove);
         },
         "A", kPasswordA, "TeamBadTransfer", 0},
        // Opening the sent copy closes the open industry, unchanged: it is not written.
        {"a vowel that is no firm of the industry",
         [](IndustryOpeningTest& t) {
             t.WriteDescriptor("U", "[Team]\r\nKeyPwd=" + std::to_string(TeamPasswordChecksum("Upw")) + "\r\nCurPer=4\r\n");
         },
         "U", "pw", "TeamIndOpen", 1},
    };
    TakeIndustryAsTeamA();
    const std::string workingCopy = (Private() / "SAMPLE.MTA").string();
    const std::string sentDescriptor = ReadFileBytes(Exchange() / "SAMPLE.mrA");
    const std::string sentArchive = ReadFileBytes(Exchange() / "SAMPLE.rzx");
    const std::string bytesBefore = ReadFileBytes(workingCopy);
    const std::vector<std::string> filesBefore = PrivateFiles();
    const auto sumsBefore = PrivateChecksums();
    for (const TBadInputCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare(*this);
        ui.messageBoxes.clear();
        EXPECT_EQ(Open(Request(true, c.letter, c.password)), TOpeningOutcome::failed);
        ASSERT_FALSE(ui.messageBoxes.empty());
        if (c.key && c.key == std::string(kDamagedIndustryKey)) {
            EXPECT_TRUE(LastBox().key.starts_with(DamagedIndustryText(c.line) + "\n")) << LastBox().key;
            EXPECT_EQ(LastBox().key.find(".transfer-"), std::string::npos) << LastBox().key;
            EXPECT_EQ(LastBox().lines, std::vector<int>{-1});
        } else if (c.key) {
            EXPECT_EQ(LastBox().key, c.key);
            if (c.line) {
                EXPECT_EQ(LastBox().lines, std::vector<int>{c.line});
            }
        } else {
            // Line 2 with the path filled in, shown as its own text.
            EXPECT_EQ(LastBox().lines, std::vector<int>{-1});
            EXPECT_NE(LastBox().key.find((Exchange() / "SAMPLE.RZX").string()), std::string::npos) << LastBox().key;
        }
        EXPECT_EQ(LastBox().type, TMsgDlgType::mtError);
        EXPECT_TRUE(ReadFileBytes(workingCopy) == bytesBefore) << "the working copy changed";
        EXPECT_EQ(PrivateChecksums(), sumsBefore);
        EXPECT_EQ(PrivateFiles(), filesBefore);
        ASSERT_NE(Session->Industry(), nullptr);
        EXPECT_EQ(Session->IndFullPath(), workingCopy);
        // Back to what was sent for the next case.
        fs::permissions(workingCopy, fs::perms::owner_write, fs::perm_options::add);
        WriteFileBytes(Exchange() / "SAMPLE.mrA", sentDescriptor);
        WriteFileBytes(Exchange() / "SAMPLE.rzx", sentArchive);
    }
}

TEST_F(IndustryOpeningTest, AnOwnCopyAtTheSameOrALaterPeriodIsReplacedOnlyWhenConfirmed) {
    TakeIndustryAsTeamA();
    const std::string bytesBefore = ReadFileBytes(Private() / "SAMPLE.MTA");
    ui.messageBoxAnswer = TModalResult::mrCancel;
    // The sample's decision period is 4: the own copy is at 4, then at 5.
    for (const char* ownPeriod : {"4", "5"}) {
        WriteFileBytes(Private() / "SAMPLE.mrA", "[Team]\r\nKeyPwd=1\r\nCurPer=" + std::string(ownPeriod) + "\r\n");
        ui.messageBoxes.clear();
        EXPECT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::cancelled) << ownPeriod;
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(LastBox().type, TMsgDlgType::mtConfirmation);
        EXPECT_EQ(LastBox().lines, std::vector<int>{8});
        EXPECT_EQ(LastBox().buttons, mbOK | mbCancel | mbDefaultCancel) << "Enter must keep the own copy";
        EXPECT_TRUE(ReadFileBytes(Private() / "SAMPLE.MTA") == bytesBefore) << "the working copy changed";
        EXPECT_EQ(Session->IndFullPath(), (Private() / "SAMPLE.MTA").string());
    }
    // An older own copy is replaced without a question.
    WriteFileBytes(Private() / "SAMPLE.mrA", "[Team]\r\nKeyPwd=1\r\nCurPer=3\r\n");
    ui.messageBoxes.clear();
    EXPECT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::opened);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ReadFileBytes(Private() / "SAMPLE.mrA"), ReadFileBytes(Exchange() / "SAMPLE.mrA"));
}

TEST_F(IndustryOpeningTest, AnArchiveEntryBesideTheIndustryStaysInTheArchive) {
    WriteArchive({{"SAMPLE.tmp", SampleIndustryFile()}, {"EXTRA.tmp", SampleIndustryFile()}});
    EXPECT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::opened);
    EXPECT_EQ(PrivateFiles(), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.mrA"}));
}

TEST_F(IndustryOpeningTest, OpenModeChecksThePasswordAgainstTheDescriptorCopy) {
    TakeIndustryAsTeamA();
    // Reopening the industry that is open.
    EXPECT_EQ(Open(Request(false, "A", kPasswordA)), TOpeningOutcome::opened);
    EXPECT_EQ(Session->IndFullPath(), (Private() / "SAMPLE.MTA").string());
    EXPECT_EQ(Open(Request(false, "A", "wrong")), TOpeningOutcome::wrongPassword);
    EXPECT_NE(Session->Industry(), nullptr);
    // Without the descriptor copy: line 7, and the industry stays open.
    fs::remove(Private() / "SAMPLE.mrA");
    ui.messageBoxes.clear();
    EXPECT_EQ(Open(Request(false, "A", kPasswordA)), TOpeningOutcome::failed);
    EXPECT_EQ(LastBox().lines, std::vector<int>{7});
    EXPECT_EQ(Session->IndFullPath(), (Private() / "SAMPLE.MTA").string());
}

TEST_F(IndustryOpeningTest, TheWindowsLetGoOfTheOpenIndustryBeforeItCloses) {
    TakeIndustryAsTeamA();
    TOpeningRequest request = Request(false, "A", kPasswordA);
    std::vector<bool> industryOpenWhenCalled;
    request.beforeIndustryCloses = [&] { industryOpenWhenCalled.push_back(Session->Industry() != nullptr); };
    ASSERT_EQ(Open(request), TOpeningOutcome::opened);
    EXPECT_EQ(industryOpenWhenCalled, std::vector<bool>{true});
}

TEST_F(IndustryOpeningTest, OpenModeRefusesAReadOnlyWorkingCopy) {
    TakeIndustryAsTeamA();
    Session->IndClose();
    fs::permissions(Private() / "SAMPLE.MTA", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(Open(Request(false, "A", kPasswordA)), TOpeningOutcome::failed);
    EXPECT_EQ(LastBox().key, "TeamBadOpen");
    EXPECT_EQ(LastBox().alignment, TAlignment::taLeftJustify);
    EXPECT_EQ(Session->Industry(), nullptr);
}

// The disk fills while the sent industry is extracted: the message says so, and
// the team's files are as they were.
TEST_F(IndustryOpeningTest, ADiskThatFillsDuringTheTransferIsReportedAsFull) {
    TakeIndustryAsTeamA();
    Session->IndClose();
    // An older own copy: replaced without a question.
    WriteFileBytes(Private() / "SAMPLE.mrA", "[Team]\r\nKeyPwd=1\r\nCurPer=3\r\n");
    const auto run = RunOnSmallDisk(Private(), 16 * 1024, [&] {
        const auto before = PrivateChecksums();
        ui.messageBoxes.clear();
        EXPECT_EQ(Open(Request(true, "A", kPasswordA)), TOpeningOutcome::failed);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(LastBox().key, "ZipErrors");
        EXPECT_EQ(LastBox().lines, (std::vector<int>{1, 2, ZipErrorLine(kZipDiskFull)}));
        EXPECT_EQ(PrivateChecksums(), before);
    });
    if (run == TSmallDiskRun::unavailable) GTEST_SKIP() << "no file system of a test's own can be mounted here";
    EXPECT_EQ(run, TSmallDiskRun::passed);
}

// The private directory turns read-only while the industry is open (a
// write-protected drive): opening the working copy again fails, and the
// industry open before is open again, its file as it was.
TEST_F(IndustryOpeningTest, AFailedOpeningOnAReadOnlyDriveLeavesTheOpenIndustryOpen) {
    TakeIndustryAsTeamA();
    const std::string workingCopy = (Private() / "SAMPLE.MTA").string();
    const auto run = RunOnSmallDisk(Private(), 64 * 1024, [&] {
        const auto before = PrivateChecksums();
        ASSERT_TRUE(MakeSmallDiskReadOnly(Private()));
        ui.messageBoxes.clear();
        EXPECT_EQ(Open(Request(false, "A", kPasswordA)), TOpeningOutcome::failed);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(LastBox().key, "TeamBadOpen");
        ASSERT_NE(Session->Industry(), nullptr);
        EXPECT_EQ(Session->IndFullPath(), workingCopy);
        EXPECT_EQ(PrivateChecksums(), before);
    });
    if (run == TSmallDiskRun::unavailable) GTEST_SKIP() << "no file system of a test's own can be mounted here";
    EXPECT_EQ(run, TSmallDiskRun::passed);
}

// The team's own copy damaged in the middle: one message that names the file,
// no industry open, and the file as it was.
TEST_F(IndustryOpeningTest, OpeningADamagedOwnCopySaysOnceWhichFileIsDamaged) {
    TakeIndustryAsTeamA();
    Session->IndClose();
    const fs::path workingCopy = Private() / "SAMPLE.MTA";
    WriteFileBytes(workingCopy, test::WithGarbage(ReadFileBytes(workingCopy), 0.5, 4096, 28));
    const auto before = PrivateChecksums();
    ui.messageBoxes.clear();
    EXPECT_EQ(Open(Request(false, "A", kPasswordA)), TOpeningOutcome::failed);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_TRUE(LastBox().key.starts_with(DamagedIndustryText(kDamagedOwnCopyLine, workingCopy.string()) + "\n"));
    EXPECT_NE(LastBox().key.find(workingCopy.string()), std::string::npos);
    EXPECT_EQ(LastBox().type, TMsgDlgType::mtError);
    EXPECT_EQ(Session->Industry(), nullptr);
    EXPECT_EQ(PrivateChecksums(), before);
}

}  // namespace
}  // namespace cv::test
