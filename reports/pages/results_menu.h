#pragma once
// The menu of the results page: its groups in menu order, each with the
// instructor's restriction key that disables or hides it, and its items, each
// with the screen it opens and whether that screen is about one market.

#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"
#include "ui/report/cv_screen.h"

namespace cv {

using TResultScreenFactory = std::unique_ptr<TCVScreen> (*)(QWidget* owner, const TDataContext& context);

// The factory of a screen class whose constructor takes its kind before the
// layout, built for a window.
template <class Screen, auto Kind>
std::unique_ptr<TCVScreen> KindScreen(QWidget* owner, const TDataContext& context) {
    return TCVScreen::Create<Screen>(owner, context, static_cast<int>(Kind), kWindowLayout);
}

struct TResultItem {
    std::string_view name;
    std::string_view designCaption;
    TResultScreenFactory create;
    // The screen reads one market: the page's market selector is active for it.
    bool perMarket;
};

struct TResultGroup {
    std::string_view name;
    std::string_view designCaption;
    std::string_view restrictionKey;  // item of the "rcReport" restrictions
    // The item that opens the group when it is the first unrestricted one.
    std::vector<TResultItem> items;
    // Positions before which the menu shows a separator, with its name.
    std::vector<std::pair<std::size_t, std::string_view>> separators;
};

// The groups in menu order: company, brands, R&D, cumulative, messages, past decisions.
const std::vector<TResultGroup>& ResultMenuGroups();
const TResultItem* FindResultItem(std::string_view name);

}  // namespace cv
