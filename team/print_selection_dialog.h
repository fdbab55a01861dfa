#pragma once
// TFoAdmPrn: the print selection of the team page. It prints, in one run,
// the company report, the newsletter and the market studies the team chose,
// in the number of copies asked for, or writes them as spreadsheet files
// only: a box per document, a box per section of the report and of the
// newsletter (as their pages' menus group them), and a grid of the available
// studies, a row per study and a box per zone or market where it can be had.
// The instructor's restrictions disable or hide what the team may not print.
//
// The zones printed are those chosen on the selector bar (the page's zone
// word), the markets those of its market word.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <vector>

#include "core/store/data_context.h"
#include "reports/documents/team_documents.h"
#include "ui/qn_form.h"

namespace cv {

class TQNEdit;

class TFoAdmPrn : public TQNForm {
    Q_OBJECT

public:
    // Context is the page's, whose zone and market words the selector bar lent to the dialog changes.
    TFoAdmPrn(QWidget* owner, const TDataContext& context);

    // A box of the study grid: its study (element of "StuFta" or "StuMkt")
    // and column (1 the zone; the market otherwise).
    struct TStudyBox {
        QCheckBox* box;
        QLabel* label;
        bool zoneLevel;
        int study;
        int column;
        bool restricted;
    };
    const std::vector<TStudyBox>& StudyBoxes() const { return studyBoxes_; }
    const std::vector<QCheckBox*>& ReportBoxes() const { return reportBoxes_; }
    const std::vector<QCheckBox*>& NewsletterBoxes() const { return newsletterBoxes_; }

    // What the boxes choose.
    int ReportSections() const;
    int NewsletterSections() const;
    TStudySelection Studies() const;

    void BBPrintItemsClick();
    // Asked between documents; the wait notice's Cancel unless a test says otherwise.
    std::function<bool()> Cancelled;

private:
    void BuildControls();
    void AddSectionBoxes(QCheckBox* document, const char* category, bool newsletter, std::vector<QCheckBox*>& boxes,
                         std::vector<bool>& restricted);
    void AddStudyRows();
    void AddStudyBox(int row, int column, bool zoneLevel, int study, const std::string& key, const QString& caption);
    void EnableBoxes();
    void SelectAll(bool report, bool newsletter, bool studies);
    void ClearSelection();
    void Place(QWidget* widget, int left, int top, int width, int height);

    const TDataContext& context_;
    TQNEdit* copies_ = nullptr;
    QCheckBox* ChBReport = nullptr;
    QCheckBox* ChBNLetter = nullptr;
    QCheckBox* ChBStudies = nullptr;
    QRadioButton* RBPrnTeam = nullptr;
    QRadioButton* RBPrnAdm = nullptr;
    QCheckBox* ChBXLOnly = nullptr;
    std::vector<QCheckBox*> reportBoxes_;
    std::vector<QCheckBox*> newsletterBoxes_;
    std::vector<bool> reportRestricted_;
    std::vector<bool> newsletterRestricted_;
    std::vector<TStudyBox> studyBoxes_;
    int studyRows_ = 0;
    QWidget* pWMF = nullptr;  // the hidden panel the study charts are drawn on
};

}  // namespace cv
