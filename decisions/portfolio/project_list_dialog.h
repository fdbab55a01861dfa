#pragma once
// TFoScrDlg: the R&D projects report in a small modal window of its own, so
// that a team choosing a project or a prototype in another dialog can look at
// its projects without leaving that dialog. The window takes the size of the
// report's table, as large as the screen allows.

#include <QFrame>
#include <QPushButton>
#include <memory>

#include "core/store/data_context.h"
#include "reports/results/rnd_proto_list.h"
#include "ui/qn_form.h"

namespace cv {

class TFoScrDlg : public TQNForm {
    Q_OBJECT

public:
    // Shows the list of Kind for the firm and market of Context.
    TFoScrDlg(QWidget* owner, TProtoListKind kind, const TDataContext& context);
    ~TFoScrDlg() override;

    const TRnDProtoList& Screen() const { return *screen_; }

private:
    void MakeRoom();
    void Layout();

    QFrame* Bevel = nullptr;
    QPushButton* BBClose = nullptr;
    // Between the table and the bevel, and between the bevel and the window's edge.
    int innerMargin_ = 0;
    int outerMargin_ = 0;
    std::unique_ptr<TRnDProtoList> screen_;
};

}  // namespace cv
