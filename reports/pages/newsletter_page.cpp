#include "reports/pages/newsletter_page.h"

#include <QApplication>
#include <QMenu>

#include "core/base/errors.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "reports/pages/newsletter_menu.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

constexpr TGroupPageSettings kSettings{"FoNLetter", "SpBNLetter", "rcNewsletter", "MPNLSMktSPI",
                                       TFoNLetter::kHelpContext};
constexpr char kScoreCardItem[] = "MPNLSMktSCard";
constexpr char kModeLabelKey[] = "LSelectPresMode";
constexpr char kModesKey[] = "SCardModes";
constexpr int kModeComboPosition = 1;  // the combo whose choice is the context's graph option

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

bool HasIndustry() { return Session && Session->Industry(); }

std::vector<TPageGroup> PageGroups() {
    std::vector<TPageGroup> groups;
    for (const TNewsletterGroup& group : NewsletterMenuGroups()) {
        TPageGroup& page = groups.emplace_back(TPageGroup{group.name, group.restrictionKey, {}});
        for (const TNewsletterItem& item : group.items) page.items.push_back(item.name);
    }
    return groups;
}

QString ModeLabel() {
    std::vector<std::string> lines;
    if (Translator) Translator->GetLines(kSectionControls, kModeLabelKey, lines);
    return lines.empty() ? QString() : Cp1252ToQString(lines.front());
}

}  // namespace

TFoNLetter::TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner)
    : TGroupPage(mainWindow, owner, kSettings, PageGroups()) {
    BuildMenu();
    FinishCreation();
}

TFoNLetter::~TFoNLetter() = default;

void TFoNLetter::BuildMenu() {
    PageMenuBar()->setObjectName(QStringLiteral("MNLetter"));
    for (const TNewsletterGroup& group : NewsletterMenuGroups()) {
        QMenu* menu = AddMenu(Name(group.name), Name(group.designCaption));
        for (const TNewsletterItem& item : group.items) AddMenuItem(menu, Name(item.name), Name(item.designCaption));
    }
}

QComboBox* TFoNLetter::PresentationCombo() const {
    QComboBox* combo = const_cast<TFoNLetter*>(this)->Combos().Combo(kModeComboPosition);
    return combo && combo->isVisible() ? combo : nullptr;
}

void TFoNLetter::SetupBar() {
    if (!HasIndustry()) return;
    QAction* remembered = RememberedItem();
    const TNewsletterItem* item = remembered ? FindNewsletterItem(remembered->objectName().toStdString()) : nullptr;
    // The administrator reads any firm's newsletter view; the team its own.
    LoadSelectors(Session->AdminView() ? kSelectorChoice : kSelectorFixed,
                  item && item->perMarket ? kSelectorChoice : kSelectorFixed);
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
    StartItem(item);
    SetupBar();
    const TNewsletterItem* chosen = item ? FindNewsletterItem(item->objectName().toStdString()) : nullptr;
    // An item whose group the instructor restricts shows nothing, even when
    // it is the default that every restricted group leaves.
    if (chosen && HasIndustry() && !IsItemRestricted(chosen->name)) {
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
        Screen = TCVScreen::Create<TNewsScr>(this, Data, page, kWindowLayout);
    } catch (const ECvError& error) {
        Screen.reset();
        Ui().ShowErrorBox(error.what());
    }
}

}  // namespace cv
