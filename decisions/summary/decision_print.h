#pragma once
// The print command of the decisions page: the print-decisions dialog with
// Choice preselected, then the document chosen (decisions, budget or
// marketing plan) for the page's context, printed or written as the
// spreadsheet file only. The marketing plan's document needs a forecast
// made in this session first ("NoMktgPlanYet").

namespace cv {

class TFoDecision;

void PrintDecisionDocument(TFoDecision& page, int choice);

}  // namespace cv
