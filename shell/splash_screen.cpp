#include "shell/splash_screen.h"

#include <QTextOption>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "shell/picture_image.h"
#include "ui/cp1252.h"
#include "ui/screen_room.h"

namespace cv {
namespace {

constexpr int kViewButtonGap = 15;
constexpr int kRowGap = 4;
constexpr int kBottomMargin = 3;
constexpr int kRightMargin = 2;
constexpr int kBandMargin = 2;
constexpr char kCustomMessageName[] = "CustMsg";

// The pictures of the views, by image name.
struct TViewPicture {
    const char* imageName;
    const char* fileName;
};
constexpr TViewPicture kViewPictures[] = {{"Image1", "SPLASH3.WMF"},
                                          {"Image2", "SPLASH2.WMF"},
                                          {"Image3", "SPLASH4.WMF"},
                                          {"Image4", "SPLASH.WMF"},
                                          {"Image5", "SPLASH1.WMF"}};

}  // namespace

TFoSplashScreen::TFoSplashScreen(QWidget* owner, const TDataContext* context)
    : TQNForm(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context) {
    setObjectName(QStringLiteral("FoSplashScreen"));
    setModal(true);
    btnOk_ = AddButton("btnOk", "OK");
    BBQuenor_ = AddButton("BBQuenor", "About Quenor");
    BBAuthors_ = AddButton("BBAuthors", "About the authors");
    BBProgram_ = AddButton("BBProgram", "About the programme");
    BBTeam_ = AddButton("BBTeam", "About the development team");
    Panel1_ = AddPanel("Panel1", "Image1");
    Panel2_ = AddPanel("Panel2", "Image2");
    Panel3_ = AddPanel("Panel3", "Image3");
    Panel5_ = AddPanel("Panel5", "Image5");
    Memo1_ = new QTextEdit(Panel5_);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setFrameShape(QFrame::NoFrame);
    Memo1_->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    Memo1_->setEnabled(false);
    Memo1_->setStyleSheet(QStringLiteral("background: white; color: black;"));
    Panel4_ = AddPanel("Panel4", "Image4");
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBQuenor_, &QPushButton::clicked, this, &TFoSplashScreen::BBQuenorClick);
    connect(BBAuthors_, &QPushButton::clicked, this, &TFoSplashScreen::BBAuthorsClick);
    connect(BBProgram_, &QPushButton::clicked, this, &TFoSplashScreen::BBProgramClick);
    connect(BBTeam_, &QPushButton::clicked, this, &TFoSplashScreen::BBTeamClick);
    TranslateForm();
    LayOut();
    new TScreenKeeper(*this, [this] { FitRoom(); });
    lastViewButton_ = BBProgram_;
}

QPushButton* TFoSplashScreen::AddButton(const char* name, const char* designCaption) {
    auto* button = new QPushButton(QString::fromLatin1(designCaption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->resize(kViewButtonWidth, kViewButtonHeight);
    return button;
}

QWidget* TFoSplashScreen::AddPanel(const char* panelName, const char* imageName) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QString::fromLatin1(panelName));
    auto* image = new QLabel(panel);
    image->setObjectName(QString::fromLatin1(imageName));
    return panel;
}

// The window fills the room on the screen, its frame included.
void TFoSplashScreen::LayOut() {
    const QSize room = RoomOnScreen(*this);
    setFixedSize(room);
    const int w = room.width();
    const int h = room.height();
    btnOk_->resize(kOkButtonWidth, btnOk_->height());
    const int quenorTop = h - BBQuenor_->height() - kBottomMargin;
    const int quenorLeft = (w - BBQuenor_->width() - BBTeam_->width() - kViewButtonGap) / 2;
    BBQuenor_->move(quenorLeft, quenorTop);
    BBTeam_->move(quenorLeft + BBQuenor_->width() + kViewButtonGap, quenorTop);
    const int programTop = quenorTop - kRowGap - BBProgram_->height();
    BBProgram_->move(quenorLeft, programTop);
    BBAuthors_->move(BBTeam_->x(), programTop);
    btnOk_->setGeometry(w - btnOk_->width() - kRightMargin, programTop, btnOk_->width(),
                        BBProgram_->height() + kRowGap + BBQuenor_->height());
    const int bandHeight = h - (BBProgram_->height() + BBQuenor_->height() + kRowGap) - 6 - 4;
    const int bandWidth = w - 2 * kBandMargin;
    for (QWidget* panel : {Panel1_, Panel2_, Panel3_}) panel->setGeometry(kBandMargin, kBandMargin, bandWidth, bandHeight);
    Panel4_->setGeometry(kBandMargin, kBandMargin, bandWidth, bandHeight * 2 / 3);
    Panel5_->setGeometry(kBandMargin, Panel4_->y() + Panel4_->height() + kBandMargin, bandWidth, bandHeight / 3);
    Memo1_->setGeometry(kBandMargin, (Panel5_->height() - kMemoHeight) / 2, Panel5_->width() - 2 * kBandMargin,
                        kMemoHeight);
    for (QWidget* panel : {Panel1_, Panel2_, Panel3_, Panel4_, Panel5_})
        panel->findChild<QLabel*>()->setGeometry(panel->rect());
}

// Once the window manager's frame is known the bands shrink to the room left,
// and the pictures shown are drawn again at their new size.
void TFoSplashScreen::FitRoom() {
    if (size() == RoomOnScreen(*this)) return;
    LayOut();
    drawnPanels_.clear();
    for (QWidget* panel : {Panel1_, Panel2_, Panel3_, Panel4_, Panel5_})
        if (panel->isVisibleTo(this)) DrawPictures(panel);
}

void TFoSplashScreen::showEvent(QShowEvent* event) {
    TQNForm::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    for (QWidget* panel : {Panel1_, Panel2_, Panel3_, Panel4_, Panel5_}) panel->hide();
    BBProgramClick();
}

void TFoSplashScreen::DrawPictures(QWidget* panel) {
    // Each picture is drawn once, when its view is first shown: most starts
    // show the program view only.
    if (!Session || drawnPanels_.contains(panel)) return;
    drawnPanels_.insert(panel);
    for (const TViewPicture& picture : kViewPictures)
        if (auto* image = panel->findChild<QLabel*>(QString::fromLatin1(picture.imageName)))
            DrawPictureOnImage(*image, Session->MediaDir() + picture.fileName);
}

void TFoSplashScreen::ShowView(QPushButton* pressed, std::initializer_list<QWidget*> shown) {
    lastViewButton_->setEnabled(true);
    lastViewButton_ = pressed;
    pressed->setEnabled(false);
    for (QWidget* panel : {Panel1_, Panel2_, Panel3_, Panel4_, Panel5_}) {
        const bool visible = std::find(shown.begin(), shown.end(), panel) != shown.end();
        if (visible) DrawPictures(panel);
        panel->setVisible(visible);
    }
}

void TFoSplashScreen::BBQuenorClick() { ShowView(BBQuenor_, {Panel1_}); }

void TFoSplashScreen::BBAuthorsClick() { ShowView(BBAuthors_, {Panel2_}); }

void TFoSplashScreen::BBTeamClick() { ShowView(BBTeam_, {Panel3_}); }

void TFoSplashScreen::BBProgramClick() {
    ShowView(BBProgram_, {Panel4_, Panel5_});
    FillProgramView();
}

QStringList TFoSplashScreen::CustomMessage() const {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    const TSimArr* message =
        context_ && industry ? industry->ConstPart().FindSimArr(kCategoryIndustry, *context_, kCustomMessageName) : nullptr;
    QStringList lines;
    bool written = false;
    for (int line = 1; message && line <= kCustomMessageLines; ++line) {
        const bool inBounds = message->NDim() == 1 && line >= message->LB(1) && line <= message->UB(1);
        lines.append(inBounds ? Cp1252ToQString(message->GetZts(TIndex(line))) : QString());
        written = written || !lines.back().trimmed().isEmpty();
    }
    return written ? lines : QStringList();
}

void TFoSplashScreen::FillProgramView() {
    QLabel* image5 = Panel5_->findChild<QLabel*>(QStringLiteral("Image5"));
    const QStringList message = CustomMessage();
    // Without a message from the instructor the picture stays: an empty
    // white band would say nothing.
    image5->setVisible(message.isEmpty());
    Memo1_->setVisible(!message.isEmpty());
    if (!message.isEmpty()) Memo1_->setPlainText((QStringList{QString()} + message).join(QLatin1Char('\n')));
}

}  // namespace cv
