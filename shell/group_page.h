#pragma once
// TGroupPage: the page whose menu is made of groups of items that the
// instructor's restrictions disable or hide. A page is one table, TPageMenu,
// plus the hooks that really differ; from the table the group page builds the
// menu, handles a click (hourglass, the item remembered and checked, the
// selector bar set up, the item's view shown unless restricted), applies the
// restrictions on every activation and shows the remembered item again.
//
// A page declares itself like this:
//
//     const TPageMenu kMenu{"FoResult", "MResult", "SpBResult", "rcReport", kHelpContext, false,
//                           {{"MPFir", "&Company", "NoCompanyResults",
//                             {{"MPFirSCard", "&Scorecard", KindScreen<TFirResult, TFirResult::kScoreCard>}}}}};
//     TFoResult::TFoResult(TFoCv3Main& mainWindow, QWidget* owner) : TGroupPage(mainWindow, owner, kMenu) {}

#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/page_window.h"
#include "ui/help_contexts.h"

namespace cv {

class TFoCv3Main;
class TCv3SpBtn;

// Builds a report screen on Owner for Context, in the window layout.
using TScreenFactory = std::unique_ptr<TCVScreen> (*)(QWidget* owner, const TDataContext& context);

// The factory of a screen class whose constructor takes its kind before the
// layout: the kind's enumeration itself when the constructor takes it, else its number.
template <class Screen, auto Kind>
std::unique_ptr<TCVScreen> KindScreen(QWidget* owner, const TDataContext& context) {
    if constexpr (std::is_constructible_v<Screen, QWidget*, const TDataContext&, decltype(Kind), const TScreenLayout&>)
        return TCVScreen::Create<Screen>(owner, context, Kind, kWindowLayout);
    else
        return TCVScreen::Create<Screen>(owner, context, static_cast<int>(Kind), kWindowLayout);
}

struct TPageItem {
    std::string_view name;
    std::string_view designCaption;
    // The report screen the item shows. A page that shows some items its own
    // way (a chart with combos above it, a screen that needs a combo first)
    // does so in its ShowItem hook, falling back on this screen.
    TScreenFactory screen = nullptr;
    // The view reads one market: the market selector lets the team choose it.
    bool perMarket = false;
    // The component name of a separator the menu shows before the item; empty for none.
    std::string_view separatorBefore = {};
    // The item of the restriction category that disables or hides this item;
    // empty when the item follows its group's.
    std::string_view restrictionKey = {};
    // The category of that item; empty for the page's own.
    std::string_view restrictionCategory = {};
};

struct TPageMenuGroup {
    std::string_view name;
    std::string_view designCaption;
    // The item of the page's restriction category that disables or hides the
    // group; empty when each item has its own and the group is usable while
    // any of them is.
    std::string_view restrictionKey;
    std::vector<TPageItem> items;
};

// Everything that tells one group page from another.
struct TPageMenu {
    const char* formName;
    const char* menuBarName;
    const char* pageButtonName;
    const char* restrictionCategory;
    THelpContext helpContext;
    // The administrator view may read any firm's view; the team reads its own.
    bool adminChoosesFirm;
    // In menu order. The first item of the first group is remembered at start
    // and whenever every group is restricted.
    std::vector<TPageMenuGroup> groups;
};

class TGroupPage : public TFoCv3Mod {
    Q_OBJECT

public:
    // Modes of a selector group: 0 fixed on the context's element, 2 one choice.
    static constexpr std::uint8_t kSelectorFixed = 0;
    static constexpr std::uint8_t kSelectorChoice = 2;

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void UpdateMenus() override;
    // The remembered item again, at the period now selected.
    void RebuildDisplay() override;
    void FormActivate() override;
    void FormDeactivate() override;

    // The first item, in menu order, that is not restricted becomes the
    // remembered item; the table's first item when every one is restricted.
    void PickDefaultScreen();
    // Picks the default when the remembered item is restricted.
    void CheckDefaultScreen();
    // A menu item or group of the page by its component name; null when none.
    QAction* Item(std::string_view name) const;
    // The table's entry of the remembered item; null when none is remembered.
    const TPageItem* RememberedPageItem() const;

protected:
    // Builds the menu from the table, translates the page and registers it
    // with the table's first item remembered.
    TGroupPage(TFoCv3Main& mainWindow, QWidget* owner, const TPageMenu& menu, TPageNeeds needs = {});
    // Shows what the chosen Item shows: by default its report screen. An
    // error of the data it reads abandons the view and is shown.
    virtual void ShowItem(const TPageItem& item);
    // Whether a restricted item is shown too: false, it shows nothing; a
    // page whose screens explain why they may not be shown answers true.
    virtual bool ShowsRestrictedItems() const { return false; }

    TFoCv3Main& mainWindow_;

private:
    void BuildMenu();
    const TPageMenuGroup* GroupOf(std::string_view itemName) const;
    const TPageItem* FindItem(std::string_view name) const;
    // Whether the item named Name is restricted, by its own key or its group's.
    bool IsItemRestricted(std::string_view name) const;
    // Whether the instructor disables (Hidden false) or hides the item.
    bool IsItemBarred(const TPageMenuGroup& group, const TPageItem& item, bool hidden) const;

    const TPageMenu& menu_;
    TCv3SpBtn* pageButton_ = nullptr;
};

}  // namespace cv
