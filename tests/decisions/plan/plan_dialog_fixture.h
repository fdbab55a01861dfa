#pragma once
// The marketing-plan dialog opened from the decisions page of the started
// program on the "complete" sample, its model runs counted through the runner
// it is given and its beeps counted.

#include <functional>
#include <string>

#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/plan/mkt_plan_dialog.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "ui/sheet/qn_sheet.h"

namespace cv::test {

class PlanDialogTest : public DecisionPageTest {
public:
    void SetUp() override;

    // Opens the dialog through the page's button protocol and runs Steps
    // while it is shown; it is closed afterwards.
    void WithDialog(const std::function<void(TFoMktPlan&)>& steps);

    // The tab set, the plan screen shown and its sheet.
    static TBrandTabBar& Tabs(TFoMktPlan& dialog);
    static TMktPlanScr& Plan(TFoMktPlan& dialog);
    static TQNSheet& Sheet(TFoMktPlan& dialog);
    // Goes to Tab (0..5); the tab shown afterwards.
    static int GoToTab(TFoMktPlan& dialog, int tab);
    // Types Text into the active cell of the plan screen and presses Enter.
    static void Type(TFoMktPlan& dialog, const std::string& text);
    // A cell of the shown screen's table (sheet coordinates).
    static double Cell(TFoMktPlan& dialog, int row, int column);
    // Writes a number into an element in the array's own kind.
    static void SetElement(TSimArr& array, const TIndex& index, long long value);

protected:
    // The market's context of the page (zone 1, market 1 unless told).
    TDataContext PlanContext(int market = 1) const;
    // An array of the decision period's plan in the page's firm, zone 1 and Market.
    TSimArr& PlanArray(const char* name, int market = 1) const;

    int runs = 0;
    int beeps = 0;
    // The runner answers as a failed run of the model would.
    bool failForecast = false;
};

}  // namespace cv::test
