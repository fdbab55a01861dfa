// Building each screen of the results page (and the firm screens of the plan
// and the loan dialog) on the largest industry, after one forecast filled its
// results of period t+1, for firm 1 in zone 1 and market 1. Each is reported
// beside the time to write the same shown texts straight into a fresh table
// of the same shape ("x_raw"), measured in the same run; a screen switch
// should stay within one frame (16 ms) in absolute time too.

#include <string>

#include "bench/screen_bench.h"
#include "reports/results/firm_result.h"
#include "reports/pages/results_menu.h"

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        for (const cv::TPageMenuGroup& group : cv::ResultsPageMenu().groups)
            for (const cv::TPageItem& item : group.items)
                benchmark::RegisterBenchmark(("BM_Result_" + std::string(item.name)).c_str(), cv::bench::BuildScreen,
                                             cv::bench::TScreenMaker(item.screen))
                    ->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Result_PlanContribution", cv::bench::BuildScreen,
                                     cv::bench::TScreenMaker(cv::KindScreen<cv::TFirResult, cv::TFirResult::kPlanContribution>))
            ->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Result_LoanRequestSchedule", cv::bench::BuildScreen,
                                     cv::bench::TScreenMaker(cv::KindScreen<cv::TFirResult, cv::TFirResult::kLoanRequestSchedule>))
            ->UseManualTime()->Unit(benchmark::kMillisecond);
    });
}
