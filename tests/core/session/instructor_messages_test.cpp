#include "core/session/instructor_messages.h"

#include <gtest/gtest.h>

#include "core/store/cv_data.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv {
namespace {

constexpr std::uint8_t kLineLength = 80;

class InstructorMessagesTest : public ::testing::Test {
protected:
    InstructorMessagesTest() {
        industry.Open(std::string(kIndustrySignature), sample::WriteSampleIndustryFile(dir.path()).string());
        // A results set of its own, beyond the sample's history, which already holds (empty) messages.
        context.CurPeriod = sample::kCurrentPeriod + 2;
        industry.NewPerResults(context.CurPeriod);
        context.SelFta = 1;
        context.SelFirm = 2;
    }
    ~InstructorMessagesTest() override { industry.Close(); }

    // A message array of the results set, lines 1..10, in the cell of Context's firm and zone.
    TSimArr& Message(int category, const char* name, const TDataContext& at) {
        std::vector<std::string> labels;
        for (int line = 1; line <= 10; ++line) labels.push_back(std::to_string(line));
        lines = std::make_unique<TSeries>(0, "MsgLines", 1, labels);
        return industry.PerResults(context.CurPeriod)
            .CreateSimArr(category, at, name, dkZts, kLineLength, {lines.get()});
    }

    test::TempDir dir;
    test::RecordingUi ui;
    TCvData industry;
    TDataContext context;
    std::unique_ptr<TSeries> lines;
};

TEST_F(InstructorMessagesTest, TheFilledLinesOfTheZonesAndTheFirmsMessagesInOrder) {
    TSimArr& toAll = Message(kCategoryFta, "MsgAdm2All", context);
    toAll.SetString({2}, "Period 4 starts on Monday.");
    toAll.SetString({5}, "Send your decisions by Friday.");
    toAll.SetString({10}, "Good luck.");
    Message(kCategoryFirmFta, "MsgAdm2Fir", context).SetString({1}, "Your loan is granted.");
    // Another firm's message stays its own; a firm without one has damaged results.
    TDataContext otherFirm = context;
    otherFirm.SelFirm = 3;
    EXPECT_EQ(test::ErrorText<EDataError>([&] { ReadInstructorMessages(industry, otherFirm); }),
              "array MsgAdm2Fir missing in the results of period 5, firm 3, zone 1");
    Message(kCategoryFirmFta, "MsgAdm2Fir", otherFirm);
    const TInstructorMessages messages = ReadInstructorMessages(industry, context);
    EXPECT_EQ(messages.toAllTeams,
              (std::vector<std::string>{"Period 4 starts on Monday.", "Send your decisions by Friday.", "Good luck."}));
    EXPECT_EQ(messages.toFirm, std::vector<std::string>{"Your loan is granted."});
    EXPECT_TRUE(ReadInstructorMessages(industry, otherFirm).toFirm.empty());
}

}  // namespace
}  // namespace cv
