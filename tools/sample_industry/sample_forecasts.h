#pragma once
// The model's forecasts as the history of the sample: the results of every
// period from 0 on are what our own model computes from the decisions of that
// period and the results of the one before, so that the sample's figures and a
// forecast made on it agree by construction.

#include <cstdint>
#include <string>
#include <vector>

namespace cv {
class TCvInd;
}

namespace cv::sample {

// Runs the marketing-plan forecast of Period on Industry (its current period
// set to the one before for the run and put back afterwards), leaving the
// forecast's results of Period and its default decisions of Period + 1. The
// model needs a session for its log: a session of its own, in a temporary
// program tree, stands in for the run, and the caller's session (if any) and
// log level are given back afterwards. The run reseeds the shared random
// generator as every forecast does. A failed run or any warning
// raises std::logic_error: the sample's decisions must make a clean forecast.
// The model writes the program's one log, so a log already open would be
// closed under its owner: that too raises std::logic_error, before anything runs.
void ForecastSamplePeriod(TCvInd& industry, std::int16_t period);

// The same run for decisions the sample does not control (a team's): a failed
// run raises std::logic_error, the warnings are answered.
std::vector<std::string> ForecastPeriod(TCvInd& industry, std::int16_t period);

}  // namespace cv::sample
