#include "core/team/send_team_data.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "core/session/session.h"
#include "tests/core/team/team_archive_fixture.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

class SendTeamDataTest : public TeamArchiveFixture {
protected:
    TSendOutcome Send() { return SendTeamData(*Session, {WorkingCopy().string(), "A", {}}); }
};

TEST(TeamArchiveName, ReplacesTheExtensionByDzAndAtMostEightCharactersOfTheLabel) {
    EXPECT_EQ(TeamArchiveName("/p/SAMPLE.mtA", "A"), "SAMPLE.dzA");
    EXPECT_EQ(TeamArchiveName("/p/SAMPLE.mtA", "Northwind"), "SAMPLE.dzNorthwin");
}

TEST_F(SendTeamDataTest, ArchiveInTheExchangeDirectoryHoldsTheWorkingCopyUnderItsCopyName) {
    Start(Exchange().string() + "/");
    EXPECT_EQ(Send(), TSendOutcome::sent);
    const fs::path archive = Exchange() / "SAMPLE.dzA";
    ASSERT_TRUE(fs::exists(archive));
    EXPECT_TRUE(UnzipAccepts(archive));
    const auto entries = PythonZipEntries(archive);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->first, "SAMPLE.tmp");
    EXPECT_EQ(entries.begin()->second, ReadFileBytes(WorkingCopy()));
    // The private copy and the working copy's copy are gone; the industry is open again.
    EXPECT_EQ(FileNames(Private()), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.mrA"}));
    EXPECT_NE(Session->Industry(), nullptr);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"TransferNotBackup"});
    EXPECT_FALSE(ui.progressOpen);
}

TEST_F(SendTeamDataTest, ExchangeDirectorySpeltAsThePrivateOneKeepsTheArchiveThere) {
    Start(Private().string() + "/../Private/");
    WriteFileBytes(Private() / "SAMPLE.tmp", "stale copy of an earlier sending");
    EXPECT_EQ(Send(), TSendOutcome::sent);
    const auto entries = PythonZipEntries(Private() / "SAMPLE.dzA");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->second, ReadFileBytes(WorkingCopy()));
    EXPECT_EQ(FileNames(Private()), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.dzA", "SAMPLE.mrA"}));
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"TransferNotBackup"});
}

TEST_F(SendTeamDataTest, UnreachableExchangeDirectoryWritesNothing) {
    for (const std::string& exchange : {std::string("A:\\"), Exchange().string() + "/missing/"}) {
        ui.messageBoxes.clear();
        Start(exchange);
        EXPECT_EQ(Send(), TSendOutcome::notSent) << exchange;
        ASSERT_EQ(ui.messageBoxes.size(), 1u) << exchange;
        EXPECT_EQ(ui.messageBoxes[0].key, "WriteTeamData");
        EXPECT_EQ(ui.messageBoxes[0].lines, std::vector<int>{11});
        EXPECT_EQ(FileNames(Private()), (std::vector<std::string>{"SAMPLE.MTA", "SAMPLE.mrA"}));
        EXPECT_NE(Session->Industry(), nullptr);
        Session.reset();
        fs::remove(WorkingCopy());
    }
}

TEST_F(SendTeamDataTest, ExchangeDirectoryThatRefusesTheArchiveKeepsThePrivateCopy) {
    Start(Exchange().string() + "/");
    // A directory of the archive's name: the archive cannot be renamed into place.
    fs::create_directory(Exchange() / "SAMPLE.dzA");
    const std::vector<std::string> exchangeBefore = FileNames(Exchange());
    EXPECT_EQ(Send(), TSendOutcome::notSent);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"TeamBadTransfer"});
    EXPECT_EQ(FileNames(Exchange()), exchangeBefore);
    EXPECT_TRUE(fs::is_directory(Exchange() / "SAMPLE.dzA"));
    EXPECT_TRUE(UnzipAccepts(Private() / "SAMPLE.dzA"));
    EXPECT_NE(Session->Industry(), nullptr);
}

TEST_F(SendTeamDataTest, MissingWorkingCopyIsReportedAndNothingIsWritten) {
    Start(Exchange().string() + "/");
    fs::remove(WorkingCopy());
    const std::vector<std::string> exchangeBefore = FileNames(Exchange());
    EXPECT_EQ(Send(), TSendOutcome::notSent);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"TeamBadOpen"});
    EXPECT_EQ(FileNames(Exchange()), exchangeBefore);
    EXPECT_EQ(FileNames(Private()), std::vector<std::string>{"SAMPLE.mrA"});
}

}  // namespace
}  // namespace cv::test
