#include "decisions/checks/decision_review.h"

#include <algorithm>

#include "core/session/industry.h"
#include "core/store/per_data.h"

namespace cv {

namespace {

bool SameMessage(const TQnInfo& a, const TQnInfo& b) { return a.Headline == b.Headline && a.Lines == b.Lines; }

// Appends the messages of Found that Messages does not hold yet; their number.
int AppendNew(TQnInfos& messages, const TQnInfos& found) {
    int added = 0;
    for (const TQnInfo& info : found.Items()) {
        const auto& items = messages.Items();
        if (std::any_of(items.begin(), items.end(), [&](const TQnInfo& kept) { return SameMessage(kept, info); }))
            continue;
        messages.Add(info);
        ++added;
    }
    return added;
}

// The firm's status from the zones' so far and the next zone's: complete only
// when both are, none only when neither has anything taken, else some.
TDecStatus Combined(TDecStatus sofar, TDecStatus zone) {
    if (sofar == zone) return sofar;
    return dsSomeTaken;
}

}  // namespace

TDecisionReview ReviewDecisions(TCvInd& industry, const TDataContext& context, bool adminView, TQnInfos& messages) {
    TDecisionReview review;
    review.DecStatusResult = 1;
    const int zones = std::max(1, static_cast<int>(industry.NbFtas()));
    auto forEachZone = [&](auto&& check) {
        for (int zone = 1; zone <= zones; ++zone) {
            TDataContext zoneContext = context;
            zoneContext.SelFta = static_cast<std::int16_t>(zone);
            TCheckDec checker(industry, zoneContext, adminView);
            TQnInfos found;
            check(checker, found, zoneContext);
            AppendNew(messages, found);
        }
    };
    bool firstZone = true;
    forEachZone([&](TCheckDec& checker, TQnInfos& found, const TDataContext& zoneContext) {
        if (checker.CheckDecStatus(found, zoneContext) != 1) review.DecStatusResult = 0;
        review.Status = firstZone ? checker.WrittenStatus() : Combined(review.Status, checker.WrittenStatus());
        firstZone = false;
    });
    const std::size_t afterStatus = messages.Count();
    forEachZone([&](TCheckDec& checker, TQnInfos& found, const TDataContext& zoneContext) {
        checker.CheckDecisions(found, zoneContext);
    });
    review.ErrorCount = static_cast<int>(messages.Count() - afterStatus);
    const std::size_t afterErrors = messages.Count();
    forEachZone([&](TCheckDec& checker, TQnInfos& found, const TDataContext& zoneContext) {
        checker.CheckWarnings(found, zoneContext);
    });
    review.WarningCount = static_cast<int>(messages.Count() - afterErrors);
    industry.PerDecisions(context.DecPeriod).SetSmallint(kCategoryFirm, context, "DecStatus", review.Status);
    return review;
}

TReviewLine ReviewLine(const TDecisionReview& review) {
    if (review.ErrorCount > 0 && review.WarningCount > 0) return rlErrorsAndWarnings;
    if (review.ErrorCount > 0) return rlErrors;
    if (review.DecStatusResult != 1) return rlNotTaken;
    if (review.WarningCount > 0) return rlWarnings;
    return rlComplete;
}

}  // namespace cv
