#pragma once
// The decision documents of the decisions page: the decisions ("D") and the
// budget ("B") of the coming period, and the marketing plan ("P": the
// forecast of the coming period that the plan's forecast left in its
// results), over every zone of the industry, one copy, written and/or printed
// as the output flags say (TXlDoc::PrintOrSave). Each returns whether its
// file and print succeeded.

#include "core/store/data_context.h"

namespace cv {

class TCvDoc;

// The summaries of the decisions of DocContext's zone: each market's brands,
// the sales force, the study orders; with FirmWide, also the firm's parts
// that no zone has: each market's R&D projects, the loan and budget change.
void AddDecisionSummaries(TCvDoc& doc, bool firmWide);

bool BuildDecisionsDoc(TCvDoc& doc, const TDataContext& context, int outputFlags);
bool BuildBudgetDoc(TCvDoc& doc, const TDataContext& context, int outputFlags);
bool BuildMarketingPlanDoc(TCvDoc& doc, const TDataContext& context, int outputFlags);

}  // namespace cv
