#pragma once
// Every variant of the sample a test reads whole: the installed sample, each
// restriction variant, and the fresh and the complete decisions, with the
// name a failure gives it.

#include <span>

#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

struct TNamedSampleVariant {
    const char* name;
    sample::TSampleVariant variant;
};
std::span<const TNamedSampleVariant> EverySampleVariant();

}  // namespace cv::test
