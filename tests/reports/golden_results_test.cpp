// Golden files: every screen of the results page, and the firm screens that
// only the marketing plan and the loan dialog open, built on the sample
// industry for team A at every period (and for each market when the screen is
// about one market), rendered cell by cell and compared with the checked-in
// files of tests/data/golden/results/. CV_REGENERATE_GOLDEN=1 rewrites them;
// do it on purpose only, and review the difference before committing it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/results/firm_result.h"
#include "shell/pages/result_menu.h"
#include "tests/reports/support/golden_file.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

// The screens that no menu item of the results page opens.
const TResultItem kOtherScreens[] = {
    {"PlanContribution", "", KindScreen<TFirResult, TFirResult::kPlanContribution>, false},
    {"LoanRequestSchedule", "", KindScreen<TFirResult, TFirResult::kLoanRequestSchedule>, false},
};

class GoldenResultsTest : public test::ResultsTest {
protected:
    std::string Render(const TResultItem& item) {
        return test::RenderEveryPeriod(
            [&](int period, int market) {
                TDataContext context = Context(period);
                context.SelMarket = static_cast<std::int16_t>(market);
                return item.create(owner.get(), context);
            },
            Session->Industry()->CurPeriod(), item.perMarket ? Session->Industry()->NbMarkets() : 1);
    }

    void Check(const TResultItem& item) {
        test::CheckGolden(fs::path(CV_GOLDEN_DIR) / (std::string(item.name) + ".txt"), Render(item));
    }
};

TEST_F(GoldenResultsTest, EveryScreenMatchesItsGoldenFile) {
    for (const TResultGroup& group : ResultMenuGroups())
        for (const TResultItem& item : group.items) Check(item);
    for (const TResultItem& item : kOtherScreens) Check(item);
}

}  // namespace
}  // namespace cv
