#include "tests/reports/support/believable_text.h"

#include <regex>
#include <sstream>

namespace cv::test {

namespace {

struct TFlaw {
    const char* what;
    std::regex pattern;
};

const std::vector<TFlaw>& Flaws() {
    static const std::vector<TFlaw> flaws{
        {"a missing text", std::regex("bad line number")},
        {"a period before the first", std::regex(R"((period|per\.)\s*-[0-9])", std::regex::icase)},
        {"a number that is not one", std::regex(R"((^|[^a-z])(nan|inf)([^a-z]|$))", std::regex::icase)},
    };
    return flaws;
}

}  // namespace

std::vector<std::string> FlawsIn(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        for (const TFlaw& flaw : Flaws())
            if (std::regex_search(line, flaw.pattern)) found.push_back(std::string(flaw.what) + ": " + line);
    return found;
}

}  // namespace cv::test
