#include "shell/group_page.h"

#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "shell/main_window.h"
#include "ui/cv3_speed_button.h"
#include "ui/help_state.h"
#include "ui/user_action.h"
#include "ui/wait_cursor.h"

namespace cv {
namespace {

// Tool buttons 6 and 7 step through the page's menu items.
constexpr int kPreviousPageButton = 6;
constexpr int kNextPageButton = 7;
constexpr std::uint8_t kPeriodShown = 2;
// Lists of the index selectors: the one element given next, and every element.
constexpr int kListOne = 2;
constexpr int kListAll = 32767;

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

bool HasIndustry() { return Session && Session->Industry(); }

}  // namespace

TGroupPage::TGroupPage(TFoCv3Main& mainWindow, QWidget* owner, const TPageMenu& menu, TPageNeeds needs)
    : TFoCv3Mod(owner, QString::fromLatin1(menu.formName), needs), mainWindow_(mainWindow), menu_(menu) {
    pageButton_ = mainWindow_.findChild<TCv3SpBtn*>(QLatin1String(menu_.pageButtonName));
    if (pageButton_) pageButton_->SetAssociatedForm(this);
    BuildMenu();
    TranslateForm();
    RegisterPage(Item(menu_.groups.front().items.front().name));
}

void TGroupPage::BuildMenu() {
    PageMenuBar()->setObjectName(QString::fromLatin1(menu_.menuBarName));
    for (const TPageMenuGroup& group : menu_.groups) {
        QMenu* menu = AddMenu(Name(group.name), Name(group.designCaption));
        for (const TPageItem& item : group.items) {
            if (!item.separatorBefore.empty()) AddSeparator(menu, Name(item.separatorBefore));
            AddMenuItem(menu, Name(item.name), Name(item.designCaption));
        }
    }
}

QAction* TGroupPage::Item(std::string_view name) const { return findChild<QAction*>(Name(name)); }

const TPageItem* TGroupPage::FindItem(std::string_view name) const {
    for (const TPageMenuGroup& group : menu_.groups)
        for (const TPageItem& item : group.items)
            if (item.name == name) return &item;
    return nullptr;
}

const TPageItem* TGroupPage::RememberedPageItem() const {
    QAction* remembered = RememberedItem();
    return remembered ? FindItem(remembered->objectName().toStdString()) : nullptr;
}

const TPageMenuGroup* TGroupPage::GroupOf(std::string_view itemName) const {
    for (const TPageMenuGroup& group : menu_.groups)
        if (std::any_of(group.items.begin(), group.items.end(),
                        [&](const TPageItem& item) { return item.name == itemName; }))
            return &group;
    return nullptr;
}

bool TGroupPage::IsItemBarred(const TPageMenuGroup& group, const TPageItem& item, bool hidden) const {
    const std::string category(item.restrictionCategory.empty() ? std::string_view(menu_.restrictionCategory)
                                                                : item.restrictionCategory);
    const std::string key(item.restrictionKey.empty() ? group.restrictionKey : item.restrictionKey);
    return hidden ? Session->IsRestrictHidden(category, key) : Session->IsRestrictEnabled(category, key);
}

bool TGroupPage::IsItemRestricted(std::string_view name) const {
    const TPageMenuGroup* group = GroupOf(name);
    const TPageItem* item = FindItem(name);
    if (!Session || !group || !item) return false;
    return IsItemBarred(*group, *item, false) || IsItemBarred(*group, *item, true);
}

void TGroupPage::PickDefaultScreen() {
    std::string_view chosen = menu_.groups.front().items.front().name;
    for (const TPageMenuGroup& group : menu_.groups) {
        const auto free = std::find_if(group.items.begin(), group.items.end(),
                                       [&](const TPageItem& item) { return !IsItemRestricted(item.name); });
        if (free != group.items.end()) {
            chosen = free->name;
            break;
        }
    }
    TFoCv3Mod::MenuItemClick(Item(chosen));
}

void TGroupPage::CheckDefaultScreen() {
    QAction* remembered = RememberedItem();
    if (remembered && IsItemRestricted(remembered->objectName().toStdString())) PickDefaultScreen();
}

void TGroupPage::UpdateMenus() {
    TFoCv3Mod::UpdateMenus();
    if (!HasIndustry()) return;
    for (const TPageMenuGroup& group : menu_.groups) {
        // A group is usable exactly when one of its items is.
        bool anyEnabled = false, anyVisible = false;
        for (const TPageItem& item : group.items) {
            const bool enabled = !IsItemBarred(group, item, false);
            const bool visible = !IsItemBarred(group, item, true);
            QAction* action = Item(item.name);
            action->setEnabled(enabled);
            action->setVisible(visible);
            anyEnabled = anyEnabled || enabled;
            anyVisible = anyVisible || visible;
        }
        QAction* groupItem = Item(group.name);
        groupItem->setEnabled(anyEnabled);
        groupItem->setVisible(anyVisible);
    }
}

void TGroupPage::SetupBar() {
    if (!HasIndustry()) return;
    const TCvInd& industry = *Session->Industry();
    const TPageItem* item = RememberedPageItem();
    const std::uint8_t firmMode = menu_.adminChoosesFirm && Session->AdminView() ? kSelectorChoice : kSelectorFixed;
    const std::uint8_t marketMode = item && item->perMarket ? kSelectorChoice : kSelectorFixed;
    SetIndexSelector(industry.FirSeries()->Name(), firmMode, {kListOne, Data.SelFirm}, {kListAll});
    SetPeriodSelector(kPeriodShown, Data.SelPeriod, true);
    SetIndexSelector(industry.FtaSeries()->Name(), kSelectorChoice, {kListOne, Data.SelFta}, {kListAll});
    SetIndexSelector(industry.MktSeries()->Name(), marketMode, {kListOne, Data.SelMarket}, {kListAll});
    TFoCv3Mod::SetupBar();
}

void TGroupPage::MenuItemClick(QAction* item) {
    const TWaitCursor wait;
    TFoCv3Mod::MenuItemClick(item);
    Data.CurPeriod = Data.SelPeriod;
    Data.DecPeriod = Data.SelPeriod;
    SetupBar();
    const TPageItem* chosen = item ? FindItem(item->objectName().toStdString()) : nullptr;
    // An item whose group the instructor restricts shows nothing, even when
    // it is the default that every restricted group leaves, unless the page
    // explains it.
    if (chosen && HasIndustry() && (ShowsRestrictedItems() || !IsItemRestricted(chosen->name)))
        RunUserAction([&] { ShowItem(*chosen); }, [this] { Display().Clear(); });
}

void TGroupPage::RebuildDisplay() {
    if (QAction* remembered = RememberedItem()) ShowItemAtCurrentPeriod(remembered);
}

void TGroupPage::ShowItem(const TPageItem& item) {
    if (item.screen) Display().Show(item.screen(this, Data));
}

void TGroupPage::FormActivate() {
    TFoCv3Mod::FormActivate();
    if (!HasIndustry() || !pageButton_ || !pageButton_->isEnabled()) return;
    HelpState().HelpContext = menu_.helpContext;
    UpdateMenus();
    mainWindow_.ToolButton(kPreviousPageButton)->setVisible(true);
    mainWindow_.ToolButton(kNextPageButton)->setVisible(true);
    mainWindow_.SetPageButtonActive(pageButton_, true);
    CheckDefaultScreen();
    if (QAction* remembered = RememberedItem(); remembered && WindowNumber() >= 1) ShowItemAtCurrentPeriod(remembered);
}

void TGroupPage::FormDeactivate() {
    TFoCv3Mod::FormDeactivate();
    if (pageButton_) mainWindow_.SetPageButtonActive(pageButton_, false);
}

}  // namespace cv
