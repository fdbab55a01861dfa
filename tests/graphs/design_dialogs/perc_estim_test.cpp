// The perception estimation dialog on the sample: "N/A" for a new brand, a
// marketed brand's own characteristics estimated back onto its scales, an
// empty characteristic, and a market with too few brands.

#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "graphs/design_dialogs/perc_estim.h"
#include "tests/graphs/design_dialogs/design_dialog_fixture.h"

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
