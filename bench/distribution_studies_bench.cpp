// Opening the distribution dialog, its allocation assistant, the study orders
// and the marketing mix on the largest industry (6 firms, 3 zones, 3 markets
// of 5 brands each: 15 brand rows over 3 channels; the mix shows five brand
// tabs and five segments) after one forecast: each dialog built,
// loaded and drawn once per iteration. The baseline ("x_raw"), timed
// alternately in the same run, builds and draws a bare dialog holding as many labels, number
// fields and check boxes in a grid, so the ratio is what loading the
// decisions, costing them and the dialog's own layout add. Opening should stay
// within one frame (16 ms) in absolute time too.

#include <QApplication>
#include <QDialog>
#include <functional>
#include <memory>

#include "bench/bare_dialog.h"
#include "bench/paired_timing.h"
#include "bench/screen_bench.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/distribution/distribution_dialog.h"
#include "decisions/distribution/slf_assistant.h"
#include "decisions/mix/mix_dialog.h"
#include "decisions/studies/study_order_dialog.h"

namespace {

using TDialogMaker = std::function<std::unique_ptr<QDialog>(QWidget* owner, cv::TDataContext& context)>;

// The decisions page's context: the industry's current and decision periods.
cv::TDataContext& PageContext() {
    static cv::TDataContext context = [] {
        cv::TDataContext page = cv::bench::LargestContext();
        const cv::TCvInd& industry = *cv::Session->Industry();
        page.CurPeriod = page.SelPeriod = industry.CurPeriod();
        page.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
        return page;
    }();
    return context;
}

// The dialog built and drawn, alternately with its bare copy; the first one,
// untimed, gives the bare copy its shape.
void OpenDialog(benchmark::State& state, const TDialogMaker& make) {
    QWidget& owner = cv::bench::LargestOwner();  // opens the industry on first use
    std::unique_ptr<QDialog> dialog = make(&owner, PageContext());
    const cv::bench::TBareDialogShape bare(*dialog);
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        dialog.reset();
        state.SetIterationTime(times.Round(
            [&] {
                dialog = make(&owner, PageContext());
                benchmark::DoNotOptimize(dialog->grab());
            },
            [&] { bare.BuildAndDraw(owner); }));
    }
    times.Report(state, "raw");
}

void Register(const char* name, TDialogMaker make) {
    benchmark::RegisterBenchmark(name, OpenDialog, std::move(make))->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        Register("BM_Dialog_Distribution", [](QWidget* owner, cv::TDataContext& context) -> std::unique_ptr<QDialog> {
            return std::make_unique<cv::TFoDistrib>(owner, context);
        });
        Register("BM_Dialog_SlfAssistant", [](QWidget* owner, cv::TDataContext& context) -> std::unique_ptr<QDialog> {
            static cv::TFoDistrib* distribution = new cv::TFoDistrib(owner, context);
            std::vector<std::string> channels(static_cast<std::size_t>(distribution->ChannelCount()), "Channel");
            std::vector<std::string> brands;
            std::vector<std::vector<int>> efforts;
            for (int row = 1; row <= distribution->RowCount(); ++row) {
                brands.push_back(distribution->RowBrand(row));
                efforts.emplace_back(channels.size(), 0);
            }
            auto assistant = std::make_unique<cv::TFoSlfAuto>(distribution, distribution->ChannelCount(),
                                                              distribution->RowCount(), context);
            assistant->Fill(channels, brands, efforts);
            assistant->RGAutoModeClick(cv::TSlfRule::EqualShares);
            return assistant;
        });
        Register("BM_Dialog_MarketingMix", [](QWidget* owner, cv::TDataContext& context) -> std::unique_ptr<QDialog> {
            static cv::TMixMemory memory;
            return std::make_unique<cv::TFoMktMix>(owner, context, memory);
        });
        Register("BM_Dialog_Studies", [](QWidget* owner, cv::TDataContext& context) -> std::unique_ptr<QDialog> {
            return std::make_unique<cv::TFoStudies>(owner, context);
        });
    });
}
