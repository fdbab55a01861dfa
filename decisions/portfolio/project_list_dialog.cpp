#include "decisions/portfolio/project_list_dialog.h"

#include <QApplication>

#include "ui/reading_order.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {

constexpr int kSmallScreenClass = 1;
constexpr int kMargin = 10;
constexpr int kSmallScreenMargin = 5;

}  // namespace

TFoScrDlg::TFoScrDlg(QWidget* owner, TProtoListKind kind, const TDataContext& context) : TQNForm(owner) {
    KeepReadingOrder(*this);
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
    const int tableOffset = innerMargin_ + outerMargin_;
    screen_ = TCVScreen::Create<TRnDProtoList>(
        this, context, kind, TScreenLayout{kWindowMode, {kPlaceLeft | kPlaceTop, tableOffset, tableOffset}});
    TranslateForm();
    Layout();
    QApplication::restoreOverrideCursor();
}

TFoScrDlg::~TFoScrDlg() = default;

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
