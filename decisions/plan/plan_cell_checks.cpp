#include "decisions/plan/plan_cell_checks.h"

#include <cmath>

#include "core/base/numbers.h"

namespace cv {

namespace {
constexpr double kWhole = 100;
constexpr double kPercentStep = 0.0001;
// A channel split passes when it rounds to 100.0 % (1000 tenths).
constexpr long double kTenthsPerPercent = 10;
constexpr long double kWholeTenths = 1000;
}  // namespace

TSegmentCells CheckSegmentPlan(double last, double plan) {
    // A size is planned in whole thousands, as it is shown and stored.
    TSegmentCells cells{last, static_cast<double>(RoundHalfEven(plan)), std::nullopt, false};
    if (plan < 0) {
        cells.beep = true;
        cells.plan = 0;
    }
    if (last != 0) cells.growth = (cells.plan / last - 1) * kWhole;
    return cells;
}

TSegmentCells CheckSegmentGrowth(double last, double plan, double growth) {
    TSegmentCells cells{last, plan, growth, false};
    double derived = static_cast<double>(RoundHalfEven((growth / kWhole + 1) * last));
    if (derived == plan) return cells;
    if (derived < 0) {
        cells.beep = true;
        derived = 0;
        cells.growth = -kWhole;
    }
    cells.plan = derived;
    return cells;
}

double ShareCeiling(TShareUnit unit, double segmentPlan) { return unit == TShareUnit::Percent ? kWhole : segmentPlan; }

TShareCells CheckSharePlan(double last, double plan, double ceiling) {
    TShareCells cells{last, plan, 0, false};
    if (cells.plan < 0) {
        cells.beep = true;
        cells.plan = 0;
    }
    if (cells.plan > ceiling) {
        cells.beep = true;
        cells.plan = ceiling;
    }
    cells.change = cells.plan - last;
    return cells;
}

TShareCells CheckShareChange(double last, double plan, double change, double ceiling) {
    TShareCells cells{last, plan, change, false};
    double wanted = last + change;
    if (wanted == plan) return cells;
    if (wanted < 0) {
        cells.beep = true;
        wanted = 0;
        cells.change = -last;
    } else if (wanted > ceiling) {
        cells.beep = true;
        wanted = ceiling;
        cells.change = ceiling - last;
    }
    cells.plan = wanted;
    return cells;
}

TChannelCell CheckChannelShare(double share) {
    if (share < 0) return {0, true};
    if (share > kWhole) return {kWhole, true};
    return {share, false};
}

std::vector<double> ChannelSplit(const std::vector<double>& sales) {
    std::vector<double> shares(sales.size(), 0.0);
    if (shares.empty()) return shares;
    double total = 0;
    for (double channel : sales) total += channel;
    double given = 0;
    for (std::size_t c = 0; c + 1 < sales.size(); ++c) {
        shares[c] = SafeDiv(kWhole * sales[c], total, 0);
        given += shares[c];
    }
    shares.back() = kWhole - given;
    return shares;
}

bool ChannelSplitComplete(double total) { return RoundHalfEven(kTenthsPerPercent * total) == kWholeTenths; }

double PlanPercent(double part, double whole) { return RoundToStep(SafeDiv(kWhole * part, whole, 0), kPercentStep); }

}  // namespace cv
