// Industry files without a series the opening needs, with its position beyond
// the series list or at a series of another kind, sent by the instructor or
// held by a backup: the transfer and the restore refuse each with one message,
// and the private directory, with the team's industry open, stays byte for
// byte as it was; open mode names such an own copy once.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "core/session/session.h"
#include "core/session/team_password.h"
#include "core/store/industry_file_check.h"
#include "core/team/backup_restore.h"
#include "core/team/backup_steps.h"
#include "core/team/industry_opening.h"
#include "core/zip/xceed_zip.h"
#include "tests/core/team/team_archive_fixture.h"
#include "tests/support/series_damage.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kPasswordA[] = "CV3-4817";  // the sample's password of team A

class SeriesRefusalTest : public TeamArchiveFixture {
protected:
    SeriesRefusalTest() {
        Start(Exchange().string() + "/");
        // An own copy older than the one sent: the transfer asks no question.
        WriteFileBytes(DescriptorCopy(), "[Team]\r\nKeyPwd=" +
                                             std::to_string(TeamPasswordChecksum(std::string("A") + kPasswordA)) +
                                             "\r\nCurPer=2\r\n");
    }

    // Archive holds the files of Dir under their own names.
    static void WriteArchive(const fs::path& archive, const fs::path& dir) {
        fs::remove(archive);
        TXceedZip zip;
        zip.ZipFileName = archive.string();
        zip.UsePaths = false;
        for (const auto& entry : fs::directory_iterator(dir)) zip.FilesToProcess.push_back(entry.path().string());
        ASSERT_EQ(zip.Zip(), 0);
    }

    // The one box shown since the last call, or a text saying what was shown instead.
    std::string OnlyBox() {
        std::string shown;
        if (ui.messageBoxes.size() == 1 && ui.plainBoxes.empty() && ui.errorBoxes.empty())
            shown = ui.messageBoxes[0].key;
        else
            shown = std::to_string(ui.messageBoxes.size()) + " message, " + std::to_string(ui.plainBoxes.size()) +
                    " plain and " + std::to_string(ui.errorBoxes.size()) + " error boxes";
        ui.messageBoxes.clear();
        ui.plainBoxes.clear();
        ui.errorBoxes.clear();
        return shown;
    }
};

TEST_F(SeriesRefusalTest, TransferAndRestoreRefuseAFileWithoutASeriesTheOpeningNeeds) {
    const fs::path sample = SampleIndustryFile();
    const std::string sampleBytes = ReadFileBytes(sample);
    const int seriesCount = SeriesListCount(sample);
    TempDir sentDir;
    TempDir backupDir;
    const fs::path broken = sentDir.path() / "SAMPLE.tmp";
    const fs::path brokenCopy = backupDir.path() / "SAMPLE.mtA";
    fs::copy_file(DescriptorCopy(), backupDir.path() / "SAMPLE.mrA");
    TempDir keptDir;
    const fs::path good = keptDir.path() / "good";
    const fs::path sent = Exchange() / "SAMPLE.rzx";
    const fs::path backup = Exchange() / "SAMPL02A.ZIP";
    const auto before = PrivateChecksums();
    for (const TSeriesCell& position : OpeningSeriesCells(sample)) {
        // Missing, beyond the list, and within it at a series of another kind.
        const int otherKind = SeriesPosition(sample, position) == 0 ? 1 : 0;
        for (const std::optional<int> value :
             {std::optional<int>{}, std::optional{seriesCount}, std::optional{otherKind}}) {
            SCOPED_TRACE(SeriesCellText(position) + (value ? " at " + std::to_string(*value) : " missing"));
            WriteFileBytes(broken, sampleBytes);
            if (value)
                SetSeriesPosition(broken, position, static_cast<std::int16_t>(*value));
            else
                RemoveSeriesPosition(broken, position);
            EXPECT_EQ(CheckWholeIndustryFile(broken.string()).verdict, TIndustryFileVerdict::damaged);

            WriteArchive(sent, sentDir.path());
            EXPECT_EQ(OpenTeamIndustry(*Session, {true, "A", "SAMPLE", kPasswordA, {}}), TOpeningOutcome::failed);
            EXPECT_EQ(OnlyBox(), DamagedIndustryText(kDamagedSentLine));
            EXPECT_EQ(PrivateChecksums(), before);
            ASSERT_NE(Session->Industry(), nullptr);
            EXPECT_EQ(fs::path(Session->IndFullPath()), WorkingCopy());

            fs::copy_file(broken, brokenCopy, fs::copy_options::overwrite_existing);
            WriteArchive(backup, backupDir.path());
            EXPECT_FALSE(RestoreZipBackup(*Session, backup.string(), [](const std::string&) { return true; }, {}));
            EXPECT_EQ(OnlyBox(), DamagedIndustryText(kDamagedBackupLine));
            EXPECT_EQ(PrivateChecksums(), before);

            // The own copy so damaged: open mode names it once and opens nothing.
            fs::copy_file(WorkingCopy(), good, fs::copy_options::overwrite_existing);
            fs::copy_file(broken, WorkingCopy(), fs::copy_options::overwrite_existing);
            EXPECT_EQ(OpenTeamIndustry(*Session, {false, "A", "SAMPLE", kPasswordA, {}}), TOpeningOutcome::failed);
            EXPECT_EQ(OnlyBox(), DamagedIndustryText(kDamagedOwnCopyLine, WorkingCopy().string()));
            EXPECT_EQ(Session->Industry(), nullptr);
            fs::copy_file(good, WorkingCopy(), fs::copy_options::overwrite_existing);
            ASSERT_TRUE(Session->IndOpen(WorkingCopy().string()));
        }
    }
}

}  // namespace
}  // namespace cv::test
