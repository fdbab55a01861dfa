#include "reports/pages/newsletter_menu.h"

#include "reports/newsletter/news_screen.h"
#include "reports/pages/newsletter_page.h"

namespace cv {
namespace {

TPageMenu MakeMenu() {
    return {"FoNLetter",
            "MNLetter",
            "SpBNLetter",
            "rcNewsletter",
            TFoNLetter::kHelpContext,
            true,
            {
                {"MPNLSMkt",
                 "&Stock market",
                 "NoStockMarket",
                 {{"MPNLSMktSPI", "&Stock price indexes", KindScreen<TNewsScr, TNewsScr::kStockMarket>},
                  {kNewsletterScoreCardItem, "S&corecard", KindScreen<TNewsScr, TNewsScr::kScoreCard>}}},
                {"MPNLEco",
                 "&Economy",
                 "NoEconomic",
                 {{"MPNLEcoVars", "&Economic variables", KindScreen<TNewsScr, TNewsScr::kEconomicVariables>},
                  {"MPNLEcoMRS", "&Study prices", KindScreen<TNewsScr, TNewsScr::kStudyPrices>}}},
                {"MPNLBrd",
                 "&Market report",
                 "NoMarketReport",
                 {{"MPNLBrdAttr", "Brand &characteristics", KindScreen<TNewsScr, TNewsScr::kBrandCharacteristics>,
                   true},
                  {"MPNLBrdSales", "Brand &sales", KindScreen<TNewsScr, TNewsScr::kBrandSales>, true}}},
            }};
}

}  // namespace

const TPageMenu& NewsletterPageMenu() {
    static const TPageMenu menu = MakeMenu();
    return menu;
}

}  // namespace cv
