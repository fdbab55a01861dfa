// Golden files of the study screens: every screen of the sample industry for
// team A (zone North) at every period and for each market, and for each
// segment where the screen shows one segment, as the administrator sees them
// (every study shown), rendered cell by cell; and, as the team sees them, each
// screen's status. CV_REGENERATE_GOLDEN=1 rewrites the files under
// tests/data/golden/studies/; review the difference before committing it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "tests/reports/support/every_screen.h"
#include "tests/reports/support/golden_file.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

class StudyGoldenTest : public test::EveryScreenTest {
protected:
    fs::path Folder() const { return fs::path(CV_GOLDEN_DIR).parent_path() / "studies"; }
    std::unique_ptr<TStudies> Make(int screen, const TDataContext& context) {
        if (screen > 50) return ZoneScreen(screen, context);
        return MarketScreen(screen, context);
    }
};

TEST_F(StudyGoldenTest, EveryStudyScreenMatchesItsGoldenFile) {
    Session->SetAdminView(true);
    for (int screen : test::MarketStudyScreens())
        test::CheckGolden(Folder() / ("Study" + std::to_string(screen) + ".txt"), RenderStudyScreen(screen));
    for (int screen : test::ZoneStudyScreens())
        test::CheckGolden(Folder() / ("Study" + std::to_string(screen) + ".txt"), RenderStudyScreen(screen));
}

TEST_F(StudyGoldenTest, EveryScreensStatusForTheTeamMatchesItsGoldenFile) {
    const TCvInd& industry = *Session->Industry();
    std::string text;
    for (int period = 0; period <= industry.CurPeriod(); ++period)
        for (int market = 1; market <= industry.NbMarkets(); ++market) {
            TDataContext context = Context(period);
            context.SelMarket = static_cast<std::int16_t>(market);
            text += "== period " + std::to_string(period) + " market " + std::to_string(market) + "\n";
            for (int screen : test::MarketStudyScreens())
                text += std::to_string(screen) + ": " + std::to_string(Make(screen, context)->GetStatus()) + "\n";
            for (int screen : test::ZoneStudyScreens())
                text += std::to_string(screen) + ": " + std::to_string(Make(screen, context)->GetStatus()) + "\n";
        }
    test::CheckGolden(Folder() / "Status.txt", text);
}

}  // namespace
}  // namespace cv
