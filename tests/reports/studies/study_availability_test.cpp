// Which study charts may be drawn: the study allowed, applicable to the
// market's marketed brands (three for the perceptual map, one for the
// others) and bought, or the administrator looking.
#include <gtest/gtest.h>

#include "core/session/session.h"
#include "reports/studies/study_availability.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv {
namespace {

class StudyAvailabilityTest : public test::StudyTest {};

struct TAvailabilityCase {
    const char* key;
    int brands;
    bool bought;
    bool admin;
    bool expected;
};

TEST_F(StudyAvailabilityTest, ChartNeedsTheStudyAllowedApplicableAndBought) {
    OpenRestrictedVariant();
    const TAvailabilityCase cases[] = {
        {"PerceptualMap", 9, true, false, true},
        {"PerceptualMap", 3, true, false, true},    // "MinBrdForMap" absent: 3
        {"PerceptualMap", 2, true, false, false},   // too few for a map
        {"PerceptualMap", 2, true, true, false},    // the administrator too
        {"SemanticScales", 1, true, false, true},   // one brand is enough
        {"SemanticScales", 0, true, true, false},   // none is not
        {"SemanticScales", 9, false, false, false}, // not bought
        {"SemanticScales", 9, false, true, true},   // the administrator sees it anyway
        {"ConsumerSurvey", 9, true, false, true},
    };
    const TDataContext context = Context();
    for (const TAvailabilityCase& c : cases) {
        SetMarketedBrands(context, c.brands);
        BuyStudy(context, "StuMkt", c.key, c.bought);
        Session->SetAdminView(c.admin);
        EXPECT_EQ(CanShowStudyGraph(context, false, c.key), c.expected)
            << c.key << " " << c.brands << " bought " << c.bought << " admin " << c.admin;
    }
    Session->SetAdminView(false);
    // The variant disables the conjoint analysis: bought or not, no chart.
    BuyStudy(context, "StuMkt", "Conjoint", true);
    EXPECT_FALSE(CanShowStudyGraph(context, false, "Conjoint"));
    // The benchmark is a zone-level study, bought in the periods 0 and 2.
    EXPECT_TRUE(CanShowStudyGraph(Context(2), true, "Benchmark"));
    EXPECT_FALSE(CanShowStudyGraph(Context(1), true, "Benchmark"));
}

}  // namespace
}  // namespace cv
