#pragma once
// Whether a study's chart may be drawn instead of its screen: the study is
// allowed (neither restricted nor hidden by the instructor), applicable (the
// market has marketed brands, at least "MinBrdForMap" of them for the
// perceptual map) and bought for the decision period, or the administrator
// looks. A chart that may not be drawn gives way to a study screen, which
// says why.

#include <string>

#include "core/store/data_context.h"

namespace cv {

// Study Key of the market level ("StuMkt"), or of the zone level ("StuFta")
// when AreaLevel, for the results of Context's current period and the
// purchases of its decision period.
bool CanShowStudyGraph(const TDataContext& context, bool areaLevel, const std::string& key);

}  // namespace cv
