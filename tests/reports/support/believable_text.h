#pragma once
// What no text a team reads of an industry may show: a missing text of the
// language file ("bad line number"), a period before the first, or a number
// that is not one (NaN, infinity).

#include <string>
#include <vector>

namespace cv::test {

// Each line of Text that shows a flaw, as "<what the flaw is>: <line>".
std::vector<std::string> FlawsIn(const std::string& text);

}  // namespace cv::test
