#pragma once
// The arithmetic of the perception tools: the perceived value that a physical
// characteristic gives on a semantic scale, a predicted perceptual-map
// position, and the characteristic that reaches a target perceived value.
// Each answer is "nothing" where the tool shows "N/A".
//
// Display-free: the dialogs read the fields and the regressions and show
// these answers.

#include <optional>
#include <span>

namespace cv {

// Fewer marketed brands than this give no semantic line.
inline constexpr int MinBrandsForSemanticLine = 3;
// Perceived values lie on the scale 1..7, map positions within -20..20.
inline constexpr double SemanticScaleMin = 1;
inline constexpr double SemanticScaleMax = 7;
inline constexpr double MapAxisMin = -20;
inline constexpr double MapAxisMax = 20;

// Characteristic = slope x perceived value + intercept, fitted over brandsUsed brands.
struct TSemanticLine {
    double slope = 0;
    double intercept = 0;
    int brandsUsed = 0;
};

// The perceived value the line gives for a characteristic, when it lies on the
// scale; nothing for an empty characteristic or a line over too few brands.
std::optional<double> PerceivedValue(std::optional<double> characteristic, const TSemanticLine& line);

// The same without the brand-count condition (a flat line at 0 gives nothing).
std::optional<double> PerceivedValueOnLine(double characteristic, const TSemanticLine& line);

// Position on one map dimension: coef[n] + the sum of x[j] x coef[j] over the
// n characteristics. Nothing when the regression has no residual degree of
// freedom, when any characteristic is empty (a missing value would silently
// count as 0), or when the position falls off the map.
std::optional<double> MapPosition(std::span<const std::optional<double>> characteristics, std::span<const double> coef,
                                  bool usable);

// The characteristic that reaches a target perceived value, rounded (halves to
// even); nothing outside minChar..maxChar.
std::optional<long> CharacteristicForTarget(double target, const TSemanticLine& line, long minChar, long maxChar);

}  // namespace cv
