#pragma once
// Two-sided critical values of Student's t distribution at the 10 %, 5 % and
// 1 % levels for 1..30 degrees of freedom, rounded to three decimals: the
// value |t| must reach for a coefficient to differ from zero at that level.
// They are worked out from the distribution itself, not copied from a book.

#include <array>

namespace cv {

inline constexpr int kStudentTMaxDf = 30;

// The significance levels of the table, in the order of its columns.
enum TSignificance : int { sig10 = 0, sig5 = 1, sig1 = 2 };

// Row Df (1..30) of the table: the 10 %, 5 % and 1 % values. Df outside
// 1..30 raises ERangeError.
const std::array<double, 3>& StudentTCriticalValues(int df);

// The upper tail P(T > t) of Student's t with Df degrees of freedom.
double StudentTUpperTail(double t, int df);

}  // namespace cv
