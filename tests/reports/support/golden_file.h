#pragma once
// Golden files of rendered screens: Actual is compared with the checked-in
// File, or written to it when CV_REGENERATE_GOLDEN=1 is in the environment (on
// purpose only: review the difference before committing it).

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ui/report/cv_screen.h"

namespace cv::test {

// Every screen that Create builds for periods 0..LastPeriod and markets
// 1..Markets, each under a "== period p market m" line (with " (empty)" for a
// screen with nothing to show), rendered cell by cell as UTF-8.
std::string RenderEveryPeriod(const std::function<std::unique_ptr<TCVScreen>(int period, int market)>& create,
                              int lastPeriod, int markets);

void CheckGolden(const std::filesystem::path& file, const std::string& actual);

}  // namespace cv::test
