// The state panel of the decisions page on the sample: one test per state,
// each leaving its screenshot.
#include <QPushButton>

#include "tests/decisions/page/decision_page_fixture.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;

// Platform colours 0x0000FF, 0x00FFFF and 0x008000.
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 128, 0);

TEST_F(DecisionPageTest, FreshDecisionsAreNotTakenYet) {
    ShowPage(TSampleDecisions::Fresh);
    EXPECT_EQ(StateText(), "Some decisions are not taken yet.\nSee which ones before you send your decisions.");
    EXPECT_EQ(StateColour(), kRed);
    EXPECT_TRUE(ErrorsEnabled());
    std::string title;
    const std::vector<std::string> keys = ListedKeys(title);
    // The groups not taken come first; fresh decisions hold no error, at most warnings.
    ASSERT_FALSE(keys.empty());
    EXPECT_NE(keys.front().find("NotYetTaken"), std::string::npos) << keys.front();
    for (const std::string& key : keys)
        EXPECT_TRUE(key.find("NotYetTaken") != std::string::npos || key.starts_with("Warn")) << key;
    EXPECT_EQ(title, "Corvantis3 - Warnings on your decisions");
}

TEST_F(DecisionPageTest, CompleteDecisionsShowTheGreenLine) {
    ShowPage(TSampleDecisions::Complete);
    EXPECT_EQ(StateText(), "Your decisions are complete.\nNo error or warning was found.");
    EXPECT_EQ(StateColour(), kGreen);
    EXPECT_FALSE(ErrorsEnabled());
    EXPECT_EQ(Session->Industry()->PerDecisions(4).GetSmallint(kCategoryFirm, page->Data, "DecStatus"), 1);
}

// A price of 0 is no price, and a fall beyond the largest allowed.
TEST_F(DecisionPageTest, BrokenPriceShowsTheErrorLine) {
    ShowPage(TSampleDecisions::Complete);
    SetPrice(0);
    Reactivate();
    EXPECT_EQ(StateText(), "Your decisions contain errors.\nCorrect them before you send your decisions.");
    EXPECT_EQ(StateColour(), kRed);
    std::string title;
    EXPECT_EQ(ListedKeys(title), (std::vector<std::string>{"ErrPrice0", "DecPriceDecr"}));
    EXPECT_EQ(title, "Corvantis3 - Errors in your decisions");
}

TEST_F(DecisionPageTest, ChannelWithoutSalesForceShowsTheWarningLine) {
    ShowPage(TSampleDecisions::Complete);
    EmptyChannel();
    Reactivate();
    EXPECT_EQ(StateText(), "Your decisions are complete, with warnings.\nRead them before you send your decisions.");
    EXPECT_EQ(StateColour(), kYellow);
    std::string title;
    EXPECT_EQ(ListedKeys(title), std::vector<std::string>{"Warn1DistribDecs"});
}

TEST_F(DecisionPageTest, ErrorsAndWarningsTogether) {
    ShowPage(TSampleDecisions::Complete);
    SetPrice(0);
    EmptyChannel();
    Reactivate();
    EXPECT_EQ(StateText(),
              "Your decisions contain errors and warnings.\nCorrect the errors and read the warnings before you send "
              "your decisions.");
    EXPECT_EQ(StateColour(), kRed);
    EXPECT_TRUE(ErrorsEnabled());
    std::string title;
    EXPECT_EQ(ListedKeys(title), (std::vector<std::string>{"ErrPrice0", "DecPriceDecr", "Warn1DistribDecs"}));
    EXPECT_EQ(title, "Corvantis3 - Errors and warnings in your decisions");
}

}  // namespace
}  // namespace cv::test
