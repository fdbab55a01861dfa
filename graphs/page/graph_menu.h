#pragma once
// The graphs page's menu table and what each of its items opens.

#include <span>
#include <string_view>

#include "graphs/page/graph_page.h"

namespace cv {

const TPageMenu& GraphPageMenu();
// The chart or screen of the item Name; null for none.
const TGraphItem* FindGraphItem(std::string_view name);

}  // namespace cv
