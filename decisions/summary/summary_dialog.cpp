#include "decisions/summary/summary_dialog.h"

#include <QApplication>
#include <array>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/dialog_frame.h"
#include "decisions/dialogs/screen_fit.h"
#include "reports/budget/bgt_screen.h"
#include "reports/results/decsummary.h"
#include "shell/selector/cv_bar.h"
#include "ui/cp1252.h"
#include "ui/qn_tab_set.h"
#include "ui/screen_room.h"

namespace cv {

namespace {

// A tab: its caption's entry and line, its screen, and whether the screen
// reads one market (the market group offers one choice) or not (inactive).
struct TSummaryTab {
    int section;
    const char* key;
    int line;
    int kind;
    bool perMarket;
};

// The summary's tabs are captioned like the results page's past-decision items.
constexpr std::array<TSummaryTab, 5> kDecisionTabs{{
    {kSectionMenus, "MPPDecsBrd", 1, static_cast<int>(TDecSummaryKind::Brands), true},
    {kSectionMenus, "MPPDecsSlf", 1, static_cast<int>(TDecSummaryKind::SalesForce), false},
    {kSectionMenus, "MPPDecsRnD", 1, static_cast<int>(TDecSummaryKind::RnD), true},
    {kSectionMenus, "MPPDecsStu", 1, static_cast<int>(TDecSummaryKind::Studies), false},
    {kSectionMenus, "MPPDecsLoan", 1, static_cast<int>(TDecSummaryKind::Loan), false},
}};
constexpr std::array<TSummaryTab, 3> kBudgetTabs{{
    {kSectionControls, "TSBudget", 1, TBgtScreen::kTotalBudget, false},
    {kSectionControls, "TSBudget", 2, TBgtScreen::kBrandBudget, true},
    {kSectionControls, "TSBudget", 3, TBgtScreen::kRnDBudget, false},
}};

const TSummaryTab* Tab(TSummaryMode mode, int index) {
    if (index < 0) return nullptr;
    const auto at = static_cast<std::size_t>(index);
    if (mode == TSummaryMode::Decisions) return at < kDecisionTabs.size() ? &kDecisionTabs[at] : nullptr;
    return at < kBudgetTabs.size() ? &kBudgetTabs[at] : nullptr;
}

// The form and its controls, in pixels: normal screen, then the small screen's changes.
constexpr QSize kClient(780, 540);
constexpr QRect kTabs(5, kLentControlsTop, 770, 20);
constexpr QRect kBevel(5, kLentControlsTop + 22, 770, 440);
constexpr QSize kOk(89, 26);
constexpr int kOkFromBottom = 32;
constexpr QSize kSmallClient(640, 470);
constexpr int kSmallBevelHeight = 370;
constexpr char kBudgetCaptionKey[] = "BBBudget";

QString TranslatedLine(int section, const char* key, int line) {
    return Translator ? Cp1252ToQString(Translator->GetLine(section, key, line)) : QString::fromLatin1(key);
}

// A menu caption marks its shortcut letter with "&" as a tab does; any other
// text shows its "&" as it is.
QString TabCaption(const TSummaryTab& tab) {
    const QString text = TranslatedLine(tab.section, tab.key, tab.line);
    return tab.section == kSectionMenus ? text : QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

TFoSummary::TFoSummary(QWidget* owner, TSummaryMode mode, TDataContext& callerContext)
    : TFoCv3Dec(owner, callerContext), mode_(mode) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoSummary"));
    BuildControls();
    TranslateForm();
    if (mode_ == TSummaryMode::Budget) setWindowTitle(TranslatedLine(kSectionControls, kBudgetCaptionKey, 1));
    // The lent period spin reaches back to the decisions of the second period.
    TCvInd& industry = *Session->Industry();
    if (CvBar) CvBar->SetPeriodRange(industry.PerSeries()->Lo() + 1, industry.DecPeriod());
    for (int index = 0; const TSummaryTab* tab = Tab(mode_, index); ++index)
        TSSections_->addTab(TabCaption(*tab));
    // Laid out once the tabs exist: the bar takes the height their captions need.
    LayoutForScreen();
    // Laid out again for the room the window manager's frame leaves once it is known.
    new TScreenKeeper(*this, [this] {
        LayoutForScreen();
        RefitScreen(screen_.get());
    });
    connect(TSSections_, &QTabBar::currentChanged, this, &TFoSummary::TSSectionsChange);
    TSSections_->setCurrentIndex(0);
    TSSectionsChange(0);
    QApplication::restoreOverrideCursor();
}

TFoSummary::~TFoSummary() = default;

void TFoSummary::BuildControls() {
    setModal(true);
    TSSections_ = new TQNTabSet(this);
    TSSections_->setObjectName(QStringLiteral("TSSections"));
    TSSections_->setFont(font());
    const TScreenFrame frame = AddScreenFrame(*this);
    Bevel_ = frame.Bevel;
    screenArea_ = frame.Area;
    BBOK_ = new QPushButton(QStringLiteral("OK"), this);
    BBOK_->setObjectName(QStringLiteral("BBOK"));
    BBOK_->setDefault(true);
    connect(BBOK_, &QPushButton::clicked, this, &QDialog::accept);
}

// A small screen gets a 640-pixel dialog with a 620-pixel tab set and bevel.
// Where the window manager's frame leaves less room, the bevel gives up the
// height missing.
void TFoSummary::LayoutForScreen() {
    QRect tabs = kTabs, bevel = kBevel;
    QSize client = kClient;
    if (IsSmallScreen()) {
        client = kSmallClient;
        tabs.setWidth(kSmallFrameWidth);
        bevel.setWidth(kSmallFrameWidth);
        bevel.setHeight(kSmallBevelHeight);
    }
    const QSize room = RoomOnScreen(*this);
    bevel.setHeight(bevel.height() - std::max(0, client.height() - room.height()));
    client = client.boundedTo(room);
    tabs.setWidth(std::min(tabs.width(), client.width() - 2 * tabs.left()));
    bevel.setWidth(std::min(bevel.width(), client.width() - 2 * bevel.left()));
    tabs.setHeight(std::max(tabs.height(), TSSections_->sizeHint().height()));
    bevel.moveTop(tabs.bottom() + 1);
    setFixedSize(client);
    TSSections_->setGeometry(tabs);
    Bevel_->setGeometry(bevel);
    screenArea_->setGeometry(bevel.adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset));
    BBOK_->setGeometry((client.width() - kOk.width()) / 2, client.height() - kOkFromBottom, kOk.width(), kOk.height());
}

template <class Build>
void TFoSummary::Guarded(Build&& build) {
    const bool built = TryStep([&] {
        build();
        RefitScreen(screen_.get());
        return true;
    });
    if (!built) screen_.reset();
}

void TFoSummary::TSSectionsChange(int tab) {
    const TSummaryTab* shown = Tab(mode_, tab);
    if (!shown) return;
    CallerContext->CurPeriod = CallerContext->SelPeriod;
    CallerContext->DecPeriod = static_cast<std::int16_t>(CallerContext->SelPeriod + 1);
    screen_.reset();
    ShowMarketGroup(shown->perMarket ? bgmSingle : bgmHidden, *CallerContext);
    Guarded([&] {
        if (mode_ == TSummaryMode::Decisions)
            screen_ =
                TCVScreen::Create<TDecSummary>(screenArea_, *CallerContext, shown->kind, kWholeWindowLayout);
        else
            screen_ = TCVScreen::Create<TBgtScreen>(screenArea_, *CallerContext, shown->kind, kWholeWindowLayout);
    });
}

// A tab whose screen could not be built tries again.
void TFoSummary::LoadDecisions() {
    CallerContext->CurPeriod = CallerContext->SelPeriod;
    CallerContext->DecPeriod = static_cast<std::int16_t>(CallerContext->SelPeriod + 1);
    if (screen_) Guarded([&] { screen_->Build(*CallerContext); });
    else TSSectionsChange(TSSections_->currentIndex());
}

void TFoSummary::done(int result) {
    if (Session && Session->Industry()) CallerContext->SelPeriod = Session->Industry()->CurPeriod();
    screen_.reset();
    TFoCv3Dec::done(result);
}

}  // namespace cv
