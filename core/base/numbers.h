#pragma once
// Free-standing number and text routines shared by the model, the reports and
// the windows. Several model results depend on their exact rounding and tie
// rules: "Round" here always means nearest integer with halves to the even
// neighbour (the default rounding mode), applied to a quotient formed in
// extended precision, so that a tie is a true tie and not a double's rounding.
//
// Bit numbers of the 16-bit flag words run from 1 (value 1) to 16 (value 32,768).

#include <array>
#include <cstdint>
#include <string>

#include "core/base/real48.h"
#include "core/base/random_generator.h"  // RandomBetween belongs to this family too

namespace cv {

// Scale of the primary screen against the 640 x 480 layout the windows are
// drawn for; the shell sets them once at start-up (InitNumberRoutines).
extern double ScreenScaleX;
extern double ScreenScaleY;

// Start-up of this library: the scales from the screen's size in pixels, and the
// once-per-run message of Power armed again.
void InitNumberRoutines(int screenWidth, int screenHeight);

// 1.0 for x >= 0 (zero counts as positive), else -1.0.
double Sign(double x);
// a / b; Default when b = 0.
double SafeDiv(double a, double b, double defaultValue = 0);
// Round(a / b), or Round(Default) when b = 0. A result outside the signed 32-bit
// range raises ERangeError.
std::int32_t SafeDivRound(double a, double b, double defaultValue = 0);

// a when a < b (a > b), else b: of two equal values the second is returned.
double MinReal(double a, double b);
double MaxReal(double a, double b);
std::int32_t MaxInteger(std::int32_t a, std::int32_t b);
std::int32_t MinInteger(std::int32_t a, std::int32_t b);

// 2^n for n = 0..15; 16 or more raises ERangeError.
std::uint16_t PowerOfTwo(std::uint8_t n);
// Bit BitNo of Value; BitNo outside 1..16 raises ERangeError.
bool IsBitSet(int bitNo, std::int32_t value);
// W with bit BitNo set / whether bit BitNo of W is set; BitNo outside 1..16
// raises ERangeError. Restriction words are built and tested with these.
std::uint16_t SetWordBit(std::uint16_t word, int bitNo);
bool TestWordBit(std::uint16_t word, int bitNo);

// x^y guarded: 0 for x = 0; 1 for x = 1; 0 for x < 0, with the box
// "[Basics] Error in Power : x < 0" the first time in the run; 1 for y = 0; x for
// y = 1; otherwise e^(y ln x) with the exponent clamped to [-50, 50].
double Power(double x, double y);

// x clamped into [Lo1, Hi1] and mapped linearly onto [Lo2, Hi2]; Lo2 when Hi1 = Lo1.
double Rescale(double x, double lo1, double hi1, double lo2, double hi2);
// Round(x / |Step|) * |Step|. A zero step raises ERangeError.
double RoundToStep(double x, double step);
// As RoundToStep, then one step further in the direction of Step's sign when the
// rounded value fell short of x (Step > 0: the next multiple up; Step < 0: down).
double RoundToStepDir(double x, double step);

// True when the first Count bytes of the two blocks are equal (true for 0).
bool BytesEqual(const void* a, const void* b, std::uint16_t count);

// A score table of 50 rows by 5 columns of stored reals; row r, column c is
// table[r - 1][c - 1].
using TScoreTable = std::array<std::array<Real48, 5>, 50>;
inline constexpr int kScoreTableRows = 50;
inline constexpr int kScoreTableColumns = 5;

// Selection sort of rows 1..N, descending by column K, over columns 1..M: each
// pass takes the first row holding the largest key and swaps it into place, so
// the order among equal keys is the one these swaps leave (not stable). Nothing
// happens unless 1 <= M <= 5, 1 <= N <= 50 and 1 <= K <= M.
void SortRowsDesc(TScoreTable& table, int n, int m, int k);

// S with the first occurrence of Token (case-sensitive) replaced by Value; S
// unchanged when Token does not occur or is empty.
std::string ReplaceFirst(const std::string& s, const std::string& token, const std::string& value);
// ReplaceFirst with N / X written with the locale's thousands separators and no
// decimals (the format "%.0n"; X is rounded to a whole number).
std::string ReplaceTokenInt(const std::string& s, const std::string& token, std::int32_t n);
std::string ReplaceTokenReal(const std::string& s, const std::string& token, double x);

// S (single-byte Western code page) with a..z in upper case and the five
// accented letters e-acute, e-grave, a-grave, u-grave and e-circumflex turned
// into their capitals; every other byte is unchanged.
std::string UpperCaseAccented(const std::string& s);

}  // namespace cv
