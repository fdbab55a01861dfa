#pragma once
// The print command of a page: the report screen or the chart it shows is
// printed as the page's hard copy document (its header naming the page by its
// window number, its "H" file written); nothing shown says so.

namespace cv {

class TFoCv3Mod;

void PrintPageHardCopy(TFoCv3Mod& page);

}  // namespace cv
