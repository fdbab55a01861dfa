#pragma once
// TGroupPage: the base of the report pages whose menu is made of groups that
// the instructor's restrictions disable or hide as a whole (results,
// newsletter). It keeps the page button, the default item, the menu's
// enabling and the activation steps the pages share; a page supplies its
// groups, its selectors and what an item shows.

#include <cstdint>
#include <string_view>
#include <vector>

#include "shell/page_window.h"

namespace cv {

class TFoCv3Main;
class TCv3SpBtn;

// One menu group as the base sees it: its restriction key and its items' names.
struct TPageGroup {
    std::string_view name;
    std::string_view restrictionKey;
    std::vector<std::string_view> items;
};

// What tells one group page from another.
struct TGroupPageSettings {
    const char* formName;
    const char* pageButtonName;
    const char* restrictionCategory;
    // Remembered at start, and when every group is restricted.
    const char* defaultItem;
    int helpContext;
};

class TGroupPage : public TFoCv3Mod {
    Q_OBJECT

public:
    // Modes of a selector group: 0 fixed on the context's element, 2 one choice.
    static constexpr std::uint8_t kSelectorFixed = 0;
    static constexpr std::uint8_t kSelectorChoice = 2;

    void UpdateMenus() override;
    void FormActivate() override;
    void FormDeactivate() override;

    // Whether the instructor disables or hides the item Key of the page's category.
    bool IsRestricted(std::string_view key) const;
    // The first item of the first unrestricted group becomes the remembered
    // item; the default item when every group is restricted.
    void PickDefaultScreen();
    // Picks the default when the remembered item's group is restricted.
    void CheckDefaultScreen();
    QAction* Item(std::string_view name) const;

protected:
    TGroupPage(TFoCv3Main& mainWindow, QWidget* owner, const TGroupPageSettings& settings,
               std::vector<TPageGroup> groups);
    // Translates the menu the page has built and remembers the default item.
    void FinishCreation();
    // Whether the group holding the item named Name is restricted.
    bool IsItemRestricted(std::string_view name) const;
    // Loads firm, period, zone and market selectors for the open industry.
    void LoadSelectors(std::uint8_t firmMode, std::uint8_t marketMode);
    // Clears the page's display and checks Item (base of MenuItemClick), then
    // resets the context's result and decision periods to the selected one.
    void StartItem(QAction* item);

    TFoCv3Main& mainWindow_;

private:
    const TPageGroup* GroupOf(std::string_view itemName) const;

    TGroupPageSettings settings_;
    std::vector<TPageGroup> groups_;
    TCv3SpBtn* pageButton_ = nullptr;
};

}  // namespace cv
