// The state panel of the decisions page on the sample: one test per state,
// each leaving its screenshot.
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <set>

#include "core/store/series_index.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/painted_texts.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;

// Platform colours 0x0000FF, 0x00FFFF and 0x00C000.
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 192, 0);

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
    EXPECT_EQ(Session->Industry()->PerDecisions(4).GetSmallintDef(kCategoryFirm, page->Data, "DecStatus", -1), 1);
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
              "Your decisions contain errors and warnings.\nCorrect the errors and read the warnings before sending.");
    EXPECT_EQ(StateColour(), kRed);
    EXPECT_TRUE(ErrorsEnabled());
    std::string title;
    EXPECT_EQ(ListedKeys(title), (std::vector<std::string>{"ErrPrice0", "DecPriceDecr", "Warn1DistribDecs"}));
    EXPECT_EQ(title, "Corvantis3 - Errors and warnings in your decisions");
}

// The messages name what they are about in full: the brand and the channel,
// each with its zone (the sample's zones hold the same names), as the
// decisions and the industry name them.
TEST_F(DecisionPageTest, MessagesNameTheBrandAndTheChannelWithTheirZone) {
    ShowPage(TSampleDecisions::Complete);
    SetPrice(0);
    EmptyChannel();
    Reactivate();
    TCvInd& industry = *Session->Industry();
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    const std::string brand = industry.PerDecisions(industry.DecPeriod())
                                  .FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdPort")
                                  ->GetZts({1, si::BrdName});
    const std::string zone = " (" + industry.FtaLabel(1) + ")";
    ASSERT_FALSE(brand.empty());
    const std::vector<TQnInfo> messages = ListedMessages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].Headline, "Brand " + brand + zone + " has no price.");
    EXPECT_EQ(messages[0].Lines, std::vector<std::string>{"Enter the recommended retail price of the brand."});
    EXPECT_EQ(messages[1].Headline, "The price of brand " + brand + zone + " falls too much.");
    EXPECT_EQ(messages[2].Headline,
              "There is no salesperson in channel " + industry.ChannelLongLabel(1, 1) + zone + ".");
    EXPECT_EQ(messages[2].Lines, std::vector<std::string>{"The brands sold through this channel get no sales force."});
}

// The study orders are decided zone by zone, as the sales force: with neither
// zone's orders confirmed the list says so for each zone, naming it.
TEST_F(DecisionPageTest, StudiesNotTakenAreListedForEachZoneByName) {
    ShowPage(TSampleDecisions::Complete);
    TCvInd& industry = *Session->Industry();
    for (const std::int16_t zone : {1, 2}) {
        TDataContext context = page->Data;
        context.SelFta = zone;
        industry.PerDecisions(industry.DecPeriod()).SetSmallint(kCategoryFirmFta, context, "StudiesDecStatus", 0);
    }
    Reactivate();
    std::vector<std::string> studies;
    for (const TQnInfo& message : ListedMessages())
        if (message.Headline.find("market-study") != std::string::npos) studies.push_back(message.Headline);
    EXPECT_EQ(studies, (std::vector<std::string>{
                           "The market-study decisions (" + industry.FtaLabel(1) + ") are not taken yet.",
                           "The market-study decisions (" + industry.FtaLabel(2) + ") are not taken yet.",
                       }));
}

// Each area's picture is drawn into its panel: a picture of the panel's
// size, not blank, and painted when the page is.
TEST_F(DecisionPageTest, EachAreaShowsItsPicture) {
    ShowPage(TSampleDecisions::Complete);
    for (const char* name : {"imgBrdPF", "imgBrdMMix", "imgDistrib", "imgStudies", "imgRnD"}) {
        auto* image = page->findChild<QLabel*>(name);
        ASSERT_NE(image, nullptr) << name;
        QTRY_VERIFY(image->isVisible());
        const QPixmap picture = image->pixmap();
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), image->size()) << name;
        const QImage pixels = picture.toImage();
        std::set<QRgb> colours;
        for (int y = 0; y < pixels.height(); y += 2)
            for (int x = 0; x < pixels.width(); x += 2)
                if (qAlpha(pixels.pixel(x, y)) > 0) colours.insert(pixels.pixel(x, y));
        EXPECT_GE(colours.size(), 2u) << name << " is blank";
        EXPECT_EQ(test::Paint(*image).pictures, 1) << name;
    }
    SaveScreenshot(Main(), "DecisionPageTest_Pictures");
}

// Each state's two lines read on the panel at both screen sizes: the colour
// stands out from the ground (a contrast of at least 4.5 to 1) and each line
// takes one row of the label, so nothing wraps onto a third.
enum class TStateCase { Fresh, Complete, Warnings, Errors, ErrorsAndWarnings };

class StatePanelTest : public DecisionPageTest, public ::testing::WithParamInterface<TStateCase> {};

double Luminance(const QColor& colour) {
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_P(StatePanelTest, SmallScreenStateReadsOnTwoRows) {
    const TStateCase state = GetParam();
    ShowPage(state == TStateCase::Fresh ? TSampleDecisions::Fresh : TSampleDecisions::Complete);
    if (state == TStateCase::Errors || state == TStateCase::ErrorsAndWarnings) SetPrice(0);
    if (state == TStateCase::Warnings || state == TStateCase::ErrorsAndWarnings) EmptyChannel();
    Reactivate();
    auto& panel = Child<QWidget>(*page, "paErrWng");
    auto& label = Child<QLabel>(*page, "labErrWng");
    QTRY_VERIFY(label.isVisible());
    EXPECT_GE(Contrast(label.palette().color(QPalette::WindowText), panel.palette().color(QPalette::Window)), 4.5)
        << label.palette().color(QPalette::WindowText).name().toStdString();
    const QFontMetrics metrics(label.font());
    const QStringList lines = label.text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), label.contentsRect().width()) << line.toStdString();
    EXPECT_LE(2 * metrics.lineSpacing(), label.contentsRect().height());
    SaveScreenshotOfRunningTest(panel);
}

INSTANTIATE_TEST_SUITE_P(States, StatePanelTest,
                         ::testing::Values(TStateCase::Fresh, TStateCase::Complete, TStateCase::Warnings,
                                           TStateCase::Errors, TStateCase::ErrorsAndWarnings));

}  // namespace
}  // namespace cv::test
