#pragma once
// What the screen benchmarks share: the largest industry open after one
// forecast filled its results of period t+1 (firm 1, zone 1, market 1 in the
// context), and the timing of one screen's build alternately with its
// baseline, writing the same shown texts straight into a fresh table of the
// same shape ("x_raw": the ratio of their medians). A screen switch should stay within one
// frame (16 ms) in absolute time too.

#include <benchmark/benchmark.h>

#include <QWidget>
#include <functional>
#include <memory>

#include "core/store/data_context.h"
#include "ui/report/cv_screen.h"

namespace cv::bench {

using TScreenMaker = std::function<std::unique_ptr<TCVScreen>(QWidget* owner, const TDataContext& context)>;

// Builds Make's screen on the world for each iteration (the benchmark must use
// manual time): counters "ms", "raw_ms", "x_raw" and "cells" (the non-empty
// cells the screen shows).
void BuildScreen(benchmark::State& state, const TScreenMaker& make);

// The world's owner window and context, the largest industry open (for
// benchmarks of other displays than screens).
QWidget& LargestOwner();
const TDataContext& LargestContext();

// Sets up the application for the benchmarks (no display needed); runs them.
int RunScreenBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks);

}  // namespace cv::bench
