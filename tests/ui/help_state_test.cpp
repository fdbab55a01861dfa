#include "ui/help_state.h"

#include <gtest/gtest.h>

#include "core/session/session.h"
#include "tests/support/recording_ui.h"
#include "tests/support/session_tree.h"

namespace cv {
namespace {

TEST(HelpStateTest, QuickHelpStartsWithGettingStartedAndAnyIndustryOpeningEndsTheTopicSet) {
    test::SessionTree tree;
    test::RecordingUi ui;
    Session = std::make_unique<TSession>(tree.Exe("cv3team"));
    THelpState help;
    EXPECT_EQ(help.QuickHelpKey(), "GettingStarted");
    help.SetQuickHelpKey("NoQuickHelpGraph");
    EXPECT_EQ(help.QuickHelpKey(), "NoQuickHelpGraph");

    // A refused opening counts as much as one that succeeds.
    EXPECT_FALSE(Session->IndOpen(tree.Root() + "missing.ind"));
    EXPECT_EQ(help.QuickHelpKey(), "NoQuickHelpScreen");
    help.SetQuickHelpKey("NoQuickHelpGraph");
    EXPECT_EQ(help.QuickHelpKey(), "NoQuickHelpGraph");
    Session.reset();
}

}  // namespace
}  // namespace cv
