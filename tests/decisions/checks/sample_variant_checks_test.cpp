// The sample's decisions, under every variant, as a team opens them: those the
// sample decides (not the fresh ones, the last forecast's defaults) hold no
// error that keeps the marketing plan shut, the marketing plan of every firm
// passes the plan check in every zone and market, and every firm's R&D
// contracts match their partners' and name projects both parties develop alike.
#include <gtest/gtest.h>

#include <string>

#include "core/base/message_list.h"
#include "decisions/checks/check_dec.h"
#include "tests/decisions/checks/sample_decisions.h"
#include "tests/support/test_industry.h"

namespace cv::test {
namespace {

std::string Headlines(const TQnInfos& messages) {
    std::string text;
    for (const TQnInfo& message : messages.Items()) {
        text += message.Headline + "\n";
        for (const std::string& line : message.Lines) text += "  " + line + "\n";
    }
    return text;
}

// The suite's language file names what a failing check says.
class SampleVariantChecks : public SampleDecisions {};

TEST_F(SampleVariantChecks, EveryFirmsDecisionsPlanAndContractsPassTheChecks) {
    for (const sample::TSampleVariant& variant : EverySampleVariant()) {
        SCOPED_TRACE(VariantName(variant));
        OpenSampleIndustry sample(variant);
        TCvInd& industry = sample.Industry();
        for (int firm = 1; firm <= industry.NbFirms(); ++firm)
            for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
                const TDataContext context = OpenSampleIndustry::Context(firm, zone);
                TCheckDec checker(industry, context);
                TQnInfos errors, plan, contracts;
                if (variant.decisions != sample::TSampleDecisions::Fresh) {
                    EXPECT_EQ(checker.CheckDecisions(errors, context), 0)
                        << "firm " << firm << " zone " << zone << "\n" << Headlines(errors);
                }
                EXPECT_EQ(checker.CheckMktPlan(plan, context), 0)
                    << "firm " << firm << " zone " << zone << "\n" << Headlines(plan);
                EXPECT_EQ(checker.CheckContracts(contracts), 0)
                    << "firm " << firm << " zone " << zone << "\n" << Headlines(contracts);
            }
    }
}

}  // namespace
}  // namespace cv::test
