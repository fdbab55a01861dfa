#include "shell/group_page.h"

#include <algorithm>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "shell/main_window.h"
#include "ui/cv3_speed_button.h"
#include "ui/help_state.h"

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

TGroupPage::TGroupPage(TFoCv3Main& mainWindow, QWidget* owner, const TGroupPageSettings& settings,
                       std::vector<TPageGroup> groups)
    : TFoCv3Mod(owner, QString::fromLatin1(settings.formName)),
      mainWindow_(mainWindow),
      settings_(settings),
      groups_(std::move(groups)) {
    pageButton_ = mainWindow_.findChild<TCv3SpBtn*>(QLatin1String(settings_.pageButtonName));
    if (pageButton_) pageButton_->SetAssociatedForm(this);
}

void TGroupPage::FinishCreation() {
    TranslateForm();
    RegisterPage(Item(settings_.defaultItem));
}

QAction* TGroupPage::Item(std::string_view name) const { return findChild<QAction*>(Name(name)); }

bool TGroupPage::IsRestricted(std::string_view key) const {
    if (!Session) return false;
    const std::string item(key);
    return Session->IsRestrictEnabled(settings_.restrictionCategory, item) ||
           Session->IsRestrictHidden(settings_.restrictionCategory, item);
}

const TPageGroup* TGroupPage::GroupOf(std::string_view itemName) const {
    for (const TPageGroup& group : groups_)
        if (std::find(group.items.begin(), group.items.end(), itemName) != group.items.end()) return &group;
    return nullptr;
}

bool TGroupPage::IsItemRestricted(std::string_view name) const {
    const TPageGroup* group = GroupOf(name);
    return group && IsRestricted(group->restrictionKey);
}

void TGroupPage::PickDefaultScreen() {
    std::string_view chosen = settings_.defaultItem;
    for (const TPageGroup& group : groups_)
        if (!IsRestricted(group.restrictionKey)) {
            chosen = group.items.front();
            break;
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
    for (const TPageGroup& group : groups_) {
        const std::string key(group.restrictionKey);
        const bool enabled = !Session->IsRestrictEnabled(settings_.restrictionCategory, key);
        const bool visible = !Session->IsRestrictHidden(settings_.restrictionCategory, key);
        // A group is usable exactly when its items are.
        for (std::string_view name : group.items) {
            QAction* action = Item(name);
            action->setEnabled(enabled);
            action->setVisible(visible);
        }
        QAction* groupItem = Item(group.name);
        groupItem->setEnabled(enabled);
        groupItem->setVisible(visible);
    }
}

void TGroupPage::LoadSelectors(std::uint8_t firmMode, std::uint8_t marketMode) {
    const TCvInd& industry = *Session->Industry();
    SetIndexSelector(industry.FirSeries()->Name(), firmMode, {kListOne, Data.SelFirm}, {kListAll});
    SetPeriodSelector(kPeriodShown, Data.SelPeriod, true);
    SetIndexSelector(industry.FtaSeries()->Name(), kSelectorChoice, {kListOne, Data.SelFta}, {kListAll});
    SetIndexSelector(industry.MktSeries()->Name(), marketMode, {kListOne, Data.SelMarket}, {kListAll});
    TFoCv3Mod::SetupBar();
}

void TGroupPage::FormActivate() {
    TFoCv3Mod::FormActivate();
    if (!HasIndustry() || !pageButton_ || !pageButton_->isEnabled()) return;
    HelpState().HelpContext = settings_.helpContext;
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

void TGroupPage::StartItem(QAction* item) {
    TFoCv3Mod::MenuItemClick(item);
    Data.CurPeriod = Data.SelPeriod;
    Data.DecPeriod = Data.SelPeriod;
}

}  // namespace cv
