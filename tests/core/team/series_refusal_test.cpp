// Industry files without a series the opening needs, with its position beyond
// the series list or at a series of another kind, with the positions of a kind
// moved round, or with a name changed, sent by the instructor or
// held by a backup: the transfer and the restore refuse each with one message,
// and the private directory, with the team's industry open, stays byte for
// byte as it was; open mode names such an own copy once.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/session/team_password.h"
#include "core/store/industry_file_check.h"
#include "core/team/backup_restore.h"
#include "core/team/industry_opening.h"
#include "core/zip/xceed_zip.h"
#include "tests/core/team/team_archive_fixture.h"
#include "tests/support/series_damage.h"
#include "tests/support/table_damage.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kPasswordA[] = "CV3-4817";  // the sample's password of team A
// The refusals' lines, as the language file words them.
constexpr char kSentDamaged[] =
    "The industry file sent by your instructor is damaged. Nothing was changed: your own copy is as it was. Ask your "
    "instructor to send the industry again.";
constexpr char kBackupDamaged[] =
    "The industry file in this backup is damaged. Nothing was restored: your files are as they were.";
constexpr char kDoesNotRead[] = "\nWhat does not read: ";

class SeriesRefusalTest : public TeamArchiveFixture {
protected:
    SeriesRefusalTest() {
        Start(Exchange().string() + "/");
        // An own copy older than the one sent: the transfer asks no question.
        WriteFileBytes(DescriptorCopy(), "[Team]\r\nKeyPwd=" +
                                             std::to_string(TeamPasswordChecksum(std::string("A") + kPasswordA)) +
                                             "\r\nCurPer=2\r\n");
        fs::copy_file(DescriptorCopy(), backupDir_.path() / "SAMPLE.mrA");
    }

    // Archive holds the files of Dir under their own names.
    static void WriteArchive(const fs::path& archive, const fs::path& dir) {
        fs::remove(archive);
        TXceedZip zip;
        zip.ZipFileName = archive.string();
        zip.UsePaths = false;
        zip.Compression = 0;  // stored: the rows write many archives
        for (const auto& entry : fs::directory_iterator(dir)) zip.FilesToProcess.push_back(entry.path().string());
        ASSERT_EQ(zip.Zip(), 0);
    }

    // The damaged file Broken, sent by the instructor and held by a backup, is
    // refused with one box each, and the private directory stays as it was; so
    // damaged, the own copy is named once by open mode when OwnCopy.
    void ExpectRefused(bool ownCopy = true) {
        const auto before = PrivateChecksums();
        const TIndustryFileCheck check = CheckWholeIndustryFile(broken_.string());
        EXPECT_EQ(check.verdict, TIndustryFileVerdict::damaged);

        WriteArchive(sent_, sentDir_.path());
        EXPECT_EQ(OpenTeamIndustry(*Session, {true, "A", "SAMPLE", kPasswordA, {}}), TOpeningOutcome::failed);
        EXPECT_EQ(OnlyBox(), std::string(kSentDamaged) + kDoesNotRead + check.reason);
        EXPECT_EQ(PrivateChecksums(), before);
        ASSERT_NE(Session->Industry(), nullptr);
        EXPECT_EQ(fs::path(Session->IndFullPath()), WorkingCopy());

        fs::copy_file(broken_, brokenCopy_, fs::copy_options::overwrite_existing);
        WriteArchive(backup_, backupDir_.path());
        EXPECT_FALSE(RestoreZipBackup(*Session, backup_.string(), [](const std::string&) { return true; }, {}));
        EXPECT_EQ(OnlyBox(), std::string(kBackupDamaged) + kDoesNotRead + check.reason);
        EXPECT_EQ(PrivateChecksums(), before);

        // The own copy so damaged: open mode names it once and opens nothing.
        if (ownCopy) {
            fs::copy_file(WorkingCopy(), good_, fs::copy_options::overwrite_existing);
            fs::copy_file(broken_, WorkingCopy(), fs::copy_options::overwrite_existing);
            EXPECT_EQ(OpenTeamIndustry(*Session, {false, "A", "SAMPLE", kPasswordA, {}}), TOpeningOutcome::failed);
            EXPECT_EQ(OnlyBox(), "Your copy of the industry, " + WorkingCopy().string() +
                                     ", is damaged and cannot be opened. Restore it from a backup, or take the "
                                     "industry from your instructor again." +
                                     kDoesNotRead + check.reason);
            EXPECT_EQ(Session->Industry(), nullptr);
            fs::copy_file(good_, WorkingCopy(), fs::copy_options::overwrite_existing);
        }
        // The refused restore leaves no industry open.
        ASSERT_TRUE(Session->IndOpen(WorkingCopy().string()));
    }

    TempDir sentDir_;
    TempDir backupDir_;
    TempDir keptDir_;
    const fs::path broken_ = sentDir_.path() / "SAMPLE.tmp";
    const fs::path brokenCopy_ = backupDir_.path() / "SAMPLE.MTA";
    const fs::path good_ = keptDir_.path() / "good";
    const fs::path sent_ = Exchange() / "SAMPLE.rzx";
    const fs::path backup_ = Exchange() / "SAMPL02A.ZIP";

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
    for (const TSeriesCell& position : OpeningSeriesCells(sample)) {
        // Missing, beyond the list, and within it at a series of another kind.
        const int otherKind = SeriesPosition(sample, position) == 0 ? 1 : 0;
        for (const std::optional<int> value :
             {std::optional<int>{}, std::optional{seriesCount}, std::optional{otherKind}}) {
            SCOPED_TRACE(SeriesCellText(position) + (value ? " at " + std::to_string(*value) : " missing"));
            WriteFileBytes(broken_, sampleBytes);
            if (value)
                SetSeriesPosition(broken_, position, static_cast<std::int16_t>(*value));
            else
                RemoveSeriesPosition(broken_, position);
            ExpectRefused();
        }
    }
}

// Positions moved round among the markets or zones, series and scalars renamed:
// each that the check refuses, the transfer and the restore refuse too.
// A name the program reads without a default lost from every cell of its
// kind, and each fault of the table's kinds, counts, indexes, shapes and cells.
TEST_F(SeriesRefusalTest, TransferAndRestoreRefuseWhatThePagesCouldNotRead) {
    const fs::path sample = SampleIndustryFile();
    const std::string sampleBytes = ReadFileBytes(sample);
    std::vector<TFileDamage> damages = LostNames();
    for (TTableBreach& breach : TableBreaches(sample)) damages.push_back(std::move(breach.damage));
    for (const TFileDamage& damage : damages) {
        SCOPED_TRACE(damage.text);
        WriteFileBytes(broken_, sampleBytes);
        damage.apply(broken_);
        ExpectRefused(false);
    }
}

TEST_F(SeriesRefusalTest, TransferAndRestoreRefuseMovedPositionsAndChangedNames) {
    const fs::path sample = SampleIndustryFile();
    const std::string sampleBytes = ReadFileBytes(sample);
    std::vector<TFileDamage> damages = MovedSeriesPositions(sample);
    for (TFileDamage& renamed : RenamedNames(sample)) damages.push_back(std::move(renamed));
    int refused = 0;
    for (const TFileDamage& damage : damages) {
        SCOPED_TRACE(damage.text);
        WriteFileBytes(broken_, sampleBytes);
        damage.apply(broken_);
        if (CheckWholeIndustryFile(broken_.string()).Sound()) continue;
        ++refused;
        ExpectRefused(false);
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace cv::test
