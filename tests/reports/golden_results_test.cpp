// Golden files: every screen of the results page, and the firm screens that
// only the marketing plan and the loan dialog open, built on the sample
// industry for team A at every period (and for each market when the screen is
// about one market), rendered cell by cell and compared with the checked-in
// files of tests/data/golden/results/. CV_REGENERATE_GOLDEN=1 rewrites them;
// do it on purpose only, and review the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/results/firm_result.h"
#include "shell/pages/result_menu.h"
#include "tests/reports/support/results_fixture.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

// The screens that no menu item of the results page opens.
const TResultItem kOtherScreens[] = {
    {"PlanContribution", "", KindScreen<TFirResult, TFirResult::kPlanContribution>, false},
    {"LoanRequestSchedule", "", KindScreen<TFirResult, TFirResult::kLoanRequestSchedule>, false},
};

bool Regenerating() {
    const char* flag = std::getenv("CV_REGENERATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line where the two texts differ, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) return "no difference";
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(line) + ": expected \"" + (moreA ? lineA : "<end>") + "\", got \"" +
                   (moreB ? lineB : "<end>") + "\"";
    }
}

class GoldenResultsTest : public test::ResultsTest {
protected:
    std::string Render(const TResultItem& item) {
        const int markets = item.perMarket ? Session->Industry()->NbMarkets() : 1;
        std::string text;
        for (int period = 0; period <= Session->Industry()->CurPeriod(); ++period)
            for (int market = 1; market <= markets; ++market) {
                TDataContext context = Context(period);
                context.SelMarket = static_cast<std::int16_t>(market);
                auto screen = item.create(owner.get(), context);
                text += "== period " + std::to_string(period) + " market " + std::to_string(market) +
                        (screen->IsEmpty() ? " (empty)" : "") + "\n";
                if (screen->Table()) text += test::RenderTable(*screen->Table());
            }
        // The files are UTF-8 so that a reviewer reads them as the screen shows them.
        return Cp1252ToQString(text).toStdString();
    }

    void Check(const TResultItem& item) {
        const fs::path file = fs::path(CV_GOLDEN_DIR) / (std::string(item.name) + ".txt");
        const std::string actual = Render(item);
        if (Regenerating()) {
            std::ofstream(file, std::ios::binary) << actual;
            return;
        }
        ASSERT_TRUE(fs::exists(file)) << file << " is missing: run with CV_REGENERATE_GOLDEN=1 and review it";
        const std::string expected = ReadFile(file);
        // Only the first difference is shown: a whole screen would bury it.
        EXPECT_TRUE(expected == actual) << item.name << " differs from " << file << ", "
                                        << FirstDifference(expected, actual);
    }
};

TEST_F(GoldenResultsTest, EveryScreenMatchesItsGoldenFile) {
    for (const TResultGroup& group : ResultMenuGroups())
        for (const TResultItem& item : group.items) Check(item);
    for (const TResultItem& item : kOtherScreens) Check(item);
}

}  // namespace
}  // namespace cv
