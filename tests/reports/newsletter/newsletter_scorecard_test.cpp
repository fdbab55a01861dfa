// The newsletter's scorecard on the sample industry: one column per firm (A in
// column 5, E in 6), stock-price indexes A 1000 then 1120, E 1000 then 980 in
// periods 0 and 1, over the base 1000.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/newsletter/news_screen.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

using test::CellText;
using test::FontColour;

constexpr std::int32_t kRed = 0x0000FF;

class NewsletterScoreCardTest : public test::ResultsTest {
protected:
    std::unique_ptr<TNewsScr> ScoreCard(int period, int mode, int screenMode = kWindowMode) {
        TDataContext context = Context(period);
        context.GraphOption = static_cast<std::int16_t>(mode);
        auto screen = TCVScreen::Create<TNewsScr>(owner.get(), context, TNewsScr::kScoreCard,
                                                  kPlaceCentreX | kPlaceCentreY, 0, 0, screenMode);
        if (screenMode == kDocumentMode) screen->Build(screen->Context());
        return screen;
    }
};

// Two markets: 2 x 2 + 13 = 17 body rows below the title row H; the index row is H + 15.
TEST_F(NewsletterScoreCardTest, EachModeShowsTheIndexRowItsOwnWay) {
    const struct {
        int period, mode;
        const char *firmA, *firmE, *units;
        bool eRed;
    } cases[] = {
        {1, TNewsScr::kValuesMode, "1,120", "980", "index", false},
        {1, TNewsScr::kGrowthMode, "+12.0%", "-2.0%", "", false},  // 1120 / 1000 - 1, 980 / 1000 - 1
        {1, TNewsScr::kIndexMode, "1.12", "0.98", "", true},       // at or below the base: red
        {0, TNewsScr::kGrowthMode, "+0.0%", "+0.0%", "", false},   // period 0 compares with itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        auto screen = ScoreCard(c.period, c.mode);
        const TQNTable& table = *screen->Table();
        const int h = table.OriginRow();
        EXPECT_EQ(table.Sheet().Geometry().bodyRows, 17);
        EXPECT_EQ(CellText(table, h, 5), "A");
        EXPECT_EQ(CellText(table, h + 15, 1), "     Stock-price index");
        EXPECT_EQ(CellText(table, h + 15, 4), c.units);
        EXPECT_EQ(CellText(table, h + 15, 5), c.firmA);
        EXPECT_EQ(CellText(table, h + 15, 6), c.firmE);
        EXPECT_EQ(FontColour(table, h + 15, 6) == kRed, c.eRed);
        EXPECT_EQ(FontColour(table, h + 15, 5), 0);
    }
    const auto shown = ScoreCard(1, TNewsScr::kIndexMode);
    owner->show();
    test::SaveScreenshot(*owner, "NewsletterScoreCard");
}

TEST_F(NewsletterScoreCardTest, IndexesInADocumentAreBlack) {
    auto screen = ScoreCard(1, TNewsScr::kIndexMode, kDocumentMode);
    EXPECT_EQ(FontColour(*screen->Table(), screen->Table()->OriginRow() + 15, 6), 0);
}

TEST_F(NewsletterScoreCardTest, OneMarketShowsUnitsAndValueRows) {
    OpenOneMarketVariant();
    auto screen = ScoreCard(1, TNewsScr::kValuesMode);
    const TQNTable& table = *screen->Table();
    EXPECT_EQ(table.Sheet().Geometry().bodyRows, 15);  // 2 x 1 + 13
    EXPECT_EQ(CellText(table, table.OriginRow() + 2, 1), "     Units");
    EXPECT_EQ(CellText(table, table.OriginRow() + 3, 1), "     Value");
}

}  // namespace
}  // namespace cv
