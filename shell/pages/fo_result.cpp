#include "shell/pages/fo_result.h"

#include <QApplication>
#include <QMenu>

#include "core/base/errors.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/fo_cv3_main.h"
#include "ui/cv3_speed_button.h"

namespace cv {
namespace {

constexpr char kRestrictionCategory[] = "rcReport";
constexpr char kPageButtonName[] = "SpBResult";
constexpr char kDefaultItem[] = "MPFirSCard";
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

TFoResult::TFoResult(TFoCv3Main& mainWindow, QWidget* owner)
    : TFoCv3Mod(owner, QStringLiteral("FoResult")), mainWindow_(mainWindow) {
    pageButton_ = mainWindow_.findChild<TCv3SpBtn*>(QLatin1String(kPageButtonName));
    if (pageButton_) pageButton_->SetAssociatedForm(this);
    BuildMenu();
    TranslateForm();
    RegisterPage(Item(kDefaultItem));
}

TFoResult::~TFoResult() = default;

void TFoResult::BuildMenu() {
    PageMenuBar()->setObjectName(QStringLiteral("MResult"));
    for (const TResultGroup& group : ResultMenuGroups()) {
        QMenu* menu = AddMenu(Name(group.name), Name(group.designCaption));
        for (std::size_t i = 0; i < group.items.size(); ++i) {
            for (const auto& [position, separator] : group.separators)
                if (position == i) AddSeparator(menu, Name(separator));
            AddMenuItem(menu, Name(group.items[i].name), Name(group.items[i].designCaption));
        }
    }
}

QAction* TFoResult::Item(std::string_view name) const { return findChild<QAction*>(Name(name)); }

bool TFoResult::IsRestricted(std::string_view key) {
    if (!Session) return false;
    const std::string item(key);
    return Session->IsRestrictEnabled(kRestrictionCategory, item) || Session->IsRestrictHidden(kRestrictionCategory, item);
}

void TFoResult::PickDefaultScreen() {
    const TResultItem* chosen = FindResultItem(kDefaultItem);
    for (const TResultGroup& group : ResultMenuGroups())
        if (!IsRestricted(group.restrictionKey)) {
            chosen = &group.items.front();
            break;
        }
    TFoCv3Mod::MenuItemClick(Item(chosen->name));
}

void TFoResult::CheckDefaultScreen() {
    QAction* remembered = RememberedItem();
    if (!remembered) return;
    const TResultGroup* group = GroupOfItem(remembered->objectName().toStdString());
    if (group && IsRestricted(group->restrictionKey)) PickDefaultScreen();
}

void TFoResult::UpdateMenus() {
    TFoCv3Mod::UpdateMenus();
    if (!HasIndustry()) return;
    for (const TResultGroup& group : ResultMenuGroups()) {
        const std::string key(group.restrictionKey);
        const bool enabled = !Session->IsRestrictEnabled(kRestrictionCategory, key);
        const bool visible = !Session->IsRestrictHidden(kRestrictionCategory, key);
        for (const TResultItem& item : group.items) {
            QAction* action = Item(item.name);
            action->setEnabled(enabled);
            action->setVisible(visible);
        }
        // A group is usable exactly when its items are.
        QAction* groupItem = Item(group.name);
        groupItem->setEnabled(enabled);
        groupItem->setVisible(visible);
    }
}

std::uint8_t TFoResult::MarketSelectorMode() const {
    QAction* remembered = RememberedItem();
    const TResultItem* item = remembered ? FindResultItem(remembered->objectName().toStdString()) : nullptr;
    return item && item->perMarket ? kSelectorChoice : kSelectorFixed;
}

void TFoResult::SetupBar() {
    if (!HasIndustry()) return;
    const TCvInd& industry = *Session->Industry();
    // The firm selector stays on the team's own firm; zone and period can be
    // chosen; the market only for the screens about one market.
    SetIndexSelector(industry.FirSeries()->Name(), kSelectorFixed, {kListOne, Data.SelFirm}, {kListAll});
    SetPeriodSelector(kPeriodShown, Data.SelPeriod, true);
    SetIndexSelector(industry.FtaSeries()->Name(), kSelectorChoice, {kListOne, Data.SelFta}, {kListAll});
    SetIndexSelector(industry.MktSeries()->Name(), MarketSelectorMode(), {kListOne, Data.SelMarket}, {kListAll});
    TFoCv3Mod::SetupBar();
}

void TFoResult::FormActivate() {
    TFoCv3Mod::FormActivate();
    if (!HasIndustry() || !pageButton_ || !pageButton_->isEnabled()) return;
    Session->HelpContext = kHelpContext;
    UpdateMenus();
    mainWindow_.ToolButton(kPreviousPageButton)->setVisible(true);
    mainWindow_.ToolButton(kNextPageButton)->setVisible(true);
    mainWindow_.SetPageButtonActive(pageButton_, true);
    CheckDefaultScreen();
    if (QAction* remembered = RememberedItem(); remembered && WindowNumber() >= 1) ShowItemAtCurrentPeriod(remembered);
}

void TFoResult::FormDeactivate() {
    TFoCv3Mod::FormDeactivate();
    if (pageButton_) mainWindow_.SetPageButtonActive(pageButton_, false);
}

void TFoResult::RebuildDisplay() {
    if (QAction* remembered = RememberedItem()) ShowItemAtCurrentPeriod(remembered);
}

void TFoResult::MenuItemClick(QAction* item) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFoCv3Mod::MenuItemClick(item);
    screen_.reset();
    Data.CurPeriod = Data.SelPeriod;
    Data.DecPeriod = Data.SelPeriod;
    SetupBar();
    const TResultItem* chosen = item ? FindResultItem(item->objectName().toStdString()) : nullptr;
    // An item whose group the instructor restricts shows nothing, even when
    // it is the default that every restricted group leaves.
    if (chosen && HasIndustry() && !IsRestricted(GroupOfItem(chosen->name)->restrictionKey)) ShowScreen(*chosen);
    QApplication::restoreOverrideCursor();
}

void TFoResult::ShowScreen(const TResultItem& item) {
    try {
        screen_ = item.create(this, Data);
    } catch (const ECvError& error) {
        screen_.reset();
        Ui().ShowErrorBox(error.what());
    }
}

}  // namespace cv
