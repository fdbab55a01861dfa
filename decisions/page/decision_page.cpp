#include "decisions/page/decision_page.h"

#include <QResizeEvent>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "ui/help_state.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page_areas.h"
#include "shell/main_window.h"
#include "shell/picture_image.h"
#include "ui/cv3_speed_button.h"
#include "ui/platform_color.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {

constexpr char kPageName[] = "FoDecision";
constexpr char kPageButton[] = "SpBDec";
constexpr int kPreviousPageButton = 6;
constexpr int kNextPageButton = 7;
constexpr char kRestrictionCategory[] = "rcDecisions";

// Sizes of the controls, in pixels.
constexpr QSize kAreaButton(170, 28);
constexpr int kPictureHeight = 96;
constexpr QSize kBottomButton(130, 28);
constexpr QSize kStatePanel(520, 72);
constexpr QRect kStateLabel(6, 4, 406, 64);
constexpr QRect kErrorsButton(420, 22, 92, 28);
constexpr std::uint32_t kStateGround = 0x000000;

TLayoutBox Box(const QWidget* widget) {
    return widget ? TLayoutBox{widget->x(), widget->y(), widget->width(), widget->height()} : TLayoutBox{};
}

void Place(QWidget* widget, const TLayoutBox& box) {
    if (widget) widget->setGeometry(box.Left, box.Top, box.Width, box.Height);
}

}  // namespace

TFoDecision::TFoDecision(TFoCv3Main& mainWindow, QWidget* owner, TDecisionDialogs dialogs)
    : TFoCv3Mod(owner, QString::fromLatin1(kPageName), TPageNeeds{.decisionPeriod = true}),
      mainWindow_(mainWindow),
      dialogs_(std::move(dialogs)) {
    pageButton_ = mainWindow_.findChild<TCv3SpBtn*>(QLatin1String(kPageButton));
    if (pageButton_) pageButton_->SetAssociatedForm(this);
    PageMenuBar()->hide();
    BuildControls();
    TranslateForm();
    RegisterPage(nullptr);
}

TFoDecision::~TFoDecision() = default;

void TFoDecision::BuildControls() {
    for (const TDecisionAreaLayout& layout : DecisionAreaLayouts()) {
        TAreaControls& controls = Controls(layout.area);
        controls.button = new QPushButton(QString::fromLatin1(layout.designCaption), this);
        controls.button->setObjectName(QLatin1String(layout.button));
        controls.button->resize(layout.panel ? kAreaButton : kBottomButton);
        const TDecisionArea area = layout.area;
        connect(controls.button, &QPushButton::clicked, this, [this, area] { OpenArea(area); });
        if (!layout.panel) continue;
        controls.panel = new QFrame(this);
        controls.panel->setObjectName(QLatin1String(layout.panel));
        controls.panel->setFrameShape(QFrame::Panel);
        controls.panel->setFrameShadow(QFrame::Sunken);
        controls.panel->resize(kAreaButton.width(), kPictureHeight);
        controls.image = new QLabel(controls.panel);
        controls.image->setObjectName(QLatin1String(layout.image));
    }
    paErrWng_ = new QFrame(this);
    paErrWng_->setObjectName(QStringLiteral("paErrWng"));
    paErrWng_->setFrameShape(QFrame::Panel);
    paErrWng_->setFrameShadow(QFrame::Raised);
    paErrWng_->resize(kStatePanel);
    // Yellow, green and red lines all read well on a black ground.
    QPalette ground = paErrWng_->palette();
    ground.setColor(QPalette::Window, PlatformColor(kStateGround));
    paErrWng_->setPalette(ground);
    paErrWng_->setAutoFillBackground(true);
    labErrWng_ = new QLabel(paErrWng_);
    labErrWng_->setObjectName(QStringLiteral("labErrWng"));
    labErrWng_->setGeometry(kStateLabel);
    labErrWng_->setAlignment(Qt::AlignCenter);
    labErrWng_->setWordWrap(true);
    BBErrors_ = new QPushButton(QStringLiteral("Messages"), paErrWng_);
    BBErrors_->setObjectName(QStringLiteral("BBErrors"));
    BBErrors_->setGeometry(kErrorsButton);
    connect(BBErrors_, &QPushButton::clicked, this, [this] { BBErrorsClick(); });
}

void TFoDecision::RegisterDialog(TDecisionArea area, TDecisionDialogFactory factory) {
    dialogs_[area] = std::move(factory);
}

void TFoDecision::RegisterPrint(TDecisionPrintEntry print) { dialogs_.Print = std::move(print); }

void TFoDecision::resizeEvent(QResizeEvent* event) {
    TFoCv3Mod::resizeEvent(event);
    if (!firstActivation_) LayoutButtons();
}

void TFoDecision::LayoutButtons() {
    const auto box = [this](TDecisionArea area) { return Box(Controls(area).button); };
    const auto picture = [this](TDecisionArea area) { return Box(Controls(area).panel); };
    using A = TDecisionArea;
    boxes_ = {box(A::BrandPortfolio), box(A::MarketingMix), box(A::Distribution), box(A::Studies), box(A::RnD),
              picture(A::BrandPortfolio), picture(A::MarketingMix), picture(A::Distribution), picture(A::Studies),
              picture(A::RnD), box(A::Summary), box(A::Budget), box(A::MarketingPlan), Box(paErrWng_)};
    cv::LayoutButtons(boxes_, width(), height(), LayoutSpacing(ScreenClass()));
    const TLayoutBox* placed[] = {&boxes_.BrdPF, &boxes_.BrdMMix, &boxes_.Distrib, &boxes_.Studies, &boxes_.RnD};
    const TLayoutBox* pictures[] = {&boxes_.ImBrdPF, &boxes_.ImBrdMMix, &boxes_.ImDistrib, &boxes_.ImStudies,
                                    &boxes_.ImRnD};
    for (std::size_t i = 0; i < std::size(placed); ++i) {
        TAreaControls& controls = areas_[i];
        Place(controls.button, *placed[i]);
        Place(controls.panel, *pictures[i]);
        if (controls.image) controls.image->setGeometry(controls.panel->contentsRect());
    }
    Place(Controls(A::Summary).button, boxes_.Summary);
    Place(Controls(A::Budget).button, boxes_.Budget);
    Place(Controls(A::MarketingPlan).button, boxes_.MktPlan);
    Place(paErrWng_, boxes_.ErrWng);
}

void TFoDecision::FormActivate() {
    TFoCv3Mod::FormActivate();
    if (firstActivation_) {
        firstActivation_ = false;
        LayoutButtons();
    }
    if (!Session || !Session->Industry() || !pageButton_ || !pageButton_->isEnabled()) return;
    HelpState().HelpContext = hcDecisionsPage;
    mainWindow_.SetPageButtonActive(pageButton_, true);
    mainWindow_.ToolButton(kPreviousPageButton)->setVisible(false);
    mainWindow_.ToolButton(kNextPageButton)->setVisible(false);
    SetupSelectors();
    RefreshErrors();
    LoadPictures();
    ApplyRestrictions();
}

void TFoDecision::FormDeactivate() {
    TFoCv3Mod::FormDeactivate();
    if (pageButton_) mainWindow_.SetPageButtonActive(pageButton_, false);
}

void TFoDecision::LoadPictures() {
    for (const TDecisionAreaLayout& layout : DecisionAreaLayouts())
        if (layout.picture) DrawPictureOnImage(*Controls(layout.area).image, Session->MediaDir() + layout.picture);
}

// A restricted area is disabled or hidden with its picture. An area whose
// dialog is not part of the program yet stays disabled.
void TFoDecision::ApplyRestrictions() {
    for (const TDecisionAreaLayout& layout : DecisionAreaLayouts()) {
        TAreaControls& controls = Controls(layout.area);
        const bool disabled = layout.restriction && Session->IsRestrictEnabled(kRestrictionCategory, layout.restriction);
        const bool hidden = layout.restriction && Session->IsRestrictHidden(kRestrictionCategory, layout.restriction);
        controls.button->setEnabled(!disabled && dialogs_[layout.area] != nullptr);
        controls.button->setVisible(!hidden);
        if (!controls.panel) continue;
        controls.panel->setEnabled(controls.button->isEnabled());
        controls.panel->setVisible(!hidden);
    }
}

}  // namespace cv
