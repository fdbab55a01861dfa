#include "reports/studies/student_t.h"

#include <cmath>
#include <string>

#include "core/base/errors.h"

namespace cv {
namespace {

// The continued fraction of the regularised incomplete beta function I_x(a, b)
// (modified Lentz), convergent for x < (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
    constexpr double kTiny = 1e-300, kEpsilon = 1e-15;
    double c = 1, d = 1 - (a + b) * x / (a + 1);
    if (std::fabs(d) < kTiny) d = kTiny;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= 300; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a - 1 + m2) * (a + m2));
        d = 1 + aa * d;
        c = 1 + aa / c;
        if (std::fabs(d) < kTiny) d = kTiny;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1 / d;
        h *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1 + m2));
        d = 1 + aa * d;
        c = 1 + aa / c;
        if (std::fabs(d) < kTiny) d = kTiny;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < kEpsilon) break;
    }
    return h;
}

double RegularisedBeta(double a, double b, double x) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2)) return front * BetaFraction(a, b, x) / a;
    return 1 - front * BetaFraction(b, a, 1 - x) / b;
}

// The t whose upper tail is Tail, by bisection: the tail falls as t grows.
double UpperQuantile(double tail, int df) {
    double low = 0, high = 1000;
    for (int i = 0; i < 200; ++i) {
        const double middle = (low + high) / 2;
        (StudentTUpperTail(middle, df) > tail ? low : high) = middle;
    }
    return (low + high) / 2;
}

std::array<std::array<double, 3>, kStudentTMaxDf> BuildTable() {
    static constexpr double kTwoSidedLevels[] = {0.10, 0.05, 0.01};
    std::array<std::array<double, 3>, kStudentTMaxDf> table{};
    for (int df = 1; df <= kStudentTMaxDf; ++df)
        for (int level = 0; level < 3; ++level)
            table[static_cast<std::size_t>(df - 1)][static_cast<std::size_t>(level)] =
                std::round(UpperQuantile(kTwoSidedLevels[level] / 2, df) * 1000) / 1000;
    return table;
}

}  // namespace

double StudentTUpperTail(double t, int df) {
    const double tail = 0.5 * RegularisedBeta(df / 2.0, 0.5, df / (df + t * t));
    return t >= 0 ? tail : 1 - tail;
}

const std::array<double, 3>& StudentTCriticalValues(int df) {
    static const std::array<std::array<double, 3>, kStudentTMaxDf> table = BuildTable();
    if (df < 1 || df > kStudentTMaxDf)
        throw ERangeError("[StudentTCriticalValues] Bad degrees of freedom : " + std::to_string(df));
    return table[static_cast<std::size_t>(df - 1)];
}

}  // namespace cv
