// Each name of the table of what the program reads, removed from every cell of
// its kind in a copy of the sample, the copy opened past the whole-file check
// as the team's opening opens what the check passes: every page is shown by
// its button on the bar and stepped through its menu with the next-page
// button, and every decision dialog is opened by its button on the decisions
// page and closed by Escape. The program keeps running, no action shows more
// than one message, and the message that says the industry does not read
// names the name removed; a name read with a default gives no such message.
#include <QAbstractButton>
#include <QApplication>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/store/industry_reads.h"
#include "decisions/page/decision_page.h"
#include "tests/app/support/program_with_industry.h"
#include "tests/app/reads/modal_click.h"
#include "tests/app/reads/unreadable_sample.h"
#include "tests/support/removed_read.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr int kNextPageButton = 7;
// More than any page's menu holds.
constexpr int kMostMenuItems = 200;
const char* const kPageButtons[] = {"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph", "SpBInterface"};
const char* const kAreaButtons[] = {"BBBrdPF", "BBBrdMMix", "BBDistrib", "BBStudies",
                                    "BBRnD",   "BBSummary", "BBBudget",  "BBMktPlan"};

std::vector<const TIndustryRead*> EveryRead() {
    std::vector<const TIndustryRead*> reads;
    for (const TIndustryRead& read : IndustryReads()) reads.push_back(&read);
    return reads;
}

class UnreadableIndustryTest : public UnreadableSampleTest,
                               public ::testing::WithParamInterface<const TIndustryRead*> {
protected:
    // Runs one action of the user: the program is still running after it,
    // and it showed one message at most.
    void Act(const std::string& what, const std::function<void()>& action) {
        const std::size_t before = MessagesShown(root.ui);
        action();
        QApplication::processEvents();
        ASSERT_TRUE(Session && Main().isVisible()) << what;
        EXPECT_LE(MessagesShown(root.ui) - before, 1u) << what << " showed:" << Shown(before);
    }

    // The texts of the message boxes from the one numbered First on, and of every error box.
    std::string Shown(std::size_t first) const {
        std::string texts;
        for (std::size_t box = first; box < root.ui.messageBoxes.size(); ++box)
            texts += "\n" + root.ui.messageBoxes[box].key;
        for (const std::string& text : root.ui.errorBoxes) texts += "\nerror box: " + text;
        return texts;
    }

    // Shows each page by its button, then steps through its menu with the
    // next-page button until it shows its first item again.
    void ShowEveryPageItem() {
        QToolButton& next = *Main().ToolButton(kNextPageButton);
        for (const char* name : kPageButtons) {
            auto& button = Child<QAbstractButton>(Main(), name);
            if (!button.isEnabled()) continue;
            Act(name, [&] { ClickWhereItLies(button); });
            TFoCv3Mod& page = *TFoCv3Mod::Current();
            QAction* first = page.SteppingItem();
            for (int step = 0; first && next.isVisible() && step < kMostMenuItems; ++step) {
                Act(std::string(name) + " after " + page.SteppingItem()->objectName().toStdString(),
                    [&] { ClickAndCloseWhatOpens(next); });
                if (page.SteppingItem() == first) break;
            }
        }
    }

    void OpenEveryDecisionDialog() {
        auto& decisions = Child<TFoDecision>(Main(), "FoDecision");
        Act("SpBDec", [&] { ClickWhereItLies(Child<QAbstractButton>(Main(), "SpBDec")); });
        if (TFoCv3Mod::Current() != &decisions) return;
        for (const char* name : kAreaButtons) {
            auto& button = Child<QAbstractButton>(decisions, name);
            if (button.isEnabled()) Act(name, [&] { ClickAndCloseWhatOpens(button); });
        }
    }
};

TEST_P(UnreadableIndustryTest, EveryPageAndDecisionDialogShowsOneMessageAtMost) {
    const TIndustryRead& read = *GetParam();
    const std::filesystem::path file = WriteSample();
    if (RemoveReadName(file, read) == 0) GTEST_SKIP() << "the sample holds no " << ReadDescription(read);
    bool opened = false;
    Act("the opening", [&] { opened = OpenPastTheCheck(file); });
    if (!opened) {
        EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{"IndIncomplete"});
        return;
    }
    if (Session->Industry()) {
        ShowEveryPageItem();
        OpenEveryDecisionDialog();
        EXPECT_NE(Session->Industry(), nullptr);
    } else {
        EXPECT_EQ(MessagesShown(root.ui), 1u) << "the opening closed the industry without a word";
    }
    const std::vector<std::string> unreadable = UnreadableMessages();
    if (read.need == TReadNeed::optional) {
        EXPECT_TRUE(unreadable.empty()) << Shown(0);
    }
    for (const std::string& message : unreadable)
        EXPECT_NE(QString::fromStdString(message).indexOf(QLatin1String(read.name), 0, Qt::CaseInsensitive), -1)
            << message;
    EXPECT_TRUE(root.ui.errorBoxes.empty()) << Shown(root.ui.messageBoxes.size());
}

INSTANTIATE_TEST_SUITE_P(Sample, UnreadableIndustryTest, ::testing::ValuesIn(EveryRead()),
                         [](const ::testing::TestParamInfo<const TIndustryRead*>& info) {
                             return ReadDescription(*info.param);
                         });

}  // namespace
}  // namespace cv::test
