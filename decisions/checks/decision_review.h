#pragma once
// The review the decisions page shows: the decision groups not yet taken, the
// errors and the warnings of the team's firm, in that order, over every zone
// of the industry, and which state line sums them up.

#include "core/base/message_list.h"
#include "core/store/data_context.h"
#include "decisions/checks/check_dec.h"

namespace cv {

class TCvInd;

struct TDecisionReview {
    int DecStatusResult = 0;  // 1 when every group of every zone is taken
    int ErrorCount = 0;
    int WarningCount = 0;
    // Written as "DecStatus": complete when every zone is, none when no zone has
    // anything taken, else some.
    TDecStatus Status = dsNoneTaken;
};

// Runs CheckDecStatus, CheckDecisions and CheckWarnings for Context's firm in
// every zone, appending to Messages. A message that a zone repeats word for
// word (a project, which belongs to no zone) is listed and counted once.
TDecisionReview ReviewDecisions(TCvInd& industry, const TDataContext& context, bool adminView, TQnInfos& messages);

// The first of the state lines (of the messages entry "QnNoMessage") that
// holds: 7 errors and warnings, 5 errors, 9 groups not taken, 3 warnings, 1 complete.
enum TReviewLine : int { rlComplete = 1, rlWarnings = 3, rlErrors = 5, rlErrorsAndWarnings = 7, rlNotTaken = 9 };
TReviewLine ReviewLine(const TDecisionReview& review);

}  // namespace cv
