#include "core/base/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"

namespace cv {

double ScreenScaleX = 1.0;
double ScreenScaleY = 1.0;

namespace {

constexpr double kLayoutWidth = 640.0;
constexpr double kLayoutHeight = 480.0;
constexpr long double kPowerExponentLimit = 50.0L;
constexpr int kFirstBit = 1;
constexpr int kLastBit = 16;

bool powerMessageShown = false;

// 2^63: from here on every extended-precision value is a whole number, and
// adding it to a smaller non-negative value leaves no fraction bits.
constexpr long double kNoFractionBits = 9223372036854775808.0L;

// Nearest integer, halves to the even neighbour; out of the 32-bit range (or not
// a number) raises ERangeError.
std::int32_t RoundToInt32(long double value) {
    const auto rounded = RoundHalfEvenWithin(value, std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max());
    if (!rounded) throw ERangeError();
    return static_cast<std::int32_t>(*rounded);
}

std::uint16_t BitValue(int bitNo) {
    if (bitNo < kFirstBit || bitNo > kLastBit) throw ERangeError();
    return static_cast<std::uint16_t>(1u << (bitNo - 1));
}

char UpperAccented(unsigned char c) {
    switch (c) {
        case 0xE9: return '\xC9';  // e-acute
        case 0xE8: return '\xC8';  // e-grave
        case 0xE0: return '\xC0';  // a-grave
        case 0xF9: return '\xD9';  // u-grave
        case 0xEA: return '\xCA';  // e-circumflex
        default: return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
    }
}

}  // namespace

long double RoundHalfEven(long double value) {
    const long double magnitude = std::fabs(value);
    if (!(magnitude < kNoFractionBits)) return value;  // whole already, infinite or not a number
    // The sum's last mantissa bit weighs 1, so the addition rounds off the
    // fraction in the current (nearest, ties to even) mode; the subtraction is exact.
    const long double shifted = magnitude + kNoFractionBits;
    return std::copysign(shifted - kNoFractionBits, value);
}

// A NaN or a value beyond the long long range converts to the smallest long
// long, which lies below every range asked for.
std::optional<long long> RoundHalfEvenWithin(long double value, long long lo, long long hi) {
    const long long rounded = std::llrint(value);
    if (rounded < lo || rounded > hi || rounded == std::numeric_limits<long long>::min()) return std::nullopt;
    return rounded;
}

void SetScreenScales(int roomWidth, int roomHeight) {
    ScreenScaleX = roomWidth / kLayoutWidth;
    ScreenScaleY = roomHeight / kLayoutHeight;
}

void InitNumberRoutines(int roomWidth, int roomHeight) {
    powerMessageShown = false;
    SetScreenScales(roomWidth, roomHeight);
}

double Sign(double x) { return x >= 0 ? 1.0 : -1.0; }

double SafeDiv(double a, double b, double defaultValue) { return b == 0 ? defaultValue : a / b; }

std::int32_t SafeDivRound(double a, double b, double defaultValue) {
    if (b == 0) return RoundToInt32(defaultValue);
    return RoundToInt32(static_cast<long double>(a) / b);
}

double MinReal(double a, double b) { return a < b ? a : b; }
double MaxReal(double a, double b) { return a > b ? a : b; }
std::int32_t MaxInteger(std::int32_t a, std::int32_t b) { return std::max(a, b); }
std::int32_t MinInteger(std::int32_t a, std::int32_t b) { return std::min(a, b); }

std::uint16_t PowerOfTwo(std::uint8_t n) {
    if (n >= kLastBit) throw ERangeError();
    return static_cast<std::uint16_t>(1u << n);
}

bool IsBitSet(int bitNo, std::int32_t value) { return (value & BitValue(bitNo)) != 0; }

std::uint16_t SetWordBit(std::uint16_t word, int bitNo) { return static_cast<std::uint16_t>(word | BitValue(bitNo)); }

bool TestWordBit(std::uint16_t word, int bitNo) { return (word & BitValue(bitNo)) != 0; }

double Power(double x, double y) {
    if (x == 0) return 0;
    if (x == 1) return 1;
    if (x < 0) {
        if (!powerMessageShown) {
            powerMessageShown = true;
            Ui().ShowPlainBox("[Basics] Error in Power : x < 0");
        }
        return 0;
    }
    if (y == 0) return 1;
    if (y == 1) return x;
    const long double exponent = std::clamp(y * std::log(static_cast<long double>(x)), -kPowerExponentLimit,
                                            kPowerExponentLimit);
    return static_cast<double>(std::exp(exponent));
}

double Rescale(double x, double lo1, double hi1, double lo2, double hi2) {
    return lo2 + (hi2 - lo2) * SafeDiv(MinReal(MaxReal(x, lo1), hi1) - lo1, hi1 - lo1, 0);
}

double RoundToStep(double x, double step) {
    const long double size = std::fabs(static_cast<long double>(step));
    if (size == 0) throw ERangeError();
    return static_cast<double>(RoundHalfEven(x / size) * size);
}

double RoundToStepDir(double x, double step) {
    const double rounded = RoundToStep(x, step);
    const double size = std::fabs(step);
    if (step > 0 && rounded < x) return rounded + size;
    if (step < 0 && rounded > x) return rounded - size;
    return rounded;
}

void SortRowsDesc(TScoreTable& table, int n, int m, int k) {
    if (m < 1 || m > kScoreTableColumns || n < 1 || n > kScoreTableRows || k < 1 || k > m) return;
    const int key = k - 1;
    for (int i = 0; i < n - 1; ++i) {
        int largest = i;
        long double largestKey = FromReal48(table[i][key]);
        for (int j = i + 1; j < n; ++j) {
            const long double candidate = FromReal48(table[j][key]);
            if (candidate > largestKey) {
                largest = j;
                largestKey = candidate;
            }
        }
        if (largest != i) std::swap_ranges(table[i].begin(), table[i].begin() + m, table[largest].begin());
    }
}

std::string ReplaceFirst(const std::string& s, const std::string& token, const std::string& value) {
    const size_t at = token.empty() ? std::string::npos : s.find(token);
    if (at == std::string::npos) return s;
    std::string result = s;
    result.replace(at, token.size(), value);
    return result;
}

std::string ReplaceTokenInt(const std::string& s, const std::string& token, std::int32_t n) {
    return ReplaceFirst(s, token, FormatThousands(n, 0));
}

std::string ReplaceTokenReal(const std::string& s, const std::string& token, double x) {
    return ReplaceFirst(s, token, FormatThousands(x, 0));
}

std::string UpperCaseAccented(const std::string& s) {
    std::string result(s.size(), '\0');
    std::transform(s.begin(), s.end(), result.begin(),
                   [](char c) { return UpperAccented(static_cast<unsigned char>(c)); });
    return result;
}

}  // namespace cv
