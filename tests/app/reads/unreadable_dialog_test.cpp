// A decision dialog whose second zone does not read: the sample without the
// default brand decisions of zone 2, opened past the whole-file check. The
// marketing mix opens on zone 1; zone 2 chosen on the bar lent to it says
// once what does not read and closes the dialog, and the decisions page
// stays. The program's own box over the dialog is shown on the screen too.
#include <QAbstractButton>
#include <QPointer>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/industry_file.h"
#include "core/store/industry_reads.h"
#include "core/store/series.h"
#include "shell/page_window.h"
#include "shell/selector/cv_bar.h"
#include "tests/app/reads/modal_click.h"
#include "tests/app/reads/unreadable_sample.h"
#include "tests/app/support/program_with_industry.h"
#include "tests/support/removed_read.h"
#include "tests/ui/support/window_test.h"
#include "ui/qt_ui_services.h"

namespace cv::test {
namespace {

constexpr int kZone = 2;

class UnreadableDialogTest : public UnreadableSampleTest {
protected:
    void SetUp() override {
        const std::filesystem::path file = WriteSample();
        const TIndustryRead* defaults =
            FindIndustryRead(vtDefaults, kCategoryFirmFtaMarket, "DecBrdCV3", TReadForm::array);
        ASSERT_NE(defaults, nullptr);
        ASSERT_GT(RemoveReadName(file, *defaults, kZone), 0);
        ASSERT_TRUE(OpenPastTheCheck(file));
        ClickWhereItLies(Child<QAbstractButton>(Main(), "SpBDec"));
        decisions = TFoCv3Mod::Current();
        ASSERT_EQ(decisions->objectName(), "FoDecision");
        ASSERT_TRUE(root.ui.messageBoxes.empty());
    }

    // Opens the marketing mix and chooses zone 2 on the bar lent to it, with
    // WhileBoxShown driving a box the choice shows; whether the dialog was
    // closed by the choice.
    bool ChooseZoneInTheMix(const std::function<void(QWidget&)>& whileBoxShown = {}) {
        bool closed = false;
        const bool opened = ClickAndCloseWhatOpens(Child<QAbstractButton>(*decisions, "BBBrdMMix"), [&](QWidget& mix) {
            QPointer<QWidget> shown(&mix);
            TBarGrpBtn* zones = CvBar->Group(Session->Industry()->FtaSeries()->Name());
            ClickAndCloseWhatOpens(*zones->Buttons.at(kZone - 1), whileBoxShown);
            closed = !shown || !shown->isVisible();
        });
        EXPECT_TRUE(opened);
        return closed;
    }

    TFoCv3Mod* decisions = nullptr;
};

TEST_F(UnreadableDialogTest, AZoneThatDoesNotReadClosesTheDialogWithOneMessage) {
    EXPECT_TRUE(ChooseZoneInTheMix());
    const std::vector<std::string> messages = UnreadableMessages();
    ASSERT_EQ(MessagesShown(root.ui), 1u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("What does not read: array DecBrdCv3 missing in the default decisions of period 4, firm "
                               "1, zone 2, market 1"),
              std::string::npos)
        << messages[0];
    EXPECT_EQ(TFoCv3Mod::Current(), decisions);
    EXPECT_NE(Session->Industry(), nullptr);

    const TQtUiServices onScreen;
    bool boxShown = false;
    EXPECT_TRUE(ChooseZoneInTheMix([&boxShown](QWidget&) {
        boxShown = true;
        SaveScreenScreenshot("UnreadableDialog_Message");
    }));
    EXPECT_TRUE(boxShown);
}

}  // namespace
}  // namespace cv::test
