#include "tests/reports/support/every_screen.h"

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "reports/newsletter/news_screen.h"
#include "reports/results/firm_result.h"
#include "tests/reports/support/golden_file.h"
#include "ui/cp1252.h"

namespace cv::test {

namespace {

const TNewsletterPage kNewsletterPages[] = {{TNewsScr::kStockMarket, "NLSMktSPI", 0},
                                            {TNewsScr::kEconomicVariables, "NLEcoVars", 0},
                                            {TNewsScr::kStudyPrices, "NLEcoMRS", 0},
                                            {TNewsScr::kBrandCharacteristics, "NLBrdAttr", 0, true},
                                            {TNewsScr::kBrandSales, "NLBrdSales", 0, true},
                                            {TNewsScr::kScoreCard, "ScoreCard-values", TNewsScr::kValuesMode},
                                            {TNewsScr::kScoreCard, "ScoreCard-growth", TNewsScr::kGrowthMode},
                                            {TNewsScr::kScoreCard, "ScoreCard-index", TNewsScr::kIndexMode}};

const TPageItem kOtherFirmScreens[] = {
    {"PlanContribution", "", KindScreen<TFirResult, TFirResult::kPlanContribution>},
    {"LoanRequestSchedule", "", KindScreen<TFirResult, TFirResult::kLoanRequestSchedule>},
};

const int kMarketStudyScreens[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                   14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
const int kZoneStudyScreens[] = {51, 52, 53, 54, 55};

bool OneSegmentShown(int screen) { return screen == 21 || screen == 22 || screen == 24 || screen == 25; }
bool ZoneWide(int screen) { return screen == 51 || screen == 53; }

}  // namespace

std::span<const TNewsletterPage> NewsletterPages() { return kNewsletterPages; }
std::span<const TPageItem> OtherFirmScreens() { return kOtherFirmScreens; }
std::span<const int> MarketStudyScreens() { return kMarketStudyScreens; }
std::span<const int> ZoneStudyScreens() { return kZoneStudyScreens; }

std::string EveryScreenTest::RenderPeriods(bool perMarket,
                                           const std::function<std::unique_ptr<TCVScreen>(TDataContext&)>& create) {
    return RenderEveryPeriod(
        [&](int period, int market) {
            TDataContext context = Context(period);
            context.SelMarket = static_cast<std::int16_t>(market);
            return create(context);
        },
        Session->Industry()->CurPeriod(), perMarket ? Session->Industry()->NbMarkets() : 1);
}

std::string EveryScreenTest::RenderResultScreen(const TPageItem& item) {
    return RenderPeriods(item.perMarket, [&](TDataContext& context) { return item.screen(owner.get(), context); });
}

std::string EveryScreenTest::RenderNewsletterPage(const TNewsletterPage& page) {
    return RenderPeriods(page.perMarket, [&](TDataContext& context) {
        context.GraphOption = static_cast<std::int16_t>(page.scoreMode);
        return TCVScreen::Create<TNewsScr>(owner.get(), context, page.page, kWindowLayout);
    });
}

std::string EveryScreenTest::RenderStudyScreen(int screen) {
    const TCvInd& industry = *Session->Industry();
    std::string text;
    for (int period = 0; period <= industry.CurPeriod(); ++period)
        for (int market = 1; market <= (ZoneWide(screen) ? 1 : industry.NbMarkets()); ++market) {
            TDataContext context = Context(period);
            context.SelMarket = static_cast<std::int16_t>(market);
            const TSeries* segments = industry.SegSeries(context.SelFta, market);
            const bool oneSegment = OneSegmentShown(screen) && segments;
            for (int segment = oneSegment ? segments->Lo() : 1; segment <= (oneSegment ? segments->Hi() : 1); ++segment) {
                context.SelSegment = static_cast<std::int16_t>(segment);
                const std::unique_ptr<TStudies> shown =
                    screen > 50 ? std::unique_ptr<TStudies>(ZoneScreen(screen, context)) : MarketScreen(screen, context);
                text += "== period " + std::to_string(period) + " market " + std::to_string(market) +
                        (OneSegmentShown(screen) ? " segment " + std::to_string(segment) : "") +
                        (shown->IsEmpty() ? " (empty)" : "") + "\n";
                if (shown->Table()) text += RenderTable(*shown->Table());
            }
        }
    return Cp1252ToQString(text).toStdString();
}

void EveryScreenTest::ForEveryScreen(const std::function<void(const std::string&, const std::string&)>& visit) {
    for (const TPageMenuGroup& group : ResultsPageMenu().groups)
        for (const TPageItem& item : group.items) visit(std::string(item.name), RenderResultScreen(item));
    for (const TPageItem& item : OtherFirmScreens()) visit(std::string(item.name), RenderResultScreen(item));
    for (const TNewsletterPage& page : NewsletterPages()) visit(page.name, RenderNewsletterPage(page));
    for (int screen : MarketStudyScreens()) visit("Study" + std::to_string(screen), RenderStudyScreen(screen));
    for (int screen : ZoneStudyScreens()) visit("Study" + std::to_string(screen), RenderStudyScreen(screen));
}

}  // namespace cv::test
