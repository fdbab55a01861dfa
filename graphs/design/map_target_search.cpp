#include "graphs/design/map_target_search.h"

#include <cmath>

#include "core/base/numbers.h"

namespace cv {

TMapPosition TMapModel::PredictMapPosition(const TCharacteristics& x) const {
    TMapPosition p{};
    for (int d = 0; d < dimensionCount; ++d) {
        double sum = coef[d][characteristicCount];
        for (int j = 0; j < characteristicCount; ++j) sum += x[j] * coef[d][j];
        p[d] = sum;
    }
    return p;
}

double TMapModel::MapDistance(const TMapPosition& p, const TMapPosition& target) const {
    double distance = 0;
    for (int d = 0; d < dimensionCount; ++d) distance += std::fabs(p[d] - target[d]);
    return distance;
}

int PointsPerCharacteristic(int budget, int freeCount) {
    if (freeCount <= 1) return budget;
    return static_cast<int>(std::exp(std::log(static_cast<double>(budget)) / freeCount));
}

TSearchWheel TSearchWheel::Free(long lo, long hi, int points) {
    const double spacing = points > 1 ? static_cast<double>(hi - lo) / (points - 1) : static_cast<double>(hi - lo);
    const long step = static_cast<long>(RoundHalfEven(spacing < 1 ? 1.0 : spacing));
    return {lo, hi, step};
}

long TSearchWheel::PositionCount() const {
    if (hi <= lo) return 1;
    return (hi - lo + step - 1) / step + 1;  // the steps below hi, then hi itself
}

TMapTargetSearch::TMapTargetSearch(const TMapModel& model, const std::array<TSearchWheel, MaxMapCharacteristics>& wheels)
    : model_(model), wheels_(wheels) {}

std::int64_t TMapTargetSearch::PointCount() const {
    std::int64_t count = 1;
    for (int j = 0; j < model_.characteristicCount; ++j) count *= wheels_[j].PositionCount();
    return count;
}

bool TMapTargetSearch::Advance(TCharacteristics& x, int j) const {
    for (; j < model_.characteristicCount; ++j) {
        const TSearchWheel& wheel = wheels_[j];
        // The upper bound is always visited; a wheel already there overflows.
        x[j] = (x[j] < wheel.hi && x[j] + wheel.step > wheel.hi) ? wheel.hi : x[j] + wheel.step;
        if (x[j] <= wheel.hi) return true;
        x[j] = wheel.lo;
    }
    return false;
}

TMapSearchResult TMapTargetSearch::Run(const TMapPosition& target, const TProgress& progress) const {
    TCharacteristics x{};
    for (int j = 0; j < model_.characteristicCount; ++j) x[j] = wheels_[j].lo;
    TMapSearchResult result;
    result.best = x;
    result.position = model_.PredictMapPosition(x);
    result.distance = model_.MapDistance(result.position, target);

    std::int64_t evaluated = 1;
    while (Advance(x, 0)) {
        const TMapPosition p = model_.PredictMapPosition(x);
        const double distance = model_.MapDistance(p, target);
        if (distance < result.distance) {
            result = {x, p, distance, false};
        }
        if (++evaluated % ProgressInterval == 0 && progress && !progress(evaluated)) {
            result.cancelled = true;
            return result;
        }
    }
    if (progress) progress(evaluated);
    return result;
}

}  // namespace cv
