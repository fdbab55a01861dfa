// The benchmarking charts: every firm's figure from the benchmarking study,
// a rival's only for periods in which the team bought the study.
#include <array>

#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/analysis/period_values.h"
#include "graphs/charts/anal_graph.h"

namespace cv {
namespace {

constexpr int kFirstCode = 3000;
constexpr int kFirstZoneOnlyCode = 3010;
constexpr int kOneMarketLine = 17;
constexpr int kZoneLine = 18;
constexpr int kValueAxisLine = 6;

// Elements of codes 3000..3015 in the firm's zone report and, for the first
// ten, in its market report.
struct TBenchElements {
    const std::int8_t* zone;
    const std::int8_t* market;
};

const std::array<TBenchElements, 16> kElements{{
    {&si::ffxRSales, &si::ffmRSales}, {&si::ffxRev, &si::ffmRev},   {&si::ffxCGS, &si::ffmCGS},
    {&si::ffxIHC, &si::ffmIHC},       {&si::ffxISC, &si::ffmISC},   {&si::ffxCBM, &si::ffmCBM},
    {&si::ffxAdvM, &si::ffmAdvM},     {&si::ffxAdvQ, &si::ffmAdvQ}, {&si::ffxSlf, &si::ffmSlf},
    {&si::ffxCAM, &si::ffmCAM},       {&si::ffxMRS, nullptr},       {&si::ffxRnD, nullptr},
    {&si::ffxIP, nullptr},            {&si::ffxECP, nullptr},       {&si::ffxNC, nullptr},
    {&si::ffxNPB, nullptr},
}};

}  // namespace

TBenchGraph::TBenchGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context)
    : TAnalGraph(owner, place, code) {
    Build(context);
}

void TBenchGraph::Build(const TDataContext& context) {
    BeginBuild(context);
    const int evolution = context_.EvolChoice;
    const bool oneMarket = code_ < kFirstZoneOnlyCode && context_.GraphOption > 1;
    if (oneMarket) context_.SelMarket = static_cast<std::int16_t>(context_.GraphOption - 1);
    SetAxisNumberFormat(1, MoneyFormat());
    const TBenchElements& elements = kElements.at(static_cast<std::size_t>(code_ - kFirstCode));
    const int firms = FirmCount();
    const bool admin = Session->AdminView();
    TBenchTable table(firms, team_);
    for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period) {
        const TCvPerData* results = Results(period);
        const TCvPerData* decisions = Decisions(period);
        TDataContext own = context_;
        own.SelFirm = static_cast<std::int16_t>(team_);
        const TSimArr* studies = decisions ? decisions->FindSimArr(kCategoryFirmFta, own, "DecStuFta") : nullptr;
        const bool bought = period == FirstPeriod() || admin || (studies && studies->GetByte({si::Benchmark}) == 1);
        std::vector<double> values(static_cast<std::size_t>(firms), 0.0);
        for (int firm = 1; firm <= firms && results; ++firm) {
            TDataContext at = context_;
            at.SelFirm = static_cast<std::int16_t>(firm);
            const TSimArr* report = oneMarket ? results->FindSimArr(kCategoryFirmFtaMarket, at, "FfmRpt")
                                              : results->FindSimArr(kCategoryFirmFta, at, "FfxRpt");
            if (report) values[static_cast<std::size_t>(firm - 1)] =
                static_cast<double>(report->GetReal48({oneMarket ? *elements.market : *elements.zone})) / 1000;
        }
        table.AddPeriod(values, bought);
    }
    LoadLines(kSectionGlobals, "BenchGraph");
    // The item, then where its figures come from: one market of the zone or the whole zone.
    const std::string title = GetLine(code_ - kFirstCode + 1) + " " + GetLine(oneMarket ? kOneMarketLine : kZoneLine);
    SetTitle(FormatTitle(title), titleSize_, 1, 0, 0);
    bool wrote = false;
    const TCvInd& industry = *Session->Industry();
    if (evolution == si::eopcEvol) {
        BeginPeriodChart(firms);
        for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period)
            for (int firm = 1; firm <= firms; ++firm)
                if (const std::optional<double> value = table.Value(period - FirstPeriod(), firm)) {
                    WritePeriodPoint(firm, period, *value, FirmColour(firm), FirmMarker(firm), industry.FirmLabel(firm), true);
                    wrote = true;
                }
    } else {
        BeginOnePeriodChart(kChartBars, firms);
        for (int firm = 1; firm <= firms; ++firm) {
            const std::optional<double> value =
                evolution == si::eopcCumul ? table.Cumulative(firm) : table.Value(context_.SelPeriod - FirstPeriod(), firm);
            if (!value) continue;
            WriteOnePeriodValue(firm, *value, FirmColour(firm), industry.FirmLabel(firm) + FormatText(" (%.0n K$)", {*value}));
            wrote = true;
        }
    }
    SetValueAxisTitle(UnitsLine(kValueAxisLine));
    Finish(true, wrote);
}

}  // namespace cv
