#pragma once
// The print command of a report page: the report screen it shows is printed
// as the page's hard copy document (its header naming the page, its "H" file
// written); a chart, or nothing shown, prints as on every page.

#include "reports/documents/hard_copy.h"

namespace cv {

class TFoCv3Mod;

void PrintPageHardCopy(TFoCv3Mod& page, THardCopyTitle title);

}  // namespace cv
