// Every screen a team reads of the sample, under every variant (and every
// study as the administrator sees it), names no missing text of the language
// file, no period before the first and no number that is not one.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "core/session/session.h"
#include "tests/reports/support/every_screen.h"

namespace cv {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

// What a believable screen never shows, and why.
struct TFlaw {
    const char* what;
    std::regex pattern;
};

const TFlaw& Flaw(int index) {
    static const TFlaw flaws[] = {
        {"a missing text", std::regex("bad line number")},
        {"a period before the first", std::regex(R"((period|per\.)\s*-[0-9])", std::regex::icase)},
        {"a number that is not one", std::regex(R"((^|[^a-z])(nan|inf)([^a-z]|$))", std::regex::icase)},
    };
    return flaws[index];
}
constexpr int kFlaws = 3;

class SampleScreensTest : public test::EveryScreenTest {
protected:
    void ExpectBelievable(const std::string& variant) {
        ForEveryScreen([&](const std::string& name, const std::string& text) {
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);)
                for (int f = 0; f < kFlaws; ++f)
                    EXPECT_FALSE(std::regex_search(line, Flaw(f).pattern))
                        << variant << ", " << name << " shows " << Flaw(f).what << ": " << line;
        });
    }
};

TEST_F(SampleScreensTest, NoScreenOfAnyVariantShowsAFlaw) {
    const struct {
        const char* name;
        sample::TSampleVariant variant;
    } variants[] = {
        {"the sample", {}},
        {"several restrictions", {TSampleDecisions::Sample, TSampleRestrictions::Several}},
        {"no sales force", {TSampleDecisions::Sample, TSampleRestrictions::NoSlf}},
        {"no marketing plan", {TSampleDecisions::Sample, TSampleRestrictions::NoMarketingPlan}},
        {"a study hidden", {TSampleDecisions::Sample, TSampleRestrictions::StudyHidden}},
        {"no benchmarking", {TSampleDecisions::Sample, TSampleRestrictions::NoBenchmarking}},
        {"fresh decisions", {TSampleDecisions::Fresh, TSampleRestrictions::None}},
        {"complete decisions", {TSampleDecisions::Complete, TSampleRestrictions::None}},
    };
    for (const auto& v : variants) {
        OpenVariant(v.variant);
        ExpectBelievable(v.name);
    }
    Session->SetAdminView(true);
    ExpectBelievable("complete decisions, every study shown");
}

}  // namespace
}  // namespace cv
