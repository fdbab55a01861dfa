// The R&D dialog on the sample: what it shows of the stored projects, what it
// writes back, and how tabs, shortcuts and project actions keep tabs and
// stored rows in step.
#include <QLabel>
#include <QListWidget>

#include "core/store/series_index.h"
#include "model/rnd/mod_rnd.h"
#include "tests/decisions/rnd/rnd_dialog_fixture.h"

namespace cv::test {
namespace {

// PAXIS in M1: levels 20, 38, 8, 58, 85 and 312,500.75 allocated. Its requested
// unit cost is a fifth of the way from its minimum to its standard unit cost:
// Weight 2 x (100 + 10 - 20) = 180, Power 4 x 38 = 152, Design 10 x 8 = 80,
// Noise 1 x (100 + 20 - 58) = 62, Range 0.5 x 85 = 42.5: standard 516.5;
// minimum 0.8 x 180 + 0.75 x 152 + 0.7 x 80 + 0.8 x 62 + 0.85 x 42.5 = 399.725;
// 399.725 + 0.2 x 116.775 = 423.08, stored as 423.
TEST_F(RnDDialogTest, ShowsTheProjectsOfTheMarket) {
    Open(1);
    EXPECT_EQ(TabTexts(), "PAXIS PAVIA");
    EXPECT_EQ(rnd->NbDims, 5);
    const int levels[] = {20, 38, 8, 58, 85};
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "EPhysChar" + std::to_string(i);
        EXPECT_EQ(Field(name.c_str()).IntValue(), levels[i - 1]) << name;
        EXPECT_TRUE(Field(name.c_str()).isVisible()) << name;
    }
    EXPECT_EQ(Child<QLabel>(*rnd, "LPhysChar1").text(), "Weight\n(10 - 100)");
    EXPECT_EQ(Field("EPhysChar1").MinValue, 10);
    EXPECT_EQ(Field("EPhysChar5").MaxValue, 200);
    EXPECT_EQ(Field("EReqMUC").IntValue(), 423);
    EXPECT_FALSE(Box("ChBMUC").isChecked());
    EXPECT_TRUE(Field("EReqMUC").isEnabled());
    // 312,500.75 shows as 313 thousands and is kept to the unit.
    EXPECT_EQ(Field("EAllocBud").text(), "313");
    EXPECT_EQ(Field("EAllocBud").RealValue(), 312500.75);
    EXPECT_FALSE(Box("ChBFeasStu").isChecked());
    // No minimum unit cost answered yet: the answers show "-".
    EXPECT_EQ(Field("EMinMUC1").text(), "-");
    EXPECT_EQ(Field("ECurUC1").text(), "-");
    EXPECT_TRUE(Button("BBNewProj").isEnabled());
    EXPECT_FALSE(Button("BBReIntroProj").isEnabled()) << "every prototype of team A is completed";
    EXPECT_EQ(Button("BBAbandonProj").text(), "A&bandon PAXIS") << "Alt+B";
}

// Every characteristic index stays within the market's dimension series:
// M1 has five, M2 three, M3 two; the columns beyond are hidden.
TEST_F(RnDDialogTest, CharacteristicsFollowTheMarketsDimensions) {
    const struct {
        int market;
        int dims;
        const char* lastLabel;
    } markets[] = {{1, 5, "Range\n(10 - 200)"}, {2, 3, "Grip\n(1 - 10)"}, {3, 2, "Autonomy\n(1 - 24)"}};
    for (const auto& [market, dims, lastLabel] : markets) {
        Open(market);
        EXPECT_EQ(rnd->NbDims, dims);
        for (int i = 1; i <= 5; ++i) {
            const std::string suffix = std::to_string(i);
            EXPECT_EQ(Field(("EPhysChar" + suffix).c_str()).isVisibleTo(rnd), i <= dims) << market << " " << i;
            EXPECT_EQ(Child<QLabel>(*rnd, ("IPhysChar" + suffix).c_str()).isVisibleTo(rnd), i <= dims);
        }
        const std::string last = "LPhysChar" + std::to_string(dims);
        EXPECT_EQ(Child<QLabel>(*rnd, last.c_str()).text(), lastLabel);
        EXPECT_FALSE(Child<QLabel>(*rnd, "IPhysChar1").pixmap().isNull()) << "the market's first picture";
    }
}

// A market without a project: one disabled tab, nothing to edit but a new project.
TEST_F(RnDDialogTest, NoProjectLeavesOnlyANewProject) {
    Open(2);
    EXPECT_EQ(TabTexts(), "No project");
    EXPECT_FALSE(Tabs().isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(*rnd, "GBPrjSpec").isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(*rnd, "GBRnDRespons").isEnabled());
    EXPECT_TRUE(Button("BBNewProj").isEnabled());
    EXPECT_TRUE(Button("BBReIntroProj").isEnabled()) << "PAGIL still needs budget";
    EXPECT_FALSE(Button("BBAbandonProj").isEnabled());
    EXPECT_FALSE(Button("BBEstimUC").isEnabled());
    EXPECT_EQ(Field("EReqMUC").text(), "-");
    EXPECT_FALSE(Child<QLabel>(*rnd, "paTitle").isVisible());
    rnd->OkClick();
    EXPECT_EQ(StoredProjectCount(2), 0);
}

// Fields that hold "-" or nothing are stored as 0: the old requested unit cost
// of PAXIS (shown "-" while no minimum is known) and every answer of a new project.
TEST_F(RnDDialogTest, NoSentinelIsEverStored) {
    Open(1);
    rnd->OkClick();
    EXPECT_EQ(StoredFinance(1, si::ProOldReqUC), 0);
    EXPECT_EQ(StoredFinance(1, si::ProMinUC), 0);
    EXPECT_EQ(StoredFinance(1, si::ProReqUC), 423);

    Open(2);
    NewProject("NEW");
    TypeCharacteristics({10, 100, 5});
    rnd->OkClick();
    ASSERT_EQ(StoredProjectCount(2), 1);
    EXPECT_EQ(StoredName(1, 2), "PMNEW");
    // The minimum unit cost box and the feasibility study are ticked: MinRUC 10 and MinRnDBgt 100,000.
    const struct {
        int column;
        double value;
    } expected[] = {{si::ProReqUC, 10},   {si::ProOldReqUC, 0}, {si::ProMinUC, 0},     {si::ProReqBgt, 0},
                    {si::ProCumBgt, 0},   {si::ProAllBgt, 100000}, {si::ProDeveloper, 1}, {si::ProDecStatus, 1}};
    for (const auto& [column, value] : expected) EXPECT_EQ(StoredFinance(1, column, 2), value) << int(column);
    // Three characteristics in M2, nothing written beyond them.
    const int levels[] = {10, 100, 5};
    for (int dim = 1; dim <= 3; ++dim) EXPECT_EQ(Projects("PrjTecs", 2).GetReal48({1, dim}), levels[dim - 1]) << dim;
}

// Rows are positional: abandoning the renamed second of three projects
// deletes stored row 2, and projects 1 and 3 keep their own data.
TEST_F(RnDDialogTest, RenamedProjectIsAbandonedByItsRow) {
    Open(1);
    NewProject("NEW");
    TypeCharacteristics({30, 30, 5, 70, 50});
    Tabs().setCurrentIndex(1);
    ASSERT_EQ(StoredProjectCount(), 3);
    WithSubDialog([this] { QTest::mouseDClick(&Tabs(), Qt::LeftButton, {}, Tabs().tabRect(1).center()); },
                  [](QWidget& rename) {
                      auto& field = Child<QLineEdit>(rename, "MEProjName");
                      field.setFocus();
                      field.setCursorPosition(2);
                      QTest::keyClicks(&field, "REN");
                      QTest::mouseClick(&Child<QPushButton>(rename, "BBOk"), Qt::LeftButton);
                  });
    ASSERT_EQ(TabTexts(), "PAXIS PMREN PMNEW");
    QTest::mouseClick(&Button("BBAbandonProj"), Qt::LeftButton);
    ASSERT_EQ(root.ui.messageBoxes.back().key, "Do you really want to abandon project PMREN?");
    EXPECT_EQ(TabTexts(), "PAXIS PMNEW");
    EXPECT_EQ(StoredProjectCount(), 2);
    EXPECT_EQ(Field("EPhysChar1").IntValue(), 30) << "the tab shown is PMNEW with its own levels";
    rnd->OkClick();
    EXPECT_EQ(StoredName(1), "PAXIS");
    EXPECT_EQ(StoredName(2), "PMNEW");
    EXPECT_EQ(Projects("PrjTecs").GetReal48({1, 1}), 20);
    EXPECT_EQ(StoredFinance(1, si::ProAllBgt), 312500.75);
    EXPECT_EQ(Projects("PrjTecs").GetReal48({2, 1}), 30);
    EXPECT_EQ(Projects("PrjTecs").GetReal48({2, 4}), 70);
    EXPECT_EQ(StoredFinance(2, si::ProAllBgt), 100000);
}

TEST_F(RnDDialogTest, AbandonAskedNoKeepsTheProject) {
    Open(3);
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    QTest::mouseClick(&Button("BBAbandonProj"), Qt::LeftButton);
    EXPECT_EQ(root.ui.messageBoxes.back().type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(TabTexts(), "PVELA");
    EXPECT_EQ(StoredProjectCount(3), 1);
}

TEST_F(RnDDialogTest, AbandoningTheLastProjectShowsNoProject) {
    Open(3);
    QTest::mouseClick(&Button("BBAbandonProj"), Qt::LeftButton);
    EXPECT_EQ(StoredProjectCount(3), 0);
    EXPECT_EQ(TabTexts(), "No project");
    EXPECT_FALSE(Button("BBAbandonProj").isEnabled());
}

// A field that does not pass keeps the dialog open on it with its line of "DevDecs".
TEST_F(RnDDialogTest, IncompleteProjectIsRefused) {
    const struct {
        const char* field;
        int line;
    } cases[] = {{"EPhysChar2", 3}, {"EReqMUC", 4}, {"EAllocBud", 5}};
    for (const auto& [name, line] : cases) {
        Open(1);
        Type(Field(name), QString());
        root.ui.messageBoxes.clear();
        QTest::mouseClick(&Button("BBOk"), Qt::LeftButton);
        ASSERT_EQ(BoxKeys(root.ui), std::vector<std::string>{"DevDecs"}) << name;
        EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{line}) << name;
        EXPECT_TRUE(rnd->isVisible()) << name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return Field(name).hasFocus(); })) << name;
        EXPECT_EQ(StoredFinance(1, si::ProOldReqUC), 423) << "nothing was written";
    }
}

TEST_F(RnDDialogTest, TabChangeWritesTheProjectShown) {
    Open(1);
    Type(Field("EPhysChar1"), "25");
    Tabs().setCurrentIndex(1);
    EXPECT_EQ(Projects("PrjTecs").GetReal48({1, 1}), 25);
    EXPECT_EQ(Field("EPhysChar1").IntValue(), 35) << "PAVIA";
    Type(Field("EPhysChar1"), QString());
    Tabs().setCurrentIndex(0);
    EXPECT_EQ(Tabs().currentIndex(), 1) << "an empty characteristic keeps the tab";
}

// The two shortcuts lock their field on the minimum; unticked, the field is
// emptied for typing; typing the minimum ticks the box again.
TEST_F(RnDDialogTest, ShortcutsFollowTheirFields) {
    Open(1);
    QTest::mouseClick(&Box("ChBMUC"), Qt::LeftButton);
    EXPECT_EQ(Field("EReqMUC").IntValue(), 10);
    EXPECT_FALSE(Field("EReqMUC").isEnabled());
    QTest::mouseClick(&Box("ChBMUC"), Qt::LeftButton);
    EXPECT_TRUE(Field("EReqMUC").text().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([this] { return Field("EReqMUC").hasFocus(); }));
    Type(Field("EReqMUC"), "10");
    EXPECT_TRUE(Box("ChBMUC").isChecked());
    EXPECT_FALSE(Field("EReqMUC").isEnabled());

    QTest::mouseClick(&Box("ChBFeasStu"), Qt::LeftButton);
    EXPECT_EQ(Field("EAllocBud").RealValue(), 100000);
    EXPECT_FALSE(Field("EAllocBud").isEnabled());
    QTest::mouseClick(&Box("ChBFeasStu"), Qt::LeftButton);
    EXPECT_TRUE(Field("EAllocBud").text().isEmpty());
    Type(Field("EAllocBud"), "100");
    EXPECT_TRUE(Box("ChBFeasStu").isChecked());
    EXPECT_FALSE(Field("EAllocBud").isEnabled());
}

// PAGIL, developed by team A in M2 and stopped, can be continued: its levels
// and minimum unit cost stay as developed, its budget is what it still needs.
TEST_F(RnDDialogTest, SuspendedPrototypeIsContinued) {
    Open(2);
    ClickWithSubDialog(Button("BBReIntroProj"), [](QWidget& reintroduce) {
        EXPECT_EQ(Child<QListWidget>(reintroduce, "LBExistProto").count(), 1);
        EXPECT_EQ(Child<QLineEdit>(reintroduce, "EProjName").text(), "PAGIL");
        QTest::mouseClick(&Child<QPushButton>(reintroduce, "BBOk"), Qt::LeftButton);
    });
    EXPECT_EQ(TabTexts(), "PAGIL");
    const TModRnD& model = rnd->RnDModel();
    const int row = model.PrototypeIndex("PAGIL");
    const auto prototype = [&model, row](int column) { return static_cast<double>(model.ProFins->GetReal48({row, column})); };
    ASSERT_GT(prototype(si::ProReqBgt), 0);
    // Size 8, speed 120, grip 6, locked.
    EXPECT_EQ(Field("EPhysChar2").IntValue(), 120);
    EXPECT_FALSE(Field("EPhysChar2").isEnabled());
    EXPECT_FALSE(Box("ChBMUC").isEnabled());
    EXPECT_FALSE(Box("ChBFeasStu").isChecked());
    EXPECT_TRUE(Field("EAllocBud").isEnabled());
    EXPECT_EQ(Field("EAllocBud").RealValue(), prototype(si::ProReqBgt));
    EXPECT_EQ(Field("ECumDevBud").RealValue(), prototype(si::ProCumBgt));
    EXPECT_EQ(Button("BBAbandonProj").text(), "A&bandon PAGIL") << "Alt+B";
    rnd->OkClick();
    EXPECT_EQ(StoredName(1, 2), "PAGIL");
    EXPECT_EQ(StoredFinance(1, si::ProReqBgt, 2), prototype(si::ProReqBgt));
    EXPECT_EQ(StoredFinance(1, si::ProCumBgt, 2), prototype(si::ProCumBgt));
    EXPECT_FALSE(rnd->RnDModel().HasPrototypeToContinue()) << "PAGIL is a project now";
}

// The projects report of every project, in its own window, over the dialog.
TEST_F(RnDDialogTest, ProjectsReportOverTheDialog) {
    Open(1);
    ClickWithSubDialog(Button("BBViewRnDReport"), [](QWidget& report) {
        EXPECT_EQ(report.objectName(), "FoScrDlg");
    });
    EXPECT_TRUE(rnd->isVisible());
}

TEST_F(RnDDialogTest, FiveProjectsAtMost) {
    Open(1);
    for (const char* letters : {"AAA", "BBB", "CCC"}) {
        NewProject(letters);
        TypeCharacteristics({30, 30, 5, 70, 50});
    }
    EXPECT_EQ(Tabs().count(), 5);
    EXPECT_FALSE(Button("BBNewProj").isEnabled());
    EXPECT_FALSE(Button("BBReIntroProj").isEnabled());
}

}  // namespace
}  // namespace cv::test
