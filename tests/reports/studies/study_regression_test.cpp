// The regression screens on brand data set by hand: the semantic estimation
// of an exactly linear scale (8), the map regression's coefficients, standard
// errors and verdicts (13) and the influence of each scale on a map dimension
// (14), in market 2 of the sample (four semantic scales, two map dimensions).
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
    // Brands' perceived values and actual attributes of the four scales, and
    // their places on map dimension 1 (thousandths).
    using TScales = std::array<int, 4>;
    void SetBrands(const std::vector<TScales>& perceived, const std::vector<TScales>& actual, const std::vector<int>& map) {
        const int brands = static_cast<int>(actual.size());
        SetMarketedBrands(context, brands);
        TSimArr& semantic = PlaceArray(context, kCategoryFtaMarket, "PosSemBrds", {brands, 4, si::PosSemBrd->Hi()}, dkSmallint);
        TSimArr& places = PlaceArray(context, kCategoryFtaMarket, "PosMapBrds", {brands, 2, si::PosMapBrd->Hi()}, dkSmallint);
        for (int b = 1; b <= brands; ++b) {
            const auto i = static_cast<std::size_t>(b - 1);
            for (int s = 1; s <= 4; ++s) {
                const auto j = static_cast<std::size_t>(s - 1);
                semantic.SetSmallint({b, s, si::AttAct}, actual[i][j]);
                if (!perceived.empty()) semantic.SetSmallint({b, s, si::PSStuBrd}, perceived[i][j]);
            }
            if (!map.empty()) places.SetSmallint({b, 1, si::PMStuBrd}, map[i]);
        }
    }
    // Eight brands whose attributes are orthogonal columns of a two-level
    // design (s1, s2, s3 and s4 = s1 s3), and whose place on dimension 1 is
    // 3 + b1 s1 + b2 s2 + b3 s3 + b4 s4 + 0.5 s1 s2: the noise column s1 s2 is
    // orthogonal to the constant and the four scales.
    void SetDesign(double b1, double b2, double b3, double b4) {
        static constexpr int kDesign[8][3] = {{1, 1, 1},  {1, 1, -1},  {1, -1, 1},  {1, -1, -1},
                                              {-1, 1, 1}, {-1, 1, -1}, {-1, -1, 1}, {-1, -1, -1}};
        std::vector<TScales> actual;
        std::vector<int> map;
        for (const auto& row : kDesign) {
            actual.push_back({row[0], row[1], row[2], row[0] * row[2]});
            const double y =
                3 + b1 * row[0] + b2 * row[1] + b3 * row[2] + b4 * row[0] * row[2] + 0.5 * row[0] * row[1];
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
    SetBrands({{1000, 0, 0, 0}, {2000, 0, 0, 0}, {3000, 0, 0, 0}, {4000, 0, 0, 0}},
              {{15, 1, 1, 1}, {25, 2, 1, 1}, {35, 3, 1, 1}, {45, 4, 1, 1}}, {});
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
    SetBrands({{1000, 0, 0, 0}, {2000, 0, 0, 0}}, {{15, 0, 0, 0}, {25, 0, 0, 0}}, {});
    const auto shown = MarketScreen(8, context);
    EXPECT_EQ(Cell(*shown, 3, 4), test::StudyTest::StudyText("StuSemEstim", 7));
    EXPECT_EQ(Cell(*shown, 7, 4), test::StudyTest::StudyText("StuSemEstim", 8));
    EXPECT_EQ(Cell(*shown, 4, 4), "");
}

TEST_F(StudyRegressionTest, TheMapRegressionTestsEachCoefficient) {
    // X'X = 8 I, so each coefficient is its design value. SSE = 8 x 0.5^2 = 2 on
    // 8 - 5 = 3 degrees of freedom: the standard error of the estimate is
    // sqrt(2/3) and each coefficient's is sqrt(2/3) x sqrt(1/8) = sqrt(1/12) =
    // 0.2887. Critical values for 3 df: 2.353 (10 %), 3.182 (5 %), 5.841 (1 %).
    const struct {
        double b[4];
        const char* coefficient[4];
        const char* t[4];
        int verdict[4];
    } cases[] = {
        // t = 6.93, 2.60 and none for the zero coefficients.
        {{2, 0.75, 0, 0},
         {"2.0000", "0.7500", "0.0000", "0.0000"},
         {"6.93", "2.60", "Zero coefficient", "Zero coefficient"},
         {18, 20, 17, 17}},
        // t = 3.46, 0.87, -6.93 and 1.73.
        {{1, 0.25, -2, 0.5}, {"1.0000", "0.2500", "-2.0000", "0.5000"}, {"3.46", "0.87", "-6.93", "1.73"}, {19, 21, 18, 21}},
    };
    for (const auto& c : cases) {
        SetDesign(c.b[0], c.b[1], c.b[2], c.b[3]);
        const auto shown = MarketScreen(13, context);
        // Two title rows; body row r is table row r + 2.
        for (int s = 0; s < 4; ++s) {
            const int column = 4 + s;
            EXPECT_EQ(Cell(*shown, 4, column), c.coefficient[s]);
            EXPECT_EQ(Cell(*shown, 6, column), "0.2887");
            EXPECT_EQ(Cell(*shown, 7, column), c.t[s]);
            EXPECT_EQ(Cell(*shown, 8, column), test::StudyTest::StudyText("StuMapRegress", c.verdict[s]));
            EXPECT_EQ(test::FontColour(*shown->Table(), shown->Table()->OriginRow() + 7, column),
                      c.verdict[s] == 21 ? 255 : 32768);
        }
        // The constant: 3 with its error, no test.
        EXPECT_EQ(Cell(*shown, 4, 8), "3.0000");
        EXPECT_EQ(Cell(*shown, 6, 8), "0.2887");
        EXPECT_EQ(Cell(*shown, 7, 8), "");
    }
    // Case 2's fit: SST = 8 x (1 + 0.25^2 + 2^2 + 0.5^2 + 0.5^2) = 44.5, R2 = 1 - 2/44.5 =
    // 0.9551; adjusted 1 - (2/44.5) x 7/3 = 0.8951; F = (42.5/2) x (3/4) = 15.94.
    const auto shown = MarketScreen(13, context);
    EXPECT_EQ(Cell(*shown, 10, 4), "0.9551");
    EXPECT_EQ(Cell(*shown, 11, 4), "0.8951");
    EXPECT_EQ(Cell(*shown, 12, 4), "0.82");
    // Side by side, two pairs a row in the five columns from the first scale's:
    // degrees of freedom and scales, then F.
    EXPECT_EQ(Cell(*shown, 13, 4), test::StudyTest::StudyText("StuMapRegress", 22));
    EXPECT_EQ(Cell(*shown, 13, 5), "3");
    EXPECT_EQ(Cell(*shown, 13, 7), "4");
    EXPECT_EQ(Cell(*shown, 14, 5), "15.94");
    EXPECT_TRUE(root.ui.messageBoxes.empty());
}

TEST_F(StudyRegressionTest, TooFewBrandsForTheMapRegressionKeepTheTableAndJudgeOnlyZeroCoefficients) {
    // Five brands for five coefficients: no residual degrees of freedom, and
    // the critical-value row would be 0. The t values stay; only the verdicts
    // that need the table are left out.
    SetBrands({}, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 1, 1, 1}}, {1000, 2000, 3000, 4000, 5000});
    root.ui.messageBoxes.clear();
    const auto shown = MarketScreen(13, context);
    ASSERT_NE(shown->Table(), nullptr);
    EXPECT_EQ(shown->Table()->Sheet().TableName(), "StuMapRegress");
    const auto number = [&](int row, int column) {
        return shown->Table()->CellNumber(shown->Table()->OriginRow() + row - 1, column);
    };
    for (int column = 4; column <= 7; ++column) {
        ASSERT_NE(Cell(*shown, 7, column), "") << column;
        const double se = number(6, column);
        EXPECT_NEAR(number(7, column), se == 0 ? 0 : number(4, column) / se, 1e-9) << column;
        EXPECT_EQ(Cell(*shown, 8, column), "") << column;
    }
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "NotEnoughObs");

    // Three brands: nothing can be fitted, so every coefficient is 0 and says so in both rows.
    SetBrands({}, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}, {1000, 2000, 3000});
    const auto unfitted = MarketScreen(13, context);
    for (int column = 4; column <= 7; ++column) {
        EXPECT_EQ(Cell(*unfitted, 4, column), "0.0000") << column;
        for (int row : {7, 8})
            EXPECT_EQ(Cell(*unfitted, row, column), test::StudyTest::StudyText("StuMapRegress", 17)) << column;
    }
    EXPECT_EQ(root.ui.messageBoxes.size(), 2u);
}

TEST_F(StudyRegressionTest, TheInfluenceOfAScaleFollowsRSquaredAndTheIndustrysLinks) {
    // Each scale's share of the place's variance is its r squared: 0.25,
    // 0.0625, 4 and 0.0625 of 4.625 (with the noise's 0.25), that is 0.054,
    // 0.014, 0.865 and 0.014.
    SetDesign(0.5, 0.25, 2, 0.25);
    TSimArr* links = Session->Industry()->ConstPart().FindSimArr(kCategoryMarket, context, "SemToMap");
    ASSERT_NE(links, nullptr);
    for (int scale = 1; scale <= 4; ++scale) links->SetReal48({1, scale}, scale == 2 ? 0.5 : 0);
    const auto shown = MarketScreen(14, context);
    EXPECT_EQ(Cell(*shown, 2, 4), test::StudyTest::StudyText("StuMapInfluence", 7));  // weak
    EXPECT_EQ(Cell(*shown, 2, 5), test::StudyTest::StudyText("StuMapInfluence", 6));  // linked by the industry
    EXPECT_EQ(Cell(*shown, 2, 6), test::StudyTest::StudyText("StuMapInfluence", 5));  // at least 0.85
    EXPECT_EQ(Cell(*shown, 2, 7), test::StudyTest::StudyText("StuMapInfluence", 7));
    EXPECT_TRUE(test::IsBold(*shown->Table(), shown->Table()->OriginRow() + 1, 6));
    EXPECT_EQ(Cell(*shown, 2, 1), Session->Industry()->MapLabel(2, 1));
    EXPECT_FALSE(shown->IsEmpty());
}

// A scale whose attribute is the same for every brand, or one that does not
// move with the place at all, explains nothing of it: weak, not very strong.
TEST_F(StudyRegressionTest, AScaleUnrelatedToTheDimensionHasNoInfluence) {
    // Places 1, 2, 3, 4: scale 1 places the brands exactly (r squared 1);
    // scale 2 is 5 for every brand; scale 4 goes 1, 2, 2, 1, a cross term of
    // 4 x 15 - 6 x 10 = 0 though both vary.
    SetBrands({}, {{1, 5, 1, 1}, {2, 5, 2, 2}, {3, 5, 1, 2}, {4, 5, 2, 1}}, {1000, 2000, 3000, 4000});
    TSimArr* links = Session->Industry()->ConstPart().FindSimArr(kCategoryMarket, context, "SemToMap");
    ASSERT_NE(links, nullptr);
    for (int scale = 1; scale <= 4; ++scale) links->SetReal48({1, scale}, 0);
    root.ui.messageBoxes.clear();
    const auto shown = MarketScreen(14, context);
    EXPECT_EQ(Cell(*shown, 2, 4), test::StudyTest::StudyText("StuMapInfluence", 4));  // very strong
    EXPECT_EQ(Cell(*shown, 2, 5), test::StudyTest::StudyText("StuMapInfluence", 7));  // the same for all: weak
    EXPECT_EQ(Cell(*shown, 2, 7), test::StudyTest::StudyText("StuMapInfluence", 7));  // no covariance: weak
    EXPECT_TRUE(root.ui.messageBoxes.empty());
}

TEST_F(StudyRegressionTest, TwoBrandsLeaveTheInfluenceScreenEmptyAndSayWhyOnlyInAWindow) {
    // The instructor lets the map study run from two brands: a line through
    // two points tells nothing, so every cell says so.
    Session->Industry()->ConstPart().SetReal(kCategoryIndustry, context, "MinBrdForMap", 2);
    SetDesign(0.5, 0.25, 2, 0.25);
    SetMarketedBrands(context, 2);
    root.ui.messageBoxes.clear();
    const auto shown = MarketScreen(14, context);
    EXPECT_TRUE(shown->IsEmpty());
    for (int d = 2; d <= 3; ++d)
        for (int column = 4; column <= 7; ++column)
            EXPECT_EQ(Cell(*shown, d, column), test::StudyTest::StudyText("StuMapInfluence", 3)) << d << " " << column;
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "NotEnoughObs");
    const auto printed = MarketScreen(14, context, kDocumentLayout);
    printed->Build(context);
    EXPECT_TRUE(printed->IsEmpty());
    EXPECT_EQ(root.ui.messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace cv
