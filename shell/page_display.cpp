#include "shell/page_display.h"

#include <QApplication>

#include "core/base/ui_services.h"
#include "ui/document/xl_doc.h"
#include "ui/user_action.h"

namespace cv {
namespace {

// A page's hard copy: the document layout of every printed document.
constexpr int kHardCopyRowsPerPage = 65;
constexpr int kHardCopyPageColumns = 10;
constexpr int kHardCopyFirstRow = 5;

}  // namespace

TPageDisplay::TPageDisplay(const QWidget& page) : page_(page) {}

TPageDisplay::~TPageDisplay() = default;

void TPageDisplay::Show(std::unique_ptr<TCVScreen> screen) {
    Clear();
    screen_ = std::move(screen);
    laidOutFor_ = page_.size();
}

void TPageDisplay::Show(std::unique_ptr<TCVChart> chart) {
    Clear();
    chart_ = std::move(chart);
    laidOutFor_ = page_.size();
    if (chart_) chartRoomLeft_ = laidOutFor_ - chart_->size();
}

void TPageDisplay::Clear() {
    screen_.reset();
    chart_.reset();
}

void TPageDisplay::Rebuild(const TDataContext& context) {
    RunUserAction(
        [&] {
            if (chart_) chart_->Build(context);
            if (screen_) screen_->Build(context);
        },
        [this] { Clear(); });
}

void TPageDisplay::FollowPageSize() {
    const QSize size = page_.size();
    if (IsEmpty() || size == laidOutFor_) return;
    laidOutFor_ = size;
    if (screen_ && screen_->Table()) screen_->Table()->FollowOwnerSize();
    if (chart_) {
        chart_->resize((size - chartRoomLeft_).expandedTo(QSize(0, 0)));
        chart_->Reposition();
    }
}

void TPageDisplay::Print(QWidget* owner) const {
    if (chart_) {
        chart_->setFocus();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        chart_->PrintChart();
        QApplication::restoreOverrideCursor();
    } else if (screen_ && screen_->Table()) {
        TXlDoc document(owner, kHardCopyRowsPerPage, kHardCopyPageColumns, false);
        document.Reset();
        document.SetCurrentRow(kHardCopyFirstRow);
        document.AppendSheet(screen_->Table()->Sheet().Model());
        document.PrintOrSave("", kDocPrintDialog, 1);
    } else {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NothingToPrint", {0}, TAlignment::taCenter);
    }
}

void TPageDisplay::CopyToClipboard() const {
    if (chart_)
        chart_->CopyToClipboard();
    else if (screen_ && screen_->Table())
        screen_->Table()->CopyToClipboard();
    else
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NothingToCopyToClip", {0}, TAlignment::taCenter);
}

}  // namespace cv
