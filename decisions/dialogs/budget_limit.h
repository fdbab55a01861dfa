#pragma once
// What the zone's budget can carry. The budget keeps its brand and sales-force
// figures in 32 bits: a decision that would take a figure past that cannot be
// costed, so a dialog tries it on the budget before it keeps it, and refuses it
// with a message that names the value.

#include <string>
#include <vector>

namespace cv {

class TFtaBudget;

// Works Budget (already initialised for the zone) out again with the
// decisions as they now stand; false, with the budget's previous figures
// kept, when a figure would pass what it can hold.
bool BudgetCarries(TFtaBudget& budget);

// Shows the decision error Key of the messages section, its tags replaced by
// Params in order, in the decisions' message list.
void ShowDecisionError(const std::string& key, const std::vector<std::string>& params);

}  // namespace cv
