#include "tests/decisions/rnd/rnd_dialog_fixture.h"

#include <QListWidget>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"

namespace cv::test {

void RnDDialogTest::SetUp() {
    ShowPage(sample::TSampleDecisions::Complete);
    root.ui.messageBoxAnswer = TModalResult::mrYes;
}

QWidget* RnDDialogTest::ShownWindow() {
    if (owned) return owned.get();
    return DecisionPageTest::ShownWindow();
}

TFoDecRnD& RnDDialogTest::Open(int market) {
    context = page->Data;
    context.SelMarket = static_cast<std::int16_t>(market);
    owned.reset();
    owned = std::make_unique<TFoDecRnD>(page, context);
    rnd = owned.get();
    rnd->show();
    rnd->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(rnd));
    return *rnd;
}

QString RnDDialogTest::TabTexts() {
    QStringList texts;
    for (int tab = 0; tab < Tabs().count(); ++tab) texts << Tabs().tabText(tab);
    return texts.join(QLatin1Char(' '));
}

TSimArr& RnDDialogTest::Projects(const char* name, int market) {
    TDataContext cell = page->Data;
    cell.SelMarket = static_cast<std::int16_t>(market);
    TCvInd& industry = *Session->Industry();
    return *industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirmMarket, cell, name);
}

int RnDDialogTest::StoredProjectCount(int market) {
    TDataContext cell = page->Data;
    cell.SelMarket = static_cast<std::int16_t>(market);
    TCvInd& industry = *Session->Industry();
    return industry.PerDecisions(industry.DecPeriod()).GetSmallint(kCategoryFirmMarket, cell, "NbPrjs");
}

double RnDDialogTest::StoredFinance(int row, int column, int market) {
    return static_cast<double>(Projects("PrjFins", market).GetReal48({row, column}));
}

std::string RnDDialogTest::StoredName(int row, int market) { return Projects("PrjNames", market).GetZts({row}); }

void RnDDialogTest::Type(TQNEdit& field, const QString& text) {
    // After a sub-dialog the dialog is active again only once the window system says so.
    field.window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(field.window()));
    field.setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&field] { return field.hasFocus(); })) << field.objectName().toStdString();
    field.selectAll();
    QTest::keyClicks(&field, text);
    if (text.isEmpty()) QTest::keyClick(&field, Qt::Key_Delete);
    field.clearFocus();
}

void RnDDialogTest::TypeCharacteristics(const std::vector<int>& levels) {
    for (std::size_t i = 0; i < levels.size(); ++i)
        Type(Field(("EPhysChar" + std::to_string(i + 1)).c_str()), QString::number(levels[i]));
}

void RnDDialogTest::WithSubDialog(const std::function<void()>& act, const std::function<void(QWidget&)>& inspect) {
    WhenModalShown shown(inspect);
    act();
    EXPECT_TRUE(shown.Ran());
}

void RnDDialogTest::ClickWithSubDialog(QPushButton& button, const std::function<void(QWidget&)>& inspect) {
    WithSubDialog([&button] { QTest::mouseClick(&button, Qt::LeftButton); }, inspect);
}

void RnDDialogTest::NewProject(const QString& letters) {
    ClickWithSubDialog(Button("BBNewProj"), [&letters](QWidget& newProject) {
        auto& field = Child<QLineEdit>(newProject, "MEProjName");
        field.setFocus();
        field.setCursorPosition(2);
        QTest::keyClicks(&field, letters);
        auto& base = Child<QCheckBox>(newProject, "UsePrjBase");
        if (base.isChecked()) QTest::mouseClick(&base, Qt::LeftButton);
        QTest::mouseClick(&Child<QPushButton>(newProject, "BBCreateProj"), Qt::LeftButton);
    });
}

}  // namespace cv::test
