// Every decision dialog played at random from the decisions page, extreme
// values typed into its fields, on the sample: the program stays sound. No
// step ends it (the sanitizers' build stops at any fault of memory or
// arithmetic), OK closes a dialog or keeps it with a message, and the stored
// decisions lie within the ranges of the fields that show them when the
// dialogs open again. The seed is printed; CV_RANDOM_INPUT_SEED replays one,
// and the steps are printed after a failure or when CV_RANDOM_INPUT_TRACE is set.
#include <QAbstractButton>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/areas/area_dialogs.h"
#include "decisions/page/decision_page.h"
#include "shell/main_window.h"
#include "tests/app/support/frame_root.h"
#include "tests/decisions/page/shown_page.h"
#include "tests/decisions/random_input/random_hand.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

constexpr int kRounds = 40;
constexpr int kStepsPerDialog = 30;

// The marketing plan first: it opens only while the decisions pass their checks.
const char* const kAreaButtons[] = {"BBMktPlan", "BBBrdPF",   "BBBrdMMix", "BBDistrib",
                                    "BBStudies", "BBRnD",     "BBSummary", "BBBudget"};

struct TRandomRun {
    std::uint32_t seed;
    TSampleDecisions decisions;
};

std::uint32_t SeedOf(const TRandomRun& run) {
    const char* chosen = std::getenv("CV_RANDOM_INPUT_SEED");
    return chosen ? static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10)) : run.seed;
}

class RandomInputTest : public ::testing::TestWithParam<TRandomRun> {
protected:
    void SetUp() override {
        main_ = std::make_unique<TFoCv3Main>(root_.Services());
        auto* page = new TFoDecision(*main_, main_->PageArea());
        RegisterAreaDialogs(*page);
        main_->AddPage(page);
        main_->show();
        page_ = ShowDecisionsPage(root_, *main_, {GetParam().decisions, TSampleRestrictions::None});
        ASSERT_NE(page_, nullptr);
    }
    void TearDown() override {
        if (main_) SaveScreenshotOfRunningTest(*main_);
    }

    // Clicks the page's button Button and plays the dialog it opens; a
    // dialog that does not open says why.
    void PlayArea(const char* button, RandomHand& hand, int steps) {
        const std::size_t before = MessagesShown(root_.ui);
        if (!hand.Open(Child<QPushButton>(*page_, button), steps, std::string("RandomInput_") + button)) {
            EXPECT_GT(MessagesShown(root_.ui), before) << button << " opened nothing and said nothing";
        }
        ASSERT_TRUE(Session && Session->Industry()) << "the industry is open after " << button;
        EXPECT_TRUE(page_->isVisible());
    }

    std::vector<const char*> EnabledAreas() const {
        std::vector<const char*> areas;
        for (const char* button : kAreaButtons)
            if (page_->findChild<QPushButton*>(button)->isEnabled()) areas.push_back(button);
        return areas;
    }

    ProgramRoot root_;
    std::unique_ptr<TFoCv3Main> main_;
    TFoDecision* page_ = nullptr;
};

TEST_P(RandomInputTest, EveryDecisionDialogStaysSoundUnderExtremeValues) {
    const std::uint32_t seed = SeedOf(GetParam());
    std::cout << "random input seed " << seed << std::endl;
    RandomHand hand(seed, root_.ui);
    std::mt19937 areas(seed);
    const std::vector<const char*> enabled = EnabledAreas();
    ASSERT_FALSE(enabled.empty());
    for (const char* button : enabled)
        if (!HasFatalFailure()) PlayArea(button, hand, kStepsPerDialog);
    for (int round = 0; round < kRounds && !HasFatalFailure(); ++round)
        PlayArea(enabled[std::uniform_int_distribution<std::size_t>(0, enabled.size() - 1)(areas)], hand,
                 kStepsPerDialog);
    // Each dialog once more: what it stored shows within its fields' ranges.
    for (const char* button : enabled)
        if (!HasFatalFailure()) PlayArea(button, hand, 0);
    if (HasFailure() || std::getenv("CV_RANDOM_INPUT_TRACE")) {
        std::cout << "steps of seed " << seed << ":\n";
        for (const std::string& step : hand.Trace()) std::cout << "  " << step << "\n";
    }
}

INSTANTIATE_TEST_SUITE_P(Sample, RandomInputTest,
                         ::testing::Values(TRandomRun{4711, TSampleDecisions::Sample},
                                           TRandomRun{2026, TSampleDecisions::Complete}));

}  // namespace
}  // namespace cv::test
