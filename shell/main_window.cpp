#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>

#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/bar_layout.h"
#include "shell/page_window.h"
#include "shell/picture_image.h"
#include "core/team/removable_drive.h"
#include "shell/selector/cv_bar.h"
#include "ui/chart/chart_warm_up.h"
#include "ui/cp1252.h"
#include "ui/cv3_speed_button.h"
#include "ui/help_state.h"
#include "ui/message_box.h"
#include "ui/platform_color.h"
#include "ui/report/report_fonts.h"
#include "ui/screen_room.h"
#include "ui/user_action.h"
#include "ui/wait_cursor.h"

namespace cv {
namespace {

constexpr char kCaptionKey[] = "FoCv3Main";
constexpr char kHelpFileStem[] = "CV3T";
constexpr char kHelpFileExt[] = ".html";
constexpr char kPictureExt[] = ".WMF";
constexpr int kLargestIconSide = 24;
// Room between a button's picture and its edges, top and bottom together.
constexpr int kIconMargin = 6;

}  // namespace

TFoCv3Main::TFoCv3Main(TMainWindowServices services) : TQNForm(nullptr, Qt::Window), services_(std::move(services)) {
    setObjectName(QString::fromLatin1(kCaptionKey));
    StartSession();
    BuildBar();
    selectorBar_ = new TCvBar(bar_);  // the program's selector bar, bottom left of the bar
    const QSize room = RoomOnScreen(*this);
    InitNumberRoutines(room.width(), room.height());
    LayOutBar(room);
    // The frame's corner at the screen's: the window manager frames the window
    // around it and moves it in, which tells the keeper the frame.
    move(0, 0);
    // The window manager's frame becomes known only once the window is shown.
    new TScreenKeeper(*this, [this] { FitRoom(); });
    clock_ = std::make_unique<TBarClock>(toolButtons_[9], services_.now, [this] { PlayChime(); });
    TranslateForm();
    warmUp_ = new TIdleWarmUp(this);
    RefreshAll();
}

void TFoCv3Main::WarmUpWhenIdle() {
    // The fonts are listed in a step of their own too, keeping the start short.
    warmUp_->Add([this] {
        for (const QWidget* widget : findChildren<QWidget*>()) warmUp_->AddFont(widget->font());
        for (const QFont& font : ReportTableFonts(*pageArea_)) warmUp_->AddFont(font);
    });
    warmUp_->Add(WarmUpCharts);
    warmUp_->Start();
}

TFoCv3Main::~TFoCv3Main() { EndSession(); }

void TFoCv3Main::StartSession() {
    Session = std::make_unique<TSession>(services_.exeFileName);
    HelpState() = THelpState{};
    OpenTranslator();
    SetMessageBoxTexts(Translator.get(), kSectionMessages);
    SetMessageBoxOwner(this);
    SetMessageBoxHelpHandler([this] { sbHelpClick(); });
    CheckPrivateDir();
    helpFileName_ = LanguageHelpFile();
    qApp->installEventFilter(this);
}

std::string TFoCv3Main::LanguageHelpFile() const {
    return Session->BinDir() + kHelpFileStem + Session->Language() + kHelpFileExt;
}

bool TFoCv3Main::eventFilter(QObject* watched, QEvent* event) {
    // F1 released in any window of the program opens the help at the current
    // context; the key still goes on to its window. A key event reaches the
    // window first, then its widgets: only the window's delivery counts.
    if (event->type() == QEvent::KeyRelease && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) sbHelpClick();
    }
    return TQNForm::eventFilter(watched, event);
}

void TFoCv3Main::OpenTranslator() {
    Translator = std::make_unique<TTranslate>();
    try {
        Translator->Open(Session->LanguageFile(Session->Language()));
    } catch (const ECvError& error) {
        // Without the language file the windows keep their design texts.
        Ui().ShowErrorBox(error.what());
    }
}

void TFoCv3Main::CheckPrivateDir() {
    // A warning only: the start goes on.
    if (!IsOnRemovableDrive(Session->PrivateDir())) return;
    Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK, "RemovablePrivateDir", {0}, TAlignment::taCenter);
}

void TFoCv3Main::BuildBar() {
    bar_ = new QWidget(this);
    bar_->setObjectName(QStringLiteral("Bar"));
    pageArea_ = new QStackedWidget(this);
    pageArea_->setObjectName(QStringLiteral("PageArea"));
    // The page area stays blank until the first page is shown.
    auto* blank = new QWidget(pageArea_);
    blank->setObjectName(QStringLiteral("BlankPage"));
    pageArea_->addWidget(blank);
    AddPageButton("SpBDec", "Decisions");
    AddPageButton("SpBResult", "Results");
    AddPageButton("SpBNLetter", "Newsletter");
    AddPageButton("SpBStudies", "Studies");
    AddPageButton("SpBGraph", "Graphs");
    teamPageButton_ = AddPageButton("SpBInterface", "Team");
    // Numbered as the dialogs borrow them: 1 print ... 10 clock.
    toolButtons_ = {AddToolButton("sbPrint", "P"),      AddToolButton("sbHelp", "?"),
                    AddToolButton("SbCopyToClip", "C"), AddToolButton("sbConfig", "S"),
                    AddToolButton("sbIsAdmin", "Ad"),   AddToolButton("sbPrevPage", "<"),
                    AddToolButton("sbNextPage", ">"),   AddToolButton("sbCloseApp", "Exit"),
                    AddToolButton("sbAbout", "i"),      AddToolButton("sbDateTime", "00:00")};
    QToolButton* quickHelp = AddToolButton("sbQuickHelp", "Q");
    quickHelp->setEnabled(false);
    quickHelp->setVisible(false);
    ToolButton(5)->setVisible(false);
    ToolButton(8)->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(ToolButton(1), &QToolButton::clicked, this, &TFoCv3Main::sbPrintClick);
    connect(ToolButton(2), &QToolButton::clicked, this, &TFoCv3Main::sbHelpClick);
    connect(ToolButton(3), &QToolButton::clicked, this, &TFoCv3Main::SbCopyToClipClick);
    connect(ToolButton(4), &QToolButton::clicked, this, &TFoCv3Main::sbConfigClick);
    connect(ToolButton(6), &QToolButton::clicked, this, &TFoCv3Main::sbPrevPageClick);
    connect(ToolButton(7), &QToolButton::clicked, this, &TFoCv3Main::sbNextPageClick);
    connect(ToolButton(8), &QToolButton::clicked, this, &QWidget::close);
    connect(ToolButton(9), &QToolButton::clicked, this, &TFoCv3Main::sbAboutClick);
    connect(quickHelp, &QToolButton::clicked, this, &TFoCv3Main::sbQuickHelpClick);
}

TCv3SpBtn* TFoCv3Main::AddPageButton(const char* name, const char* designCaption) {
    auto* button = new TCv3SpBtn(bar_);
    button->setObjectName(QString::fromLatin1(name));
    SetPageButtonColour(*button, PlatformColor(button->SecondColor()));
    button->setText(QString::fromLatin1(designCaption));
    connect(button, &QToolButton::clicked, this, [this, button] {
        if (auto* page = qobject_cast<TFoCv3Mod*>(button->AssociatedForm())) ShowPage(page);
    });
    pageButtons_.push_back(button);
    return button;
}

QToolButton* TFoCv3Main::AddToolButton(const char* name, const char* designCaption) {
    auto* button = new QToolButton(bar_);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(designCaption));
    button->setAutoRaise(true);
    return button;
}

// The program fills the room the screen leaves it beside the window manager's
// frame and cannot be resized: the bar's layout is the room's, and the page
// area takes the room below the bar.
void TFoCv3Main::LayOutBar(QSize room) {
    const int barHeight = BarHeight(room);
    const std::map<std::string, QRect> places = BarLayout(room);
    // A tool button lent to a dialog is not on the bar: it goes to its new home when it comes back.
    for (const auto& [name, place] : places)
        if (auto* control = bar_->findChild<QWidget*>(QString::fromStdString(name))) control->setGeometry(place);
    for (int i = 0; i < kToolButtonCount; ++i)
        toolButtonHomes_[i] = places.at(toolButtons_[i]->objectName().toStdString()).topLeft();
    DrawButtonPictures();
    setFixedSize(room);
    bar_->setGeometry(0, 0, room.width(), barHeight);
    selectorBar_->MoveToOwnerBottom();
    pageArea_->setGeometry(0, barHeight, room.width(), room.height() - barHeight);
}

// Once the frame is known, or when it changes, the window and its pages are
// laid out again for the room left.
void TFoCv3Main::FitRoom() {
    const QSize room = RoomOnScreen(*this);
    if (size() == room) return;
    SetScreenScales(room.width(), room.height());
    LayOutBar(room);
}

void TFoCv3Main::DrawButtonPictures() {
    // The bar's own buttons, not the selector bar's on it.
    for (QToolButton* button : bar_->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (button == ToolButton(10)) continue;
        // Each button's picture is the media file named after it in capitals.
        const std::string file = Session->MediaDir() + button->objectName().toUpper().toStdString() + kPictureExt;
        // A caption below the picture takes its line from the picture's room.
        const int captionHeight =
            button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon ? button->fontMetrics().height() : 0;
        const int length = std::min(kLargestIconSide, button->height() - kIconMargin - captionHeight);
        const QSize side(length, length);
        if (qobject_cast<TCv3SpBtn*>(button)) button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        // A picture already drawn at its size is not drawn again when the room changes.
        if (!button->icon().isNull() && button->iconSize() == side) continue;
        button->setIcon(PictureIcon(file, side));
        button->setIconSize(side);
    }
}

QToolButton* TFoCv3Main::ToolButton(int number) const { return toolButtons_.at(number - 1); }

void TFoCv3Main::AddPage(TFoCv3Mod* page) { pageArea_->addWidget(page); }

// A page whose activation fails is not shown: the page shown before comes
// back before the message shows.
void TFoCv3Main::ShowPage(TFoCv3Mod* page) {
    const TWaitCursor wait;
    TFoCv3Mod* previous = TFoCv3Mod::Current();
    RunUserAction([&] { SwitchPage(previous, page); },
                  [&] {
                      if (previous && previous != page) SwitchPage(page, previous);
                  });
}

void TFoCv3Main::SwitchPage(TFoCv3Mod* from, TFoCv3Mod* to) {
    TFoCv3Mod::SetCurrent(to);
    if (from && from != to) from->FormDeactivate();
    pageArea_->setCurrentWidget(to);
    to->show();
    to->FormActivate();
}

bool TFoCv3Main::RefreshAll() {
    return RunUserAction([this] {
        if (CvBar) CvBar->Fill();
        UpdateCaption();
        UpdatePageButtons();
        UpdateToolButtons();
        for (TFoCv3Mod* page : TFoCv3Mod::Pages()) {
            page->InitSelector();
            page->UpdateMenus();
        }
    });
}

void TFoCv3Main::UpdateCaption() {
    std::string caption;
    if (Translator) Translator->ControlsLine(kCaptionKey, 1, caption);
    caption += " " + GetFileVersionString(services_.exeFileName, true);
    if (Session && Session->Industry()) caption += " - " + Session->IndFileName();
    setWindowTitle(Cp1252ToQString(caption));
}

void TFoCv3Main::UpdatePageButtons() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    for (TCv3SpBtn* button : pageButtons_) button->setEnabled(button == teamPageButton_);
    if (!industry) return;
    const auto restrict = [](TCv3SpBtn* button, const char* category, const char* item) {
        button->setVisible(!Session->IsRestrictHidden(category, item));
        button->setEnabled(!Session->IsRestrictEnabled(category, item));
    };
    findChild<TCv3SpBtn*>(QStringLiteral("SpBDec"))->setEnabled(industry->CurPeriod() < 12);
    findChild<TCv3SpBtn*>(QStringLiteral("SpBStudies"))->setEnabled(true);
    restrict(findChild<TCv3SpBtn*>(QStringLiteral("SpBGraph")), "rcAnalysis", "NoAnalysis");
    restrict(findChild<TCv3SpBtn*>(QStringLiteral("SpBNLetter")), "rcNewsletter", "NoNewsletter");
    restrict(findChild<TCv3SpBtn*>(QStringLiteral("SpBResult")), "rcReport", "NoReport");
    // A page that is not part of the program yet cannot be shown.
    for (TCv3SpBtn* button : pageButtons_) button->setEnabled(button->isEnabled() && button->AssociatedForm());
}

void TFoCv3Main::UpdateToolButtons() {
    const bool data = Session && Session->Industry();
    ToolButton(1)->setVisible(data);
    ToolButton(3)->setVisible(data);
    ToolButton(5)->setVisible(false);
    if (!data) {
        ToolButton(6)->setVisible(false);
        ToolButton(7)->setVisible(false);
    }
}

void TFoCv3Main::RefreshPage() {
    if (TFoCv3Mod* page = TFoCv3Mod::Current()) page->setFocus();
}

void TFoCv3Main::HidePageSteppingButtons() {
    ToolButton(6)->setVisible(false);
    ToolButton(7)->setVisible(false);
}

void TFoCv3Main::SetPageButtonActive(TCv3SpBtn* button, bool active) {
    SetPageButtonColour(*button, PlatformColor(active ? button->FirstColor() : button->SecondColor()));
}

void TFoCv3Main::SetPageButtonColour(TCv3SpBtn& button, const QColor& colour) {
    // Only an enabled button shows the colour: a disabled one keeps the grey
    // that tells the team it cannot be used.
    QPalette palette = button.palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText,
                     QApplication::palette(&button).color(QPalette::Disabled, QPalette::ButtonText));
    button.setPalette(palette);
}

void TFoCv3Main::PlayChime() {
    if (Session && services_.playSound) services_.playSound(Session->MediaDir() + kChimeFile);
}

void TFoCv3Main::closeEvent(QCloseEvent* event) {
    if (Session && Session->Industry()) {
        if (Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo, "ConfirmClose", {0},
                                TAlignment::taCenter) != TModalResult::mrYes) {
            event->ignore();
            return;
        }
        // Saved here rather than as the session ends, where a failure could
        // only be logged: the program stays open with the industry instead.
        if (!RunUserAction([] { Session->IndClose(); })) {
            event->ignore();
            return;
        }
    }
    EndSession();
    event->accept();
}

void TFoCv3Main::EndSession() {
    if (sessionEnded_) return;
    sessionEnded_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (helpWindow_) helpWindow_->close();
    if (clock_) {
        clock_->TickTimer().stop();
        clock_->FlashTimer().stop();
    }
    try {
        Session.reset();
    } catch (...) {
        // The session logs a failed save itself; shutdown goes on.
    }
    if (Translator) Translator->Close();
    Translator.reset();
    SetMessageBoxTexts(nullptr, kSectionMessages);
    SetMessageBoxOwner(nullptr);
    SetMessageBoxHelpHandler({});
    QApplication::restoreOverrideCursor();
}

}  // namespace cv
