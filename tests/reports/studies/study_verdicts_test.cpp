// The figures behind the regression screens' verdicts: Student's t critical
// values against the published table, the verdict on a coefficient, the
// influence of a scale on a map dimension, and which periods a history
// screen's trend is fitted to.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "reports/studies/student_t.h"
#include "reports/studies/study_verdicts.h"
#include "reports/studies/trend_slots.h"

namespace cv {
namespace {

TEST(StudentTTable, MatchesThePublishedTwoSidedCriticalValues) {
    // Two-sided 10 %, 5 % and 1 % points as printed in the usual statistical tables.
    const struct {
        int df;
        double p10, p5, p1;
    } published[] = {{1, 6.314, 12.706, 63.657}, {2, 2.920, 4.303, 9.925},  {3, 2.353, 3.182, 5.841},
                     {4, 2.132, 2.776, 4.604},   {5, 2.015, 2.571, 4.032},  {8, 1.860, 2.306, 3.355},
                     {10, 1.812, 2.228, 3.169},  {15, 1.753, 2.131, 2.947}, {20, 1.725, 2.086, 2.845},
                     {25, 1.708, 2.060, 2.787},  {30, 1.697, 2.042, 2.750}};
    for (const auto& row : published) {
        const auto& values = StudentTCriticalValues(row.df);
        EXPECT_DOUBLE_EQ(values[sig10], row.p10) << row.df;
        EXPECT_DOUBLE_EQ(values[sig5], row.p5) << row.df;
        EXPECT_DOUBLE_EQ(values[sig1], row.p1) << row.df;
    }
    // The table falls with the degrees of freedom at every level.
    for (int df = 2; df <= kStudentTMaxDf; ++df)
        for (int level : {sig10, sig5, sig1})
            EXPECT_LT(StudentTCriticalValues(df)[level], StudentTCriticalValues(df - 1)[level]) << df;
    EXPECT_THROW(StudentTCriticalValues(0), ERangeError);
    EXPECT_THROW(StudentTCriticalValues(31), ERangeError);
}

TEST(StudentTTable, TheTailOfOneDegreeOfFreedomIsTheCauchyTail) {
    // With one degree of freedom t is Cauchy: P(T > t) = 1/2 - atan(t) / pi.
    EXPECT_NEAR(StudentTUpperTail(0, 1), 0.5, 1e-12);
    EXPECT_NEAR(StudentTUpperTail(1, 1), 0.25, 1e-12);
    EXPECT_NEAR(StudentTUpperTail(-1, 1), 0.75, 1e-12);
}

TEST(CoefficientVerdict, ComparesTheTValueWithTheTableRowOfTheDegreesOfFreedom) {
    const struct {
        double coefficient, t, df;
        int line;
    } cases[] = {
        {1.0, 63.7, 1, kSignificant1Line},    // row 1: 63.657 at 1 %
        {1.0, -12.8, 1, kSignificant5Line},   // |t| counts: 12.706 at 5 %
        {1.0, 6.4, 1, kSignificant10Line},    // 6.314 at 10 %
        {1.0, 6.3, 1, kNotSignificantLine},
        {1.0, 4.604, 4, kSignificant1Line},   // reaching the value is enough
        {1.0, 2.76, 45, kSignificant1Line},   // beyond 30 the row of 30: 2.750 at 1 %
        {1.0, 2.05, 30.4, kSignificant5Line},  // 30.4 rounds to 30: 2.042 at 5 %
        {0.0, 0.0, 4, kZeroCoefficientLine},
        {1.0, 99.0, 0.4, 0},  // rounds to 0: no row, no verdict
        {1.0, 99.0, 0, 0},
        {1.0, 99.0, -3, 0},   // fewer brands than scales + 1: no verdict, not an index outside the table
        {0.0, 0.0, -1, kZeroCoefficientLine},  // a zero coefficient needs no table row
        {0.0, 0.0, 0.4, kZeroCoefficientLine},
    };
    for (const auto& c : cases) EXPECT_EQ(CoefficientVerdictLine(c.coefficient, c.t, c.df), c.line) << c.t << " " << c.df;
    EXPECT_EQ(TValue(3, 0.25), 12);
    EXPECT_EQ(TValue(3, 0), 0);
}

TEST(InfluenceVerdict, FollowsTheThresholdsOfRSquared) {
    const struct {
        double r2, semToMap;
        int line;
    } cases[] = {{0.95, 0, 4}, {0.99, 0, 4}, {0.949, 0, 5}, {0.90, 0, 5}, {0.85, 0, 5}, {0.80, 0, 6},
                 {0.75, 0, 6}, {0.70, 0, 7}, {0.70, 0.3, 6}, {0.10, -1, 6}, {0.90, 0.3, 5}, {0.96, 1, 4}};
    for (const auto& c : cases) EXPECT_EQ(InfluenceLine(c.r2, c.semToMap), c.line) << c.r2 << " " << c.semToMap;
}

std::vector<double> Periods(const std::vector<TTrendPoint>& points) {
    std::vector<double> periods;
    for (const TTrendPoint& point : points) periods.push_back(point.period);
    return periods;
}

TEST(TrendSlots, CountPeriodsWithBrandsAndKeepSlotOneForThoseWithout) {
    const std::vector<double> values = {10, 11, 12, 13, 14};
    const struct {
        std::vector<bool> hadBrands;
        std::vector<double> periods;  // the periods in slot order
    } cases[] = {
        // Brands in periods 0 and 1 at period 1: two observations, too few for a trend.
        {{true, true}, {0, 1}},
        // Brands in periods 1 and 2 only, at period 2: period 0 stays in slot 1,
        // period 1 moves the count from 1 to 2 and period 2 takes slot 3.
        {{false, true, true}, {0, 1, 2}},
        {{true, true, true, true}, {0, 1, 2, 3}},
        {{false, false}, {}},
        // A period without brands overwrites slot 1 (here period 0's) and leaves
        // slot 2, which the count skipped over, at (0, 0).
        {{true, false, true}, {1, 0, 2}},
        // Two periods without brands before the first with: the last of them in slot 1.
        {{false, false, true, true}, {1, 2, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(Periods(TrendObservations(c.hadBrands, values)), c.periods);
    const std::vector<TTrendPoint> skipped = TrendObservations({true, false, true}, values);
    EXPECT_EQ(skipped[0].value, 11);
    EXPECT_EQ(skipped[1].value, 0);
    EXPECT_EQ(skipped[2].value, 12);
}

TEST(TrendSlots, KeepThirteenPeriodsAtMost) {
    EXPECT_EQ(TrendObservations(std::vector<bool>(20, true), std::vector<double>(20, 1.0)).size(), 13u);
}

}  // namespace
}  // namespace cv
