// A whole game through the windows: team A plays decision periods 10, 11 and
// 12 (the last in which decisions can be made) of the sample against the
// instructor's stand-in, which runs our model over every firm's decisions.
// Each round: take the instructor's industry with the password, read the
// results and the newsletter, the studies and graphs pages, enter decisions in
// every dialog the program has, back up, send; the stand-in runs the period,
// and the next round's pages show it.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <filesystem>
#include <QTest>
#include <functional>
#include <iostream>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "decisions/distribution/distribution_dialog.h"
#include "decisions/page/decision_page.h"
#include "decisions/studies/study_order_dialog.h"
#include "decisions/summary/print_dec_dialog.h"
#include "graphs/charts/anal_graph.h"
#include "graphs/design_dialogs/map2att.h"
#include "graphs/page/graph_page.h"
#include "tests/game/whole_game_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {
namespace {

constexpr int kFirstCurrent = 9;
constexpr int kLastDecisionPeriod = 12;
constexpr int kHomeFirm = 1;
constexpr int kBrandForecastTab = 4;
constexpr int kPrintToolButton = 1;

class WholeGame : public WholeGameTest {
protected:
    WholeGame() : WholeGameTest(kFirstCurrent) {}

    TDataContext Zone(int fta, int market) const {
        TDataContext context;
        context.SelFirm = kHomeFirm;
        context.SelFta = static_cast<std::int16_t>(fta);
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    // What team A decided for Period, as the industry now open holds it.
    int OrderedStudy(int period, int study) {
        const TSimArr* orders = Industry().PerDecisions(period).FindSimArr(kCategoryFirmFtaMarket, Zone(1, 1), "DecStuMkt");
        return orders ? orders->GetByte({study}) : -1;
    }
    int SlfStatus(int period) {
        return Industry().PerDecisions(period).GetSmallintDef(kCategoryFirmFta, Zone(1, 0), "SlfDecStatus", -1);
    }

    void ReadReports(int period, bool firstRound) {
        for (const char* button : {"SpBResult", "SpBNLetter"}) {
            QWidget& page = ShowPage(button);
            auto& shown = dynamic_cast<TFoCv3Mod&>(page);
            EXPECT_EQ(shown.Data.SelPeriod, period) << button;
            EXPECT_EQ(shown.Data.CurPeriod, period) << button;
            if (firstRound || button == std::string("SpBResult")) Shot(*windows.mainWindow, period, button);
        }
    }

    void ReadStudiesAndGraphs(int period, bool studiesOrdered) {
        if (PageButton("SpBStudies").isEnabled()) {
            ShowPage("SpBStudies");
            if (!studiesOrdered) Shot(*windows.mainWindow, period, "StudiesPage");
        } else {
            missing.insert("studies page FoMStudies");
        }
        auto& graphs = dynamic_cast<TFoGraph&>(ShowPage("SpBGraph"));
        graphs.Item("MPGrPerfMS")->trigger();
        auto* chart = dynamic_cast<TFirGraph*>(graphs.Display().Chart());
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->RowCount(), period + 1);  // periods 0 .. the one just run
        if (!studiesOrdered) Shot(*windows.mainWindow, period, "GraphsMarketShare");
        // The map-target dialog needs the perceptual map the team ordered the round before.
        bool designed = false;
        WhenModalShown design(
            [&](QWidget& window) {
                auto* dialog = dynamic_cast<TFoMap2Att*>(&window);
                ASSERT_NE(dialog, nullptr);
                Child<QCheckBox>(window, "chkOpt2").click();
                Child<QPushButton>(window, "btnM2ASolve").click();
                designed = !Child<TQNEdit>(window, "EOptMap1").text().isEmpty();
                Shot(window, period, "MapTarget");
                Child<QPushButton>(window, "btnM2AClose").click();
            },
            "WholeGame_MapTargetOpening");
        graphs.Data.SelMarket = 1;
        graphs.Item("MPGrDesMapEstimPhys")->trigger();
        EXPECT_EQ(design.Ran(), studiesOrdered);
        EXPECT_EQ(designed, studiesOrdered);
    }

    // Opens the area's dialog by its button on the decisions page and runs Enter on it.
    // Each dialog's screenshot is taken in the first round only.
    void Decide(TFoDecision& page, const char* button, const std::function<void(QWidget&)>& enter, int period,
                const char* shot) {
        auto& open = Child<QAbstractButton>(page, button);
        if (!open.isEnabled()) {
            missing.insert(button);
            return;
        }
        WhenModalShown dialog(enter, period == kFirstCurrent + 1 ? "WholeGame_" + std::to_string(period) + "_" + shot
                                                                 : std::string("WholeGame_Dialog"));
        open.click();
        EXPECT_TRUE(dialog.Ran()) << button;
    }

    // Entering the field ends the edit of the one before, as a click would.
    static void Type(TQNEdit& field, const QString& text) {
        field.setFocus(Qt::MouseFocusReason);
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Tab);
    }
    // Presses Tab until the focus is on Window's child Name; false when it
    // comes round without reaching it.
    static bool TabTo(QWidget& window, const char* name) {
        constexpr int kMostTabs = 60;
        // Keys reach the dialog only once it is active and holds the focus.
        if (!QTest::qWaitFor([&] {
                QWidget* focus = QApplication::focusWidget();
                return window.isActiveWindow() && focus && focus->window() == &window;
            }))
            return false;
        for (int tabs = 0; tabs < kMostTabs; ++tabs) {
            QWidget* focus = QApplication::focusWidget();
            if (focus && focus->window() == &window && focus->objectName() == QLatin1String(name)) return true;
            QTest::keyClick(focus ? focus : &window, Qt::Key_Tab);
        }
        return false;
    }
    // Replaces the focused field's text as typing does: select all, then the keys.
    static void ReplaceFocusedText(const QString& text) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // The first brand's decisions in the North's M1, as the industry now open holds them.
    double FirstBrandDecision(int period, std::int8_t element) {
        const TSimArr* mix = Industry().PerDecisions(period).FindSimArr(kCategoryFirmFtaMarket, Zone(1, 1), "DecBrdCv3");
        return mix ? static_cast<double>(mix->GetReal48({1, element})) : -1;
    }
    int ProjectCount(int period) {
        return Industry().PerDecisions(period).GetSmallintDef(kCategoryFirmMarket, Zone(0, 1), "NbPrjs", 0);
    }
    static int PriceFor(int period) { return 700 + 5 * period; }

    bool forecastShown = false;

    void EnterDecisions(int period) {
        forecastShown = false;
        auto& page = dynamic_cast<TFoDecision&>(ShowPage("SpBDec"));
        // The portfolio as it stands.
        Decide(page, "BBBrdPF", [](QWidget& window) { Child<QPushButton>(window, "BBOk").click(); }, period, "Portfolio");
        // The first brand's price, and its advertising split over M1's three
        // segments, by keys only: Tab to each field, type, Enter for OK.
        Decide(
            page, "BBBrdMMix",
            [period](QWidget& window) {
                ASSERT_TRUE(TabTo(window, "QNEPriceCurPer"));
                ReplaceFocusedText(QString::number(PriceFor(period)));
                int segment = 0;
                for (const char* share : {"50", "30", "20"}) {
                    ASSERT_TRUE(TabTo(window, ("QNESegCurPer" + std::to_string(++segment)).c_str()));
                    ReplaceFocusedText(QString::fromLatin1(share));
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QTRY_VERIFY(!window.isVisible());
            },
            period, "MarketingMix");
        // A new project in M1 on the first completed prototype, with a development budget.
        bool rndClosed = false;
        Decide(
            page, "BBRnD",
            [&](QWidget& window) {
                WhenModalShown naming([period](QWidget& newProject) {
                    auto& name = Child<QLineEdit>(newProject, "MEProjName");
                    name.setFocus();
                    name.setCursorPosition(2);
                    QTest::keyClicks(&name, QStringLiteral("GM") + QChar('A' + period - kFirstCurrent));
                    auto& prototypes = Child<QListWidget>(newProject, "LBExistProto");
                    prototypes.setCurrentRow(0);
                    Child<QPushButton>(newProject, "BBCreateProj").click();
                });
                Child<QPushButton>(window, "BBNewProj").click();
                EXPECT_TRUE(naming.Ran());
                window.activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
                Type(Child<TQNEdit>(window, "EAllocBud"), QStringLiteral("500"));
                Child<QPushButton>(window, "BBOk").click();
                rndClosed = !window.isVisible();
            },
            period, "RnD");
        if (Child<QAbstractButton>(page, "BBRnD").isEnabled()) {
            EXPECT_TRUE(rndClosed) << BoxKeys(root.ui).size();
            EXPECT_GE(ProjectCount(period), 1);
        }
        // The studies the design tools need, and the consumer survey, in M1.
        Decide(
            page, "BBStudies",
            [](QWidget& window) {
                auto& dialog = dynamic_cast<TFoStudies&>(window);
                for (const int study : {int{si::ConsumerSurvey}, int{si::SemanticScales}, int{si::PerceptualMap}})
                    if (const int row = dialog.RowOf(false, study)) dialog.OrderBox(row, 1)->setChecked(true);
                Child<QPushButton>(window, "BBOk").click();
            },
            period, "StudyOrders");
        // One salesperson more in the first channel, the first brand's share
        // of it raised, shared out again over the brands, by keys only.
        Decide(
            page, "BBDistrib",
            [](QWidget& window) {
                auto& dialog = dynamic_cast<TFoDistrib&>(window);
                TQNEdit& channel = *dialog.ChannelField(1);
                ASSERT_TRUE(TabTo(window, "EChannel1"));
                ReplaceFocusedText(QString::number(channel.IntValue() + 1));
                ASSERT_TRUE(TabTo(window, "EBrand1"));
                ReplaceFocusedText(QString::number(dialog.EffortField(1, 1)->IntValue() + 10));
                ASSERT_TRUE(TabTo(window, "BBNormalize"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                EXPECT_EQ(Child<TQNEdit>(window, "ETotal1").text(), QStringLiteral("100%"));
                ASSERT_TRUE(TabTo(window, "BBOk"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                QTRY_VERIFY(!window.isVisible());
            },
            period, "Distribution");
        // The plan as the defaults lay it, and its forecast: the brand forecast tab runs the model.
        Decide(
            page, "BBMktPlan",
            [&](QWidget& window) {
                auto& tabs = Child<QTabBar>(window, "TSMktPlan");
                QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(kBrandForecastTab).center());
                EXPECT_EQ(tabs.currentIndex(), kBrandForecastTab);
                forecastShown = Session->ForecastDone;
                Shot(window, period, "Forecast");
                Child<QPushButton>(window, "BBClose").click();
            },
            period, "MarketingPlan");
        // The summary and the budget, every tab of each.
        for (const char* button : {"BBSummary", "BBBudget"})
            Decide(
                page, button,
                [](QWidget& window) {
                    auto& tabs = Child<QTabBar>(window, "TSSections");
                    for (int tab = tabs.count() - 1; tab >= 0; --tab) tabs.setCurrentIndex(tab);
                    Child<QPushButton>(window, "BBOK").click();
                },
                period, button);
        if (Child<QAbstractButton>(page, "BBMktPlan").isEnabled()) {
            EXPECT_TRUE(forecastShown);
        }
        if (Child<QAbstractButton>(page, "BBBrdMMix").isEnabled()) {
            EXPECT_EQ(FirstBrandDecision(period, si::Price), PriceFor(period));
            EXPECT_EQ(FirstBrandDecision(period, si::BrdDecStatus), 1);
        }
        EXPECT_EQ(OrderedStudy(period, si::PerceptualMap), 1);
        EXPECT_EQ(SlfStatus(period), 1);
        Shot(*windows.mainWindow, period, "DecisionsAfter");
        PrintDecisions(period);
    }

    // The print tool button on the decisions page: the decisions and the plan.
    // Without a printer the documents are written as spreadsheet files.
    void PrintDecisions(int period) {
        QToolButton* print = windows.mainWindow->ToolButton(kPrintToolButton);
        if (!print->isVisible() || !print->isEnabled()) {
            missing.insert("print decision documents");
            return;
        }
        const int current = period - 1;
        const std::string suffix = (current < 10 ? "0" : "") + std::to_string(current) + ".xlsx";
        const std::vector<std::pair<int, std::string>> documents{{0, "SAMPLEDA" + suffix}, {2, "SAMPLEPA" + suffix}};
        for (const auto& [choice, file] : documents) {
            WhenModalShown dialog(
                [choice = choice](QWidget& window) {
                    auto& printDialog = dynamic_cast<TFoPrintDec&>(window);
                    printDialog.Choices().at(static_cast<std::size_t>(choice))->click();
                    Child<QCheckBox>(window, "ChBXLOnly").setChecked(true);
                    Child<QPushButton>(window, "BBPrint").click();
                },
                period == kFirstCurrent + 1 ? "WholeGame_" + std::to_string(period) + "_PrintDecisions"
                                            : std::string("WholeGame_Dialog"));
            print->click();
            EXPECT_TRUE(dialog.Ran());
            EXPECT_TRUE(std::filesystem::exists(Private() / file)) << file;
        }
    }
};

TEST_F(WholeGame, ThreePeriodsToTheLastDecisionsThroughTheWindows) {
    for (int period = kFirstCurrent + 1; period <= kLastDecisionPeriod; ++period) {
        const int current = period - 1;
        ASSERT_NO_FATAL_FAILURE(TakeIndustry(period, period == kFirstCurrent + 1));
        ASSERT_EQ(Industry().CurPeriod(), current);
        if (period > kFirstCurrent + 1) {
            // What the team sent the round before is what the instructor ran.
            EXPECT_EQ(OrderedStudy(current, si::PerceptualMap), 1);
            EXPECT_EQ(SlfStatus(current), 1);
            if (!missing.count("BBRnD")) {
                EXPECT_GE(ProjectCount(current), 1);
            }
            if (!missing.count("BBBrdMMix")) {
                EXPECT_EQ(FirstBrandDecision(current, si::Price), PriceFor(current));
            }
        }
        ReadReports(current, period == kFirstCurrent + 1);
        ASSERT_NO_FATAL_FAILURE(ReadStudiesAndGraphs(current, period > kFirstCurrent + 1));
        EnterDecisions(period);
        ShowPage("SpBInterface");
        Backup();
        Send();
        CloseIndustry();
        EXPECT_EQ(RunInstructor(), " A");
    }
    // The last period run: its pages show it, and no decision can be made any more.
    ASSERT_NO_FATAL_FAILURE(TakeIndustry(kLastDecisionPeriod + 1, false));
    ASSERT_EQ(Industry().CurPeriod(), kLastDecisionPeriod);
    EXPECT_EQ(OrderedStudy(kLastDecisionPeriod, si::PerceptualMap), 1);
    ReadReports(kLastDecisionPeriod, false);
    EXPECT_FALSE(PageButton("SpBDec").isEnabled());
    Shot(*windows.mainWindow, kLastDecisionPeriod, "End");
    std::cout << "Steps without their dialog in the program:";
    for (const std::string& step : missing) std::cout << ' ' << step;
    std::cout << std::endl;
}

}  // namespace
}  // namespace cv::test
