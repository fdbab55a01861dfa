// Opening the distribution dialog, its allocation assistant, the study orders
// and the marketing mix on the largest industry (6 firms, 3 zones, 3 markets
// of 5 brands each: 15 brand rows over 3 channels; the mix shows five brand
// tabs and five segments) after one forecast: each dialog built,
// loaded and drawn once per iteration. The baseline ("x_raw"), measured in
// the same run, builds and draws a bare dialog holding as many labels, number
// fields and check boxes in a grid, so the ratio is what loading the
// decisions, costing them and the dialog's own layout add. Opening should stay
// within one frame (16 ms) in absolute time too.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <chrono>
#include <functional>
#include <memory>

#include "bench/screen_bench.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/distribution/distribution_dialog.h"
#include "decisions/distribution/slf_assistant.h"
#include "decisions/mix/mix_dialog.h"
#include "decisions/studies/study_order_dialog.h"
#include "ui/report/qn_table.h"

namespace {

constexpr int kRawSamples = 20;
constexpr int kGridColumns = 5;

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

// The baseline: a bare dialog with Dialog's number of labels, line edits and
// check boxes, and a table of the shape of each of its sheets holding the
// same texts, drawn once.
double RawSeconds(const QDialog& dialog) {
    const auto labels = dialog.findChildren<QLabel*>().size();
    const auto fields = dialog.findChildren<QLineEdit*>().size();
    const auto boxes = dialog.findChildren<QCheckBox*>().size();
    // The sheet class declares no meta-object of its own: look by type.
    std::vector<const cv::TQNSheet*> sheets;
    for (const QWidget* child : dialog.findChildren<QWidget*>())
        if (const auto* sheet = dynamic_cast<const cv::TQNSheet*>(child)) sheets.push_back(sheet);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRawSamples; ++i) {
        QDialog raw(&cv::bench::LargestOwner());
        auto* grid = new QGridLayout(&raw);
        int cell = 0;
        const auto add = [&](QWidget* widget) {
            grid->addWidget(widget, cell / kGridColumns, cell % kGridColumns);
            ++cell;
        };
        for (qsizetype k = 0; k < labels; ++k) add(new QLabel(QStringLiteral("Label"), &raw));
        for (qsizetype k = 0; k < fields; ++k) add(new QLineEdit(QStringLiteral("20"), &raw));
        for (qsizetype k = 0; k < boxes; ++k) add(new QCheckBox(QStringLiteral("M1"), &raw));
        std::vector<std::unique_ptr<cv::TQNTable>> tables;
        for (const cv::TQNSheet* sheet : sheets) {
            const cv::TTableGeometry& g = sheet->Geometry();
            auto table = std::make_unique<cv::TQNTable>(&raw, static_cast<cv::TTableType>(sheet->TableType()), "Raw",
                                                        cv::TTablePlacement{}, cv::kDerivedZoom);
            table->DefineTable({g.titleRows, g.bodyRows, g.totalRows, g.headingCols, g.bodyCols, g.totalCols});
            for (int row = 1; row <= sheet->Model().MaxRow(); ++row)
                for (int column = 1; column <= sheet->Model().MaxCol(); ++column)
                    if (std::string text = sheet->Model().Text(row, column); !text.empty())
                        table->SetCellText(row, column, text);
            table->Show();
            tables.push_back(std::move(table));
        }
        raw.adjustSize();
        benchmark::DoNotOptimize(raw.grab());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRawSamples;
}

void OpenDialog(benchmark::State& state, const TDialogMaker& make) {
    QWidget& owner = cv::bench::LargestOwner();  // opens the industry on first use
    std::unique_ptr<QDialog> dialog;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        dialog = make(&owner, PageContext());
        benchmark::DoNotOptimize(dialog->grab());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                           static_cast<double>(state.iterations());
    state.counters["ms"] = seconds * 1000;
    state.counters["x_raw"] = seconds / RawSeconds(*dialog);
}

void Register(const char* name, TDialogMaker make) {
    benchmark::RegisterBenchmark(name, OpenDialog, std::move(make))->Unit(benchmark::kMillisecond);
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
