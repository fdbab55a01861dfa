#include "reports/studies/study_verdicts.h"

#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "reports/studies/student_t.h"

namespace cv {

double TValue(double coefficient, double standardError) {
    return standardError == 0 ? 0 : coefficient / standardError;
}

int CoefficientVerdictLine(double coefficient, double t, double df) {
    if (coefficient == 0) return kZeroCoefficientLine;
    const long double row = RoundHalfEven(df);
    if (row < 1) return 0;
    const auto& critical = StudentTCriticalValues(static_cast<int>(std::min<long double>(row, kStudentTMaxDf)));
    const double size = std::fabs(t);
    if (size >= critical[sig1]) return kSignificant1Line;
    if (size >= critical[sig5]) return kSignificant5Line;
    if (size >= critical[sig10]) return kSignificant10Line;
    return kNotSignificantLine;
}

int InfluenceLine(double r2, double semToMap) {
    if (r2 >= 0.95) return 4;
    if (r2 >= 0.85) return 5;
    if (r2 >= 0.75 || semToMap != 0) return 6;
    return 7;
}

}  // namespace cv
