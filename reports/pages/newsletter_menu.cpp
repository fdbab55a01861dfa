#include "reports/pages/newsletter_menu.h"

namespace cv {

const std::vector<TNewsletterGroup>& NewsletterMenuGroups() {
    static const std::vector<TNewsletterGroup> groups = {
        {"MPNLSMkt",
         "&Stock market",
         "NoStockMarket",
         {{"MPNLSMktSPI", "&Stock price indexes", 1, false}, {"MPNLSMktSCard", "S&corecard", 6, false}}},
        {"MPNLEco",
         "&Economy",
         "NoEconomic",
         {{"MPNLEcoVars", "&Economic variables", 2, false}, {"MPNLEcoMRS", "&Study prices", 3, false}}},
        {"MPNLBrd",
         "&Market report",
         "NoMarketReport",
         {{"MPNLBrdAttr", "Brand &characteristics", 4, true}, {"MPNLBrdSales", "Brand &sales", 5, true}}},
    };
    return groups;
}

const TNewsletterItem* FindNewsletterItem(std::string_view name) {
    for (const TNewsletterGroup& group : NewsletterMenuGroups())
        for (const TNewsletterItem& item : group.items)
            if (item.name == name) return &item;
    return nullptr;
}

}  // namespace cv
