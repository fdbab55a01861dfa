// The perception estimation dialog on the sample: "N/A" for a new brand, a
// marketed brand's own characteristics estimated back onto its scales, an
// empty characteristic, and a market with too few brands.

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "graphs/design_dialogs/perc_estim.h"
#include "tests/graphs/design_dialogs/design_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

using test::DesignDialogTest;

TEST_F(DesignDialogTest, PerceptionOfANewBrandIsNotAvailableUntilItsCharacteristicsAreTyped) {
    for (const auto mode : {TFoPercEstim::kSemanticMode, TFoPercEstim::kMapMode}) {
        TFoPercEstim dialog(page, mode, MarketContext(1));
        // M1: nine brands, enough for every regression: no message.
        EXPECT_TRUE(TakeBoxes().empty()) << mode;
        for (const char* name : {"ESem1", "ESem2", "ESem3", "ESem4", "ESem5", "ESem6", "EMap1", "EMap2", "EMap3"})
            EXPECT_EQ(Text(dialog, name), "N/A") << name;
        EXPECT_EQ(test::Child<QWidget>(dialog, "gbPerEstSem").isVisibleTo(&dialog), mode == TFoPercEstim::kSemanticMode);
        EXPECT_EQ(test::Child<QWidget>(dialog, "gbPerEstMap").isVisibleTo(&dialog), mode == TFoPercEstim::kMapMode);
        EXPECT_FALSE(test::Child<QWidget>(dialog, "cbPerEstSelBrd").isVisibleTo(&dialog));
        // Five physical dimensions, then price, which accepts 0 to 2500.
        EXPECT_EQ(test::Child<TQNEdit>(dialog, "EPhysChar1").MinValue, 10);
        EXPECT_EQ(test::Child<TQNEdit>(dialog, "EPhysChar1").MaxValue, 100);
        EXPECT_EQ(test::Child<TQNEdit>(dialog, "EPhysChar6").MinValue, 0);
        EXPECT_EQ(test::Child<TQNEdit>(dialog, "EPhysChar6").MaxValue, 2500);
        EXPECT_EQ(Text(dialog, "LPhysChar1"), "Weight\n(10 - 100)");
        EXPECT_EQ(Text(dialog, "LPhysChar6"), "Price\n($)");
    }
}

TEST_F(DesignDialogTest, PerceptionOfAMarketedBrandAndOfOneWithACharacteristicLeftEmpty) {
    TFoPercEstim dialog(page, TFoPercEstim::kSemanticMode, MarketContext(1));
    auto& modify = test::Child<QRadioButton>(dialog, "rbPerEstModBrd");
    modify.click();
    EXPECT_TRUE(test::Child<QWidget>(dialog, "cbPerEstSelBrd").isVisibleTo(&dialog));
    test::Child<QComboBox>(dialog, "cbPerEstSelBrd").setCurrentIndex(1);
    // Brand 2's own characteristics fill the fields.
    for (int j = 1; j <= 6; ++j)
        EXPECT_EQ(Text(dialog, ("EPhysChar" + std::to_string(j)).c_str()),
                  QLocale().toString(BrandPosition(1, 2, j, si::AttAct)).toStdString())
            << j;
    // The studies perceive Weight a exactly as 0.5 + a / 10, so the line over
    // the brands gives a back as (a + 5) / 10.
    const int weight = BrandPosition(1, 2, 1, si::AttAct);
    EXPECT_EQ(Text(dialog, "ESem1"), QLocale().toString((weight + 5) / 10.0, 'f', 2).toStdString());
    // Weight 45 is perceived at (45 + 5) / 10 = 5.00; 100 at 10.5, off the scale.
    Type(dialog, "EPhysChar1", "45");
    EXPECT_EQ(Text(dialog, "ESem1"), "5.00");
    Type(dialog, "EPhysChar1", "100");
    EXPECT_EQ(Text(dialog, "ESem1"), "N/A");

    // An empty characteristic: its own scale and every map position say "N/A".
    TFoPercEstim map(page, TFoPercEstim::kMapMode, MarketContext(1));
    test::Child<QRadioButton>(map, "rbPerEstModBrd").click();
    for (const char* name : {"EMap1", "EMap2", "EMap3"}) EXPECT_NE(Text(map, name), "N/A") << name;
    const std::string designBefore = Text(map, "ESem2");
    Type(map, "EPhysChar3", "");
    for (const char* name : {"EMap1", "EMap2", "EMap3", "ESem3"}) EXPECT_EQ(Text(map, name), "N/A") << name;
    EXPECT_EQ(Text(map, "ESem2"), designBefore);
    EXPECT_TRUE(TakeBoxes().empty());
}

// Estimate pressed with a characteristic empty says so and puts the focus on that field; the
// estimates that need it read "N/A". Leaving a field or opening says nothing.
TEST_F(DesignDialogTest, EstimateWithAnEmptyCharacteristicSaysWhichFieldToFill) {
    TFoPercEstim dialog(page, TFoPercEstim::kSemanticMode, MarketContext(1));
    dialog.show();
    QTRY_VERIFY(dialog.isVisible());
    dialog.activateWindow();
    QTRY_VERIFY(dialog.isActiveWindow());
    EXPECT_TRUE(TakeBoxes().empty());
    // Every characteristic but the second typed: weight 45, the others their lowest values.
    for (int j = 1; j <= 6; ++j) {
        if (j == 2) continue;
        auto& field = test::Child<TQNEdit>(dialog, ("EPhysChar" + std::to_string(j)).c_str());
        field.setFocus();
        QTRY_VERIFY(field.hasFocus());
        QTest::keyClicks(&field, j == 1 ? QStringLiteral("45") : QString::number(field.MinValue));
        QTest::keyClick(&field, Qt::Key_Tab);
    }
    EXPECT_TRUE(TakeBoxes().empty());
    QTest::mouseClick(&test::Child<QPushButton>(dialog, "btnPerEstCalc"), Qt::LeftButton);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"PercEstimEmpty"});
    QTRY_VERIFY(test::Child<TQNEdit>(dialog, "EPhysChar2").hasFocus());
    EXPECT_EQ(Text(dialog, "ESem2"), "N/A");
    EXPECT_EQ(Text(dialog, "ESem1"), "5.00");  // weight 45 is perceived at (45 + 5) / 10
    test::SaveScreenshot(dialog, "DesignDialogTest_PerceptionWithAnEmptyCharacteristic");
    // Filled, the estimate says nothing more.
    auto& second = test::Child<TQNEdit>(dialog, "EPhysChar2");
    QTest::keyClicks(&second, QString::number(second.MinValue));
    QTest::mouseClick(&test::Child<QPushButton>(dialog, "btnPerEstCalc"), Qt::LeftButton);
    EXPECT_TRUE(TakeBoxes().empty());
    dialog.close();
}

TEST_F(DesignDialogTest, PerceptionInAMarketOfTwoBrandsSaysSoOnEveryCalculation) {
    // M2 markets two brands: fewer than three for a line, and the map of
    // four scales needs at least six.
    for (const auto mode : {TFoPercEstim::kSemanticMode, TFoPercEstim::kMapMode}) {
        TFoPercEstim dialog(page, mode, MarketContext(2));
        EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"NotEnoughObs"}) << mode;
        EXPECT_FALSE(test::Child<QWidget>(dialog, "EPhysChar5").isVisibleTo(&dialog));
        Type(dialog, "EPhysChar1", "5");
        EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"NotEnoughObs"}) << mode;
        for (const char* name : {"ESem1", "ESem4", "EMap1", "EMap2"}) EXPECT_EQ(Text(dialog, name), "N/A") << name;
    }
}

}  // namespace
}  // namespace cv
