#pragma once
// The print command of a report page: the report screen it shows is printed
// as the page's hard copy document (its header naming the page by its window
// number, its "H" file written); a chart, or nothing shown, prints as on every page.

namespace cv {

class TFoCv3Mod;

void PrintPageHardCopy(TFoCv3Mod& page);

}  // namespace cv
