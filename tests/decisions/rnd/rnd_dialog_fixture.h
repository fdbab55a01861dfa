#pragma once
// The R&D dialog on the sample, opened on the decisions page for team A, and
// the stored project arrays it writes. In the sample team A develops PAXIS and
// PAVIA in M1 (five characteristics), nothing in M2 (three), where PAGIL is a
// prototype still needing budget, and PVELA in M3 (two); its other prototypes
// are those of its brands, completed.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "decisions/rnd/rnd_dialog.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "ui/fields/qn_edit.h"
#include "ui/qn_tab_set.h"

namespace cv::test {

class RnDDialogTest : public DecisionPageTest {
protected:
    void SetUp() override;
    QWidget* ShownWindow() override;

    // Opens the dialog (shown, not modal) on Market, as the page's R&D button would.
    TFoDecRnD& Open(int market);

    // The stored project arrays and counts of team A in Market, decision period.
    TSimArr& Projects(const char* name, int market = 1);
    int StoredProjectCount(int market = 1);
    double StoredFinance(int row, int column, int market = 1);
    std::string StoredName(int row, int market = 1);

    // The controls of the dialog under test (Rnd).
    TQNEdit& Field(const char* name) { return Child<TQNEdit>(*rnd, name); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(*rnd, name); }
    QCheckBox& Box(const char* name) { return Child<QCheckBox>(*rnd, name); }
    TQNTabSet& Tabs() { return Child<TQNTabSet>(*rnd, "TSRnDProj"); }
    QString TabTexts();
    // Types Text into Field as the user would, and leaves it.
    void Type(TQNEdit& field, const QString& text);
    // Types the characteristics 1, 2, ... of the project shown.
    void TypeCharacteristics(const std::vector<int>& levels);
    // Runs Act; the modal sub-dialog it opens is handed to Inspect.
    void WithSubDialog(const std::function<void()>& act, const std::function<void(QWidget&)>& inspect);
    void ClickWithSubDialog(QPushButton& button, const std::function<void(QWidget&)>& inspect);
    // Starts a new project "P" + market initial + Letters, without a base prototype.
    void NewProject(const QString& letters);

    TDataContext context;
    std::unique_ptr<TFoDecRnD> owned;
    TFoDecRnD* rnd = nullptr;
};

}  // namespace cv::test
