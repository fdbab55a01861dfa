#pragma once
// The decisions of the decision period on the figures their dialogs enter, so
// that a team that opens a dialog and presses OK without editing stores what
// the sample stored.

#include "core/session/industry.h"

namespace cv::sample {

// Rounds every firm's decisions of the decision period to what their dialogs
// enter: production and stock sold up to whole thousands of units (so that
// production still covers the plan and a sell-off the whole stock), mass
// communication and advertising research in whole thousands of money, segment
// targets and sales-force shares in whole percent (the first taking what
// rounding leaves, so that each adds up to 100 %). The advertising budgets
// stay as they are.
void PutOnDialogSteps(TCvInd& industry);

}  // namespace cv::sample
