// The idle warm-up runs its steps only while an event loop waits, one at a
// time, so that what comes in meanwhile (a click) is handled after one step.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <string>
#include <vector>

#include "ui/idle_warm_up.h"

namespace cv {
namespace {

// Runs an event loop that waits for events, as the program's does, for Ms.
void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(IdleWarmUp, StepsRunInOrderOnlyWhileTheEventLoopWaits) {
    TIdleWarmUp warmUp;
    std::vector<std::string> ran;
    warmUp.Add([&] { ran.push_back("first"); });
    warmUp.Add([&] {
        ran.push_back("second");
        warmUp.Add([&] { ran.push_back("added by the second"); });
    });
    warmUp.Start();
    // Handling what is waiting is not waiting: nothing runs yet.
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran.empty());
    EXPECT_FALSE(warmUp.Finished());
    RunEventLoop(100);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "added by the second"}));
    EXPECT_TRUE(warmUp.Finished());
    EXPECT_GE(warmUp.BusyNs(), warmUp.LongestStepNs());
}

TEST(IdleWarmUp, WhatComesInDuringAStepIsHandledBeforeTheNextStep) {
    TIdleWarmUp warmUp;
    std::vector<std::string> ran;
    warmUp.Add([&] {
        ran.push_back("step 1");
        // A click arrives while the step runs.
        QTimer::singleShot(0, [&] { ran.push_back("click"); });
    });
    warmUp.Add([&] { ran.push_back("step 2"); });
    warmUp.Start();
    RunEventLoop(100);
    EXPECT_EQ(ran, (std::vector<std::string>{"step 1", "click", "step 2"}));
}

}  // namespace
}  // namespace cv
