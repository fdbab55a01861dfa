#include "decisions/plan/mkt_plan_dialog.h"

#include <QApplication>
#include <array>

#include "core/base/message_list.h"
#include "core/base/ui_services.h"
#include "core/language/keyed_messages.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/checks/check_dec.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/dialogs/dialog_frame.h"
#include "decisions/dialogs/screen_fit.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "reports/results/brand_result.h"
#include "reports/results/firm_result.h"
#include "shell/selector/cv_bar.h"
#include "ui/report/qn_table.h"
#include "ui/screen_room.h"
#include "ui/sheet/cell_painter.h"
#include "ui/wait_cursor.h"

namespace cv {

namespace {

// Tab index 0..5 to screen kind: the four plan screens, then the brand and firm forecasts.
constexpr std::array<int, 6> kMktPlanScreens{1, 2, 3, 4, 5, 6};
constexpr int kBrandForecast = 5;
constexpr int kFirmForecast = 6;
bool IsForecast(int kind) { return kind == kBrandForecast || kind == kFirmForecast; }
constexpr int kSharesKind = 2;
constexpr int kChannelKind = 4;
constexpr int kPercentMode = 1;
constexpr int kUnitsMode = 2;
constexpr int kBrandForecastResult = 2;  // the brand contribution under the plan's title
// The forecasts keep the plan tabs' text size: narrowed to the frame's width,
// they scroll where they are taller than the frame rather than being drawn smaller.
constexpr TScreenLayout kForecastLayout{kWindowMode, {kPlaceCentreX | kPlaceTop}};

// The form and its controls, in pixels: normal screen, then the small screen's changes.
constexpr QSize kClient(780, 561);
constexpr QRect kBevel(5, 28, 768, 477);
constexpr QRect kClose(345, 532, 89, 26);
constexpr QRect kTabs(5, 508, 769, 17);
constexpr int kButtonWidth = 250;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 15;
constexpr int kButtonMargin = 5;
constexpr QSize kSmallClient(640, 480);
constexpr int kSmallBevelHeight = 360;
constexpr int kSmallCloseFromBottom = 30;

// Narrows every column of a table wider than Room pixels at its own scale in
// proportion, to whole characters, so that it fits.
void NarrowToRoom(TQNTable& table, int room) {
    TSheetModel& model = table.Sheet().Model();
    const double roomTwips = room * kTwipsPerInch / table.Sheet().logicalDpiX();
    const int wide = model.ColumnsWidthTwips(table.OriginCol(), model.MaxCol());
    if (wide <= roomTwips) return;
    for (int column = table.OriginCol(); column <= model.MaxCol(); ++column) {
        const double characters = model.ColumnWidth(column) * roomTwips / wide / kColumnUnitsPerCharacter;
        table.SetColumnWidthRange(column, column, std::max(1, static_cast<int>(characters)));
    }
}

}  // namespace

TFoMktPlan::TFoMktPlan(QWidget* owner, TDataContext& callerContext, TPlanForecastRunner runner)
    : TFoCv3Dec(owner, callerContext), runner_(std::move(runner)) {
    const TWaitCursor wait;
    setObjectName(QStringLiteral("FoMktPlan"));
    BuildControls();
    TranslateForm();
    std::vector<std::string> captions;
    if (Translator) Translator->GetLines(kSectionControls, "TSMktPlan", captions);
    for (std::size_t i = 0; i < kMktPlanScreens.size(); ++i)
        TSMktPlan_->addTab(i < captions.size() ? QString::fromStdString(captions[i]) : QString::number(i + 1));
    // Laid out once the tabs exist: the bar takes the height their captions need.
    LayoutForScreen();
    // Laid out again for the room the window manager's frame leaves once it
    // is known, the plan buttons kept where they stand across the width.
    new TScreenKeeper(*this, [this] {
        LayoutForScreen();
        FitScreen();
    });
    TSMktPlan_->AllowChange = [this](int newTab) { return TryStep([&] { return TSMktPlanChange(newTab); }); };
    TSMktPlanChange(0);
    unitMode_ = kPercentMode;
    PlanChanged = true;
}

TFoMktPlan::~TFoMktPlan() = default;

void TFoMktPlan::BuildControls() {
    setModal(true);
    const TScreenFrame frame = AddScreenFrame(*this);
    Bevel_ = frame.Bevel;
    screenArea_ = frame.Area;
    TSMktPlan_ = new TBrandTabBar(this);
    TSMktPlan_->setObjectName(QStringLiteral("TSMktPlan"));
    TSMktPlan_->setFont(font());
    BBClose_ = new QPushButton(QStringLiteral("OK"), this);
    BBClose_->setObjectName(QStringLiteral("BBClose"));
    connect(BBClose_, &QPushButton::clicked, this, &QDialog::accept);
    const auto planButton = [this](const char* name, void (TMktPlanScr::*handler)()) {
        auto* button = new QPushButton(QString::fromLatin1(name), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, handler] {
            TryStep([&] {
                if (TMktPlanScr* screen = PlanScreen()) (screen->*handler)();
                return true;
            });
        });
        return button;
    };
    BBSameLastPer_ = planButton("BBSameLastPer", &TMktPlanScr::BBSameLastPerClick);
    BBSameMktForeCast_ = planButton("BBSameMktForeCast", &TMktPlanScr::BBSameMktForeCastClick);
    BBBrdSalesEstim_ = planButton("BBBrdSalesEstim", &TMktPlanScr::BBBrdSalesEstimClick);
    for (QPushButton* button : {BBSameLastPer_, BBSameMktForeCast_, BBBrdSalesEstim_}) HideButton(button);
}

// The form as laid out for a normal screen; a small one gets a 640 x 480
// dialog with the close button centred 30 pixels above the bottom. Where the
// window manager's frame leaves less room, the frame above the tabs gives up
// the height missing.
void TFoMktPlan::LayoutForScreen() {
    QRect bevel = kBevel, tabs = kTabs, close = kClose;
    QSize client = kClient;
    if (IsSmallScreen()) {
        client = kSmallClient;
        bevel.setWidth(kSmallFrameWidth);
        bevel.setHeight(kSmallBevelHeight);
        tabs.setWidth(kSmallFrameWidth);
        close.moveLeft((client.width() - close.width()) / 2);
        close.moveTop(client.height() - kSmallCloseFromBottom);
    }
    const QSize room = RoomOnScreen(*this);
    const int missing = std::max(0, client.height() - room.height());
    client = client.boundedTo(room);
    bevel.setHeight(bevel.height() - missing);
    close.moveTop(close.top() - missing);
    bevel.setWidth(std::min(bevel.width(), client.width() - 2 * bevel.left()));
    tabs.setWidth(std::min(tabs.width(), client.width() - 2 * tabs.left()));
    close.moveLeft(std::min(close.left(), (client.width() - close.width()) / 2));
    // The tabs hang below the frame, as high as their captions need.
    tabs.moveTop(bevel.top() + bevel.height());
    tabs.setHeight(std::max(tabs.height(), TSMktPlan_->sizeHint().height()));
    setFixedSize(client);
    Bevel_->setGeometry(bevel);
    TSMktPlan_->setGeometry(tabs);
    BBClose_->setGeometry(close);
    const int buttonsTop = bevel.top() + bevel.height() - kButtonHeight - kButtonMargin;
    for (QPushButton* button : {BBSameLastPer_, BBSameMktForeCast_, BBBrdSalesEstim_})
        button->setGeometry(button->x(), buttonsTop, kButtonWidth, kButtonHeight);
    PlaceScreenArea();
}

// The plan tabs' tables end above the plan buttons; the forecasts have none
// and take the frame's whole height.
void TFoMktPlan::PlaceScreenArea() {
    const QRect bevel = Bevel_->geometry();
    const int bottom = IsForecast(shownKind_) ? bevel.bottom() + 1 - kFrameInset
                                              : BBSameLastPer_->y() - kButtonMargin;
    screenArea_->setGeometry(bevel.left() + kFrameInset, bevel.top() + kFrameInset, bevel.width() - 2 * kFrameInset,
                             bottom - bevel.top() - kFrameInset);
}

TMktPlanScr* TFoMktPlan::PlanScreen() const { return dynamic_cast<TMktPlanScr*>(screen_.get()); }

void TFoMktPlan::SetCurrentPeriod(std::int16_t period) {
    CallerContext->CurPeriod = period;
    Context.CurPeriod = period;
}

bool TFoMktPlan::TSMktPlanChange(int newTab) {
    if (newTab < 0 || newTab >= static_cast<int>(kMktPlanScreens.size())) return false;
    const int kind = kMktPlanScreens[static_cast<std::size_t>(newTab)];
    if (TMktPlanScr* plan = PlanScreen()) {
        if (!AcceptScreen()) return false;
        plan->StoreScreen();
        if (IsForecast(kind) && !AcceptDecs()) return false;
    }
    // The forecast frees the results it replaces: no screen may outlive it.
    const int previousKind = shownKind_;
    screen_.reset();
    for (QPushButton* button : {BBSameLastPer_, BBSameMktForeCast_, BBBrdSalesEstim_}) HideButton(button);
    ShowMarketGroup(bgmSingle, *CallerContext);
    if (IsForecast(kind) && PlanChanged && !RunForecast()) {
        if (previousKind > 0) ShowKind(previousKind);
        return false;
    }
    ShowKind(kind);
    return true;
}

void TFoMktPlan::ShowKind(int kind) {
    shownKind_ = kind;
    PlaceScreenArea();
    switch (kind) {
        case 1:
        case 2:
        case 3:
        case kChannelKind:
            SetCurrentPeriod(CallerContext->SelPeriod);
            if (kind == 1) PlaceButtons(BBSameMktForeCast_);
            else if (kind == kChannelKind) PlaceButtons(BBBrdSalesEstim_);
            else PlaceButtons(nullptr);
            PlanChanged = true;
            unitMode_ = kind == kSharesKind ? kPercentMode : kUnitsMode;
            screen_ =
                TCVScreen::Create<TMktPlanScr>(screenArea_, *CallerContext, kind, unitMode_, kWholeWindowLayout);
            PlanScreen()->OnBeep = [this] {
                if (OnBeep) OnBeep();
                else QApplication::beep();
            };
            break;
        case kBrandForecast:
            SetCurrentPeriod(static_cast<std::int16_t>(Session->Industry()->DecPeriod()));
            screen_ = TCVScreen::Create<TBrdResult>(screenArea_, *CallerContext, kBrandForecastResult,
                                                    kForecastLayout);
            break;
        case kFirmForecast:
            SetCurrentPeriod(static_cast<std::int16_t>(Session->Industry()->DecPeriod()));
            ShowMarketGroup(bgmHidden, *CallerContext);  // the firm's forecast covers every market
            screen_ = TCVScreen::Create<TFirResult>(screenArea_, *CallerContext, TFirResult::kPlanContribution,
                                                    kForecastLayout);
            break;
        default: Ui().ShowPlainBox("Unknown marketing plan screen " + std::to_string(kind)); break;
    }
    FitScreen();
    LetKeysScrollForecast();
    UpdateButtons();
}

void TFoMktPlan::LetKeysScrollForecast() {
    TQNTable* table = screen_ && IsForecast(shownKind_) ? screen_->Table() : nullptr;
    if (!table) return;
    table->ScrollByKeys();
    QWidget::setTabOrder(TSMktPlan_, &table->Sheet());
}

// The table is laid out again for its frame: a plan tab wider or higher than
// the frame is drawn smaller. A forecast gives up column width instead, to
// the frame's width less the scroll bar that its rows may need.
void TFoMktPlan::FitScreen() {
    TQNTable* table = screen_ ? screen_->Table() : nullptr;
    if (table && IsForecast(shownKind_)) NarrowToRoom(*table, screenArea_->contentsRect().width());
    RefitScreen(screen_.get());
    if (table && IsForecast(shownKind_) && table->VerticalBar()) {
        NarrowToRoom(*table, screenArea_->contentsRect().width() - kScrollBarThickness);
        RefitScreen(screen_.get());
    }
}

bool TFoMktPlan::AcceptScreen() {
    TMktPlanScr* plan = PlanScreen();
    if (!plan) return true;
    switch (plan->Kind()) {
        case TPlanScreenKind::SegmentSizes: return plan->AcceptSegmentSizes();
        case TPlanScreenKind::ChannelSales: return plan->AcceptChannelSales();
        default: return plan->AcceptBrandShares();
    }
}

bool TFoMktPlan::AcceptDecs() {
    TCheckDec check(*CallerContext);
    TQnInfos messages;
    if (check.CheckMktPlan(messages, *CallerContext) > 0) {
        ShowKeyedMessage("cviDecEW", messages, -1, TAlignment::taCenter);
        return false;
    }
    return true;
}

bool TFoMktPlan::RunForecast() {
    const TForecastOutcome outcome = [this] {
        const TWaitCursor wait;
        return runner_(*Session);
    }();
    Session->ForecastDone = outcome.Done;
    if (!outcome.Done) {
        Ui().ShowErrorBox(outcome.Reason);
        return false;
    }
    PlanChanged = false;
    return true;
}

void TFoMktPlan::LoadDecisions() {
    if (!screen_) return;
    const bool forecast = IsForecast(shownKind_);
    CallerContext->CurPeriod = forecast ? static_cast<std::int16_t>(Session->Industry()->DecPeriod())
                                        : CallerContext->SelPeriod;
    TryStep([this] {
        screen_->Build(*CallerContext);
        return true;
    });
    if (shownKind_ == kFirmForecast) ShowMarketGroup(bgmHidden, *CallerContext);
    FitScreen();
    LetKeysScrollForecast();
    UpdateButtons();
}

// However the dialog closes, the plan screen keeps what it shows.
void TFoMktPlan::done(int result) {
    CallerContext->CurPeriod = CallerContext->SelPeriod;
    screen_.reset();
    TFoCv3Dec::done(result);
}

void TFoMktPlan::PlaceButtons(QPushButton* second) {
    const int width = this->width();
    const int top = Bevel_->y() + Bevel_->height() - BBSameLastPer_->height() - kButtonMargin;
    BBSameLastPer_->move(second ? (width - BBSameLastPer_->width() - kButtonGap - second->width()) / 2
                                : (width - BBSameLastPer_->width()) / 2,
                         top);
    BBSameLastPer_->setEnabled(true);
    if (second) {
        second->move(BBSameLastPer_->x() + BBSameLastPer_->width() + kButtonGap, top);
        second->setEnabled(true);
    }
}

void TFoMktPlan::HideButton(QPushButton* button) {
    button->hide();
    button->setEnabled(false);
}

void TFoMktPlan::UpdateButtons() {
    const bool empty = screen_ && screen_->IsEmpty();
    for (QPushButton* button : {BBSameLastPer_, BBSameMktForeCast_, BBBrdSalesEstim_}) {
        if (empty) HideButton(button);
        else button->setVisible(button->isEnabled());
    }
}

}  // namespace cv
