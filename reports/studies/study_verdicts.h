#pragma once
// The verdicts the regression screens print: whether a map regression's
// coefficient differs from zero (Student's t test), and how strongly a
// semantic scale explains a map dimension. Each answers the line of the
// screen's text section that says so.

namespace cv {

// Lines of the map-regression screen.
inline constexpr int kZeroCoefficientLine = 17;
inline constexpr int kSignificant1Line = 18;
inline constexpr int kSignificant5Line = 19;
inline constexpr int kSignificant10Line = 20;
inline constexpr int kNotSignificantLine = 21;

// Coefficient / standard error, 0 when the error is 0.
double TValue(double coefficient, double standardError);
// The verdict on a coefficient with T value T and Df residual degrees of
// freedom (rounded, the table's row capped at 30): the zero-coefficient line
// for a coefficient of 0 whatever Df; otherwise 0 (no verdict) when Df is
// below 1, where no critical value exists.
int CoefficientVerdictLine(double coefficient, double t, double df);

// Lines of the map-influence screen: 4 at an r squared of 0.95 or more, 5 from
// 0.85, 6 from 0.75, else 7, or 6 when the industry links the scale to the
// dimension (a SemToMap weight other than 0).
int InfluenceLine(double r2, double semToMap);

}  // namespace cv
