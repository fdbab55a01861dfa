// The marketing-mix dialog through its window on the sample: what it shows of
// a carried and of a new brand, what OK writes, what is refused and where the
// focus goes, Cancel, the market without brands, and the remembered tab.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "tests/decisions/mix/mix_fixture.h"
#include "tests/support/stored_form.h"
#include "ui/qt_ui_services.h"
#include "ui/report/screen_layout.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;

// Team A in the North, market M1: ALBA (row 1) and ARNO (row 2) carried from
// the current period, ALTO (row 3) new in the decision period; three segments.
constexpr int kAlba = 1;
constexpr int kArno = 2;
constexpr int kAlto = 3;

TBrandTabBar& Tabs(TFoMktMix& dialog) { return Child<TBrandTabBar>(dialog, "QNTSBrand"); }

void ClickTab(TFoMktMix& dialog, int tab) {
    TBrandTabBar& tabs = Tabs(dialog);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
}

// On the button's round mark: the rest of its width is no target.
void ClickMode(TFoMktMix& dialog, const char* name) {
    auto& button = Child<QRadioButton>(dialog, name);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

void ClickOk(TFoMktMix& dialog) { QTest::mouseClick(&Child<QPushButton>(dialog, "BBOK"), Qt::LeftButton); }

// Gives ALBA's advertising an even split that totals 100 % (the sample's
// thirds show 33 each).
void SplitAlbaEvenly(TSimArr& segStrat) {
    for (int segment = 1; segment <= 3; ++segment) segStrat.SetReal48({kAlba, segment}, segment == 1 ? 0.34 : 0.33);
}

TEST_F(MixTest, OkWritesTheBrandsMix) {
    ShowSample();
    TSimArr& mix = Array("DecBrdCv3");
    // ALBA has 5,000 units left to sell and plans to sell 1,000: the field is open.
    mix.SetReal48({kAlba, si::AvailStock}, 5000);
    mix.SetReal48({kAlba, si::SellStock}, 1000);
    bool closed = false;
    OpenMix(
        [&](TFoMktMix& dialog) {
            EXPECT_EQ(Tabs(dialog).tabText(0), QStringLiteral("ALBA"));
            EXPECT_EQ(Field(dialog, "QNEInventCurPer").text(), QStringLiteral("1"));
            EXPECT_TRUE(Field(dialog, "QNEInventCurPer").FieldEnabled());
            EXPECT_EQ(Child<QLabel>(dialog, "LCurInventory").text(),
                      QStringLiteral("Inventory available: 5 thousand units"));
            Type(Field(dialog, "QNEProdLevelCurPer"), "50");
            Type(Field(dialog, "QNEInventCurPer"), "3");
            Type(Field(dialog, "QNEPriceCurPer"), "700");
            Type(Field(dialog, "QNEMassComCurPer"), "800");
            Type(Field(dialog, "QNEAdvResCurPer"), "200");
            Type(Field(dialog, "QNESegCurPer1"), "50");
            Type(Field(dialog, "QNESegCurPer2"), "30");
            Type(Field(dialog, "QNESegCurPer3"), "20");
            ClickMode(dialog, "RBSemScales");
            // M1's scales: Weight, Power, Design, Noise, Range, Price, then none.
            auto& first = Child<QComboBox>(dialog, "CBObj1");
            auto& second = Child<QComboBox>(dialog, "CBObj2");
            ASSERT_EQ(first.count(), 6);
            ASSERT_EQ(second.count(), 7);
            EXPECT_EQ(second.itemText(6), QStringLiteral("None"));
            first.setCurrentIndex(0);
            second.setCurrentIndex(2);
            Type(Field(dialog, "QNEObj1"), "4.5");
            Type(Field(dialog, "QNEObj2"), "3");
            Field(dialog, "QNEProdLevelCurPer").setFocus();
            QTRY_COMPARE(Field(dialog, "QNEtotal").text(), QStringLiteral("100"));
            SaveScreenshot(dialog, "MarketingMix_CarriedBrand");
            ClickOk(dialog);
            closed = !dialog.isVisible();
        },
        "MarketingMix_CarriedBrandOpened");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(root.ui.messageBoxes.empty()) << LastBoxKey();
    // Thousands typed, units stored; advertising 800 + 200 = 1,000 thousand of
    // which research is 200 / 1,000 = 0.2.
    EXPECT_EQ(mix.GetReal48({kAlba, si::BrdDecStatus}), 1);
    EXPECT_EQ(mix.GetReal48({kAlba, si::Production}), 50000);
    EXPECT_EQ(mix.GetReal48({kAlba, si::SellStock}), 3000);
    EXPECT_EQ(mix.GetReal48({kAlba, si::Price}), 700);
    EXPECT_EQ(mix.GetReal48({kAlba, si::AdvertBgt}), 1000000);
    EXPECT_NEAR(static_cast<double>(mix.GetReal48({kAlba, si::AdvertQual})), 0.2, 1e-9);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoType}), 2);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP1}), 1);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal1}), 4.5);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP2}), 3);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal2}), 3);
    TSimArr& segStrat = Array("SegStrat");
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 1})), 0.5, 1e-9);
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 2})), 0.3, 1e-9);
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 3})), 0.2, 1e-9);
}

// ARNO's last-period advertising, 1,050 K$ of which a quarter went to
// research (787.5 and 262.5 K$), reads alike in the mix and in the summary of
// that period's decisions that the results show: each part rounded to the
// even neighbour, 788 + 262, adds up to the 1,050 decided.
TEST_F(MixTest, LastPeriodAdvertisingReadsAsInTheResults) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    const TSimArr& lastPeriod = Array("DecBrdCv3", 1, 1, false);
    ASSERT_EQ(lastPeriod.GetReal48({kArno, si::AdvertBgt}), 1050000);
    ASSERT_EQ(lastPeriod.GetReal48({kArno, si::AdvertQual}), 0.25);
    QString massCommunication;
    QString research;
    OpenMix([&](TFoMktMix& dialog) {
        ClickTab(dialog, kArno - 1);
        QTRY_COMPARE(Tabs(dialog).currentIndex(), kArno - 1);
        massCommunication = Field(dialog, "QNEMassComSimPer").text();
        research = Field(dialog, "QNEAdvResSimPer").text();
        SaveScreenshotOfRunningTest(dialog);
    });
    EXPECT_EQ(massCommunication, QStringLiteral("788"));
    EXPECT_EQ(research, QStringLiteral("262"));
    TDataContext lastDecisions = page->Data;
    lastDecisions.SelPeriod = lastDecisions.CurPeriod = lastDecisions.DecPeriod = Session->Industry()->CurPeriod();
    lastDecisions.SelFta = lastDecisions.SelMarket = 1;
    QWidget owner;
    const auto summary = TCVScreen::Create<TDecSummary>(&owner, lastDecisions, 1, kWindowLayout);
    // ARNO's column follows the four heading columns; its advertising rows are H+5 and H+6.
    const TQNTable& table = *summary->Table();
    EXPECT_EQ(table.Sheet().Model().Text(table.OriginRow() + 5, 4 + kArno), massCommunication.toStdString());
    EXPECT_EQ(table.Sheet().Model().Text(table.OriginRow() + 6, 4 + kArno), research.toStdString());
}

// A brand launched in the decision period has no last period and no inventory.
TEST_F(MixTest, NewBrandShowsNoLastPeriodAndNoInventory) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    const long double altoPrice = Array("DecBrdCv3").GetReal48({kAlto, si::Price});
    OpenMix([&](TFoMktMix& dialog) {
        Type(Field(dialog, "QNEPriceCurPer"), "700");
        ClickTab(dialog, kAlto - 1);
        ASSERT_EQ(Tabs(dialog).currentIndex(), kAlto - 1) << LastBoxKey();
        EXPECT_EQ(Child<QLabel>(dialog, "paTitle").text(), QStringLiteral("  ALTO  -  Marketing mix"));
        for (const char* last : {"QNEBaseProtoSimPer", "QNEProdLevelSimPer", "QNEInventSimPer", "QNEMassComSimPer",
                                 "QNEAdvResSimPer", "QNEPriceSimPer"})
            EXPECT_EQ(Field(dialog, last).text(), QStringLiteral("-")) << last;
        for (const char* increase : {"QNEProdLevelInc", "QNEMassComInc", "QNEAdvResInc", "QNEPriceInc"}) {
            EXPECT_TRUE(Field(dialog, increase).text().isEmpty()) << increase;
            EXPECT_FALSE(Field(dialog, increase).FieldEnabled()) << increase;
        }
        EXPECT_EQ(Field(dialog, "QNEInventCurPer").text(), QStringLiteral("0"));
        EXPECT_FALSE(Field(dialog, "QNEInventCurPer").FieldEnabled());
        EXPECT_EQ(Child<QLabel>(dialog, "LCurInventory").text(),
                  QStringLiteral("Inventory available: 0 thousand units"));
        // The sample's split of 34, 33 and 33 %.
        EXPECT_EQ(Field(dialog, "QNESegCurPer1").text(), QStringLiteral("34"));
        EXPECT_EQ(Field(dialog, "QNESegCurPer2").text(), QStringLiteral("33"));
        EXPECT_EQ(Field(dialog, "QNESegCurPer3").text(), QStringLiteral("33"));
        EXPECT_EQ(Field(dialog, "QNEtotal").text(), QStringLiteral("100"));
        SaveScreenshotOfRunningTest(dialog);
    }, "MarketingMix_NewBrandOpened");
    // Leaving ALBA for ALTO stored ALBA's entries in ALBA's row.
    EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlba, si::Price}), 700);
    EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlto, si::Price}), altoPrice);
    EXPECT_NEAR(static_cast<double>(Array("SegStrat").GetReal48({kAlto, 1})), 0.34, 1e-9);
}

// The inventory sold: open only to a carried brand with stock left; a
// modified brand sells what is left of its old make, which the team cannot change.
TEST_F(MixTest, InventorySoldFollowsTheBrandsStock) {
    struct Case {
        const char* prototype;  // ARNO's base in the decision period
        long double available, sold;
        QString shown;
        bool open;
        QString label;
    };
    const Case cases[] = {
        {"PARNO", 0, 0, "0", false, "Inventory available: 0 thousand units"},
        {"PARNO", 4600, 2000, "2", true, "Inventory available: 5 thousand units"},  // 4.6 rounds to 5
        {"PALTO", 12345000, 0, "12,345", false, "Inventory available: 12,345 thousand units"},
    };
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    for (const Case& c : cases) {
        TSimArr& mix = Array("DecBrdCv3");
        mix.SetReal48({2, si::AvailStock}, c.available);
        mix.SetReal48({2, si::SellStock}, c.sold);
        Array("DecBrdPort").SetZts({2, si::ProName}, c.prototype);
        OpenMix([&](TFoMktMix& dialog) {
            ClickTab(dialog, 1);
            ASSERT_EQ(Tabs(dialog).currentIndex(), 1);
            TQNEdit& field = Field(dialog, "QNEInventCurPer");
            EXPECT_EQ(field.text(), c.shown) << c.available;
            EXPECT_EQ(field.FieldEnabled(), c.open) << c.available;
            EXPECT_EQ(Child<QLabel>(dialog, "LCurInventory").text(), c.label);
            EXPECT_EQ(Field(dialog, "QNEBaseProtoCurPer").text(), QString::fromLatin1(c.prototype));
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
        });
    }
}

TEST_F(MixTest, PriceBeyondItsRangeKeepsTheFocus) {
    ShowSample();
    const long double price = Array("DecBrdCv3").GetReal48({kAlba, si::Price});
    OpenMix([&](TFoMktMix& dialog) {
        TQNEdit& field = Field(dialog, "QNEPriceCurPer");
        field.setFocus();
        QTRY_VERIFY(field.hasFocus());
        Type(field, "12000");
        ClickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(root.ui.plainBoxes.size(), 1u);
        EXPECT_EQ(root.ui.plainBoxes.back(), "Value must be in [0, 10,000]");
        QTRY_VERIFY(field.hasFocus());
        // The real box, for its picture.
        TQtUiServices realBoxes;
        WhenModalShown box([](QWidget&) {}, "MarketingMix_RangeMessage");
        ClickOk(dialog);
        EXPECT_TRUE(box.Ran());
    });
    EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlba, si::Price}), price);
}

// Inventory sold is given up to the trading company: a negative amount is refused.
TEST_F(MixTest, NegativeInventorySoldIsRefused) {
    ShowSample();
    TSimArr& mix = Array("DecBrdCv3");
    mix.SetReal48({kAlba, si::AvailStock}, 5000);
    mix.SetReal48({kAlba, si::SellStock}, 1000);
    SplitAlbaEvenly(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        TQNEdit& field = Field(dialog, "QNEInventCurPer");
        Type(field, "-5");
        ClickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_FALSE(root.ui.plainBoxes.empty());
        EXPECT_EQ(root.ui.plainBoxes.back(), "Value must be in [0, 2,000,000,000]");
        QTRY_VERIFY(field.hasFocus());
    });
    EXPECT_EQ(mix.GetReal48({kAlba, si::SellStock}), 1000);
}

// A segment's share lies in [0, 100]: the minus sign goes as it is typed, in
// each segment field, as in the distribution's fields, and no range message
// follows; the shares typed are what OK stores.
TEST_F(MixTest, SegmentSharesRefuseTheMinusSign) {
    ShowSample();
    OpenMix([&](TFoMktMix& dialog) {
        root.ui.plainBoxes.clear();
        const char* shares[][2] = {{"QNESegCurPer1", "-50"}, {"QNESegCurPer2", "-30"}, {"QNESegCurPer3", "-20"}};
        for (const auto& [name, typed] : shares) {
            TQNEdit& field = Field(dialog, name);
            field.setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(field.hasFocus());
            QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&field, Qt::Key_Backspace);
            QTest::keyClicks(&field, typed);
            EXPECT_EQ(field.text().toStdString(), std::string(typed).substr(1)) << name;
            QTest::keyClick(&field, Qt::Key_Tab);
        }
        EXPECT_TRUE(root.ui.plainBoxes.empty()) << root.ui.plainBoxes.front();
        QTRY_COMPARE(Field(dialog, "QNEtotal").text(), QStringLiteral("100"));
        SaveScreenshotOfRunningTest(dialog);
        ClickOk(dialog);
        EXPECT_FALSE(dialog.isVisible());
    });
    TSimArr& segStrat = Array("SegStrat");
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 1})), 0.5, 1e-9);
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 2})), 0.3, 1e-9);
    EXPECT_NEAR(static_cast<double>(segStrat.GetReal48({kAlba, 3})), 0.2, 1e-9);
}

TEST_F(MixTest, ClearedSegmentRefusesTheTabChange) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        TQNEdit& segment = Field(dialog, "QNESegCurPer2");
        Type(segment, "");
        ClickTab(dialog, 1);
        EXPECT_EQ(Tabs(dialog).currentIndex(), 0);
        EXPECT_EQ(LastBoxKey(), "BMktMixDecs");
        EXPECT_EQ(LastBoxLines(), std::vector<int>{4});
        QTRY_VERIFY(segment.hasFocus());
        EXPECT_EQ(Child<QLabel>(dialog, "paTitle").text(), QStringLiteral("  ALBA  -  Marketing mix"));
    });
    EXPECT_EQ(Array("DecBrdCv3").GetReal48({2, si::BrdDecStatus}), 1) << "the sample's ARNO as it was";
}

// The messages of the entries, in the order the checks take them, each with its field focused.
TEST_F(MixTest, EachRefusalNamesItsLineAndFocusesItsField) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    // Stock left: the inventory sold may be typed in.
    Array("DecBrdCv3").SetReal48({kAlba, si::AvailStock}, 5000);
    struct Case {
        const char* field;
        QString text;
        int line;
        const char* focus;
    };
    const Case cases[] = {
        {"QNEProdLevelCurPer", "", 1, "QNEProdLevelCurPer"},
        {"QNEMassComCurPer", "", 2, "QNEMassComCurPer"},
        {"QNEAdvResCurPer", "", 3, "QNEAdvResCurPer"},
        {"QNEPriceCurPer", "", 5, "QNEPriceCurPer"},
        {"QNESegCurPer2", "", 4, "QNESegCurPer2"},
        {"QNESegCurPer3", "30", 8, "QNESegCurPer1"},
        {"QNEInventCurPer", "", 10, "QNEInventCurPer"},
    };
    for (const Case& c : cases) {
        root.ui.messageBoxes.clear();
        OpenMix([&](TFoMktMix& dialog) {
            Type(Field(dialog, c.field), c.text);
            ClickOk(dialog);
            EXPECT_TRUE(dialog.isVisible()) << c.field;
            EXPECT_EQ(LastBoxLines(), std::vector<int>{c.line}) << c.field;
            QTRY_VERIFY2(Field(dialog, c.focus).hasFocus(), c.focus);
        });
    }
}

// Mass communication and research typed in thousands make the budget and
// research's share of it.
TEST_F(MixTest, AdvertisingBudgetAndResearchShare) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    struct Case {
        QString massCom, research;
        long double budget, share;
    };
    // 300 + 100 = 400 thousand, research 100 / 400; nothing at all: share 0;
    // research alone: all of it.
    const Case cases[] = {{"300", "100", 400000, 0.25L}, {"0", "0", 0, 0}, {"0", "250", 250000, 1}};
    for (const Case& c : cases) {
        OpenMix([&](TFoMktMix& dialog) {
            Type(Field(dialog, "QNEMassComCurPer"), c.massCom);
            Type(Field(dialog, "QNEAdvResCurPer"), c.research);
            ClickOk(dialog);
        });
        TSimArr& mix = Array("DecBrdCv3");
        EXPECT_EQ(mix.GetReal48({kAlba, si::AdvertBgt}), c.budget) << c.massCom.toStdString();
        EXPECT_EQ(mix.GetReal48({kAlba, si::AdvertQual}), c.share) << c.massCom.toStdString();
    }
}

TEST_F(MixTest, ObjectivesRefusedUntilComplete) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        ClickMode(dialog, "RBPercMap");
        auto& first = Child<QComboBox>(dialog, "CBObj1");
        auto& second = Child<QComboBox>(dialog, "CBObj2");
        // M1's axes: Economy, Performance, Style, then none.
        EXPECT_EQ(first.count(), 3);
        EXPECT_FALSE(Field(dialog, "QNEObj1").FieldEnabled());
        ClickOk(dialog);
        EXPECT_EQ(LastBoxLines(), std::vector<int>{6});
        QTRY_VERIFY(first.hasFocus());
        first.setCurrentIndex(1);
        EXPECT_TRUE(Field(dialog, "QNEObj1").FieldEnabled());
        ClickOk(dialog);
        EXPECT_EQ(LastBoxLines(), std::vector<int>{7});
        Type(Field(dialog, "QNEObj1"), "25");
        root.ui.plainBoxes.clear();
        ClickOk(dialog);
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Value must be in [-20, 20]"});
        Type(Field(dialog, "QNEObj1"), "-12");
        second.setCurrentIndex(1);
        Type(Field(dialog, "QNEObj2"), "5");
        ClickOk(dialog);
        EXPECT_EQ(LastBoxLines(), std::vector<int>{9});
        // None as the second objective empties and closes its value.
        second.setCurrentIndex(3);
        EXPECT_TRUE(Field(dialog, "QNEObj2").text().isEmpty());
        EXPECT_FALSE(Field(dialog, "QNEObj2").FieldEnabled());
        ClickOk(dialog);
        EXPECT_FALSE(dialog.isVisible());
    });
    TSimArr& mix = Array("DecBrdCv3");
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoType}), 1);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP1}), 2);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal1}), -12);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP2}), 0);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal2}), TQNEdit::kVoidInt) << "the map's empty value";
}

// Objectives stored for another market's axes select nothing rather than a
// wrong axis: the team chooses again.
TEST_F(MixTest, StoredAxesBeyondTheMarketsSeriesSelectNothing) {
    ShowSample();
    TSimArr& mix = Array("DecBrdCv3");
    mix.SetReal48({kAlba, si::CoType}, 1);
    mix.SetReal48({kAlba, si::CoSOrP1}, 5);  // M1 has three axes
    mix.SetReal48({kAlba, si::CoVal1}, 10);
    mix.SetReal48({kAlba, si::CoSOrP2}, 2);
    mix.SetReal48({kAlba, si::CoVal2}, -4);
    OpenMix([&](TFoMktMix& dialog) {
        EXPECT_TRUE(Child<QRadioButton>(dialog, "RBPercMap").isChecked());
        EXPECT_EQ(Child<QComboBox>(dialog, "CBObj1").currentIndex(), -1);
        EXPECT_FALSE(Field(dialog, "QNEObj1").FieldEnabled());
        EXPECT_TRUE(Field(dialog, "QNEObj1").text().isEmpty());
        EXPECT_EQ(Child<QComboBox>(dialog, "CBObj2").currentIndex(), 1);
        EXPECT_EQ(Field(dialog, "QNEObj2").text(), QStringLiteral("-4"));
    });
}

TEST_F(MixTest, RestrictedObjectivesAreDisabledOrHidden) {
    ShowSample();
    Restrict("RestrictEnabled", "NoObjective");
    OpenMix([&](TFoMktMix& dialog) {
        EXPECT_FALSE(Child<QGroupBox>(dialog, "GBPercObj").isEnabled());
        EXPECT_TRUE(Child<QGroupBox>(dialog, "GBPercObj").isVisible());
        EXPECT_TRUE(Child<QGroupBox>(dialog, "GBSegStrat").isEnabled());
    });
    Restrict("RestrictHidden", "NoObjective");
    OpenMix([&](TFoMktMix& dialog) { EXPECT_FALSE(Child<QGroupBox>(dialog, "GBPercObj").isVisible()); });
}

TEST_F(MixTest, CancelLeavesTheArraysAsTheyWere) {
    ShowSample();
    const auto mixBefore = StoredForm(Array("DecBrdCv3"));
    const auto segmentsBefore = StoredForm(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        Type(Field(dialog, "QNEProdLevelCurPer"), "75");
        Type(Field(dialog, "QNESegCurPer1"), "");
        ClickMode(dialog, "RBSemScales");
        // Cancel asks nothing of the field being typed in.
        Type(Field(dialog, "QNEPriceCurPer"), "12000");
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(root.ui.plainBoxes.empty());
    EXPECT_EQ(StoredForm(Array("DecBrdCv3")), mixBefore);
    EXPECT_EQ(StoredForm(Array("SegStrat")), segmentsBefore);
}

TEST_F(MixTest, IncreaseAndDecisionFollowEachOther) {
    ShowSample();
    Array("DecBrdCv3", 1, 1, false).SetReal48({kAlba, si::Production}, 100000);
    OpenMix([&](TFoMktMix& dialog) {
        TQNEdit& last = Field(dialog, "QNEProdLevelSimPer");
        TQNEdit& decided = Field(dialog, "QNEProdLevelCurPer");
        TQNEdit& increase = Field(dialog, "QNEProdLevelInc");
        EXPECT_EQ(last.text(), QStringLiteral("100"));
        decided.setFocus();
        QTRY_VERIFY(decided.hasFocus());
        Type(decided, "120");
        Field(dialog, "QNEPriceCurPer").setFocus();
        // (120 - 100) x 100 / 100.
        QTRY_COMPARE(increase.text(), QStringLiteral("20.0"));
        EXPECT_TRUE(increase.FieldEnabled());
        increase.setFocus();
        QTRY_VERIFY(increase.hasFocus());
        Type(increase, "10");
        Field(dialog, "QNEPriceCurPer").setFocus();
        // 100 + 100 x 10 / 100, the focus where it was sent.
        QTRY_COMPARE(decided.text(), QStringLiteral("110"));
        EXPECT_TRUE(Field(dialog, "QNEPriceCurPer").hasFocus());
    });
}

// Keys go to the widget that has the focus, as a person's do.
void KeysToFocus(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
void KeyToFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void ReplaceFocusedText(const QString& text) {
    KeyToFocus(Qt::Key_A, Qt::ControlModifier);
    KeysToFocus(text);
}

// Leaving an increase lets the focus go where the team sent it: Tab moves on
// to the next fields, a click puts the focus (and what is typed next) into the
// clicked field. Enter then presses OK.
class MixFocusTest : public MixTest {
protected:
    void EnterPriceAfterTheIncrease(bool byTabs) {
        ShowSample();
        SplitAlbaEvenly(Array("SegStrat"));
        Array("DecBrdCv3", 1, 1, false).SetReal48({kAlba, si::Production}, 100000);
        bool closed = false;
        OpenMix(
            [&](TFoMktMix& dialog) {
                TQNEdit& production = Field(dialog, "QNEProdLevelCurPer");
                TQNEdit& price = Field(dialog, "QNEPriceCurPer");
                QTest::mouseClick(&production, Qt::LeftButton);
                QTRY_VERIFY(production.hasFocus());
                ReplaceFocusedText("30");
                KeyToFocus(Qt::Key_Tab);
                QTRY_VERIFY(Field(dialog, "QNEProdLevelInc").hasFocus());
                if (byTabs) {
                    // Every Tab goes on; Production never takes the focus back.
                    for (int tabs = 0; tabs < 10 && !price.hasFocus(); ++tabs) {
                        KeyToFocus(Qt::Key_Tab);
                        ASSERT_FALSE(production.hasFocus()) << "Tab " << tabs + 2;
                    }
                } else {
                    QTest::mouseClick(&price, Qt::LeftButton);
                }
                QTRY_VERIFY(price.hasFocus());
                ReplaceFocusedText("55");
                EXPECT_EQ(production.text(), QStringLiteral("30"));
                // (30 - 100) x 100 / 100.
                EXPECT_EQ(Field(dialog, "QNEProdLevelInc").text(), QStringLiteral("-70.0"));
                SaveScreenshotOfRunningTest(dialog);
                KeyToFocus(Qt::Key_Return);
                QTRY_VERIFY(!dialog.isVisible());
                closed = true;
            },
            byTabs ? "MarketingMix_TabsOpened" : "MarketingMix_ClickOpened");
        EXPECT_TRUE(closed);
        EXPECT_TRUE(root.ui.messageBoxes.empty()) << LastBoxKey();
        EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlba, si::Production}), 30000);
        EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlba, si::Price}), 55);
    }
};

TEST_F(MixFocusTest, TabFromAnIncreaseGoesOn) { EnterPriceAfterTheIncrease(true); }

TEST_F(MixFocusTest, ClickAfterAnIncreaseTakesWhatIsTyped) { EnterPriceAfterTheIncrease(false); }

// The objectives by keyboard: from the mode button Tab visits the first list,
// its value, the second list and its value, so that what is typed after
// choosing a scale lands in that scale's value.
TEST_F(MixTest, ObjectivesAreEnteredInReadingOrder) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        ClickMode(dialog, "RBSemScales");
        QTRY_VERIFY(Child<QRadioButton>(dialog, "RBSemScales").hasFocus());
        const struct {
            const char* list;
            const char* value;
            int scale;
            const char* typed;
        } objectives[] = {{"CBObj1", "QNEObj1", 2, "4.5"}, {"CBObj2", "QNEObj2", 3, "3"}};
        for (const auto& [list, value, scale, typed] : objectives) {
            KeyToFocus(Qt::Key_Tab);
            QTRY_VERIFY(Child<QComboBox>(dialog, list).hasFocus());
            // Both lists start on no scale: each Down goes one scale on.
            for (int step = 0; step < scale; ++step) KeyToFocus(Qt::Key_Down);
            KeyToFocus(Qt::Key_Tab);
            QTRY_VERIFY(Field(dialog, value).hasFocus());
            KeysToFocus(QString::fromLatin1(typed));
        }
        SaveScreenshotOfRunningTest(dialog);
        KeyToFocus(Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
    });
    EXPECT_TRUE(root.ui.messageBoxes.empty()) << LastBoxKey();
    TSimArr& mix = Array("DecBrdCv3");
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoType}), 2);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP1}), 2);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal1}), 4.5);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoSOrP2}), 3);
    EXPECT_EQ(mix.GetReal48({kAlba, si::CoVal2}), 3);
}

// An advertising field names the largest amount the zone's budget carries
// with the other field as shown and the zone's other costs, and takes it; one
// more is refused with the same range. Nothing refused reaches the arrays,
// and nothing ends in a bare error.
TEST_F(MixTest, AdvertisingIsWhatTheBudgetCanCarry) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    const auto before = StoredForm(Array("DecBrdCv3"));
    const std::string rangeStart = "Value must be in [0, ";
    std::int32_t largest = 0;
    OpenMix([&](TFoMktMix& dialog) {
        TQNEdit& massCom = Field(dialog, "QNEMassComCurPer");
        Type(Field(dialog, "QNEAdvResCurPer"), "100");
        Type(massCom, "99999999");
        ClickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(root.ui.plainBoxes.size(), 1u);
        const std::string range = root.ui.plainBoxes[0];
        ASSERT_EQ(range.rfind(rangeStart, 0), 0u) << range;
        largest = QLocale().toInt(QString::fromStdString(range.substr(rangeStart.size())).chopped(1));
        EXPECT_GT(largest, 0) << range;
        EXPECT_LT(largest, 2147483 - 100) << range;
        QTRY_VERIFY(massCom.hasFocus());
        EXPECT_EQ(StoredForm(Array("DecBrdCv3")), before);
        Type(massCom, QString::number(largest + 1));
        ClickOk(dialog);
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>(2, range));
        SaveScreenshotOfRunningTest(dialog);
        Type(massCom, QString::number(largest));
        ClickOk(dialog);
        EXPECT_FALSE(dialog.isVisible());
    }, "MarketingMix_AdvertisingOpened");
    EXPECT_EQ(Array("DecBrdCv3").GetReal48({kAlba, si::AdvertBgt}), (largest + 100) * 1000.0L);
    EXPECT_TRUE(root.ui.errorBoxes.empty()) << root.ui.errorBoxes.front();
}

// Leaving one advertising field works out the other's range anew: what the
// budget carries in all, less the amount the field left shows.
TEST_F(MixTest, LeavingAnAdvertisingFieldWorksOutTheOthersRange) {
    ShowSample();
    OpenMix([](TFoMktMix& dialog) {
        TQNEdit& massCom = Field(dialog, "QNEMassComCurPer");
        TQNEdit& research = Field(dialog, "QNEAdvResCurPer");
        Type(research, "0");
        QTest::keyClick(&research, Qt::Key_Tab);
        const double carried = massCom.MaxValue;
        ASSERT_LT(carried, TMixForm::kAdvertisingLimit);
        Type(massCom, "1000");
        QTest::keyClick(&massCom, Qt::Key_Tab);
        EXPECT_EQ(research.MaxValue, carried - 1000);
        dialog.CancelClick();
    });
}

// Fewer than five segments spread over the five places 63 pixels apart: with
// n segments the step is (left of place 5 - left of place n) / (n + 1) and
// field i moves right by i steps; the fields beyond n are hidden. The places
// themselves are those a market of five segments shows.
TEST_F(MixTest, FewerSegmentsSpreadOverTheFivePlaces) {
    ShowSample();
    TCvInd& industry = *Session->Industry();
    constexpr int kPlaces = 5;
    constexpr int kPlaceStep = 63;
    struct Layout {
        int segments;
        std::vector<int> lefts;
        std::vector<bool> shown;
    };
    std::vector<Layout> layouts;
    for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
        for (int market = 1; market <= industry.NbMarkets(); ++market) {
            TDataContext context = page->Data;
            context.SelFta = static_cast<std::int16_t>(zone);
            context.SelMarket = static_cast<std::int16_t>(market);
            TMixMemory memory;
            TFoMktMix dialog(page, context, memory);
            dialog.show();
            QTRY_VERIFY(dialog.isVisible());
            Layout layout{static_cast<int>(industry.SegSeries(zone, market)->Count()), {}, {}};
            for (int i = 1; i <= kPlaces; ++i) {
                const std::string number = std::to_string(i);
                TQNEdit& share = Field(dialog, ("QNESegCurPer" + number).c_str());
                EXPECT_EQ(Field(dialog, ("QNESeg" + number).c_str()).x(), share.x()) << number;
                layout.lefts.push_back(share.x());
                layout.shown.push_back(share.isVisible());
            }
            if (layout.segments == 2) SaveScreenshot(dialog, "MarketingMix_TwoSegments");
            layouts.push_back(layout);
            dialog.reject();
        }
    }
    const auto five = std::find_if(layouts.begin(), layouts.end(), [](const Layout& l) { return l.segments == kPlaces; });
    ASSERT_NE(five, layouts.end()) << "a market of five segments gives the places";
    const int first = five->lefts[0];
    bool fewer = false;
    for (const Layout& layout : layouts) {
        const int n = layout.segments;
        const int step = n < kPlaces ? ((kPlaces - 1) * kPlaceStep - (n - 1) * kPlaceStep) / (n + 1) : 0;
        fewer = fewer || n < kPlaces;
        for (int i = 1; i <= kPlaces; ++i) {
            EXPECT_EQ(layout.shown[i - 1], i <= n) << n << " segments, field " << i;
            if (i <= n) {
                EXPECT_EQ(layout.lefts[i - 1], first + (i - 1) * kPlaceStep + i * step) << n << " segments, field " << i;
            }
        }
    }
    EXPECT_TRUE(fewer) << "a market of fewer segments";
}

TEST_F(MixTest, MarketWithoutBrandsOffersNothingToEnter) {
    ShowSample();
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 3;
    TMixMemory memory{1, "ARNO"};
    TFoMktMix dialog(page, context, memory);
    dialog.show();
    QTRY_VERIFY(dialog.isVisible());
    SaveScreenshot(dialog, "MarketingMix_NoBrand");
    ASSERT_EQ(Tabs(dialog).count(), 1);
    EXPECT_EQ(Tabs(dialog).tabText(0), QStringLiteral("No brand in this market"));
    EXPECT_FALSE(Tabs(dialog).isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "BBOK").isEnabled());
    for (const char* group : {"GBMktMix", "GBSegStrat", "GBPercObj"})
        EXPECT_FALSE(Child<QGroupBox>(dialog, group).isEnabled()) << group;
    EXPECT_FALSE(Child<QLabel>(dialog, "paTitle").isVisible());
    EXPECT_TRUE(Field(dialog, "QNEProdLevelCurPer").text().isEmpty());
    EXPECT_FALSE(Child<QRadioButton>(dialog, "RBNoCom").isChecked());
    // Two segments, spread over the five places.
    EXPECT_TRUE(Field(dialog, "QNESegCurPer2").isVisible());
    EXPECT_FALSE(Field(dialog, "QNESegCurPer3").isVisible());
    dialog.reject();
    EXPECT_EQ(memory.Tab, 0);
    EXPECT_EQ(memory.Brand, "No brand in this") << "cut to 16 characters";
}

// The lent market selector: what is on screen is checked and stored before
// the other market is shown; a refusal keeps the market.
TEST_F(MixTest, MarketChangeStoresFirstAndIsRefusedWhenInvalid) {
    ShowSample();
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    TMixMemory memory;
    TFoMktMix dialog(page, context, memory);
    dialog.show();
    Type(Field(dialog, "QNESegCurPer1"), "33");
    context.SelMarket = 2;
    EXPECT_FALSE(dialog.FollowSelection());
    EXPECT_EQ(context.SelMarket, 1);
    EXPECT_EQ(LastBoxLines(), std::vector<int>{8}) << "33 x 3 is not 100";
    Type(Field(dialog, "QNESegCurPer1"), "34");
    context.SelMarket = 2;
    ASSERT_TRUE(dialog.FollowSelection());
    EXPECT_EQ(dialog.Context.SelMarket, 2);
    ASSERT_EQ(Tabs(dialog).count(), 2);
    EXPECT_EQ(Tabs(dialog).tabText(0), QStringLiteral("AMOR"));
    EXPECT_TRUE(Field(dialog, "QNESegCurPer5").isVisible());
    EXPECT_NEAR(static_cast<double>(Array("SegStrat").GetReal48({kAlba, 1})), 0.34, 1e-9);
}

TEST_F(MixTest, OpensOnTheTabShownWhenLastClosed) {
    ShowSample();
    SplitAlbaEvenly(Array("SegStrat"));
    OpenMix([&](TFoMktMix& dialog) {
        ClickTab(dialog, 1);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(page->MixMemory().Tab, 1);
    EXPECT_EQ(page->MixMemory().Brand, "ARNO");
    OpenMix([&](TFoMktMix& dialog) {
        EXPECT_EQ(Tabs(dialog).currentIndex(), 1);
        EXPECT_EQ(Child<QLabel>(dialog, "paTitle").text(), QStringLiteral("  ARNO  -  Marketing mix"));
    });
}

TEST_F(MixTest, SmallScreenShowsTheWholeMix) {
    ShowSample();
    OpenMix([&](TFoMktMix& dialog) {
            // The sample's ALBA has no objective: nothing to choose.
            EXPECT_TRUE(Child<QRadioButton>(dialog, "RBNoCom").isChecked());
            EXPECT_FALSE(Child<QComboBox>(dialog, "CBObj1").isEnabled());
            const QRect screen = dialog.screen()->geometry();
            EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << screen.width() << "x" << screen.height();
            for (const char* name : {"BBOK", "BBCancel", "GBPercObj", "GBSegStrat"}) {
                QWidget& child = Child<QWidget>(dialog, name);
                EXPECT_TRUE(dialog.rect().contains(QRect(child.mapTo(&dialog, QPoint(0, 0)), child.size()))) << name;
            }
        });
}

}  // namespace
}  // namespace cv::test
