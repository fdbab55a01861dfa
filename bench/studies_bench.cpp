// Building each study screen on the largest industry (6 firms with 30 brands
// in a market, 5 segments, 3 channels) after one forecast, as the
// administrator sees them so that every screen builds its own table, beside the
// baseline of writing the same texts into a fresh table of the same shape.

#include <string>

#include "bench/screen_bench.h"
#include "core/session/session.h"
#include "reports/studies/studies.h"

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        for (int screen : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 51,
                           52, 53, 54, 55})
            benchmark::RegisterBenchmark(("BM_Study_" + std::to_string(screen)).c_str(), cv::bench::BuildScreen,
                                         cv::bench::TScreenMaker([screen](QWidget* owner, const cv::TDataContext& context)
                                                                     -> std::unique_ptr<cv::TCVScreen> {
                                             cv::Session->SetAdminView(true);
                                             if (screen > 50)
                                                 return cv::TCVScreen::Create<cv::TStuFta>(owner, context, screen,
                                                                                          cv::kWindowLayout);
                                             return cv::TCVScreen::Create<cv::TStuMkt>(owner, context, screen,
                                                                                      cv::kWindowLayout);
                                         }))
                ->UseManualTime()->Unit(benchmark::kMillisecond);
    });
}
