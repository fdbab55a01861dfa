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
    // Nothing of Zone taken: its sales force, its studies and every brand's mix.
    void Untouch(int zone) {
        NewDecs().SetSmallint(kCategoryFirmFta, Context(zone), "SlfDecStatus", 0);
        NewDecs().SetSmallint(kCategoryFirmFta, Context(zone), "StudiesDecStatus", 0);
        for (int market = 1; market <= Industry().NbMarkets(); ++market) {
            const int brands = NewDecs().GetSmallintDef(kCategoryFirmFtaMarket, Context(zone, market), "NbMktedBrds", 0);
            for (int brand = 1; brand <= brands; ++brand)
                Decision("DecBrdCv3", kCategoryFirmFtaMarket, zone, market).SetReal48({brand, si::BrdDecStatus}, 0);
        }
    }
    // One group of Zone not taken: its studies.
    void Partly(int zone) { NewDecs().SetSmallint(kCategoryFirmFta, Context(zone), "StudiesDecStatus", 0); }
    TQnInfos messages;
};

TEST_F(Review, CompleteDecisionsGiveTheCompleteLine) {
    const TDecisionReview review = Run();
    EXPECT_EQ(review.DecStatusResult, 1);
    EXPECT_EQ(ReviewLine(review), rlComplete);
    EXPECT_EQ(WrittenStatus(), dsAllTaken);
}

// Over the zones as within one: complete when every zone is, none when nothing
// is taken anywhere, some otherwise. Projects belong to no zone: left out here
// so that a zone can be untouched while the other is complete.
TEST_F(Review, FirmStatusOverTheZones) {
    enum State { Complete, Some, Untouched };
    struct Case {
        State north, south;
        TDecStatus expected;
    };
    const Case cases[] = {
        {Complete, Complete, dsAllTaken},  {Complete, Untouched, dsSomeTaken}, {Untouched, Complete, dsSomeTaken},
        {Untouched, Untouched, dsNoneTaken}, {Some, Untouched, dsSomeTaken},   {Untouched, Some, dsSomeTaken},
    };
    for (const Case& c : cases) {
        Restrict("RestrictEnabled", "rcDecisions", "NoRnD");
        for (const auto& [zone, state] : {std::pair{kNorth, c.north}, std::pair{kSouth, c.south}}) {
            if (state == Untouched) Untouch(zone);
            if (state == Some) Partly(zone);
        }
        const TDecisionReview review = Run();
        EXPECT_EQ(review.Status, c.expected) << c.north << " " << c.south;
        EXPECT_EQ(WrittenStatus(), c.expected) << c.north << " " << c.south;
        EXPECT_EQ(review.DecStatusResult, c.expected == dsAllTaken ? 1 : 0) << c.north << " " << c.south;
        // A fresh copy of the sample for the next case.
        TearDown();
        SetUp();
    }
}

// The North all taken, the South some: the firm's status is "some".
TEST_F(Review, StatusIsSomeWhenOneZoneIsPartlyTaken) {
    NewDecs().SetSmallint(kCategoryFirmFta, Context(kSouth), "StudiesDecStatus", 0);
    const TDecisionReview review = Run();
    EXPECT_EQ(review.DecStatusResult, 0);
    EXPECT_EQ(ReviewLine(review), rlNotTaken);
    EXPECT_EQ(WrittenStatus(), dsSomeTaken);
    EXPECT_EQ(Keys(messages), std::vector<std::string>{"StuDecsNotYetTaken"});
}

// The sales force is decided zone by zone: each zone's message names its zone,
// so that two zones not taken make two messages.
TEST_F(Review, SalesForceNotTakenNamesItsZone) {
    for (const int zone : {kSouth, kNorth}) NewDecs().SetSmallint(kCategoryFirmFta, Context(zone), "SlfDecStatus", 0);
    Run();
    ASSERT_EQ(Keys(messages), (std::vector<std::string>{"SlfDecsNotYetTaken", "SlfDecsNotYetTaken"}));
    EXPECT_EQ(messages[0].Headline, "The sales-force decisions (" + Industry().FtaLabel(kNorth) + ") are not taken yet.");
    EXPECT_EQ(messages[1].Headline, "The sales-force decisions (" + Industry().FtaLabel(kSouth) + ") are not taken yet.");
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
