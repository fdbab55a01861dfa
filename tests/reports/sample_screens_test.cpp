// Every screen a team reads of the sample, under every variant (and every
// study as the administrator sees it), names no missing text of the language
// file, no period before the first and no number that is not one.
#include <gtest/gtest.h>

#include <string>

#include "core/session/session.h"
#include "tests/reports/support/believable_text.h"
#include "tests/reports/support/every_screen.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

class SampleScreensTest : public test::EveryScreenTest {
protected:
    void ExpectBelievable(const std::string& variant) {
        ForEveryScreen([&](const std::string& name, const std::string& text) {
            for (const std::string& flaw : test::FlawsIn(text)) ADD_FAILURE() << variant << ", " << name << " shows " << flaw;
        });
    }
};

TEST_F(SampleScreensTest, NoScreenOfAnyVariantShowsAFlaw) {
    for (const sample::TSampleVariant& v : test::EverySampleVariant()) {
        OpenVariant(v);
        ExpectBelievable(test::VariantName(v));
    }
    Session->SetAdminView(true);
    ExpectBelievable("complete decisions, every study shown");
}

}  // namespace
}  // namespace cv
