#pragma once
// The menu of the newsletter page: three groups, each with the instructor's
// "rcNewsletter" restriction key and its items, each opening one newsletter page.

#include <string_view>
#include <vector>

namespace cv {

struct TNewsletterItem {
    std::string_view name;
    std::string_view designCaption;
    int page;  // page number of the newsletter screen
    // The page reads one market: the page's market selector is active for it.
    bool perMarket;
};

struct TNewsletterGroup {
    std::string_view name;
    std::string_view designCaption;
    std::string_view restrictionKey;
    std::vector<TNewsletterItem> items;
};

// Stock market, economy, market report; the first item of each is its default.
const std::vector<TNewsletterGroup>& NewsletterMenuGroups();
const TNewsletterItem* FindNewsletterItem(std::string_view name);

}  // namespace cv
