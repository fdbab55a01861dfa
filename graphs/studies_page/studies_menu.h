#pragma once
// The table of the market-studies page: its seven groups in menu order, each
// item with the study screen it opens (or that stands in for its chart), the
// instructor's study item that disables or hides it, and whether the market
// may be chosen for it; and which items are charts.

#include <string_view>

#include "shell/group_page.h"

namespace cv {

// What an item of the page draws instead of a study screen.
enum class TStudyChart {
    None,
    SemanticMap,
    SemanticHistory,
    SemanticRelations,
    PerceptualMap,
    PerceptualHistory,
    MapRelations,
    ConjointUtilities,  // the utilities screen under a segment combo
    ConjointChart,
};

const TPageMenu& StudiesPageMenu();
// The chart of the item Name; TStudyChart::None for a study screen.
TStudyChart StudyChartOf(std::string_view name);

}  // namespace cv
