// The distribution dialog and its assistant in the started program, on the
// sample: team A sells ALBA, ARNO, ALTO (M1) and AMOR, AVEN (M2) and has
// decided 8, 4 and 4 salespeople in the North's Hyper, Specialist and Direct
// channels, each channel shared equally: 20 % per brand.
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "core/base/numbers.h"
#include "core/session/fta_budget.h"
#include "core/store/series_index.h"
#include "core/language/translator.h"
#include "decisions/checks/check_dec.h"
#include "decisions/distribution/distribution_dialog.h"
#include "decisions/distribution/slf_assistant.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/checks/message_keys.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/support/stored_form.h"
#include "ui/fields/qn_edit.h"
#include "ui/report/qn_table.h"
#include "ui/help_state.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

class DistributionDialogTest : public DecisionPageTest {
protected:
    // Opens the dialog from the page and runs Inspect on it.
    void WithDialog(const std::function<void(TFoDistrib&)>& inspect) {
        WhenModalShown shown([&inspect](QWidget& window) {
            auto* dialog = dynamic_cast<TFoDistrib*>(&window);
            ASSERT_NE(dialog, nullptr);
            inspect(*dialog);
        });
        page->OpenArea(TDecisionArea::Distribution);
        EXPECT_TRUE(shown.Ran());
    }
    // Types Text into the emptied Field and leaves it with the key Leave
    // (Qt::Key_unknown: the field keeps the focus).
    static void Type(TQNEdit& field, const QString& text, Qt::Key leave = Qt::Key_Tab) {
        field.setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(field.hasFocus());
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
        if (leave != Qt::Key_unknown) QTest::keyClick(&field, leave);
    }
    static void TypeEfforts(TFoDistrib& dialog, int channel, const std::vector<int>& efforts) {
        for (std::size_t k = 0; k < efforts.size(); ++k)
            Type(*dialog.EffortField(static_cast<int>(k) + 1, channel), QString::number(efforts[k]));
    }
    static std::vector<int> Efforts(TFoDistrib& dialog, int channel) {
        std::vector<int> efforts;
        for (int k = 1; k <= dialog.RowCount(); ++k) efforts.push_back(dialog.EffortField(k, channel)->IntValue());
        return efforts;
    }
    TCvPerData& NewDecs() { return Session->Industry()->PerDecisions(Session->Industry()->DecPeriod()); }
    TDataContext Zone(int fta, int market = 0) const {
        TDataContext context = page->Data;
        context.SelFta = static_cast<std::int16_t>(fta);
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    TSimArr& Alloc(int market, int fta = 1) {
        return *NewDecs().FindSimArr(kCategoryFirmFtaMarket, Zone(fta, market), "SlfAlloc");
    }
    TSimArr& Sizes(int fta = 1) { return *NewDecs().FindSimArr(kCategoryFirmFta, Zone(fta), "SlfSize"); }
    int Status(int fta = 1) { return NewDecs().GetSmallintDef(kCategoryFirmFta, Zone(fta), "SlfDecStatus", -1); }
    // The stored forms of the North's sales-force decisions.
    std::vector<std::vector<std::uint8_t>> StoredDecisions() {
        return {StoredForm(Sizes()), StoredForm(Alloc(1)), StoredForm(Alloc(2)), StoredForm(Alloc(3)),
                {static_cast<std::uint8_t>(Status())}};
    }
    static double Thousands(const QString& text) {
        QString digits = text;
        digits.remove(QRegularExpression(QStringLiteral("[^0-9.-]")));
        return digits.toDouble();
    }
};

TEST_F(DistributionDialogTest, ShowsTheZonesSalesForceBrandByBrand) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        EXPECT_EQ(dialog.objectName(), "FoDistrib");
        ASSERT_EQ(dialog.ChannelCount(), 3);
        ASSERT_EQ(dialog.RowCount(), 5);
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(dialog.ChannelField(c)->IntValue(), (std::vector<int>{8, 4, 4})[c - 1]);
        EXPECT_EQ(Child<QLabel>(dialog, "LChannel1").text(), "Hyper");
        const char* brands[] = {"ALBA", "ARNO", "ALTO", "AMOR", "AVEN"};
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(dialog.RowBrand(k), brands[k - 1]);
        EXPECT_EQ(Efforts(dialog, 1), (std::vector<int>{20, 20, 20, 20, 20}));
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal3").text(), "100%");
        EXPECT_TRUE(Child<QLabel>(dialog, "LSlfCost").text().contains("K$"));
        EXPECT_TRUE(Child<TQNEdit>(dialog, "ETotalCost").text().startsWith("K$ "));
        EXPECT_FALSE(Child<QLabel>(dialog, "LNoBrands").isVisible());
        // Two zones: the zone selector is lent to the dialog.
        EXPECT_EQ(CvBar->Group(Session->Industry()->FtaSeries()->Name())->parentWidget(), &dialog);
        EXPECT_EQ(HelpState().HelpContext, 51);
        QTRY_VERIFY(dialog.ChannelField(1)->hasFocus());
        dialog.CancelClick();
    });
}

// Salaries follow the new size, firing the cut: the North had 9 in Hyper, so
// 9 instead of 8 adds a salary of 30,000 and saves a firing of 12,000,
// 18,000 in reference money, converted at the zone's money factor.
TEST_F(DistributionDialogTest, LeavingASizeFieldCostsTheForceAgain) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        const double before = Thousands(Child<TQNEdit>(dialog, "ETotalCost").text());
        Type(*dialog.ChannelField(1), "9");
        const double after = Thousands(Child<TQNEdit>(dialog, "ETotalCost").text());
        const double factor = Session->Industry()->Budget()->MoneyFactor();
        EXPECT_NEAR(after - before, 18 * factor, 1.0) << "thousands, each figure rounded to a whole one";
        EXPECT_EQ(Sizes().GetReal48({1}), 9) << "written without checks";
        dialog.CancelClick();
    });
}

TEST_F(DistributionDialogTest, OkStoresSizesAndFractions) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    ASSERT_EQ(Status(), 0);
    WithDialog([this](TFoDistrib& dialog) {
        Type(*dialog.ChannelField(1), "10");
        Type(*dialog.ChannelField(3), "0");
        TypeEfforts(dialog, 1, {40, 30, 10, 15, 5});
        dialog.OkClick();
    });
    EXPECT_EQ(Sizes().GetReal48({1}), 10);
    EXPECT_EQ(Sizes().GetReal48({2}), 4);
    EXPECT_EQ(Sizes().GetReal48({3}), 0);
    // Channel 1: ALBA, ARNO, ALTO rows 1..3 of M1, AMOR and AVEN rows 1..2 of M2.
    EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 1})), 0.40, 1e-9);
    EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 2})), 0.30, 1e-9);
    EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 3})), 0.10, 1e-9);
    EXPECT_NEAR(static_cast<double>(Alloc(2).GetReal48({1, 1})), 0.15, 1e-9);
    EXPECT_NEAR(static_cast<double>(Alloc(2).GetReal48({1, 2})), 0.05, 1e-9);
    EXPECT_NEAR(static_cast<double>(Alloc(2).GetReal48({2, 2})), 0.20, 1e-9);
    EXPECT_EQ(Status(), 1);
    // The page saved the sets: the file holds them.
    TCvInd copy;
    copy.Open(std::string(kIndustrySignature), Session->IndFullPath());
    copy.InitSeries();
    EXPECT_EQ(copy.PerDecisions(4).FindSimArr(kCategoryFirmFta, Zone(1), "SlfSize")->GetReal48({1}), 10);
    EXPECT_EQ(copy.PerDecisions(4).GetSmallintDef(kCategoryFirmFta, Zone(1), "SlfDecStatus", -1), 1);
    copy.Close();
}

// 60 and 30 in Hyper total 90: refused with the channel named and the focus
// on its first field. Normalise: 30 / 90 = 33.3 -> 33, the first row 67.
TEST_F(DistributionDialogTest, AChannelShortOf100IsRefusedAndNormalised) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        TypeEfforts(dialog, 1, {60, 30, 0, 0, 0});
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "90%");
        root.ui.messageLists.clear();
        dialog.OkClick();
        ASSERT_EQ(root.ui.messageLists.size(), 1u);
        EXPECT_EQ(MessageKeys(root.ui.messageLists[0].items), (std::vector<std::string>{"Err2DistribDecs"}));
        EXPECT_NE(root.ui.messageLists[0].items[0].Headline.find(Session->Industry()->ChannelLongLabel(1, 1)),
                  std::string::npos);
        EXPECT_TRUE(dialog.isVisible());
        QTRY_VERIFY(dialog.EffortField(1, 1)->hasFocus());
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNormalize"), Qt::LeftButton);
        EXPECT_EQ(Efforts(dialog, 1), (std::vector<int>{67, 33, 0, 0, 0}));
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "100%");
        dialog.OkClick();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 1})), 0.67, 1e-9);
}

// A value outside its field's range is never written nor costed, however the
// team goes on: 150 in a share or 99,999 salespeople left with Tab or with
// Enter, each time the range message, the field's last value back with the
// focus, the dialog open, the North's decisions and the costs shown as they
// were. A click on the zone selector leaves the field as Tab does: the North
// is stored with its last values before the South is shown. A minus sign is
// refused as it is typed.
TEST_F(DistributionDialogTest, AValueOutOfRangeIsNeitherWrittenNorCosted) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    const auto stored = StoredDecisions();
    WithDialog([&](TFoDistrib& dialog) {
        const auto costsShown = [&dialog] {
            QStringList costs;
            for (TQNEdit* field : dialog.findChildren<TQNEdit*>())
                if (field->objectName().contains("Cost")) costs << field->objectName() + '=' + field->text();
            return costs.join(' ').toStdString();
        };
        const std::string costs = costsShown();
        for (const Qt::Key goOn : {Qt::Key_Tab, Qt::Key_Return}) {
            for (TQNEdit* field : {dialog.EffortField(1, 1), dialog.ChannelField(1)}) {
                SCOPED_TRACE(field->objectName().toStdString() + (goOn == Qt::Key_Tab ? " Tab" : " Enter"));
                const QString last = field->text();
                root.ui.plainBoxes.clear();
                Type(*field, field == dialog.ChannelField(1) ? "99999" : "150", goOn);
                ASSERT_EQ(root.ui.plainBoxes.size(), 1u);
                EXPECT_EQ(root.ui.plainBoxes[0].rfind("Value must be in [0, ", 0), 0u) << root.ui.plainBoxes[0];
                EXPECT_TRUE(dialog.isVisible());
                QTRY_VERIFY(field->hasFocus());
                EXPECT_EQ(field->text(), last);
                EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "100%");
                EXPECT_EQ(StoredDecisions(), stored);
                EXPECT_EQ(costsShown(), costs);
            }
        }
        // The minus sign goes as it comes: "-5" typed is 5.
        Type(*dialog.EffortField(2, 1), "-5");
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "85%");
        Type(*dialog.ChannelField(2), "-3");
        EXPECT_EQ(dialog.ChannelField(2)->text(), "3");
        SaveScreenshotOfRunningTest(dialog);
        root.ui.plainBoxes.clear();
        dialog.OkClick();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(root.ui.plainBoxes.empty());
        EXPECT_EQ(Status(), 0);
        // 85 % refuses the North: back to 100 % before the zone selector's click.
        Type(*dialog.EffortField(2, 1), "20");
        root.ui.plainBoxes.clear();
        Type(*dialog.EffortField(1, 1), "150", Qt::Key_unknown);
        QTest::mouseClick(CvBar->Group(Session->Industry()->FtaSeries()->Name())->Buttons.at(1), Qt::LeftButton);
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Value must be in [0, 100]"});
        QTRY_COMPARE(page->Data.SelFta, 2);
        EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 1})), 0.20, 1e-9);
        dialog.CancelClick();
    });
}

// An emptied size field is no figure: left, it writes and costs nothing, and
// OK names its channel with the focus on it. No salesperson at all is refused
// with the smallest force named.
TEST_F(DistributionDialogTest, AnEmptyChannelOrNoSalespersonAtAllIsRefused) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        const QString cost = Child<TQNEdit>(dialog, "ETotalCost").text();
        Type(*dialog.ChannelField(2), "");
        EXPECT_EQ(dialog.ChannelField(2)->text(), "");
        EXPECT_EQ(Sizes().GetReal48({2}), 4);
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotalCost").text(), cost);
        root.ui.messageLists.clear();
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBOk"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(root.ui.messageLists.size(), 1u);
        EXPECT_EQ(MessageKeys(root.ui.messageLists[0].items), (std::vector<std::string>{"Err3DistribDecs"}));
        EXPECT_EQ(root.ui.messageLists[0].items[0].Headline,
                  "Enter the number of salespeople of channel " + Session->Industry()->ChannelLongLabel(1, 2) + ".");
        QTRY_VERIFY(dialog.ChannelField(2)->hasFocus());
        EXPECT_EQ(Sizes().GetReal48({2}), 4);
        EXPECT_EQ(Status(), 0);
        SaveScreenshotOfRunningTest(dialog);
        for (int c = 1; c <= 3; ++c) Type(*dialog.ChannelField(c), "0");
        root.ui.messageLists.clear();
        dialog.OkClick();
        ASSERT_EQ(root.ui.messageLists.size(), 1u);
        EXPECT_EQ(MessageKeys(root.ui.messageLists[0].items), (std::vector<std::string>{"Err1DistribDecs"}));
        // Its parameter: the smallest force, one salesperson.
        std::string headline;
        Translator->GetLine(kSectionMessages, "Err1DistribDecs", 1, headline);
        EXPECT_EQ(root.ui.messageLists[0].items[0].Headline, ReplaceFirst(headline, "@1", "1"));
        QTRY_VERIFY(dialog.ChannelField(1)->hasFocus());
        dialog.CancelClick();
    });
}

// A size field names the largest force the zone's budget can carry in its
// channel with the other channels and the brands' advertising as they stand,
// and takes it: 99,999 is refused with that range and the field shows its
// last value (8) again; the largest force named is taken and costed, one more
// is refused with the same range.
TEST_F(DistributionDialogTest, ASizeFieldNamesTheLargestForceTheBudgetCarries) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        TQNEdit& hyper = *dialog.ChannelField(1);
        root.ui.plainBoxes.clear();
        Type(hyper, "99999");
        ASSERT_EQ(root.ui.plainBoxes.size(), 1u);
        const QRegularExpressionMatch range =
            QRegularExpression(QStringLiteral("^Value must be in \\[0, ([0-9,]+)\\]$"))
                .match(QString::fromStdString(root.ui.plainBoxes[0]));
        ASSERT_TRUE(range.hasMatch()) << root.ui.plainBoxes[0];
        const int largest = QString(range.captured(1)).remove(',').toInt();
        EXPECT_GT(largest, 8);
        EXPECT_LT(largest, 99999);
        EXPECT_EQ(hyper.text(), "8");
        QTRY_VERIFY(hyper.hasFocus());
        const QString cost = Child<TQNEdit>(dialog, "ETotalCost").text();
        Type(hyper, QString::number(largest));
        EXPECT_EQ(root.ui.plainBoxes.size(), 1u) << root.ui.plainBoxes.back();
        EXPECT_TRUE(root.ui.messageLists.empty());
        EXPECT_EQ(Sizes().GetReal48({1}), largest);
        EXPECT_NE(Child<TQNEdit>(dialog, "ETotalCost").text(), cost);
        Type(hyper, QString::number(largest + 1));
        EXPECT_EQ(root.ui.plainBoxes.back(), root.ui.plainBoxes.front());
        EXPECT_EQ(root.ui.plainBoxes.size(), 2u);
        EXPECT_EQ(hyper.IntValue(), largest);
        EXPECT_EQ(Sizes().GetReal48({1}), largest);
        EXPECT_TRUE(root.ui.errorBoxes.empty());
        SaveScreenshotOfRunningTest(dialog);
        dialog.CancelClick();
    });
}

// Normalise and the assistant write what they set and show its costs at once:
// each row's cost is the brand's sales-force cost in the zone's budget
// recalculated from the stored allocation.
TEST_F(DistributionDialogTest, NormaliseAndTheAssistantShowTheirCostsAtOnce) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    const auto costsShown = [](TFoDistrib& dialog) {
        std::vector<QString> costs;
        for (int k = 1; k <= dialog.RowCount(); ++k) costs.push_back(Child<TQNEdit>(dialog, ("ECost" + std::to_string(k)).c_str()).text());
        return costs;
    };
    const auto costsOfTheStoredAllocation = [this](TFoDistrib& dialog) {
        TFtaBudget budget;
        budget.Init(*Session->Industry(), Zone(1));
        budget.Recalculate();
        std::vector<QString> costs;
        const std::pair<int, int> brands[] = {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}};
        for (int k = 1; k <= dialog.RowCount(); ++k) {
            const auto& brand = budget.BrandCosts[brands[k - 1].first][brands[k - 1].second];
            costs.push_back(QString::fromStdString(TCheckDec::FormatUnits(
                static_cast<double>(brand[bcSlfSalaries]) + brand[bcSlfHiring] + brand[bcSlfFiring])));
        }
        return costs;
    };
    WithDialog([&](TFoDistrib& dialog) {
        ASSERT_EQ(dialog.RowCount(), 5);
        TypeEfforts(dialog, 1, {60, 30, 0, 0, 0});
        const std::vector<QString> before = costsShown(dialog);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNormalize"), Qt::LeftButton);
        EXPECT_EQ(Efforts(dialog, 1), (std::vector<int>{67, 33, 0, 0, 0}));
        EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 1})), 0.67, 1e-9) << "written without checks";
        EXPECT_EQ(costsShown(dialog), costsOfTheStoredAllocation(dialog));
        EXPECT_NE(costsShown(dialog), before);
        WhenModalShown assistant(
            [](QWidget& window) {
                Child<QRadioButton>(window, "RBAutoMode1").click();
                QTest::mouseClick(&Child<QPushButton>(window, "BBOk"), Qt::LeftButton);
            },
            "DistributionDialog_AssistantForCosts");
        const std::vector<QString> normalised = costsShown(dialog);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        EXPECT_EQ(Efforts(dialog, 1), (std::vector<int>{20, 20, 20, 20, 20}));
        EXPECT_EQ(costsShown(dialog), costsOfTheStoredAllocation(dialog));
        EXPECT_NE(costsShown(dialog), normalised);
        SaveScreenshotOfRunningTest(dialog);
        dialog.CancelClick();
    });
}

TEST_F(DistributionDialogTest, CancelRestoresTheDecisionsByteForByte) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    const auto before = StoredDecisions();
    WithDialog([this](TFoDistrib& dialog) {
        Type(*dialog.ChannelField(1), "12");
        TypeEfforts(dialog, 2, {50, 50, 0, 0, 0});
        EXPECT_EQ(Sizes().GetReal48({1}), 12) << "each field left is written at once";
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(StoredDecisions(), before);
    TCvInd copy;
    copy.Open(std::string(kIndustrySignature), Session->IndFullPath());
    copy.InitSeries();
    EXPECT_EQ(StoredForm(*copy.PerDecisions(4).FindSimArr(kCategoryFirmFta, Zone(1), "SlfSize")), before[0]);
    EXPECT_EQ(StoredForm(*copy.PerDecisions(4).FindSimArr(kCategoryFirmFtaMarket, Zone(1, 1), "SlfAlloc")), before[1]);
    copy.Close();
}

TEST_F(DistributionDialogTest, TheZoneSelectorLoadsTheOtherZone) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        TBarGrpBtn* zones = CvBar->Group(Session->Industry()->FtaSeries()->Name());
        CvBar->SelectionChanged(*zones, zones->Buttons.at(1));
        EXPECT_EQ(page->Data.SelFta, 2);
        ASSERT_EQ(dialog.ChannelCount(), 2);
        EXPECT_EQ(dialog.ChannelField(1)->IntValue(), 6);
        EXPECT_EQ(dialog.ChannelField(2)->IntValue(), 3);
        EXPECT_EQ(Status(1), 1) << "the North was checked and stored before the South was loaded";
        // The South refused: the bar goes back to the South.
        TypeEfforts(dialog, 1, {60, 30, 0, 0, 0});
        CvBar->SelectionChanged(*zones, zones->Buttons.at(0));
        EXPECT_EQ(page->Data.SelFta, 2);
        EXPECT_EQ(dialog.ChannelCount(), 2);
        dialog.CancelClick();
    });
}

// The channels' columns follow the row captions, each heading over its own
// fields, and the dialog widens to them: opened in the South's two channels,
// then, after a click on the North on the lent zone selector, in the North's
// three, every caption and field shows whole inside the dialog.
TEST_F(DistributionDialogTest, ChannelColumnsShowWholeInEitherZoneSmallScreen) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    page->Data.SelFta = 2;
    WithDialog([this](TFoDistrib& dialog) {
        TCvInd& industry = *Session->Industry();
        TBarGrpBtn* zones = CvBar->Group(industry.FtaSeries()->Name());
        int southHelpMargin = 0;
        for (const int zone : {2, 1}) {
            if (zone == 1) QTest::mouseClick(zones->Buttons.at(0), Qt::LeftButton);
            QTRY_COMPARE(page->Data.SelFta, zone);
            ASSERT_EQ(dialog.ChannelCount(), static_cast<int>(industry.ChaSeries(zone)->Count()));
            const auto rightEdge = [&dialog](const QWidget& widget) {
                return widget.mapTo(&dialog, QPoint(widget.width(), 0)).x();
            };
            // The grid is laid out once the events of the load have run.
            QTRY_COMPARE(rightEdge(*dialog.ChannelField(1)), rightEdge(Child<QLabel>(dialog, "LChannel1")));
            // The first channel's column follows the row captions: no empty
            // column's width between them.
            int captionsRight = 0;
            for (QLabel* caption : dialog.findChildren<QLabel*>())
                if (caption->isVisible() && (caption->objectName() == "LSize" || caption->objectName() == "LTotal" ||
                                             caption->objectName().startsWith("LBrand")))
                    captionsRight = std::max(captionsRight, caption->mapTo(&dialog, QPoint(0, 0)).x() + caption->sizeHint().width());
            const QWidget& firstField = *dialog.ChannelField(1);
            EXPECT_LT(firstField.mapTo(&dialog, QPoint(0, 0)).x() - captionsRight, firstField.width()) << "zone " << zone;
            for (int c = 1; c <= dialog.ChannelCount(); ++c) {
                const std::string number = std::to_string(c);
                auto& heading = Child<QLabel>(dialog, ("LChannel" + number).c_str());
                EXPECT_EQ(heading.text().toStdString(), industry.ChannelLabel(zone, c));
                for (QWidget* field : {static_cast<QWidget*>(dialog.ChannelField(c)),
                                       static_cast<QWidget*>(dialog.EffortField(1, c)),
                                       static_cast<QWidget*>(&Child<TQNEdit>(dialog, ("ETotal" + number).c_str()))})
                    EXPECT_EQ(rightEdge(*field), rightEdge(heading))
                        << "zone " << zone << ", " << field->objectName().toStdString();
            }
            // The lent help button stays at the top right corner.
            const int helpMargin = dialog.width() - rightEdge(Child<QToolButton>(dialog, "sbHelp"));
            if (zone == 2) southHelpMargin = helpMargin;
            EXPECT_EQ(helpMargin, southHelpMargin);
            // Whole captions ("Salespeople", the cost heading) and fields, all inside the dialog.
            for (QWidget* shown : dialog.findChildren<QWidget*>()) {
                if (!shown->isVisible() || !dialog.isAncestorOf(shown) || shown->window() != &dialog) continue;
                const std::string name = shown->objectName().toStdString();
                if (auto* label = qobject_cast<QLabel*>(shown); label && !label->wordWrap()) {
                    EXPECT_GE(label->width(), label->sizeHint().width()) << "zone " << zone << ", " << name;
                }
                EXPECT_LE(rightEdge(*shown), dialog.width()) << "zone " << zone << ", " << name;
            }
            SaveScreenshotOfRunningTest(dialog);
        }
        dialog.CancelClick();
    });
}

TEST_F(DistributionDialogTest, AFirmWithoutBrandsStoresOnlyItsSizes) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    for (int market = 1; market <= 3; ++market) NewDecs().SetSmallint(kCategoryFirmFtaMarket, Zone(1, market), "NbMktedBrds", 0);
    const auto allocBefore = StoredForm(Alloc(1));
    WithDialog([this](TFoDistrib& dialog) {
        EXPECT_EQ(dialog.RowCount(), 0);
        EXPECT_TRUE(Child<QLabel>(dialog, "LNoBrands").isVisible());
        EXPECT_FALSE(Child<QLabel>(dialog, "LEffort").isVisible());
        EXPECT_FALSE(Child<TQNEdit>(dialog, "ETotal1").isVisible());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBAssistant").isEnabled());
        Type(*dialog.ChannelField(2), "7");
        dialog.OkClick();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Sizes().GetReal48({2}), 7);
    EXPECT_EQ(StoredForm(Alloc(1)), allocBefore);
    EXPECT_EQ(Status(), 0);
}

TEST_F(DistributionDialogTest, TheRestrictedAssistantIsDisabledOrHidden) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::Several});
    WithDialog([](TFoDistrib& dialog) {
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBAssistant").isEnabled());
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBAssistant").isVisible());
        dialog.CancelClick();
    });
    TCvInd& industry = *Session->Industry();
    TSimArr* hidden = industry.ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, "RestrictHidden");
    ASSERT_NE(hidden, nullptr);
    const int category = industry.FindSeries("RestrictCateg")->IndexOf("rcDecisions");
    const int item = industry.FindSeries("rcDecisions")->IndexOf("NoSlfAssistant");
    hidden->SetWord({category}, SetWordBit(hidden->GetWord({category}), item));
    WithDialog([](TFoDistrib& dialog) {
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBAssistant").isVisible());
        dialog.CancelClick();
    });
}

// Rule 1 weighs each brand by the channel's units in period 3 times its unit
// share there, which team A's distribution panels of M1 and M2 measured. Every
// brand sells half its plan through the North's Hyper channel: M1 145,400
// units, of which ALBA 24,375 (167.6 thousandths, 168 after the panel's
// largest remainders) and ARNO 15,375 (105.7, 106); M2 19,000, of which AMOR
// 11,125 (585.5, 586) and AVEN 7,875 (414); ALTO is new. The weights 24,427.2,
// 15,412.4, 0, 11,134 and 7,866 give 41.5, 26.2, 0, 18.9 and 13.4 %: 42, 26,
// 0, 19 and 13, which add up to 100. Equal shares of five brands: 20 each.
TEST_F(DistributionDialogTest, TheAssistantsProposalReplacesTheEfforts) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        TypeEfforts(dialog, 1, {60, 30, 0, 0, 0});
        SaveScreenshot(dialog, "DistributionDialog_BeforeAssistant");
        WhenModalShown assistant(
            [this](QWidget& window) {
                auto& slfAuto = dynamic_cast<TFoSlfAuto&>(window);
                EXPECT_EQ(slfAuto.objectName(), "FoSlfAuto");
                EXPECT_EQ(slfAuto.Proposed(1, 1), 60) << "the table starts with the current efforts";
                EXPECT_EQ(slfAuto.Table().Sheet().Geometry().visibleBodyRows, 5) << "every brand in view";
                EXPECT_EQ(slfAuto.Table().VerticalBar(), nullptr);
                root.ui.messageBoxes.clear();
                Child<QRadioButton>(slfAuto, "RBAutoMode2").click();
                EXPECT_TRUE(root.ui.messageBoxes.empty());
                const std::vector<int> byUnits{42, 26, 0, 19, 13};
                for (int k = 1; k <= 5; ++k) EXPECT_EQ(slfAuto.Proposed(k, 1), byUnits[k - 1]) << k;
                SaveScreenshot(slfAuto, "DistributionDialog_AssistantRule1");
                Child<QRadioButton>(slfAuto, "RBAutoMode1").click();
                for (int k = 1; k <= 5; ++k) EXPECT_EQ(slfAuto.Proposed(k, 1), 20) << k;
                SaveScreenshot(slfAuto, "DistributionDialog_Assistant");
                QTest::mouseClick(&Child<QPushButton>(slfAuto, "BBOk"), Qt::LeftButton);
            },
            "DistributionDialog_AssistantOpened");
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        EXPECT_EQ(Efforts(dialog, 1), (std::vector<int>{20, 20, 20, 20, 20}));
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "100%");
        EXPECT_NEAR(static_cast<double>(Alloc(1).GetReal48({1, 1})), 0.20, 1e-9) << "written without checks";
        SaveScreenshot(dialog, "DistributionDialog_AfterAssistant");
        dialog.CancelClick();
    });
}

// The installed sample opens the assistant, whose even rule proposes 20 %
// to each of team A's five brands in the North's first channel.
TEST_F(DistributionDialogTest, InstalledSampleAssistantProposesSmallScreen) {
    ShowPage({});
    WithDialog([this](TFoDistrib& dialog) {
        ASSERT_TRUE(Child<QPushButton>(dialog, "BBAssistant").isEnabled());
        WhenModalShown assistant(
            [](QWidget& window) {
                auto& slfAuto = dynamic_cast<TFoSlfAuto&>(window);
                Child<QRadioButton>(slfAuto, "RBAutoMode1").click();
                for (int k = 1; k <= 5; ++k) EXPECT_EQ(slfAuto.Proposed(k, 1), 20) << k;
                SaveScreenshot(slfAuto, "DistributionDialog_InstalledAssistant");
                QTest::mouseClick(&Child<QPushButton>(slfAuto, "BBCancel"), Qt::LeftButton);
            },
            "DistributionDialog_InstalledAssistantOpened");
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        dialog.CancelClick();
    });
}

TEST_F(DistributionDialogTest, AnEmptiedEffortCountsZeroOnceLeft) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([this](TFoDistrib& dialog) {
        Type(*dialog.EffortField(2, 1), "");
        EXPECT_EQ(dialog.EffortField(2, 1)->text(), "0");
        EXPECT_EQ(Child<TQNEdit>(dialog, "ETotal1").text(), "80%");
        EXPECT_EQ(Alloc(1).GetReal48({1, 2}), 0);
        dialog.CancelClick();
    });
}

// With the distribution panel restricted, only equal shares are offered.
TEST_F(DistributionDialogTest, ARestrictedPanelLeavesOnlyEqualShares) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    TCvInd& industry = *Session->Industry();
    TSimArr* enabled = industry.ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, "RestrictEnabled");
    ASSERT_NE(enabled, nullptr);
    const int category = industry.FindSeries("RestrictCateg")->IndexOf("StuMkt");
    enabled->SetWord({category}, SetWordBit(enabled->GetWord({category}), si::DistributPanel));
    WithDialog([](TFoDistrib& dialog) {
        WhenModalShown assistant([](QWidget& window) {
            EXPECT_NE(window.findChild<QRadioButton*>("RBAutoMode1"), nullptr);
            for (const char* rule : {"RBAutoMode2", "RBAutoMode3", "RBAutoMode4"})
                EXPECT_EQ(window.findChild<QRadioButton*>(rule), nullptr) << rule;
        });
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        dialog.CancelClick();
    });
}

// Six brands in the zone (three in each of two markets, on a fixture
// industry): the assistant shows every row, on a small screen too.
TEST_F(DistributionDialogTest, SixBrandsShowWholeInTheAssistantSmallScreen) {
    const std::filesystem::path file = root.RootPath() / "Private" / "SIX.ind";
    WriteFixtureIndustry(file, FixtureLargest(2, 1, 2, 3));
    page = ShowDecisionsPage(Main(), file, 1);
    ASSERT_NE(page, nullptr);
    WithDialog([](TFoDistrib& dialog) {
        ASSERT_EQ(dialog.RowCount(), 6);
        WhenModalShown assistant(
            [](QWidget& window) {
                auto& slfAuto = dynamic_cast<TFoSlfAuto&>(window);
                EXPECT_EQ(slfAuto.Table().Sheet().Geometry().visibleBodyRows, 6);
                EXPECT_EQ(slfAuto.Table().VerticalBar(), nullptr);
                QTest::mouseClick(&Child<QPushButton>(slfAuto, "BBCancel"), Qt::LeftButton);
            },
            "DistributionDialog_SixBrandsAssistant");
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        dialog.CancelClick();
    });
}

// Where the assistant's table ends on Window, below its total row, and the
// height of one of its rows.
struct TTableRows {
    int bottom;
    int rowHeight;
};
TTableRows AssistantRows(TFoSlfAuto& window) {
    const TQNSheet& sheet = window.Table().Sheet();
    const TTableGeometry& g = sheet.Geometry();
    const int lastRow = g.RowStart(2) + g.totalRows - 1;
    const QSize rows = sheet.BlockSize(g.originRow, g.originCol, lastRow, g.ColumnStart(2) + g.totalCols - 1);
    const int shownRows = g.titleRows + g.visibleBodyRows + g.totalRows;
    return {sheet.mapTo(&window, QPoint(0, 0)).y() + rows.height(), rows.height() / shownRows};
}

// On either screen the dialog with its five brand rows lies within the
// screen, frame included, and so does its assistant, with its rules, its
// table, OK and Cancel whole inside it. The assistant is no taller than its
// rows need: OK follows the table's total row, and the dialog ends below OK,
// each within two rows' height.
TEST_F(DistributionDialogTest, SmallScreenFitsTheDialog) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([](TFoDistrib& dialog) {
        ExpectFitsTheScreen(dialog, {"BBOk", "BBCancel", "BBAssistant"});
        WhenModalShown assistant([](QWidget& window) {
            auto& slfAuto = dynamic_cast<TFoSlfAuto&>(window);
            ExpectFitsTheScreen(slfAuto, {"RGAutoMode", "SlfAutoTable", "BBOk", "BBCancel"});
            SaveScreenScreenshot("DistributionDialog_AssistantOnScreen");
            const TTableRows rows = AssistantRows(slfAuto);
            const QWidget& ok = Child<QWidget>(slfAuto, "BBOk");
            EXPECT_LE(ok.y() - rows.bottom, 2 * rows.rowHeight);
            EXPECT_LE(slfAuto.height() - ok.geometry().bottom(), 2 * rows.rowHeight);
            QTest::mouseClick(&Child<QPushButton>(slfAuto, "BBCancel"), Qt::LeftButton);
        });
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBAssistant"), Qt::LeftButton);
        EXPECT_TRUE(assistant.Ran());
        dialog.CancelClick();
    });
}

}  // namespace
}  // namespace cv::test
