#pragma once
// The search behind the map-target design tool: which physical
// characteristics bring a brand's predicted perceptual-map position nearest a
// target. The map model is one linear equation per map dimension over the
// characteristics; the search walks a grid of the free characteristics like
// an odometer (characteristic 1 turns fastest), each wheel from its lower
// bound by its step and always through its upper bound.
//
// Display-free: the dialog reads the fields, runs the search on its thread and
// shows the progress the search reports.

#include <array>
#include <cstdint>
#include <functional>

namespace cv {

inline constexpr int MaxMapCharacteristics = 6;
inline constexpr int MaxMapDimensions = 3;

using TCharacteristics = std::array<double, MaxMapCharacteristics>;
using TMapPosition = std::array<double, MaxMapDimensions>;

// Position on dimension d = coef[d][n] + sum over j < n of x[j] * coef[d][j]
// (n characteristics, the intercept after them).
struct TMapModel {
    int characteristicCount = 0;
    int dimensionCount = 0;
    std::array<std::array<double, MaxMapCharacteristics + 1>, MaxMapDimensions> coef{};

    TMapPosition PredictMapPosition(const TCharacteristics& x) const;
    // City-block distance over the model's dimensions.
    double MapDistance(const TMapPosition& p, const TMapPosition& target) const;
};

// Grid points per free characteristic for a budget of evaluated points:
// the integer part of budget^(1 / freeCount), the budget itself for one.
int PointsPerCharacteristic(int budget, int freeCount);

// One wheel of the odometer; a fixed characteristic has lo == hi.
struct TSearchWheel {
    long lo = 0;
    long hi = 0;
    long step = 1;

    // A free wheel over lo..hi with the given points: the step is
    // (hi - lo) / (points - 1) rounded, halves to even, and at least 1.
    static TSearchWheel Free(long lo, long hi, int points);
    static TSearchWheel Fixed(long value) { return {value, value, 1}; }

    // Values the wheel visits: lo, lo + step, ... below hi, then hi.
    long PositionCount() const;
};

struct TMapSearchResult {
    TCharacteristics best{};
    TMapPosition position{};
    double distance = 0;
    bool cancelled = false;
};

class TMapTargetSearch {
public:
    // Called with the number of points evaluated so far every
    // ProgressInterval points and once at the end; returns false to cancel.
    using TProgress = std::function<bool(std::int64_t evaluated)>;
    static constexpr std::int64_t ProgressInterval = 1000;

    TMapTargetSearch(const TMapModel& model, const std::array<TSearchWheel, MaxMapCharacteristics>& wheels);

    // Points the search evaluates in all: the product of the wheels' positions.
    std::int64_t PointCount() const;

    // The grid point nearest the target; ties keep the earlier point in
    // odometer order. A cancelled search reports the best point found so far.
    TMapSearchResult Run(const TMapPosition& target, const TProgress& progress) const;

private:
    // Advances wheel j (carrying into the next ones); false past the last position.
    bool Advance(TCharacteristics& x, int j) const;

    TMapModel model_;
    std::array<TSearchWheel, MaxMapCharacteristics> wheels_;
};

}  // namespace cv
