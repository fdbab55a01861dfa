#pragma once
// Every decision area's dialog, and the print of the decision documents,
// registered on the decisions page: the one place that names them all.

namespace cv {

class TFoDecision;

void RegisterAreaDialogs(TFoDecision& page);

}  // namespace cv
