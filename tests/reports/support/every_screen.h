#pragma once
// Every report screen a team reads on the open industry, rendered as the golden
// files hold them: the results page's screens and the firm screens only other
// windows open, the newsletter's pages, and the study screens (every period,
// market and, where a screen shows one, segment).

#include <functional>
#include <span>
#include <string>

#include "reports/pages/results_menu.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv::test {

// A newsletter page as its golden file names it: the page, its score mode, and
// whether it is about one market.
struct TNewsletterPage {
    int page;
    const char* name;
    int scoreMode;
    bool perMarket = false;
};
std::span<const TNewsletterPage> NewsletterPages();
// The firm screens no menu item of the results page opens.
std::span<const TPageItem> OtherFirmScreens();
// The study screens of a market (1..25) and of a zone (51..55).
std::span<const int> MarketStudyScreens();
std::span<const int> ZoneStudyScreens();

class EveryScreenTest : public StudyTest {
protected:
    // Every period's screen of Create, for each market when PerMarket.
    std::string RenderPeriods(bool perMarket, const std::function<std::unique_ptr<TCVScreen>(TDataContext&)>& create);
    std::string RenderResultScreen(const TPageItem& item);
    std::string RenderNewsletterPage(const TNewsletterPage& page);
    // Each period and market (one market for the zone-wide screens), and each
    // segment for a screen of one segment: the heading line, then the table.
    std::string RenderStudyScreen(int screen);
    // Name and text of every screen above, in that order.
    void ForEveryScreen(const std::function<void(const std::string& name, const std::string& text)>& visit);
};

}  // namespace cv::test
