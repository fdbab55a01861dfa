#pragma once
// The first chart the program draws costs creating Qt Charts' scene, axes,
// text items and layouts for the first time; drawing a throwaway chart while
// the program waits (TIdleWarmUp) leaves that work done.

namespace cv {

// Builds a line chart with a title, axis titles and point labels, and draws
// it into an image; nothing is shown.
void WarmUpCharts();

}  // namespace cv
