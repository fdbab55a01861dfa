// The regression screens on brand data set by hand: the semantic estimation
// of an exactly linear scale (8), the map regression's coefficients, standard
// errors and verdicts (13) and the influence of each scale on a map dimension
// (14), in market 2 of the sample (three semantic scales, two map dimensions).
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv {
namespace {

class StudyRegressionTest : public test::StudyTest {
protected:
    StudyRegressionTest() {
        context = Context();
        context.SelMarket = 2;
        context.VertAxis = 1;
        BuyEveryStudy(context, true);
    }
    // Brands' perceived values and actual attributes of the three scales, and
    // their places on map dimension 1 (thousandths).
    void SetBrands(const std::vector<std::array<int, 3>>& perceived, const std::vector<std::array<int, 3>>& actual,
                   const std::vector<int>& map) {
        const int brands = static_cast<int>(actual.size());
        SetMarketedBrands(context, brands);
        TSimArr& semantic = PlaceArray(context, kCategoryFtaMarket, "PosSemBrds", {brands, 3, si::PosSemBrd->Hi()}, dkSmallint);
        TSimArr& places = PlaceArray(context, kCategoryFtaMarket, "PosMapBrds", {brands, 2, si::PosMapBrd->Hi()}, dkSmallint);
        for (int b = 1; b <= brands; ++b) {
            for (int s = 1; s <= 3; ++s) {
                semantic.SetSmallint({b, s, si::AttAct}, actual[static_cast<std::size_t>(b - 1)][static_cast<std::size_t>(s - 1)]);
                if (!perceived.empty())
                    semantic.SetSmallint({b, s, si::PSStuBrd}, perceived[static_cast<std::size_t>(b - 1)][static_cast<std::size_t>(s - 1)]);
            }
            if (!map.empty()) places.SetSmallint({b, 1, si::PMStuBrd}, map[static_cast<std::size_t>(b - 1)]);
        }
    }
    // Eight brands whose attributes are the orthogonal columns of a two-level
    // design, and whose place on dimension 1 is 3 + b1 s1 + b2 s2 + b3 s3 + 0.5 s1 s2:
    // the noise column s1 s2 is orthogonal to the constant and the three scales.
    void SetDesign(double b1, double b2, double b3) {
        static constexpr int kDesign[8][3] = {{1, 1, 1},  {1, 1, -1},  {1, -1, 1},  {1, -1, -1},
                                              {-1, 1, 1}, {-1, 1, -1}, {-1, -1, 1}, {-1, -1, -1}};
        std::vector<std::array<int, 3>> actual;
        std::vector<int> map;
        for (const auto& row : kDesign) {
            actual.push_back({row[0], row[1], row[2]});
            const double y = 3 + b1 * row[0] + b2 * row[1] + b3 * row[2] + 0.5 * row[0] * row[1];
            map.push_back(static_cast<int>(y * 1000));
        }
        SetBrands({}, actual, map);
    }
    std::string Cell(const TStudies& screen, int row, int column) {
        return test::CellText(*screen.Table(), screen.Table()->OriginRow() + row - 1, column);
    }
    TDataContext context;
};

TEST_F(StudyRegressionTest, AnExactlyLinearScaleGivesItsSlopeAndInterceptAndTheIdealPointInPhysicalTerms) {
    // Scale 1: perceived 1, 2, 3, 4 (thousandths) against actual 15, 25, 35, 45,
    // so actual = 10 x perceived + 5 exactly, with r squared 1.
    SetBrands({{1000, 0, 0}, {2000, 0, 0}, {3000, 0, 0}, {4000, 0, 0}}, {{15, 1, 1}, {25, 2, 1}, {35, 3, 1}, {45, 4, 1}},
              {});
    // Segment 1's ideal point 2.5 on scale 1 lies at 10 x 2.5 + 5 = 30 in physical terms.
    TSimArr* ideal = Results(context).FindSimArr(kCategoryFtaMarket, context, "PosSemIPs");
    ASSERT_NE(ideal, nullptr);
    ideal->SetSmallint({1, 1, si::PSStuIP}, 2500);
    const auto shown = MarketScreen(8, context);
    // Title row, then body rows 1..5 of results and the estimates' heading, then a row per segment.
    EXPECT_EQ(Cell(*shown, 3, 4), "10.00");
    EXPECT_EQ(Cell(*shown, 4, 4), "5.00");
    EXPECT_EQ(Cell(*shown, 5, 4), "1.0000");
    EXPECT_EQ(Cell(*shown, 7, 4), "30.00");
    EXPECT_EQ(Cell(*shown, 7, 1), "     " + Session->Industry()->SegmentShortLabel(1, 2, 1));
    // Scale 2 (actual 1, 2, 3, 4 against perceived 0 throughout) has no slope: the
    // line's x does not vary, so slope and intercept are 0 and r squared 1.
    EXPECT_EQ(Cell(*shown, 3, 5), "0.00");
}

TEST_F(StudyRegressionTest, TwoBrandsAreTooFewForAnEstimate) {
    // With "MinBrdForMap" at 2 the map study would still show two brands; the
    // semantic scales always do, and two points estimate nothing.
    SetBrands({{1000, 0, 0}, {2000, 0, 0}}, {{15, 0, 0}, {25, 0, 0}}, {});
    const auto shown = MarketScreen(8, context);
    EXPECT_EQ(Cell(*shown, 3, 4), test::StudyTest::StudyText("StuSemEstim", 7));
    EXPECT_EQ(Cell(*shown, 7, 4), test::StudyTest::StudyText("StuSemEstim", 8));
    EXPECT_EQ(Cell(*shown, 4, 4), "");
}

TEST_F(StudyRegressionTest, TheMapRegressionTestsEachCoefficient) {
    // X'X = 8 I, so each coefficient is its design value. SSE = 8 x 0.5^2 = 2 on
    // 8 - 4 = 4 degrees of freedom: the standard error of the estimate is
    // sqrt(0.5) and each coefficient's is sqrt(0.5) x sqrt(1/8) = 0.25. Critical
    // values for 4 df: 2.132 (10 %), 2.776 (5 %), 4.604 (1 %).
    const struct {
        double b1, b2, b3;
        const char* coefficient[3];
        const char* t[3];
        int verdict[3];
    } cases[] = {
        // t = 8, 2.5 and none for a zero coefficient.
        {2, 0.625, 0, {"2.0000", "0.6250", "0.0000"}, {"8.00", "2.50", "Zero coefficient"}, {18, 20, 17}},
        // t = 3, 1 and -8.
        {0.75, 0.25, -2, {"0.7500", "0.2500", "-2.0000"}, {"3.00", "1.00", "-8.00"}, {19, 21, 18}},
    };
    for (const auto& c : cases) {
        SetDesign(c.b1, c.b2, c.b3);
        const auto shown = MarketScreen(13, context);
        // Two title rows; body row r is table row r + 2.
        for (int s = 0; s < 3; ++s) {
            const int column = 4 + s;
            EXPECT_EQ(Cell(*shown, 4, column), c.coefficient[s]);
            EXPECT_EQ(Cell(*shown, 6, column), "0.2500");
            EXPECT_EQ(Cell(*shown, 7, column), c.t[s]);
            EXPECT_EQ(Cell(*shown, 8, column), test::StudyTest::StudyText("StuMapRegress", c.verdict[s]));
            EXPECT_EQ(test::FontColour(*shown->Table(), shown->Table()->OriginRow() + 7, column),
                      c.verdict[s] == 21 ? 255 : 32768);
        }
        // The constant: 3 with its error, no test.
        EXPECT_EQ(Cell(*shown, 4, 7), "3.0000");
        EXPECT_EQ(Cell(*shown, 6, 7), "0.2500");
        EXPECT_EQ(Cell(*shown, 7, 7), "");
    }
    // Case 2's fit: SST = 8 x (0.75^2 + 0.25^2 + 2^2 + 0.5^2) = 39, R2 = 1 - 2/39 = 0.9487;
    // adjusted 1 - (2/39) x 7/4 = 0.9103; F = (37/2) x (4/3) = 24.67.
    const auto shown = MarketScreen(13, context);
    EXPECT_EQ(Cell(*shown, 10, 4), "0.9487");
    EXPECT_EQ(Cell(*shown, 11, 4), "0.9103");
    EXPECT_EQ(Cell(*shown, 12, 4), "0.71");
    // Side by side, two pairs a row in the four columns from the first scale's:
    // degrees of freedom and scales, then F.
    EXPECT_EQ(Cell(*shown, 13, 4), test::StudyTest::StudyText("StuMapRegress", 22));
    EXPECT_EQ(Cell(*shown, 13, 5), "4");
    EXPECT_EQ(Cell(*shown, 13, 7), "3");
    EXPECT_EQ(Cell(*shown, 14, 5), "24.67");
    EXPECT_TRUE(root.ui.messageBoxes.empty());
}

TEST_F(StudyRegressionTest, TooFewBrandsForTheMapRegressionKeepTheTableWithoutVerdicts) {
    // Four brands for four coefficients: no residual degrees of freedom, the fit
    // fails and the critical-value row would be 0.
    SetBrands({}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}}, {1000, 2000, 3000, 4000});
    root.ui.messageBoxes.clear();
    const auto shown = MarketScreen(13, context);
    ASSERT_NE(shown->Table(), nullptr);
    EXPECT_EQ(shown->Table()->Sheet().TableName(), "StuMapRegress");
    for (int column = 4; column <= 6; ++column) {
        EXPECT_EQ(Cell(*shown, 7, column), "");
        EXPECT_EQ(Cell(*shown, 8, column), "");
    }
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "NotEnoughObs");
}

TEST_F(StudyRegressionTest, TheInfluenceOfAScaleFollowsRSquaredAndTheIndustrysLinks) {
    // Case 2 of the design: each scale's share of the place's variance is its
    // r squared: 0.5625, 0.0625 and 4 of 4.875 (with the noise's 0.25), that is
    // 0.115, 0.013 and 0.821.
    SetDesign(0.75, 0.25, -2);
    TSimArr* links = Session->Industry()->ConstPart().FindSimArr(kCategoryMarket, context, "SemToMap");
    ASSERT_NE(links, nullptr);
    links->SetReal48({1, 1}, 0);
    links->SetReal48({1, 2}, 0.5);
    links->SetReal48({1, 3}, 0);
    const auto shown = MarketScreen(14, context);
    EXPECT_EQ(Cell(*shown, 2, 4), test::StudyTest::StudyText("StuMapInfluence", 7));  // weak
    EXPECT_EQ(Cell(*shown, 2, 5), test::StudyTest::StudyText("StuMapInfluence", 6));  // linked by the industry
    EXPECT_EQ(Cell(*shown, 2, 6), test::StudyTest::StudyText("StuMapInfluence", 6));  // at least 0.75
    EXPECT_EQ(Cell(*shown, 2, 1), Session->Industry()->MapLabel(2, 1));
    EXPECT_FALSE(shown->IsEmpty());
}

}  // namespace
}  // namespace cv
