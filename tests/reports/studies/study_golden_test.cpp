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
#include "tests/reports/studies/study_fixture.h"
#include "tests/reports/support/golden_file.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

const int kMarketScreens[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
const int kZoneScreens[] = {51, 52, 53, 54, 55};

bool OneSegmentShown(int screen) { return screen == 21 || screen == 22 || screen == 24 || screen == 25; }
bool ZoneWide(int screen) { return screen == 51 || screen == 53; }

class StudyGoldenTest : public test::StudyTest {
protected:
    fs::path Folder() const { return fs::path(CV_GOLDEN_DIR).parent_path() / "studies"; }
    std::unique_ptr<TStudies> Make(int screen, const TDataContext& context) {
        if (screen > 50) return ZoneScreen(screen, context);
        return MarketScreen(screen, context);
    }
    // Each period and market (one market for the zone-wide screens), and each
    // segment for a screen of one segment: the heading line, then the table.
    std::string Render(int screen) {
        const TCvInd& industry = *Session->Industry();
        std::string text;
        for (int period = 0; period <= industry.CurPeriod(); ++period)
            for (int market = 1; market <= (ZoneWide(screen) ? 1 : industry.NbMarkets()); ++market) {
                TDataContext context = Context(period);
                context.SelMarket = static_cast<std::int16_t>(market);
                const TSeries* segments = industry.SegSeries(context.SelFta, market);
                const int last = OneSegmentShown(screen) && segments ? segments->Hi() : 1;
                for (int segment = OneSegmentShown(screen) && segments ? segments->Lo() : 1; segment <= last; ++segment) {
                    context.SelSegment = static_cast<std::int16_t>(segment);
                    const auto shown = Make(screen, context);
                    text += "== period " + std::to_string(period) + " market " + std::to_string(market) +
                            (OneSegmentShown(screen) ? " segment " + std::to_string(segment) : "") +
                            (shown->IsEmpty() ? " (empty)" : "") + "\n";
                    if (shown->Table()) text += test::RenderTable(*shown->Table());
                }
            }
        return Cp1252ToQString(text).toStdString();
    }
};

TEST_F(StudyGoldenTest, EveryStudyScreenMatchesItsGoldenFile) {
    Session->SetAdminView(true);
    for (int screen : kMarketScreens) test::CheckGolden(Folder() / ("Study" + std::to_string(screen) + ".txt"), Render(screen));
    for (int screen : kZoneScreens) test::CheckGolden(Folder() / ("Study" + std::to_string(screen) + ".txt"), Render(screen));
}

TEST_F(StudyGoldenTest, EveryScreensStatusForTheTeamMatchesItsGoldenFile) {
    const TCvInd& industry = *Session->Industry();
    std::string text;
    for (int period = 0; period <= industry.CurPeriod(); ++period)
        for (int market = 1; market <= industry.NbMarkets(); ++market) {
            TDataContext context = Context(period);
            context.SelMarket = static_cast<std::int16_t>(market);
            text += "== period " + std::to_string(period) + " market " + std::to_string(market) + "\n";
            for (int screen : kMarketScreens)
                text += std::to_string(screen) + ": " + std::to_string(Make(screen, context)->GetStatus()) + "\n";
            for (int screen : kZoneScreens)
                text += std::to_string(screen) + ": " + std::to_string(Make(screen, context)->GetStatus()) + "\n";
        }
    test::CheckGolden(Folder() / "Status.txt", text);
}

}  // namespace
}  // namespace cv
