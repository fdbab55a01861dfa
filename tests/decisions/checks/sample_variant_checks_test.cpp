// The sample's decisions, under every variant, as a team opens them: the
// marketing plan of every firm passes the plan check in every zone and market,
// and every firm's R&D contracts match their partners' and name projects both
// parties develop alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/message_list.h"
#include "core/session/industry.h"
#include "core/store/industry_file.h"
#include "decisions/checks/check_dec.h"
#include "tests/decisions/checks/sample_decisions.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

std::string Headlines(const TQnInfos& messages) {
    std::string text;
    for (std::size_t i = 0; i < messages.Count(); ++i) text += messages[i].Headline + "\n";
    return text;
}

// The suite's language file names what a failing check says.
class SampleVariantChecks : public SampleDecisions {};

TEST_F(SampleVariantChecks, EveryFirmsPlanAndContractsPassTheChecks) {
    for (TSampleDecisions decisions : {TSampleDecisions::Sample, TSampleDecisions::Fresh, TSampleDecisions::Complete})
        for (TSampleRestrictions restrictions :
             {TSampleRestrictions::None, TSampleRestrictions::Several, TSampleRestrictions::NoSlf,
              TSampleRestrictions::NoMarketingPlan, TSampleRestrictions::StudyHidden, TSampleRestrictions::NoBenchmarking}) {
            SCOPED_TRACE("decisions " + std::to_string(static_cast<int>(decisions)) + ", restrictions " +
                         std::to_string(static_cast<int>(restrictions)));
            TempDir dir;
            TCvInd industry;
            industry.Open(std::string(kIndustrySignature),
                          sample::WriteSampleIndustryFile(dir.path(), {decisions, restrictions}).string());
            industry.InitSeries();
            for (int firm = 1; firm <= industry.NbFirms(); ++firm)
                for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
                    TDataContext context;
                    context.SelFirm = static_cast<std::int16_t>(firm);
                    context.SelFta = static_cast<std::int16_t>(zone);
                    context.CurPeriod = sample::kCurrentPeriod;
                    context.DecPeriod = sample::kDecisionPeriod;
                    TCheckDec checker(industry, context);
                    TQnInfos plan, contracts;
                    EXPECT_EQ(checker.CheckMktPlan(plan, context), 0)
                        << "firm " << firm << " zone " << zone << "\n" << Headlines(plan);
                    EXPECT_EQ(checker.CheckContracts(contracts), 0)
                        << "firm " << firm << " zone " << zone << "\n" << Headlines(contracts);
                }
            industry.Close();
        }
}

}  // namespace
}  // namespace cv::test
