// The semantic-target dialog on the sample: the answers of a brand's lines,
// the project mode without price, and a market with too few brands.

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "graphs/design_dialogs/sem2att.h"
#include "tests/graphs/design_dialogs/design_dialog_fixture.h"

namespace cv {
namespace {

using test::Child;
using test::DesignDialogTest;

void Calculate(TFoSem2Att& dialog) { Child<QPushButton>(dialog, "btnS2ASolve").click(); }

TEST_F(DesignDialogTest, SemanticTargetsOfABrandGiveTheCharacteristicsOfTheLines) {
    TFoSem2Att dialog(page, MarketContext(1));
    EXPECT_TRUE(TakeBoxes().empty());
    // Brand 1 and its own values; the Weight line is exact: a = 10 p - 5.
    const int weight = BrandPosition(1, 1, 1, si::AttAct);
    EXPECT_EQ(Text(dialog, "EPhysChar1"), std::to_string(weight));
    EXPECT_EQ(Text(dialog, "ECurSem1"), QLocale().toString(BrandPosition(1, 1, 1, si::PSStuBrd) / 1000.0, 'f', 2).toStdString());
    EXPECT_EQ(Text(dialog, "EOptChar1"), std::to_string(weight));
    EXPECT_EQ(Child<QGroupBox>(dialog, "gbS2ASem").title().toStdString(),
              "Semantic values of " + Child<QComboBox>(dialog, "cbS2ASelBrd").currentText().toStdString());
    // Targets 4.00 and 4.26: 10 x 4 - 5 = 35; 10 x 4.26 - 5 = 37.6, rounded 38.
    // Target 1.00 gives 5, below Weight's lowest level 10: "N/A". Each
    // target typed shows with two decimals, as the column's others do.
    struct Case {
        const char* target;
        const char* answer;
        const char* shown;
    };
    for (const Case& c : {Case{"4", "35", "4.00"}, Case{"4.26", "38", "4.26"}, Case{"1", "N/A", "1.00"}}) {
        Type(dialog, "ETarSem1", c.target);
        Calculate(dialog);
        EXPECT_EQ(Text(dialog, "EOptChar1"), c.answer) << c.target;
        EXPECT_EQ(Text(dialog, "ETarSem1"), c.shown) << c.target;
    }
    // Price has no range but 0..32767.
    EXPECT_NE(Text(dialog, "EOptChar6"), "N/A");
    // Another brand puts its own values back in the targets.
    Child<QComboBox>(dialog, "cbS2ASelBrd").setCurrentIndex(2);
    EXPECT_EQ(Text(dialog, "EOptChar1"), std::to_string(BrandPosition(1, 3, 1, si::AttAct)));
    EXPECT_TRUE(TakeBoxes().empty());
    test::SaveScreenshot(dialog, "Sem2Att_Brand");
}

TEST_F(DesignDialogTest, SemanticTargetsOfAPrototypeHideThePriceRow) {
    // M2: Size, Speed, Grip, then Price in row 4.
    TFoSem2Att dialog(page, MarketContext(2));
    auto& project = Child<QRadioButton>(dialog, "rbS2AIsPrj");
    ASSERT_TRUE(project.isEnabled());
    project.click();
    EXPECT_TRUE(Child<QWidget>(dialog, "cbS2ASelPrj").isVisibleTo(&dialog));
    EXPECT_FALSE(Child<QWidget>(dialog, "cbS2ASelBrd").isVisibleTo(&dialog));
    for (const char* name : {"LPhysChar4", "EPhysChar4", "ECurSem4", "ETarSem4", "EOptSem4", "EOptChar4"})
        EXPECT_FALSE(Child<QWidget>(dialog, name).isVisibleTo(&dialog)) << name;
    EXPECT_FALSE(Child<QWidget>(dialog, "ETarSem4").isEnabled());
    for (const char* name : {"EPhysChar3", "ETarSem3", "EOptChar3"})
        EXPECT_TRUE(Child<QWidget>(dialog, name).isVisibleTo(&dialog)) << name;
    EXPECT_EQ(Text(dialog, "ECurSem1"), "N/A");  // a prototype is not perceived yet
    EXPECT_NE(Text(dialog, "EPhysChar1"), "N/A");
    test::SaveScreenshot(dialog, "Sem2Att_Prototype");
    // Back to the brand: the price row returns.
    Child<QRadioButton>(dialog, "rbS2AIsBrd").click();
    EXPECT_TRUE(Child<QWidget>(dialog, "ETarSem4").isVisibleTo(&dialog));
    EXPECT_TRUE(Child<QWidget>(dialog, "ETarSem4").isEnabled());

    // Firm O has no prototype in M2: no project to choose.
    TFoSem2Att withoutPrototypes(page, MarketContext(2, 4));
    EXPECT_FALSE(Child<QRadioButton>(withoutPrototypes, "rbS2AIsPrj").isEnabled());
}

TEST_F(DesignDialogTest, SemanticTargetsOverTwoBrandsSayNotEnoughOnceAClick) {
    // M2's two brands give no line: flat at 0, whose answer 0 lies below
    // every physical range (Size 1..20, Speed 10..200, Grip 1..10) but within price's.
    TFoSem2Att dialog(page, MarketContext(2));
    EXPECT_TRUE(TakeBoxes().empty());  // opening tells nothing
    Calculate(dialog);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"NotEnoughObs"});
    for (const char* name : {"EOptChar1", "EOptChar2", "EOptChar3"}) EXPECT_EQ(Text(dialog, name), "N/A") << name;
    EXPECT_EQ(Text(dialog, "EOptChar4"), "0");
    // s = 0 for every scale: "N/A", and the target starts at 1.
    EXPECT_EQ(Text(dialog, "EOptSem1"), "N/A");
    EXPECT_EQ(Text(dialog, "ETarSem1"), "1.00");
}

}  // namespace
}  // namespace cv
