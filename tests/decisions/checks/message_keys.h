#pragma once
// The keys of built check messages (and of the distribution dialog's), found by matching each headline against
// the first line of the check keys' entries in the program's language file
// (its tags standing for any text); "?" and the headline for no match.

#include <string>
#include <vector>

#include "core/base/message_list.h"

namespace cv::test {

std::vector<std::string> MessageKeys(const std::vector<TQnInfo>& messages);

}  // namespace cv::test
