#pragma once
// What the zone's budget can carry. The budget keeps its brand and sales-force
// figures in 32 bits: a decision that would take a figure past that cannot be
// costed, so a dialog tries it on the budget before it keeps it, and refuses it
// with a message that names the value.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cv {

class TFtaBudget;

// Works Budget (already initialised for the zone) out again with the
// decisions as they now stand; false, with the budget's previous figures
// kept, when a figure would pass what it can hold.
bool BudgetCarries(TFtaBudget& budget);

// The largest value in [0, High] that Budget carries once Write has put it
// into the decisions, with the zone's other decisions as they stand: the limit
// a field can name. Found by halving the range, as the budget's figures grow
// with the value. The decisions hold the last value tried, for the caller to
// write its own back; -1 when not even 0 is carried.
std::int32_t LargestCarried(TFtaBudget& budget, std::int32_t high, const std::function<void(std::int32_t)>& write);

// Shows the decision error Key of the messages section, its tags replaced by
// Params in order, in the decisions' message list.
void ShowDecisionError(const std::string& key, const std::vector<std::string>& params);

}  // namespace cv
