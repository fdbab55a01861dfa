// The review of the decisions page over both zones of the sample.
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/decision_review.h"
#include "tests/decisions/checks/sample_decisions.h"

namespace cv::test {
namespace {

constexpr int kNorth = 1;
constexpr int kSouth = 2;

class Review : public SampleDecisions {
public:
    TDecisionReview Run() {
        messages.Clear();
        return ReviewDecisions(Industry(), Context(), false, messages);
    }
    std::int16_t WrittenStatus() { return NewDecs().GetSmallint(kCategoryFirm, Context(), "DecStatus"); }
    TQnInfos messages;
};

TEST_F(Review, CompleteDecisionsGiveTheCompleteLine) {
    const TDecisionReview review = Run();
    EXPECT_EQ(review.DecStatusResult, 1);
    EXPECT_EQ(ReviewLine(review), rlComplete);
    EXPECT_EQ(WrittenStatus(), dsAllTaken);
}

// The North all taken, the South some: the firm's status is the worse, "some".
TEST_F(Review, StatusIsTheWorstOverTheZones) {
    NewDecs().SetSmallint(kCategoryFirmFta, Context(kSouth), "StudiesDecStatus", 0);
    const TDecisionReview review = Run();
    EXPECT_EQ(review.DecStatusResult, 0);
    EXPECT_EQ(ReviewLine(review), rlNotTaken);
    EXPECT_EQ(WrittenStatus(), dsSomeTaken);
    EXPECT_EQ(Keys(messages), std::vector<std::string>{"StuDecsNotYetTaken"});
}

// A project belongs to the firm and market, not to a zone: listed once.
TEST_F(Review, ProjectNotTakenIsListedOnce) {
    Decision("PrjFins", kCategoryFirmMarket, 0, 1).SetReal48({1, si::ProDecStatus}, 0);
    Run();
    EXPECT_EQ(Keys(messages), std::vector<std::string>{"PrjDecsNotYetTaken"});
}

TEST_F(Review, ErrorsComeBeforeWarnings) {
    Decision("SlfSize", kCategoryFirmFta, kSouth, 0).SetReal48({1}, 0);
    Decision("DecBrdCv3", kCategoryFirmFtaMarket, kNorth, 1).SetReal48({1, si::Price}, 0);
    const TDecisionReview review = Run();
    EXPECT_EQ(review.ErrorCount, 2);
    EXPECT_EQ(review.WarningCount, 1);
    EXPECT_EQ(ReviewLine(review), rlErrorsAndWarnings);
    EXPECT_EQ(Keys(messages), (std::vector<std::string>{"ErrPrice0", "DecPriceDecr", "Warn1DistribDecs"}));
    EXPECT_NE(messages[2].Headline.find("(South)"), std::string::npos) << messages[2].Headline;
}

TEST(ReviewLines, FirstConditionThatHoldsChoosesTheLine) {
    EXPECT_EQ(ReviewLine({1, 1, 1, dsAllTaken}), rlErrorsAndWarnings);
    EXPECT_EQ(ReviewLine({0, 1, 0, dsSomeTaken}), rlErrors);
    EXPECT_EQ(ReviewLine({0, 0, 1, dsSomeTaken}), rlNotTaken);
    EXPECT_EQ(ReviewLine({1, 0, 1, dsAllTaken}), rlWarnings);
    EXPECT_EQ(ReviewLine({1, 0, 0, dsAllTaken}), rlComplete);
}

}  // namespace
}  // namespace cv::test
