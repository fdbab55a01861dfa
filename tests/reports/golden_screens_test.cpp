// Golden files: every screen of the results page, the firm screens that only
// the marketing plan and the loan dialog open, and every newsletter page,
// built on the sample industry for team A (zone North) at every period (and
// for each market when the screen is about one market), rendered cell by cell
// and compared with the checked-in files of tests/data/golden/.
// CV_REGENERATE_GOLDEN=1 rewrites them; do it on purpose only, and review the
// difference before committing it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/budget/bgt_screen.h"
#include "reports/newsletter/news_screen.h"
#include "reports/results/brand_result.h"
#include "reports/results/cumul_result.h"
#include "reports/results/decsummary.h"
#include "reports/results/firm_result.h"
#include "reports/pages/results_menu.h"
#include "tests/reports/support/every_screen.h"
#include "tests/reports/support/golden_file.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

class GoldenScreensTest : public test::EveryScreenTest {
protected:
    void Check(const TPageItem& item) {
        test::CheckGolden(fs::path(CV_GOLDEN_DIR) / (std::string(item.name) + ".txt"), RenderResultScreen(item));
    }
};

TEST_F(GoldenScreensTest, EveryResultScreenMatchesItsGoldenFile) {
    for (const TPageMenuGroup& group : ResultsPageMenu().groups)
        for (const TPageItem& item : group.items) Check(item);
    for (const TPageItem& item : test::OtherFirmScreens()) Check(item);
}

TEST_F(GoldenScreensTest, EveryNewsletterPageMatchesItsGoldenFile) {
    const fs::path folder = fs::path(CV_GOLDEN_DIR).parent_path() / "newsletter";
    for (const test::TNewsletterPage& page : test::NewsletterPages())
        test::CheckGolden(folder / (std::string(page.name) + ".txt"), RenderNewsletterPage(page));
}

template <class Screen>
std::unique_ptr<TCVScreen> Make(QWidget* owner, const TDataContext& context, int kind) {
    return TCVScreen::Create<Screen>(owner, context, kind, kWindowLayout);
}

TEST_F(GoldenScreensTest, AnUnknownKindSaysSoAndBuildsNothing) {
    const struct {
        std::unique_ptr<TCVScreen> (*make)(QWidget*, const TDataContext&, int);
        int kind;
        const char* message;
    } cases[] = {{Make<TFirResult>, 9, "Unknown firm result screen 9"},
                 {Make<TBrdResult>, 4, "Unknown brand result screen 4"},
                 {Make<TCumResult>, 3, "Unknown brand cumulative result screen 3"},
                 {Make<TDecSummary>, 6, "Unknown decision summary screen 6"},
                 {Make<TBgtScreen>, 4, "Unknown budget screen 4"},
                 {Make<TNewsScr>, 9, "Unknown newsletter screen 9"}};
    for (const auto& c : cases) {
        root.ui.plainBoxes.clear();
        EXPECT_EQ(c.make(owner.get(), Context(3), c.kind)->Table(), nullptr) << c.message;
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{c.message});
    }
}

}  // namespace
}  // namespace cv
