#include "tools/sample_industry/sample_industry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/base/random_generator.h"
#include "core/session/team_password.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv::sample {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::RecordingUi;
using test::TempDir;

// What the sample holds is read by the model's tests, and its archive and team
// descriptors are opened by the exchange tests; here, the writer itself.
TEST(SampleIndustry, EveryRunWritesTheSameBytesAndKeepsTheCallersSeed) {
    RecordingUi ui;
    TempDir first;
    TempDir second;
    SetRandomSeed(12345);
    const TSampleFiles a = WriteSampleIndustry(first.path());
    // The forecasts behind the history show no wait notice and no message.
    EXPECT_TRUE(ui.progressBoxes.empty() && ui.plainBoxes.empty() && ui.errorBoxes.empty());
    EXPECT_EQ(RandomSeed(), 12345u);
    const TSampleFiles b = WriteSampleIndustry(second.path());
    // A second run over the first directory replaces the files and leaves nothing else.
    WriteSampleIndustry(first.path());
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(first.path())) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"SAMPLE.ind", "SAMPLE.rzx", "SAMPLE.mrA", "SAMPLE.mrE", "SAMPLE.mrI",
                                            "SAMPLE.mrO"}));

    EXPECT_EQ(ReadFileBytes(a.industry), ReadFileBytes(b.industry));
    EXPECT_EQ(ReadFileBytes(a.archive), ReadFileBytes(b.archive));
    for (std::size_t i = 0; i < a.descriptors.size(); ++i)
        EXPECT_EQ(ReadFileBytes(a.descriptors[i]), ReadFileBytes(b.descriptors[i]));
}

TEST(SampleIndustry, AnUnusableDirectoryIsAnErrorAndWritesNothing) {
    TempDir dir;
    const fs::path notADirectory = dir.path() / "plain";
    test::WriteFileBytes(notADirectory, "x");
    EXPECT_THROW(WriteSampleIndustry(notADirectory / "out"), fs::filesystem_error);
    EXPECT_EQ(ReadFileBytes(notADirectory), "x");
}

// The CRC-32 check value: "123456789" gives 0xCBF43926, read as a signed 32-bit integer
// 3421780262 - 2^32 = -873187034; the empty text gives 0.
TEST(SampleIndustry, TeamPasswordChecksumIsTheZipCrc) {
    EXPECT_EQ(TeamPasswordChecksum("123456789"), -873187034);
    EXPECT_EQ(TeamPasswordChecksum(""), 0);
    EXPECT_NE(TeamPasswordChecksum("ACV3-4817"), TeamPasswordChecksum("aCV3-4817"));
}

}  // namespace
}  // namespace cv::sample
