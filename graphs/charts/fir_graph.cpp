// The performance charts: one series per firm, over the periods or for the
// selected period (a pie for the shares, bars for the others).
#include <array>
#include <optional>

#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/charts/anal_graph.h"

namespace cv {
namespace {

enum class TLabelKind { Share, Sales, Money, Index, Ratio };

// What one effective code reads and how it shows it.
struct TFirSource {
    int code;
    const char* array;
    int category;
    const std::int8_t* unitsElement;  // null: the context's segment or channel
    const std::int8_t* valueElement;
    double unitsDivisor;
    double valueDivisor;
    int unitsAxisLine;  // "UNITS" line; 0 none
    int valueAxisLine;
    int evolutionTitle;  // 0: the code has no evolution
    int periodTitle;
    TLabelKind label;
};

const std::array<TFirSource, 13>& Sources() {
    static const std::array<TFirSource, 13> sources{{
        {1001, "FfxRpt", kCategoryFirmFta, &si::ffxUMS, &si::ffxVMS, 10, 10, 4, 3, 1, 2, TLabelKind::Share},
        {1002, "FfmRpt", kCategoryFirmFtaMarket, &si::ffmUMS, &si::ffmVMS, 10, 10, 4, 3, 3, 4, TLabelKind::Share},
        {1011, "FfxRpt", kCategoryFirmFta, &si::ffxUSold, &si::ffxRSales, 1000, 1000000, 7, 11, 5, 6, TLabelKind::Sales},
        {1012, "FfmRpt", kCategoryFirmFtaMarket, &si::ffmUSold, &si::ffmRSales, 1000, 1000000, 7, 11, 7, 8, TLabelKind::Sales},
        {1020, "FfxRpt", kCategoryFirmFta, &si::ffxCBM, &si::ffxCBM, 1000000, 1000000, 11, 11, 11, 12, TLabelKind::Money},
        {1030, "FfxRpt", kCategoryFirmFta, &si::ffxCAM, &si::ffxCAM, 1000000, 1000000, 11, 11, 13, 14, TLabelKind::Money},
        {1040, "FfxRpt", kCategoryFirmFta, &si::ffxNC, &si::ffxNC, 1000000, 1000000, 11, 11, 15, 16, TLabelKind::Money},
        {1050, "FfxRpt", kCategoryFirmFta, &si::ffxCumNC, &si::ffxCumNC, 1000000, 1000000, 0, 0, 0, 9, TLabelKind::Money},
        {1060, "FfxRpt", kCategoryFirmFta, &si::ffxSPI, &si::ffxSPI, 1, 1, 10, 10, 10, 10, TLabelKind::Index},
        {1070, "FfxRpt", kCategoryFirmFta, &si::ffxRMI, &si::ffxRMI, 1000, 1000, 8, 8, 17, 18, TLabelKind::Ratio},
        {1080, "FfxRpt", kCategoryFirmFta, &si::ffxCumRMI, &si::ffxCumRMI, 1000, 1000, 0, 0, 0, 19, TLabelKind::Ratio},
        {1090, "StuFirSegUMS", kCategoryFirmFtaMarket, nullptr, nullptr, 10, 10, 4, 3, 20, 21, TLabelKind::Share},
        {1100, "StuFirChaUMS", kCategoryFirmFtaMarket, nullptr, nullptr, 10, 10, 4, 3, 22, 23, TLabelKind::Share},
    }};
    return sources;
}

const TFirSource& SourceOf(int effectiveCode) {
    for (const TFirSource& source : Sources())
        if (source.code == effectiveCode) return source;
    return Sources().front();
}

std::string PointLabel(TLabelKind kind, bool units, double value) {
    switch (kind) {
        case TLabelKind::Share: return FormatText(units ? " (%.1n %%U)" : " (%.1n %%$)", {value});
        case TLabelKind::Sales: return FormatText(units ? " (%.0n KU)" : " (%.0n M$)", {value});
        case TLabelKind::Money: return FormatText(" (%.0n M$)", {value});
        case TLabelKind::Index: return FormatText(" (%.0n)", {value});
        case TLabelKind::Ratio: return FormatText(" (%.2n)", {value});
    }
    return {};
}

}  // namespace

TFirGraph::TFirGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context)
    : TAnalGraph(owner, place, code) {
    Build(context);
}

void TFirGraph::Build(const TDataContext& context) {
    BeginBuild(context);
    const bool cumulative = code_ == 1050 || code_ == 1080;
    const bool evolution = !cumulative && context_.EvolChoice == si::eoopEvol;
    const bool units = context_.UnitsOrValue != si::Value;
    effectiveCode_ = code_;
    if (code_ == 1000 || code_ == 1010) {
        if (context_.GraphOption > 1) context_.SelMarket = static_cast<std::int16_t>(context_.GraphOption - 1);
        effectiveCode_ = code_ + (context_.GraphOption > 1 ? 2 : 1);
    }
    if (code_ == 1090) context_.SelSegment = context_.GraphOption;
    if (code_ == 1100) context_.SelChannel = context_.GraphOption;
    const TFirSource& source = SourceOf(effectiveCode_);
    LoadLines(kSectionGlobals, "FirGraph");
    const bool money = code_ >= 1010 && code_ <= 1060;
    if (money) SetAxisNumberFormat(1, MoneyFormat());
    if (code_ == 1070 || code_ == 1080) SetAxisNumberFormat(1, "0.0");
    const std::string arrayName = code_ == 1090 ? (units ? "StuFirSegUMS" : "StuFirSegVMS")
                                  : code_ == 1100 ? (units ? "StuFirChaUMS" : "StuFirChaVMS")
                                                  : source.array;
    const double divisor = units ? source.unitsDivisor : source.valueDivisor;
    // The value of Firm in Period, before division; none when the array is missing.
    const auto read = [&](int period, int firm) -> std::optional<double> {
        const TCvPerData* results = Results(period);
        if (!results) return std::nullopt;
        TDataContext at = context_;
        at.SelFirm = static_cast<std::int16_t>(firm);
        const TSimArr* array = results->FindSimArr(source.category, at, arrayName);
        if (!array) return std::nullopt;
        if (code_ == 1090) return array->GetSmallint({context_.SelSegment});
        if (code_ == 1100) return array->GetSmallint({context_.SelChannel});
        return static_cast<double>(array->GetReal48({units ? *source.unitsElement : *source.valueElement}));
    };
    const int firms = FirmCount();
    bool wrote = false;
    if (evolution) {
        BeginPeriodChart(firms);
        for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period)
            for (int firm = 1; firm <= firms; ++firm)
                if (const std::optional<double> value = read(period, firm); value && *value != 0) {
                    WritePeriodPoint(firm, period, *value / divisor, FirmColour(firm), FirmMarker(firm),
                                     Session->Industry()->FirmLabel(firm));
                    wrote = true;
                }
        SetTitleLine(source.evolutionTitle);
    } else {
        const bool share = source.label == TLabelKind::Share;
        BeginOnePeriodChart(share ? kChartPie : kChartBars, firms);
        for (int firm = 1; firm <= firms; ++firm)
            if (const std::optional<double> value = read(context_.SelPeriod, firm); value && *value != 0) {
                const double shown = *value / divisor;
                WriteOnePeriodValue(firm, shown, FirmColour(firm),
                                    Session->Industry()->FirmLabel(firm) + PointLabel(source.label, units, shown));
                wrote = true;
            }
        SetTitleLine(source.periodTitle);
    }
    const int axisLine = units ? source.unitsAxisLine : source.valueAxisLine;
    if (axisLine) SetValueAxisTitle(UnitsLine(axisLine));
    Finish(true, wrote);
}

}  // namespace cv
