#pragma once
// The table of the results page: its groups in menu order, each with the
// instructor's "rcReport" item that disables or hides it, and its items, each
// with the screen it opens and whether that screen is about one market.

#include "shell/group_page.h"

namespace cv {

// Company, brands, R&D, cumulative, messages, past decisions.
const TPageMenu& ResultsPageMenu();

}  // namespace cv
