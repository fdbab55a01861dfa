#include "core/stats/cv_interf.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "tests/support/recording_ui.h"
#include "tests/support/checks.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

constexpr double kTolerance = 1e-9;
constexpr std::int16_t kZone = 1;
// Market 3 of the sample has three semantic scales (Volume, Autonomy, Price) and two map axes.
constexpr std::int16_t kMarket = 3;
constexpr int kScales = 3;
constexpr int kMapDims = 2;

// A straight-line fit as slope, intercept, R2.
using Fit = std::array<double, 3>;

void ExpectFit(const Fit& actual, const Fit& expected) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], kTolerance) << "figure " << i;
}

struct TTestBrand {
    std::string_view name;
    int firm;
    int firmBrand;
    int protoFirm;
    int prototype;
};

// The sample industry opened as the industry TCvInterf reads: it gives each market its semantic scales and fills the
// series-index table. The brands of the tests live in a results set of their own, built cell by cell.
class CvInterfTest : public ::testing::Test {
protected:
    CvInterfTest() {
        context_.SelFta = kZone;
        context_.SelMarket = kMarket;
    }

    TSimArr& AddArray(std::string_view name, std::uint8_t kind, int nDim, const TIndex& lb, const TIndex& ub,
                      int firm = 0) {
        auto array = std::make_unique<TSimArr>();
        array->Init(kind, kind == dkZts ? 8 : 0, nDim, lb, ub);
        TDataContext cell = context_;
        cell.SelFirm = static_cast<std::int16_t>(firm);
        const int category = firm == 0 ? kCategoryFtaMarket : kCategoryFirmFtaMarket;
        return results_.AddSimArr(category, cell, name, std::move(array));
    }

    void SetBrandCount(int brands) { results_.SetSmallint(kCategoryFtaMarket, context_, "NbMktedBrds", brands); }

    void AddBrands(std::span<const TTestBrand> brands) {
            const int count = static_cast<int>(brands.size());
        SetBrandCount(count);
        TSimArr& names = AddArray("BrdNames", dkZts, 1, {1}, {count});
        TSimArr& links = AddArray("XFMLinks", dkByte, 2, {1, si::XFMLinks->Lo()}, {count, si::XFMLinks->Hi()});
        for (int b = 1; b <= count; ++b) {
            const TTestBrand& brand = brands[b - 1];
            names.SetZts({b}, brand.name);
            links.SetByte({b, si::Dfix}, brand.firm);
            links.SetByte({b, si::Dbix}, brand.firmBrand);
            links.SetByte({b, si::Rfix}, brand.protoFirm);
            links.SetByte({b, si::Rpix}, brand.prototype);
        }
    }

    // "PosSemBrds" [brand][scale][element] and "PosMapBrds" [brand][dimension][element] for Brands brands.
    TSimArr& AddSemanticPositions(int brands) {
        return AddArray("PosSemBrds", dkSmallint, 3, {1, 1, si::PosSemBrd->Lo()},
                        {brands, kScales, si::PosSemBrd->Hi()});
    }
    TSimArr& AddMapPositions(int brands) {
        return AddArray("PosMapBrds", dkSmallint, 3, {1, 1, si::PosMapBrd->Lo()},
                        {brands, kMapDims, si::PosMapBrd->Hi()});
    }

    // The brands counted and the line fitted, from outputs of 9 so that untouched ones show.
    std::pair<int, Fit> MapOnAttribute(int scale, int dim) {
        Fit fit{9, 9, 9};
        return {interf_.RegressMapOnAttribute(results_, context_, scale, dim, fit[0], fit[1], fit[2]), fit};
    }
    std::pair<int, Fit> AttributeOnPerception(int scale) {
        Fit fit{9, 9, 9};
        return {interf_.RegressAttributeOnPerception(results_, context_, scale, fit[0], fit[1], fit[2]), fit};
    }
    bool MapOnSemantic(int dim) { return interf_.RegressMapOnSemantic(results_, context_, dim, coef_, se_, stats_); }

    test::RecordingUi ui_;
    test::OpenSampleIndustry sample_;
    TCvInd& industry_ = sample_.Industry();
    TCvPerData results_{vtResults, 3};
    TDataContext context_;
    TCvInterf interf_{industry_};
    std::array<double, 7> coef_{}, se_{};
    std::array<double, 15> stats_{};
};

constexpr Fit kPointFit{0, 0, 1};  // fewer than two points: flat, R2 = 1

TEST_F(CvInterfTest, LookUpsOfDuplicateNamesAnswerFirstAndLastMatch) {
    const TTestBrand brands[] = {
        {"Nova", 2, 1, 2, 4},
        {"ZETA", 1, 2, 1, 3},
        {"nOVA", 3, 2, 1, 5},
    };
    AddBrands(brands);
    AddArray("BrdRpt", dkReal48, 2, {1, 1}, {5, 19}, 2);
    TSimArr& reportFirm3 = AddArray("BrdRpt", dkReal48, 2, {1, 1}, {5, 19}, 3);

    // Names compare with ASCII letter case ignored: "NOVA" is brands 1 and 3.
    EXPECT_EQ(interf_.BrandIndex(results_, context_, "NOVA"), 1);
    const TFoundBrand found = interf_.FindBrand(results_, context_, "NOVA");
    EXPECT_EQ(std::tuple(found.Brand, found.Firm, found.FirmBrand, found.BrdRpt), std::tuple(3, 3, 2, &reportFirm3));

    // Firm 1 has no report in this set: the results are damaged, and say where.
    const TSimArr* brdRpt = &reportFirm3;
    int firm = -1, firmBrand = -1;
    EXPECT_THAT(test::ErrorText<EDataError>([&] { interf_.FindBrand(results_, context_, "zeta", brdRpt, firm, firmBrand); }),
                ::testing::StartsWith("array BrdRpt missing in the results of period"));
    TSimArr& reportFirm1 = AddArray("BrdRpt", dkReal48, 2, {1, 1}, {5, 19}, 1);
    interf_.FindBrand(results_, context_, "zeta", brdRpt, firm, firmBrand);
    EXPECT_EQ(std::tuple(firm, firmBrand, brdRpt), std::tuple(1, 2, &reportFirm1));

    // Spacing and accented letters make other names.
    for (std::string_view other : {"Nova ", "N\xF6va", "Nov"}) {
        EXPECT_EQ(interf_.BrandIndex(results_, context_, other), -1) << other;
        const TFoundBrand none = interf_.FindBrand(results_, context_, other);
        EXPECT_EQ(std::tuple(none.Brand, none.Firm, none.FirmBrand, none.BrdRpt),
                  std::tuple(0, 0, 0, static_cast<const TSimArr*>(nullptr))) << other;
    }
}

TEST_F(CvInterfTest, BrandLinksReadTheLinkTableInEitherArgumentOrder) {
    const TTestBrand brands[] = {{"ALBA", 1, 1, 1, 2}, {"EDRA", 2, 3, 3, 4}};
    AddBrands(brands);
    std::pair<int, int> links;
    interf_.BrandLinks(results_, context_, 2, links.first, links.second);
    EXPECT_EQ(links, std::pair(2, 3));
    interf_.BrandLinksOutFirst(results_, context_, links.first, links.second, 1);
    EXPECT_EQ(links, std::pair(1, 1));
    interf_.BrandLinksAlt(results_, context_, 2, links.first, links.second);
    EXPECT_EQ(links, std::pair(3, 4));
}

TEST_F(CvInterfTest, MarketWithoutMarketedBrands) {
    SetBrandCount(0);  // and no brand array at all
    EXPECT_EQ(interf_.BrandIndex(results_, context_, "ALBA"), -1);
    EXPECT_EQ(interf_.FindBrand(results_, context_, "ALBA").Firm, 0);

    EXPECT_EQ(MapOnAttribute(1, 1), std::pair(0, kPointFit));
    Fit fit{9, 9, 9};
    EXPECT_EQ(interf_.RegressSemanticOnTechnical(results_, context_, 1, fit[2], fit[1], fit[0]), 0);
    EXPECT_EQ(fit, kPointFit);
    EXPECT_TRUE(MapOnSemantic(1));

    // The sample's markets 1 and 2 have brands in the current period, until their count is cleared.
    TDataContext current = context_;
    current.CurPeriod = 3;
    current.SelMarket = 2;
    EXPECT_TRUE(interf_.HasMarketedBrands(current));
    industry_.PerResults(3).SetSmallint(kCategoryFtaMarket, current, "NbMktedBrds", 0);
    EXPECT_FALSE(interf_.HasMarketedBrands(current));
    current.SelMarket = 1;
    EXPECT_TRUE(interf_.HasMarketedBrands(current));
}

// Five brands on the three scales of market 2. Brands 1-4 lie on the plane
// y = 0.5 + 0.25 s1 - 0.25 s2 - 1.0 s3; brand 5 at (1, 1, 1) lies d = 0.2 above it.
class MapRegressionTest : public CvInterfTest {
protected:
    MapRegressionTest() {
        const std::array<std::array<int, kScales>, 5> attributes{
            {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}}};
        const std::array<int, 5> mapThousandths{500, 750, 250, -500, -300};
        TSimArr& semantic = AddSemanticPositions(5);
        TSimArr& map = AddMapPositions(5);
        for (int b = 1; b <= 5; ++b) {
            for (int s = 1; s <= kScales; ++s) {
                semantic.SetSmallint({b, s, si::AttAct}, attributes[b - 1][s - 1]);
                semantic.SetSmallint({b, s, si::PSStuBrd}, 4000 + 100 * b + s);  // not a regressor
            }
            map.SetSmallint({b, 1, si::PMStuBrd}, 10 * b * b);  // another dimension
            map.SetSmallint({b, 2, si::PMStuBrd}, mapThousandths[b - 1]);
        }
    }
};

TEST_F(MapRegressionTest, FitsTheMapDimensionOnAllScalesWithTheConstantLast) {
    SetBrandCount(5);
    ASSERT_TRUE(MapOnSemantic(2));
    // The residual lies along w = (2, -1, -1, -1, 1), orthogonal to the columns of X:
    // e = (d / |w|^2) w = 0.025 w, SSE = d^2 / 8 = 0.005. The fitted points lie on the
    // plane through y - e: c = 0.5 - d/4 = 0.45, and each slope rises by 3d/8 = 0.075.
    const double expected[] = {0.325, -0.175, -0.925, 0.45};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(coef_[i], expected[i], kTolerance) << i;
    // V = (X'X)^-1 by Sherman-Morrison from the four-point inverse (diagonal 2, 2, 2, 1;
    // V0 u = (3, 3, 3, -2), u'V0u = 7): diagonal 2 - 9/8 = 7/8 for slopes, 1 - 4/8 for the constant.
    const double s = std::sqrt(0.005);
    EXPECT_NEAR(se_[0], s * std::sqrt(7.0 / 8), kTolerance);
    EXPECT_NEAR(se_[2], s * std::sqrt(7.0 / 8), kTolerance);
    EXPECT_NEAR(se_[3], s * std::sqrt(0.5), kTolerance);
    // ybar = 0.7 / 5 = 0.14; SST = 1.215 - 5 x 0.0196 = 1.117; R2 = 1.112 / 1.117 (every
    // statistic is derived by hand in regression_test.cpp): the 15 come back in their order.
    const double r2 = 1.112 / 1.117;
    const std::pair<int, double> expectedStats[] = {{1, 3}, {2, 1}, {6, 1.117}, {11, r2}, {12, s}, {14, 0.14},
                                                    {15, 1 - (1 - r2) * 4}};
    for (const auto& [entry, value] : expectedStats) EXPECT_NEAR(stats_[entry - 1], value, 1e-8) << entry;
}

TEST_F(MapRegressionTest, FailedFitSucceedsWithZeroOutputs) {
    // Three brands for four coefficients: the k = 4 coefficients and every statistic are
    // zeroed; the rest is the caller's.
    SetBrandCount(3);
    coef_.fill(7);
    stats_.fill(7);
    EXPECT_TRUE(MapOnSemantic(2));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(coef_[i], 0) << i;
    EXPECT_EQ(coef_[4], 7);
    for (double stat : stats_) EXPECT_EQ(stat, 0);

    // Five brands whose third scale never varies: its column equals the constant's, X'X is singular.
    SetBrandCount(5);
    TSimArr& semantic = *results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    for (int b = 1; b <= 5; ++b) semantic.SetSmallint({b, 3, si::AttAct}, 1);
    coef_.fill(7);
    se_.fill(7);
    EXPECT_TRUE(MapOnSemantic(2));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(coef_[i] + se_[i], 0) << i;
    EXPECT_EQ(stats_[1], 0);
}

TEST_F(MapRegressionTest, OutputsTooShortOrMarketWithoutScalesAreRangeErrors) {
    SetBrandCount(5);
    std::array<double, 3> shortCoef{};
    std::array<double, 14> shortStats{};
    EXPECT_THROW(interf_.RegressMapOnSemantic(results_, context_, 2, shortCoef, se_, stats_), ERangeError);
    EXPECT_THROW(interf_.RegressMapOnSemantic(results_, context_, 2, coef_, shortCoef, stats_), ERangeError);
    EXPECT_THROW(interf_.RegressMapOnSemantic(results_, context_, 2, coef_, se_, shortStats), ERangeError);
    // The sample has three markets; a fourth and a fifth are beyond any industry.
    for (std::int16_t market : {4, 5}) {
        context_.SelMarket = market;
        EXPECT_THROW(MapOnSemantic(2), ERangeError) << market;
    }
}

TEST_F(CvInterfTest, StraightLinesOverTheMarketedBrands) {
    AddSemanticPositions(3);
    TSimArr& semantic = *results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    TSimArr& map = AddMapPositions(3);
    SetBrandCount(3);
    // Per brand: attribute on scale 2, map position (thousandths), perception and attribute on scale 3.
    const int brands[3][4] = {{1, 100, 500, 2}, {2, 300, 1000, 4}, {3, 200, 1500, 5}};
    for (int b = 1; b <= 3; ++b) {
        semantic.SetSmallint({b, 2, si::AttAct}, brands[b - 1][0]);
        map.SetSmallint({b, 1, si::PMStuBrd}, brands[b - 1][1]);
        semantic.SetSmallint({b, 3, si::PSStuBrd}, brands[b - 1][2]);
        semantic.SetSmallint({b, 3, si::AttAct}, brands[b - 1][3]);
    }

    // Map on attribute: x = 1, 2, 3; y = 0.1, 0.3, 0.2. Sums 6, 0.6, 14, 0.14, 1.3; D = 6;
    // slope = (3.9 - 3.6) / 6 = 0.05; intercept = (8.4 - 7.8) / 6 = 0.1; r = 0.3 / sqrt(6 x 0.06) = 0.5.
    auto [count, fit] = MapOnAttribute(2, 1);
    EXPECT_EQ(count, 3);
    ExpectFit(fit, {0.05, 0.1, 0.25});
    Fit alt{};
    EXPECT_EQ(interf_.RegressSemanticOnMap(results_, context_, 2, 1, alt[2], alt[1], alt[0]), 3);
    EXPECT_EQ(alt, fit);

    // Attribute on perception: x = 0.5, 1, 1.5; y = 2, 4, 5. Sums 3, 11, 3.5, 45, 12.5; D = 1.5;
    // slope = (37.5 - 33) / 1.5 = 3; intercept = (38.5 - 37.5) / 1.5 = 2/3; R2 = 4.5^2 / (1.5 x 14) = 20.25 / 21.
    std::tie(count, fit) = AttributeOnPerception(3);
    EXPECT_EQ(count, 3);
    ExpectFit(fit, {3, 2.0 / 3, 20.25 / 21});
    EXPECT_EQ(interf_.RegressSemanticOnTechnical(results_, context_, 3, alt[2], alt[1], alt[0]), 3);
    EXPECT_EQ(alt, fit);
}

// A scale whose attribute has no covariance with the map dimension explains none of it: r squared 0,
// whether both vary (attribute 1, 2, 3 against 0.1, 0.3, 0.1), the attribute is the same for every
// brand, or every brand sits at the same place on the map.
TEST_F(CvInterfTest, MapFitWithoutCovarianceExplainsNothing) {
    AddSemanticPositions(3);
    TSimArr& semantic = *results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    TSimArr& map = AddMapPositions(3);
    SetBrandCount(3);
    const struct {
        int attribute[3];
        int place[3];
        double intercept;
    } cases[] = {{{1, 2, 3}, {100, 300, 100}, 0.5 / 3}, {{4, 4, 4}, {100, 300, 200}, 0}, {{1, 2, 3}, {200, 200, 200}, 0.2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attribute[0] << " " << c.place[0]);
        for (int b = 1; b <= 3; ++b) {
            semantic.SetSmallint({b, 1, si::AttAct}, c.attribute[b - 1]);
            map.SetSmallint({b, 2, si::PMStuBrd}, c.place[b - 1]);
        }
        const auto [count, fit] = MapOnAttribute(1, 2);
        EXPECT_EQ(count, 3);
        ExpectFit(fit, {0, c.intercept, 0});
    }
}

TEST_F(CvInterfTest, MissingShortOrNegativeBrandDataAreDataErrors) {
    int firm = 0, firmBrand = 0;
    SetBrandCount(3);
    EXPECT_THROW(interf_.BrandIndex(results_, context_, "ALBA"), EDataError);
    EXPECT_THROW(interf_.BrandLinks(results_, context_, 1, firm, firmBrand), EDataError);
    EXPECT_THROW(AttributeOnPerception(1), EDataError);

    // Arrays for two brands while the count says three.
    AddArray("BrdNames", dkZts, 1, {1}, {2});
    AddSemanticPositions(2);
    AddMapPositions(2);
    EXPECT_THROW(interf_.FindBrand(results_, context_, "ALBA"), EDataError);
    EXPECT_THROW(MapOnAttribute(1, 1), EDataError);
    EXPECT_THROW(MapOnSemantic(1), EDataError);

    SetBrandCount(-1);
    EXPECT_THROW(MapOnAttribute(1, 1), EDataError);
    EXPECT_THROW(interf_.BrandIndex(results_, context_, "ALBA"), EDataError);
}

// Brand arrays must start at brand 1: one for brands 2..3 would put the first
// brand's name, perception and position out of reach.
TEST_F(CvInterfTest, BrandArraysNotStartingAtTheFirstBrandAreDataErrors) {
    SetBrandCount(2);
    AddArray("BrdNames", dkZts, 1, {2}, {3});
    AddArray("PosSemBrds", dkSmallint, 3, {2, 1, si::PosSemBrd->Lo()}, {3, kScales, si::PosSemBrd->Hi()});
    EXPECT_PRED2(test::Contains, test::ErrorText<EDataError>([&] { interf_.BrandIndex(results_, context_, "A"); }),
                 "BrdNames holds fewer than the 2 marketed brands");
    EXPECT_THROW(AttributeOnPerception(1), EDataError);
}

// One marketed brand is one point: a line through it is flat with R2 = 1.
TEST_F(CvInterfTest, AOneBrandMarketFitsItsSinglePoint) {
    SetBrandCount(1);
    TSimArr& semantic = AddSemanticPositions(1);
    TSimArr& map = AddMapPositions(1);
    semantic.SetSmallint({1, 1, si::AttAct}, 4);
    semantic.SetSmallint({1, 1, si::PSStuBrd}, 2500);
    map.SetSmallint({1, 1, si::PMStuBrd}, 700);
    EXPECT_EQ(AttributeOnPerception(1), std::pair(1, kPointFit));
    EXPECT_EQ(MapOnAttribute(1, 1), std::pair(1, kPointFit));
}

}  // namespace
}  // namespace cv
