#pragma once
// Small number and text helpers used by the model, the reports and the windows.
// The model's figures are only reproducible if rounding is exact, so "Round"
// below is always round-half-to-even (the processor's default mode) applied to
// a quotient computed in long double: a value that looks like a tie is one,
// not an artefact of double precision.
//
// Bit numbers of the 16-bit flag words run from 1 (value 1) to 16 (value 32,768).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/base/real48.h"
#include "core/base/random_generator.h"  // RandomBetween belongs to this family too

namespace cv {

// Scale of the room the main window has on the primary screen against the
// 640 x 480 layout the windows are drawn for; the shell sets them at start-up
// (InitNumberRoutines) and again when the window manager's frame leaves the
// window another room (SetScreenScales).
extern double ScreenScaleX;
extern double ScreenScaleY;

// Sets the scales for a room of the given width and height in pixels.
void SetScreenScales(int roomWidth, int roomHeight);
// Sets the scales (SetScreenScales) and re-arms Power's one-time warning.
void InitNumberRoutines(int roomWidth, int roomHeight);

// Nearest integer to Value, halves to the even neighbour: the value (and sign of
// zero) std::nearbyint gives in the default rounding mode, without its costly
// save and restore of the floating-point environment. The model rounds with it
// in its inner loops.
long double RoundHalfEven(long double value);
// Value rounded as RoundHalfEven rounds it, when the result lies within
// Lo..Hi; nothing otherwise (also for a NaN). It rounds with the processor's own
// conversion in the current mode: a truncating conversion of the rounded value
// would switch the x87 rounding mode twice, which costs more than the rounding.
std::optional<long long> RoundHalfEvenWithin(long double value, long long lo, long long hi);

// -1.0 for negative x, otherwise 1.0 (zero included).
double Sign(double x);
// a / b; Default when b = 0.
double SafeDiv(double a, double b, double defaultValue = 0);
// SafeDiv rounded to an integer; ERangeError when that leaves the signed
// 32-bit range.
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

// x to the power y, without raising: x = 0 gives 0, x = 1 gives 1, y = 0 gives
// 1 and y = 1 gives x. A negative x gives 0 and, once per run, the box
// "[Basics] Error in Power : x < 0". Otherwise e^(y ln x), the exponent held to
// -50..50.
double Power(double x, double y);

// Linear map of [Lo1, Hi1] onto [Lo2, Hi2], x first held inside [Lo1, Hi1]; an
// empty source interval (Hi1 = Lo1) maps everything to Lo2.
double Rescale(double x, double lo1, double hi1, double lo2, double hi2);
// Round(x / |Step|) * |Step|. A zero step raises ERangeError.
double RoundToStep(double x, double step);
// As RoundToStep, then one step further in the direction of Step's sign when the
// rounded value fell short of x (Step > 0: the next multiple up; Step < 0: down).
double RoundToStepDir(double x, double step);

// Rows of stored reals ranked by SortRowsDesc; row r, column c is
// table[r - 1][c - 1].
using TScoreTable = std::array<std::array<Real48, 5>, 50>;
inline constexpr int kScoreTableRows = 50;
inline constexpr int kScoreTableColumns = 5;

// Orders rows 1..N by column K, largest first, moving columns 1..M. It is a
// selection sort (the first row with the largest key is swapped into place on
// each pass), so rows with equal keys end up as those swaps leave them. Invalid
// sizes (M outside 1..5, N outside 1..50, K outside 1..M) leave the table alone.
void SortRowsDesc(TScoreTable& table, int n, int m, int k);

// Replaces the first exact (case-sensitive) match of Token in S by Value; an
// empty or absent Token leaves S as it is.
std::string ReplaceFirst(const std::string& s, const std::string& token, const std::string& value);
// ReplaceFirst with a number as the value, formatted as "%.0n" formats it:
// grouped by the locale's thousands separator, X rounded to a whole number.
std::string ReplaceTokenInt(const std::string& s, const std::string& token, std::int32_t n);
std::string ReplaceTokenReal(const std::string& s, const std::string& token, double x);

// S (single-byte Western code page) with a..z in upper case and the five
// accented letters e-acute, e-grave, a-grave, u-grave and e-circumflex turned
// into their capitals; every other byte is unchanged.
std::string UpperCaseAccented(const std::string& s);

}  // namespace cv
