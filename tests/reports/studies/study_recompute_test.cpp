// Key figures of study screens recomputed from the sample industry's arrays
// by another route than the screens take: unit sales summed brand by brand
// against the panel's totals, the semantic estimation's lines against the
// covariance formula, the ideal-point trend against the normal equations of a
// straight line, and the map regression against a direct solve of its normal
// equations.
#include <gtest/gtest.h>

#include <cmath>

#include "core/base/text_format.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv {
namespace {

class StudyRecomputeTest : public test::StudyTest {
protected:
    StudyRecomputeTest() { Session->SetAdminView(true); }
    double Number(const TStudies& screen, int row, int column) {
        return screen.Table()->CellNumber(screen.Table()->OriginRow() + row - 1, column);
    }
    std::string Shown(const TStudies& screen, int row, int column) {
        return test::CellText(*screen.Table(), screen.Table()->OriginRow() + row - 1, column);
    }
    const TSimArr& Array(const TDataContext& context, const char* name) {
        const TSimArr* array = Results(context).FindSimArr(kCategoryFtaMarket, context, name);
        EXPECT_NE(array, nullptr) << name;
        return *array;
    }
    int Brands(const TDataContext& context) {
        return Results(context).GetSmallintDef(kCategoryFtaMarket, context, "NbMktedBrds", 0);
    }
    // The market of the context's zone with the most marketed brands.
    TDataContext Busiest() {
        TDataContext best = Context();
        for (int market = 1; market <= Session->Industry()->NbMarkets(); ++market) {
            TDataContext context = Context();
            context.SelMarket = static_cast<std::int16_t>(market);
            if (Brands(context) > Brands(best)) best = context;
        }
        return best;
    }
};

TEST_F(StudyRecomputeTest, ThePanelsUnitSalesAreEveryBrandsSalesOfTheSegment) {
    const TDataContext context = Busiest();
    const TSimArr& sales = Array(context, "BrdUSales");
    const TSeries& segments = *Session->Industry()->SegSeries(context.SelFta, context.SelMarket);
    const auto shown = MarketScreen(4, context);
    const int width = segments.Count() < 4 ? 2 : 1;
    // Footer rows follow the title row and the body.
    const int volumeRow = 1 + shown->Table()->Sheet().Geometry().bodyRows + 2;
    double total = 0, shares = 0;
    for (int s = 1; s <= segments.Count(); ++s) {
        double units = 0;
        for (int b = sales.LB(1); b <= sales.UB(1); ++b)
            for (int c = sales.LB(3); c <= sales.UB(3); ++c)
                units += static_cast<double>(sales.GetReal48({b, segments.Lo() + s - 1, c}));
        EXPECT_NEAR(Number(*shown, volumeRow, 2 + s * width), units, 1e-6 * (1 + units)) << s;
        // Unit sales read in whole units, whatever the sum's last binary digits.
        EXPECT_EQ(Shown(*shown, volumeRow, 2 + s * width), FormatThousands(units, 0)) << s;
        total += units;
        shares += Number(*shown, volumeRow + 1, 2 + s * width);
    }
    const int tail = 2 + segments.Count() * width + 1;
    EXPECT_NEAR(Number(*shown, volumeRow, tail), total, 1e-6 * (1 + total));
    EXPECT_EQ(Shown(*shown, volumeRow, tail), FormatThousands(total, 0));
    ASSERT_GT(total, 0);
    EXPECT_NEAR(shares, 1.0, 1e-9);
    EXPECT_NEAR(Number(*shown, volumeRow + 1, tail), 1.0, 1e-9);
}

TEST_F(StudyRecomputeTest, TheSemanticEstimationIsTheLineOfLeastSquares) {
    const TDataContext context = Busiest();
    const int n = Brands(context);
    ASSERT_GE(n, 3);
    const TSimArr& positions = Array(context, "PosSemBrds");
    const TSeries& scales = *Session->Industry()->SemSeries(context.SelMarket);
    const auto shown = MarketScreen(8, context);
    for (int j = 1; j <= scales.Count(); ++j) {
        // slope = cov(x, y) / var(x), intercept = mean y - slope mean x.
        double mx = 0, my = 0;
        for (int b = 1; b <= n; ++b) {
            mx += positions.GetSmallint({b, j, si::PSStuBrd}) / 1000.0 / n;
            my += static_cast<double>(positions.GetSmallint({b, j, si::AttAct})) / n;
        }
        double sxy = 0, sxx = 0;
        for (int b = 1; b <= n; ++b) {
            const double dx = positions.GetSmallint({b, j, si::PSStuBrd}) / 1000.0 - mx;
            sxy += dx * (positions.GetSmallint({b, j, si::AttAct}) - my);
            sxx += dx * dx;
        }
        ASSERT_GT(sxx, 0) << j;
        const double slope = sxy / sxx;
        EXPECT_NEAR(Number(*shown, 3, 3 + j), slope, 1e-6 * (1 + std::fabs(slope))) << j;
        EXPECT_NEAR(Number(*shown, 4, 3 + j), my - slope * mx, 1e-6 * (1 + std::fabs(my))) << j;
    }
}

TEST_F(StudyRecomputeTest, TheIdealPointTrendSolvesTheNormalEquations) {
    TDataContext context = Busiest();
    const int current = context.CurPeriod;
    context.SelSegment = 1;
    // The trend runs over every period when each had brands.
    for (int p = 0; p <= current; ++p) {
        TDataContext then = context;
        then.CurPeriod = static_cast<std::int16_t>(p);
        ASSERT_GT(Brands(then), 0) << "period " << p;
    }
    ASSERT_GE(current, 2);
    const auto shown = MarketScreen(21, context);
    const TSeries& scales = *Session->Industry()->SemSeries(context.SelMarket);
    const int width = scales.Count() < 4 ? 2 : 1;
    // The title row and the period rows: empty ones beyond the ten shown went when it was shown.
    const int footer = 1 + shown->Table()->Sheet().Geometry().bodyRows;
    for (int j = 1; j <= scales.Count(); ++j) {
        // [n, S p; S p, S p2] (a, b) = (S y, S p y), solved by Cramer's rule.
        double n = 0, sp = 0, spp = 0, sy = 0, spy = 0;
        for (int p = 0; p <= current; ++p) {
            TDataContext then = context;
            then.CurPeriod = static_cast<std::int16_t>(p);
            const double y = Array(then, "PosSemIPs").GetSmallint({1, j, si::PSStuIP}) / 1000.0;
            n += 1;
            sp += p;
            spp += p * p;
            sy += y;
            spy += p * y;
        }
        const double det = n * spp - sp * sp;
        const double slope = (n * spy - sp * sy) / det, intercept = (spp * sy - sp * spy) / det;
        const int column = 4 + j * width;
        EXPECT_NEAR(Number(*shown, footer + 2, column), slope, 1e-9) << j;
        EXPECT_NEAR(Number(*shown, footer + 3, column), intercept, 1e-9) << j;
        EXPECT_NEAR(Number(*shown, footer + 6, column), slope * (current + 1) + intercept, 1e-9) << j;
    }
}

// Solves A x = b by Gaussian elimination with partial pivoting.
std::vector<double> Solve(std::vector<std::vector<double>> a, std::vector<double> b) {
    const std::size_t k = b.size();
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < k; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (std::size_t r = c + 1; r < k; ++r) {
            const double factor = a[r][c] / a[c][c];
            for (std::size_t m = c; m < k; ++m) a[r][m] -= factor * a[c][m];
            b[r] -= factor * b[c];
        }
    }
    std::vector<double> x(k);
    for (std::size_t i = k; i-- > 0;) {
        double s = b[i];
        for (std::size_t m = i + 1; m < k; ++m) s -= a[i][m] * x[m];
        x[i] = s / a[i][i];
    }
    return x;
}

TEST_F(StudyRecomputeTest, TheMapRegressionSolvesItsNormalEquations) {
    TDataContext context = Busiest();
    context.VertAxis = 1;
    const int n = Brands(context);
    const TSeries& scales = *Session->Industry()->SemSeries(context.SelMarket);
    const int k = scales.Count() + 1;
    ASSERT_GT(n, k) << "the sample's busiest market needs more brands than coefficients";
    const TSimArr& semantic = Array(context, "PosSemBrds");
    const TSimArr& map = Array(context, "PosMapBrds");
    // X'X and X'y with the constant last.
    std::vector<std::vector<double>> xtx(static_cast<std::size_t>(k), std::vector<double>(static_cast<std::size_t>(k)));
    std::vector<double> xty(static_cast<std::size_t>(k));
    for (int b = 1; b <= n; ++b) {
        std::vector<double> x;
        for (int s = 1; s < k; ++s) x.push_back(semantic.GetSmallint({b, s, si::AttAct}));
        x.push_back(1);
        const double y = map.GetSmallint({b, 1, si::PMStuBrd}) / 1000.0;
        for (int i = 0; i < k; ++i) {
            xty[static_cast<std::size_t>(i)] += x[static_cast<std::size_t>(i)] * y;
            for (int j = 0; j < k; ++j)
                xtx[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] += x[static_cast<std::size_t>(i)] * x[static_cast<std::size_t>(j)];
        }
    }
    const std::vector<double> coefficients = Solve(xtx, xty);
    const auto shown = MarketScreen(13, context);
    for (int i = 1; i <= k; ++i) {
        const double expected = coefficients[static_cast<std::size_t>(i - 1)];
        // The screen's fit keeps its sums as 6-byte reals (about eleven digits),
        // and the brands' attributes (hundreds to thousands) make X'X ill
        // conditioned: agreement to five digits.
        EXPECT_NEAR(Number(*shown, 4, 3 + i), expected, 1e-5 * (1 + std::fabs(expected))) << i;
    }
    EXPECT_NEAR(Number(*shown, 13, 5), n - k, 0);
}

}  // namespace
}  // namespace cv
