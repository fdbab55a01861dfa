#include "tests/reports/support/sample_variants.h"

namespace cv::test {

namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

const TNamedSampleVariant kVariants[] = {
    {"the sample", {}},
    {"several restrictions", {TSampleDecisions::Sample, TSampleRestrictions::Several}},
    {"no sales force", {TSampleDecisions::Sample, TSampleRestrictions::NoSlf}},
    {"no marketing plan", {TSampleDecisions::Sample, TSampleRestrictions::NoMarketingPlan}},
    {"a study hidden", {TSampleDecisions::Sample, TSampleRestrictions::StudyHidden}},
    {"no benchmarking", {TSampleDecisions::Sample, TSampleRestrictions::NoBenchmarking}},
    {"fresh decisions", {TSampleDecisions::Fresh, TSampleRestrictions::None}},
    {"complete decisions", {TSampleDecisions::Complete, TSampleRestrictions::None}},
};

}  // namespace

std::span<const TNamedSampleVariant> EverySampleVariant() { return kVariants; }

}  // namespace cv::test
