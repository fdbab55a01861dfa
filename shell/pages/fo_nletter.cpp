#include "shell/pages/fo_nletter.h"

#include <QApplication>
#include <QMenu>

#include "core/base/errors.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "shell/fo_cv3_main.h"
#include "shell/pages/newsletter_menu.h"
#include "ui/cp1252.h"
#include "ui/cv3_speed_button.h"

namespace cv {
namespace {

constexpr char kRestrictionCategory[] = "rcNewsletter";
constexpr char kPageButtonName[] = "SpBNLetter";
constexpr char kDefaultItem[] = "MPNLSMktSPI";
constexpr char kScoreCardItem[] = "MPNLSMktSCard";
constexpr char kModeLabelKey[] = "LSelectPresMode";
constexpr char kModesKey[] = "SCardModes";
constexpr int kModeComboPosition = 1;  // the combo whose choice is the context's graph option
constexpr int kPreviousPageButton = 6;
constexpr int kNextPageButton = 7;
constexpr std::uint8_t kSelectorFixed = 0;
constexpr std::uint8_t kSelectorChoice = 2;
constexpr std::uint8_t kPeriodShown = 2;
constexpr int kListOne = 2;
constexpr int kListAll = 32767;
constexpr int kScreenPlacement = 18;

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

bool HasIndustry() { return Session && Session->Industry(); }

QString ModeLabel() {
    std::vector<std::string> lines;
    if (Translator) Translator->GetLines(kSectionControls, kModeLabelKey, lines);
    return lines.empty() ? QString() : Cp1252ToQString(lines.front());
}

}  // namespace

TFoNLetter::TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner)
    : TFoCv3Mod(owner, QStringLiteral("FoNLetter")), mainWindow_(mainWindow) {
    pageButton_ = mainWindow_.findChild<TCv3SpBtn*>(QLatin1String(kPageButtonName));
    if (pageButton_) pageButton_->SetAssociatedForm(this);
    BuildMenu();
    TranslateForm();
    RegisterPage(Item(kDefaultItem));
}

TFoNLetter::~TFoNLetter() = default;

void TFoNLetter::BuildMenu() {
    PageMenuBar()->setObjectName(QStringLiteral("MNLetter"));
    for (const TNewsletterGroup& group : NewsletterMenuGroups()) {
        QMenu* menu = AddMenu(Name(group.name), Name(group.designCaption));
        for (const TNewsletterItem& item : group.items) AddMenuItem(menu, Name(item.name), Name(item.designCaption));
    }
}

QAction* TFoNLetter::Item(std::string_view name) const { return findChild<QAction*>(Name(name)); }

QComboBox* TFoNLetter::PresentationCombo() const {
    QComboBox* combo = const_cast<TFoNLetter*>(this)->Combos().Combo(kModeComboPosition);
    return combo && combo->isVisible() ? combo : nullptr;
}

bool TFoNLetter::IsRestricted(std::string_view key) {
    if (!Session) return false;
    const std::string item(key);
    return Session->IsRestrictEnabled(kRestrictionCategory, item) || Session->IsRestrictHidden(kRestrictionCategory, item);
}

void TFoNLetter::PickDefaultScreen() {
    std::string_view chosen = kDefaultItem;
    for (const TNewsletterGroup& group : NewsletterMenuGroups())
        if (!IsRestricted(group.restrictionKey)) {
            chosen = group.items.front().name;
            break;
        }
    TFoCv3Mod::MenuItemClick(Item(chosen));
}

void TFoNLetter::CheckDefaultScreen() {
    QAction* remembered = RememberedItem();
    if (!remembered) return;
    const TNewsletterGroup* group = GroupOfNewsletterItem(remembered->objectName().toStdString());
    if (group && IsRestricted(group->restrictionKey)) PickDefaultScreen();
}

void TFoNLetter::UpdateMenus() {
    TFoCv3Mod::UpdateMenus();
    if (!HasIndustry()) return;
    for (const TNewsletterGroup& group : NewsletterMenuGroups()) {
        const std::string key(group.restrictionKey);
        const bool enabled = !Session->IsRestrictEnabled(kRestrictionCategory, key);
        const bool visible = !Session->IsRestrictHidden(kRestrictionCategory, key);
        for (const TNewsletterItem& item : group.items) {
            QAction* action = Item(item.name);
            action->setEnabled(enabled);
            action->setVisible(visible);
        }
        QAction* groupItem = Item(group.name);
        groupItem->setEnabled(enabled);
        groupItem->setVisible(visible);
    }
}

void TFoNLetter::SetupBar() {
    if (!HasIndustry()) return;
    const TCvInd& industry = *Session->Industry();
    QAction* remembered = RememberedItem();
    const TNewsletterItem* item = remembered ? FindNewsletterItem(remembered->objectName().toStdString()) : nullptr;
    // The administrator reads any firm's newsletter view; the team its own.
    SetIndexSelector(industry.FirSeries()->Name(), Session->AdminView() ? kSelectorChoice : kSelectorFixed,
                     {kListOne, Data.SelFirm}, {kListAll});
    SetPeriodSelector(kPeriodShown, Data.SelPeriod, true);
    SetIndexSelector(industry.FtaSeries()->Name(), kSelectorChoice, {kListOne, Data.SelFta}, {kListAll});
    SetIndexSelector(industry.MktSeries()->Name(), item && item->perMarket ? kSelectorChoice : kSelectorFixed,
                     {kListOne, Data.SelMarket}, {kListAll});
    TFoCv3Mod::SetupBar();
}

void TFoNLetter::FormActivate() {
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

void TFoNLetter::FormDeactivate() {
    TFoCv3Mod::FormDeactivate();
    if (pageButton_) mainWindow_.SetPageButtonActive(pageButton_, false);
}

void TFoNLetter::RebuildDisplay() {
    QAction* remembered = RememberedItem();
    const TNewsletterItem* item = remembered ? FindNewsletterItem(remembered->objectName().toStdString()) : nullptr;
    // A new presentation mode keeps the scorecard's combo as it is.
    if (item && remembered->objectName() == QLatin1String(kScoreCardItem) && Screen) {
        ShowPage(item->page);
        return;
    }
    if (remembered) ShowItemAtCurrentPeriod(remembered);
}

void TFoNLetter::MenuItemClick(QAction* item) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFoCv3Mod::MenuItemClick(item);
    Data.CurPeriod = Data.SelPeriod;
    Data.DecPeriod = Data.SelPeriod;
    SetupBar();
    const TNewsletterItem* chosen = item ? FindNewsletterItem(item->objectName().toStdString()) : nullptr;
    // An item whose group the instructor restricts shows nothing, even when
    // it is the default that every restricted group leaves.
    if (chosen && HasIndustry() && !IsRestricted(GroupOfNewsletterItem(chosen->name)->restrictionKey)) {
        if (chosen->name == kScoreCardItem)
            ShowScoreCard();
        else
            ShowPage(chosen->page);
    }
    QApplication::restoreOverrideCursor();
}

void TFoNLetter::ShowScoreCard() {
    Data.GraphOption = TNewsScr::kValuesMode;
    if (Data.CurPeriod > 0) {
        const int last = si::SCardModes ? si::SCardModes->Count() : static_cast<int>(TNewsScr::kIndexMode);
        Combos().AddListCombo(ModeLabel(), kModeComboPosition, Data.GraphOption, {kModesKey, 1, last});
    }
    ShowPage(TNewsScr::kScoreCard);
}

void TFoNLetter::ShowPage(int page) {
    Screen.reset();
    try {
        Screen = TCVScreen::Create<TNewsScr>(this, Data, page, kScreenPlacement, 0, 0, kWindowMode);
    } catch (const ECvError& error) {
        Screen.reset();
        Ui().ShowErrorBox(error.what());
    }
}

}  // namespace cv
