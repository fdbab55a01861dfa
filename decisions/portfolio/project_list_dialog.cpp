#include "decisions/portfolio/project_list_dialog.h"

#include <QApplication>
#include <QScreen>

#include "ui/report/qn_table.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {

constexpr int kSmallScreenClass = 1;
constexpr int kMargin = 10;
constexpr int kSmallScreenMargin = 5;
// Left on the screen for the window system's title bar.
constexpr int kTitleBarAllowance = 30;

}  // namespace

TFoScrDlg::TFoScrDlg(QWidget* owner, TProtoListKind kind, const TDataContext& context) : TQNForm(owner) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoScrDlg"));
    innerMargin_ = outerMargin_ = ScreenClass() == kSmallScreenClass ? kSmallScreenMargin : kMargin;
    // The bevel is made first, so that the table lies above it.
    Bevel = new QFrame(this);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    BBClose = new QPushButton(this);
    BBClose->setObjectName(QStringLiteral("BBClose"));
    BBClose->setDefault(true);
    connect(BBClose, &QPushButton::clicked, this, &QDialog::accept);
    TranslateForm();
    MakeRoom();
    const int tableOffset = innerMargin_ + outerMargin_;
    screen_ = TCVScreen::Create<TRnDProtoList>(
        this, context, kind, TScreenLayout{kWindowMode, {kPlaceLeft | kPlaceTop, tableOffset, tableOffset}});
    Layout();
    QApplication::restoreOverrideCursor();
}

TFoScrDlg::~TFoScrDlg() = default;

// The report's table takes the room the window can have on the screen, less
// the margins and the close button: the whole table where the screen holds
// it, rows or columns that scroll only where it does not.
void TFoScrDlg::MakeRoom() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    BBClose->adjustSize();
    // The table sits inner + outer margin from the top left; the rest lies beyond it.
    resize(available.width() - innerMargin_ - outerMargin_,
           available.height() - kTitleBarAllowance - innerMargin_ - 2 * outerMargin_ - BBClose->height());
}

void TFoScrDlg::Layout() {
    const TQNTable& table = *screen_->Table();
    Bevel->setGeometry(outerMargin_, outerMargin_, table.Width() + 2 * innerMargin_,
                       table.Height() + 2 * innerMargin_);
    BBClose->adjustSize();
    const int clientWidth = Bevel->width() + 2 * outerMargin_;
    const int bevelBottom = Bevel->y() + Bevel->height();
    setFixedSize(clientWidth, bevelBottom + outerMargin_ + BBClose->height() + outerMargin_);
    BBClose->move((clientWidth - BBClose->width()) / 2, bevelBottom + outerMargin_);
}

}  // namespace cv
