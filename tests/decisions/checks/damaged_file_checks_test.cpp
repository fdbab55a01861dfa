// The sample with its series positions moved round among markets and zones, a
// series, scalar or looked-up element renamed by one letter, or bytes changed
// at random: every file the whole-file check
// passes opens, and the decision checks of every firm and zone run on it
// without an error or a box of a wrong index, a field out of range or an
// unknown scalar.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/store/industry_file.h"
#include "core/store/industry_file_check.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/decision_review.h"
#include "tests/decisions/checks/sample_decisions.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/series_damage.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {
namespace {

class DamagedFileChecks : public SampleDecisions {};

constexpr unsigned kRandomCopies = 300;

// The boxes of Ui that tell the program failed on its data.
std::vector<std::string> FailureBoxes(const RecordingUi& ui) {
    std::vector<std::string> failures;
    for (const auto* boxes : {&ui.plainBoxes, &ui.errorBoxes})
        for (const std::string& text : *boxes)
            for (const char* failure : {"Fatal error", "Range check error", "Unknown scalar"})
                if (text.find(failure) != std::string::npos) failures.push_back(text);
    return failures;
}

TEST_F(DamagedFileChecks, AFileTheCheckPassesRunsTheDecisionChecksWithoutAFailureBox) {
    TempDir dir;
    const std::filesystem::path sample = sample::WriteSampleIndustryFile(dir.path());
    const std::string bytes = ReadFileBytes(sample);
    const std::filesystem::path copy = dir.path() / "COPY.MTA";
    std::vector<TFileDamage> damages = MovedSeriesPositions(sample);
    for (auto& renamed : {RenamedNames(sample), RenamedLabels(sample)})
        damages.insert(damages.end(), renamed.begin(), renamed.end());
    // And 1 to 16 bytes changed anywhere.
    for (unsigned seed = 0; seed < kRandomCopies; ++seed)
        damages.push_back({"bytes changed, seed " + std::to_string(seed), [seed](const std::filesystem::path& copy) {
                               std::string changed = ReadFileBytes(copy);
                               std::mt19937 random(seed);
                               for (unsigned byte = 0; byte <= seed % 16; ++byte) {
                                   const std::size_t at = random() % changed.size();
                                   changed[at] = static_cast<char>(random());
                               }
                               WriteFileBytes(copy, changed);
                           }});
    for (const TFileDamage& damage : damages) {
        SCOPED_TRACE(damage.text);
        WriteFileBytes(copy, bytes);
        damage.apply(copy);
        if (!CheckWholeIndustryFile(copy.string()).Sound()) continue;
        RecordingUi ui;
        const std::string error = ErrorText<ECvError>([&copy] {
            TCvInd industry;
            industry.Open(std::string(kIndustrySignature), copy.string());
            industry.InitSeries();
            for (int firm = 1; firm <= industry.NbFirms(); ++firm)
                for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
                    const TDataContext context = OpenSampleIndustry::Context(firm, zone);
                    TCheckDec checker(industry, context);
                    TQnInfos messages;
                    ReviewDecisions(industry, context, false, messages);
                    checker.CheckMktPlan(messages, context);
                    checker.CheckContracts(messages);
                }
        });
        EXPECT_EQ(error, "");
        EXPECT_EQ(FailureBoxes(ui), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace cv::test
