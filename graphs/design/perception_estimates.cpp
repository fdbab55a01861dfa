#include "graphs/design/perception_estimates.h"

#include "core/base/numbers.h"

namespace cv {

std::optional<double> PerceivedValueOnLine(double characteristic, const TSemanticLine& line) {
    const double perceived = SafeDiv(characteristic - line.intercept, line.slope, 0);
    if (perceived < SemanticScaleMin || perceived > SemanticScaleMax) return std::nullopt;
    return perceived;
}

std::optional<double> PerceivedValue(std::optional<double> characteristic, const TSemanticLine& line) {
    if (!characteristic || line.brandsUsed < MinBrandsForSemanticLine) return std::nullopt;
    return PerceivedValueOnLine(*characteristic, line);
}

std::optional<double> MapPosition(std::span<const std::optional<double>> characteristics, std::span<const double> coef,
                                  bool usable) {
    if (!usable || coef.size() <= characteristics.size()) return std::nullopt;
    double position = coef[characteristics.size()];
    for (std::size_t j = 0; j < characteristics.size(); ++j) {
        if (!characteristics[j]) return std::nullopt;
        position += *characteristics[j] * coef[j];
    }
    if (position < MapAxisMin || position > MapAxisMax) return std::nullopt;
    return position;
}

std::optional<long> CharacteristicForTarget(double target, const TSemanticLine& line, long minChar, long maxChar) {
    const long value = static_cast<long>(RoundHalfEven(static_cast<long double>(target) * line.slope + line.intercept));
    if (value < minChar || value > maxChar) return std::nullopt;
    return value;
}

}  // namespace cv
