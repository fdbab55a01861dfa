// The decision dialogs by keyboard, each opened by a click on its button of
// the decisions page on the complete sample: every button but OK, Cancel and
// Close has its Alt letter, no two controls of a dialog share one, and Tab
// visits the dialog's own controls as a page is read before the selector
// groups and tool buttons lent to it.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <map>

#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/shown_title.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

int StoredOrders(const TSimArr& orders) {
    int count = 0;
    for (int study = orders.LB(1); study <= orders.UB(1); ++study) count += orders.GetByte({study}) != 0;
    return count;
}

class DialogKeysTest : public StartedProgramTest {
protected:
    void SetUp() override {
        page = ShowDecisionsPage(root, Main(), {sample::TSampleDecisions::Complete, sample::TSampleRestrictions::None});
        ASSERT_NE(page, nullptr);
    }
    QWidget* ShownWindow() override { return nullptr; }

    // Clicks the page's button Button and runs Steps on the dialog it opens.
    void WithDialog(const char* button, const std::function<void(QWidget&)>& steps) {
        WhenModalShown shown([&steps](QWidget& dialog) { steps(dialog); });
        auto& opener = Child<QPushButton>(*page, button);
        QTest::mouseClick(&opener, Qt::LeftButton);
        EXPECT_TRUE(shown.Ran()) << button;
    }

    // The North's study orders stored, over its own studies and every market's.
    int NorthOrders() {
        TCvInd& industry = *Session->Industry();
        TDataContext zone = page->Data;
        zone.SelFta = 1;
        TCvPerData& decisions = industry.PerDecisions(industry.DecPeriod());
        int orders = StoredOrders(*decisions.FindSimArr(kCategoryFirmFta, zone, "DecStuFta"));
        for (zone.SelMarket = 1; zone.SelMarket <= industry.NbMarkets(); ++zone.SelMarket)
            orders += StoredOrders(*decisions.FindSimArr(kCategoryFirmFtaMarket, zone, "DecStuMkt"));
        return orders;
    }

    TFoDecision* page = nullptr;
};

bool ClosesTheDialog(const QWidget& button) {
    static const QStringList names{"BBOk", "BBOK", "BBCancel", "bbCancel", "BBClose"};
    return names.contains(button.objectName());
}

// The Alt letters of Dialog's visible controls, each with the controls that use it.
std::map<int, QStringList> AltLetters(QWidget& dialog) {
    std::map<int, QStringList> letters;
    const auto add = [&letters](const QString& text, const QString& owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) letters[key[0].toCombined()] << owner;
    };
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&dialog)) add(button->text(), button->objectName());
    for (QTabBar* tabs : dialog.findChildren<QTabBar*>())
        if (tabs->isVisibleTo(&dialog))
            for (int tab = 0; tab < tabs->count(); ++tab) add(tabs->tabText(tab), tabs->objectName());
    return letters;
}

// Every push button of the dialog that does more than close it has an Alt
// letter of its own.
void ExpectAltLetters(QWidget& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->isVisibleTo(&dialog) && !ClosesTheDialog(*button)) {
            EXPECT_FALSE(QKeySequence::mnemonic(button->text()).isEmpty())
                << button->objectName().toStdString() << " \"" << button->text().toStdString() << "\"";
        }
    for (const auto& [letter, owners] : AltLetters(dialog))
        EXPECT_EQ(owners.size(), 1) << QKeySequence(letter).toString().toStdString() << ": "
                                    << owners.join(' ').toStdString();
}

// The object names of the controls Tab visits from the first one, up to
// Count of them; a control without a name is named by its class.
QStringList TabStops(QWidget& dialog, int count) {
    QStringList stops;
    EXPECT_TRUE(QTest::qWaitFor([&dialog] {
        return QApplication::focusWidget() && dialog.isAncestorOf(QApplication::focusWidget());
    }));
    for (int i = 0; i < count; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused) break;
        stops << (focused->objectName().isEmpty() ? QString::fromLatin1(focused->metaObject()->className())
                                                  : focused->objectName());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return stops;
}

// Clicks Dialog's button Button and runs Steps on the dialog it opens.
void WithSubDialog(QWidget& dialog, const char* button, const std::function<void(QWidget&)>& steps) {
    WhenModalShown shown([&steps](QWidget& sub) { steps(sub); });
    QTest::mouseClick(&Child<QPushButton>(dialog, button), Qt::LeftButton);
    EXPECT_TRUE(shown.Ran()) << button;
}

// The frame shows the whole title: the program's name is not added to it,
// and the dialog leaves room for the title beside a window manager's icon
// and buttons (four of about 24 pixels, with margins: 130 pixels).
void ExpectWholeTitle(QWidget& dialog) {
    constexpr int kFrameButtons = 130;
    EXPECT_EQ(ShownTitle(dialog).toStdString(), dialog.windowTitle().toStdString());
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    EXPECT_GE(dialog.width(), QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + kFrameButtons)
        << dialog.windowTitle().toStdString();
}

void ExpectKeysAndTitle(QWidget& dialog) {
    ExpectAltLetters(dialog);
    ExpectWholeTitle(dialog);
}

// The Tab stops of Dialog from the first one round to it again.
QStringList TabCycle(QWidget& dialog) {
    constexpr int kMostStops = 80;
    QStringList stops = TabStops(dialog, kMostStops);
    const qsizetype again = stops.indexOf(stops.value(0), 1);
    return again > 0 ? stops.mid(0, again) : stops;
}

const char* const kAreaButtons[] = {"BBBrdPF",   "BBBrdMMix", "BBDistrib", "BBStudies",
                                    "BBRnD",     "BBSummary", "BBBudget",  "BBMktPlan"};

TEST_F(DialogKeysTest, EveryButtonHasAnAltLetterOfItsOwnAndTheWholeTitleShows) {
    for (const char* button : kAreaButtons) WithDialog(button, ExpectKeysAndTitle);
    // The dialogs they open in turn.
    WithDialog("BBBrdPF", [](QWidget& portfolio) {
        WithSubDialog(portfolio, "BBIntro", [](QWidget& naming) {
            ExpectKeysAndTitle(naming);
            WithSubDialog(naming, "BBViewRnDReport", ExpectWholeTitle);
        });
    });
    WithDialog("BBRnD", [](QWidget& rnd) {
        WithSubDialog(rnd, "BBNewProj", ExpectKeysAndTitle);
        WithSubDialog(rnd, "BBEstimUC", ExpectKeysAndTitle);
    });
    WithDialog("BBDistrib", [](QWidget& distribution) {
        WithSubDialog(distribution, "BBAssistant", ExpectKeysAndTitle);
    });
    // The print of the decision documents, from the main window's print button.
    WhenModalShown print(ExpectKeysAndTitle);
    QTest::mouseClick(Main().findChild<QToolButton*>(QStringLiteral("sbPrint")), Qt::LeftButton);
    EXPECT_TRUE(print.Ran());
}

// A brand being modified is named in a dialog captioned "Modify a brand",
// the narrowest title of them.
TEST_F(DialogKeysTest, TheModifiedBrandsTitleShowsWhole) {
    WithDialog("BBBrdPF", [](QWidget& portfolio) {
        auto& marketed = Child<QTableView>(portfolio, "SGMktBrd");
        QTest::mouseClick(marketed.viewport(), Qt::LeftButton, {},
                          marketed.visualRect(marketed.model()->index(0, 0)).center());
        WithSubDialog(portfolio, "BBModif", [](QWidget& naming) {
            EXPECT_EQ(naming.windowTitle(), "Modify a brand");
            ExpectWholeTitle(naming);
        });
    });
}

// A new project renamed, by a double click on its tab in the R&D dialog
// (PAXIS, team A's new development in M1), in a dialog captioned "Rename the
// project"; the screen's screenshot shows the frame's title.
TEST_F(DialogKeysTest, TheRenamedProjectsTitleShowsWhole) {
    WithDialog("BBRnD", [](QWidget& rnd) {
        auto& tabs = Child<QTabBar>(rnd, "TSRnDProj");
        ASSERT_EQ(tabs.tabText(0), "PAXIS");
        WhenModalShown renaming([](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Rename the project");
            ExpectKeysAndTitle(dialog);
            ExpectFitsTheScreen(dialog, {"MEProjName", "BBOk", "BBCancel"});
            SaveScreenScreenshot("DialogKeysTest_TheRenamedProjectsTitleShowsWhole_Screen");
        });
        QTest::mouseDClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(0).center());
        EXPECT_TRUE(renaming.Ran());
    });
}

// Alt with a button's letter presses it: the studies' "Order none" and
// "Order all", the portfolio's "Withdraw" and "Undo" of the brand chosen.
TEST_F(DialogKeysTest, AltLettersPressTheirButtons) {
    WithDialog("BBStudies", [](QWidget& dialog) {
        const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        const auto ticked = [&boxes] {
            return std::count_if(boxes.begin(), boxes.end(), [](const QCheckBox* box) { return box->isChecked(); });
        };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(ticked(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(ticked(), boxes.size());
    });
    WithDialog("BBBrdPF", [](QWidget& dialog) {
        auto& marketed = Child<QTableView>(dialog, "SGMktBrd");
        QTest::mouseClick(marketed.viewport(), Qt::LeftButton, {},
                          marketed.visualRect(marketed.model()->index(0, 0)).center());
        auto& withdraw = Child<QPushButton>(dialog, "BBWithDraw");
        auto& undo = Child<QPushButton>(dialog, "BBUndo");
        QTRY_VERIFY(withdraw.isEnabled() && !undo.isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        QTRY_VERIFY(undo.isEnabled() && !withdraw.isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(withdraw.isEnabled() && !undo.isEnabled());
    });
}

// Moves the focus with Tab to Dialog's control Name (a failure when Tab never reaches it).
void TabTo(QWidget& dialog, const char* name) {
    constexpr int kMostStops = 80;
    for (int stop = 0; stop < kMostStops && QApplication::focusWidget()->objectName() != name; ++stop)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    EXPECT_TRUE(dialog.isAncestorOf(QApplication::focusWidget()));
}

// Enter presses the push button that has the focus (the distribution's
// assistant opens, the assistant's Cancel cancels, the studies' "Order all"
// ticks every box) and OK from a field, a box or a rule: the dialog closes
// with its decisions taken.
TEST_F(DialogKeysTest, EnterPressesTheFocusedButtonOrOk) {
    WithDialog("BBDistrib", [](QWidget& dialog) {
        // In the assistant too: Enter on a focused Cancel cancels, Enter on a rule takes the proposal.
        for (const auto& [stop, result] : {std::pair("BBCancel", QDialog::Rejected), {"RBAutoMode1", QDialog::Accepted}}) {
            QTRY_VERIFY(dialog.isAncestorOf(QApplication::focusWidget()));
            TabTo(dialog, "BBAssistant");
            WhenModalShown assistant([stop, result](QWidget& window) {
                QTRY_VERIFY(window.isAncestorOf(QApplication::focusWidget()));
                TabTo(window, stop);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QTRY_VERIFY(!window.isVisible());
                EXPECT_EQ(static_cast<QDialog&>(window).result(), result);
                window.close();
            });
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_TRUE(assistant.Ran());
        }
        QTRY_VERIFY(dialog.isAncestorOf(QApplication::focusWidget()));
        TabTo(dialog, "EChannel1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
        EXPECT_EQ(static_cast<QDialog&>(dialog).result(), QDialog::Accepted);
    });
    const int ordersBefore = NorthOrders();
    qsizetype boxCount = 0;
    WithDialog("BBStudies", [&boxCount](QWidget& dialog) {
        const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        boxCount = boxes.size();
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNoStudies"), Qt::LeftButton);
        TabTo(dialog, "BBOrderAll");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QTRY_VERIFY(std::all_of(boxes.begin(), boxes.end(), [](const QCheckBox* box) { return box->isChecked(); }));
        EXPECT_TRUE(dialog.isVisible());
        TabTo(dialog, boxes.front()->objectName().toLatin1().constData());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
        EXPECT_EQ(static_cast<QDialog&>(dialog).result(), QDialog::Accepted);
    });
    ASSERT_LT(ordersBefore, boxCount) << "the orders Enter writes would not show";
    EXPECT_EQ(NorthOrders(), boxCount) << "OK writes every order ticked";
}

// The study rows are read row by row, a row's boxes from left to right, then
// the buttons under them; the groups and buttons lent by the main window come
// last. The distribution's fields come before its buttons, and its help
// button after them.
TEST_F(DialogKeysTest, TabFollowsTheReadingOrder) {
    WithDialog("BBStudies", [](QWidget& dialog) {
        // "ChBOrder<row>_<market>", one per market of a market study's row.
        QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        const auto place = [](const QCheckBox* box) {
            const QStringList parts = box->objectName().mid(QStringLiteral("ChBOrder").size()).split('_');
            return std::pair(parts.value(0).toInt(), parts.value(1).toInt());
        };
        std::sort(boxes.begin(), boxes.end(),
                  [&place](const QCheckBox* a, const QCheckBox* b) { return place(a) < place(b); });
        QStringList expected;
        for (const QCheckBox* box : boxes) expected << box->objectName();
        expected << "BBOk" << "BBOrderAll" << "BBNoStudies" << "BBCancel" << "sbHelp";
        EXPECT_EQ(TabCycle(dialog).join(' ').toStdString(), expected.join(' ').toStdString());
    });
    WithDialog("BBDistrib", [](QWidget& dialog) {
        const QStringList stops = TabCycle(dialog);
        EXPECT_EQ(stops.value(0), "EChannel1");
        EXPECT_EQ(stops.mid(stops.size() - 5).join(' ').toStdString(), "BBAssistant BBNormalize BBOk BBCancel sbHelp");
    });
}
}  // namespace
}  // namespace cv::test
