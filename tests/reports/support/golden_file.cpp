#include "tests/reports/support/golden_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/reports/support/results_fixture.h"
#include "ui/cp1252.h"

namespace cv::test {
namespace {

bool Regenerating() {
    const char* flag = std::getenv("CV_REGENERATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line where the two texts differ, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) return "no difference";
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(line) + ": expected \"" + (moreA ? lineA : "<end>") + "\", got \"" +
                   (moreB ? lineB : "<end>") + "\"";
    }
}

}  // namespace

std::string RenderEveryPeriod(const std::function<std::unique_ptr<TCVScreen>(int period, int market)>& create,
                              int lastPeriod, int markets) {
    std::string text;
    for (int period = 0; period <= lastPeriod; ++period)
        for (int market = 1; market <= markets; ++market) {
            const std::unique_ptr<TCVScreen> screen = create(period, market);
            text += "== period " + std::to_string(period) + " market " + std::to_string(market) +
                    (screen->IsEmpty() ? " (empty)" : "") + "\n";
            if (screen->Table()) text += RenderTable(*screen->Table());
        }
    // The files are UTF-8 so that a reviewer reads them as the screen shows them.
    return Cp1252ToQString(text).toStdString();
}

void CheckGolden(const std::filesystem::path& file, const std::string& actual) {
    if (Regenerating()) {
        std::ofstream(file, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << file << " is missing: run with CV_REGENERATE_GOLDEN=1 and review it";
    const std::string expected = ReadFile(file);
    // Only the first difference is shown: a whole screen would bury it.
    EXPECT_TRUE(expected == actual) << file << " differs, " << FirstDifference(expected, actual);
}

}  // namespace cv::test
