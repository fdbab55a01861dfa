#include "reports/pages/results_page.h"

#include <QApplication>
#include <QMenu>

#include "core/base/errors.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"

namespace cv {
namespace {

constexpr TGroupPageSettings kSettings{"FoResult", "SpBResult", "rcReport", "MPFirSCard", TFoResult::kHelpContext};

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

std::vector<TPageGroup> PageGroups() {
    std::vector<TPageGroup> groups;
    for (const TResultGroup& group : ResultMenuGroups()) {
        TPageGroup& page = groups.emplace_back(TPageGroup{group.name, group.restrictionKey, {}});
        for (const TResultItem& item : group.items) page.items.push_back(item.name);
    }
    return groups;
}

}  // namespace

TFoResult::TFoResult(TFoCv3Main& mainWindow, QWidget* owner)
    : TGroupPage(mainWindow, owner, kSettings, PageGroups()) {
    BuildMenu();
    FinishCreation();
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

std::uint8_t TFoResult::MarketSelectorMode() const {
    QAction* remembered = RememberedItem();
    const TResultItem* item = remembered ? FindResultItem(remembered->objectName().toStdString()) : nullptr;
    return item && item->perMarket ? kSelectorChoice : kSelectorFixed;
}

void TFoResult::SetupBar() {
    // The firm selector stays on the team's own firm; zone and period can be
    // chosen; the market only for the screens about one market.
    if (Session && Session->Industry()) LoadSelectors(kSelectorFixed, MarketSelectorMode());
}

void TFoResult::RebuildDisplay() {
    if (QAction* remembered = RememberedItem()) ShowItemAtCurrentPeriod(remembered);
}

void TFoResult::MenuItemClick(QAction* item) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StartItem(item);
    screen_.reset();
    SetupBar();
    const TResultItem* chosen = item ? FindResultItem(item->objectName().toStdString()) : nullptr;
    // An item whose group the instructor restricts shows nothing, even when
    // it is the default that every restricted group leaves.
    if (chosen && Session && Session->Industry() && !IsItemRestricted(chosen->name)) ShowScreen(*chosen);
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
