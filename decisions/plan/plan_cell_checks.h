#pragma once
// The arithmetic of the marketing-plan screens, free of any sheet: what a cell
// check makes of a typed value (kept in range, with a beep when it had to be
// corrected), the growth and change figures that follow a plan value, and the
// channel splits the buttons fill in.

#include <optional>
#include <vector>

namespace cv {

// Segment sizes, in thousands of units: last period's size, the plan and the
// growth in percent (none when last period's size is 0: the cell shows "-").
struct TSegmentCells {
    double last = 0;
    double plan = 0;
    std::optional<double> growth;
    bool beep = false;
};

// A plan size typed: a whole number of thousands, never below 0; the growth
// follows it.
TSegmentCells CheckSegmentPlan(double last, double plan);
// A growth typed: the plan follows it, rounded to a whole thousand; a plan that
// would fall below 0 is 0 with a growth of -100. An unchanged plan keeps the
// growth as typed.
TSegmentCells CheckSegmentGrowth(double last, double plan, double growth);

// How the brand-share screens show a brand's sales in a segment.
enum class TShareUnit { Percent = 1, Units = 2 };

// A brand's figures in one segment: last period, the plan and the change.
struct TShareCells {
    double last = 0;
    double plan = 0;
    double change = 0;
    bool beep = false;
};

// A plan figure typed: within 0 and the ceiling (100 % of the segment, or the
// segment's planned size in units); the change follows it.
TShareCells CheckSharePlan(double last, double plan, double ceiling);
// A change typed: the plan becomes last + change, held within 0 and the
// ceiling (the change then follows the plan). A plan that it leaves as it was
// keeps both as they are.
TShareCells CheckShareChange(double last, double plan, double change, double ceiling);
// The ceiling of a brand's plan in a segment of SegmentPlan units.
double ShareCeiling(TShareUnit unit, double segmentPlan);

// A channel's share typed, in percent: within 0 and 100.
struct TChannelCell {
    double share = 0;
    bool beep = false;
};
TChannelCell CheckChannelShare(double share);

// Percentages of Sales per channel; the last channel takes what the others
// leave of 100, and all of it when there are no sales.
std::vector<double> ChannelSplit(const std::vector<double>& sales);

// Whether a brand's channel split (percent) totals 100 to the tenth shown.
bool ChannelSplitComplete(double total);

// Share of a part in percent, to four decimals; 0 of nothing.
double PlanPercent(double part, double whole);

}  // namespace cv
