#pragma once
// The variants of the sample: the decisions of the decision period and the
// instructor's restrictions, applied to the industry once its history is written.

#include <string_view>

#include "core/session/industry.h"
#include "core/store/typed_array.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::sample {

// Sets in Words (the array "RestrictEnabled" or "RestrictHidden" named Name,
// over the restriction categories) the bits of the items that Restrictions
// disables or hides; the other bits are cleared.
void WriteRestrictionWords(const TCvData& industry, TSimArr& words, std::string_view name,
                           TSampleRestrictions restrictions);

// Replaces the decisions of the decision period and the restrictions of
// Industry, written with the sample's own, by those of Variant.
void ApplySampleVariant(TCvInd& industry, const TSampleVariant& variant);

}  // namespace cv::sample
