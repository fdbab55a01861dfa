// The relation charts' common build: the characteristic's range, the brands
// in descending order of their characteristic, the ideal points on the fitted
// line (graphs page) and the texts.
#include "graphs/maps/relation_graphs.h"

#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/maps/map_styles.h"
#include "ui/chart/label_placement.h"

namespace cv {
namespace {

constexpr int kColumns = 4;
constexpr int kFewestBrandsForFit = 3;
constexpr double kAutomaticHigh = 32767;
constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kFitLineColour = 0x000080;
constexpr int kDottedPen = 7;
constexpr int kBrandMarker = 9;
constexpr int kBrandMarkerSize = 8;
constexpr int kGraphsPageBrandMarkerSize = 6;
constexpr int kIdealPointMarker = 10;
constexpr int kIdealPointMarkerSize = 8;
constexpr int kIdealPointFontSize = 8;
constexpr int kBrandFontSize = 7;
constexpr int kBold = 1;
constexpr int kBentLeader = 2;
constexpr int kLegendFontSize = 8;
constexpr int kLegendFramed = 5;
constexpr int kTitleSize = 14;
constexpr int kSmallTitleSize = 12;
constexpr int kTitleTop = 1;
constexpr int kStudiesTitleLine = 5;
constexpr int kNoFitLines[] = {7, 8};

// Labels of the ideal points by rank (1..5) along the chart.
constexpr int kRankPositions[] = {8, 7, 8, 7, 8};
constexpr double kRankOffsetX[] = {1, -1, 1, -1, 1};
constexpr double kRankOffsetY[] = {-0.3, -0.2, 0, 0.2, 0.3};
constexpr int kLabelledRanks = 5;
constexpr int kDefaultCharacteristic = 6;
constexpr int kDefaultDimension = 3;

TCvInd* OpenIndustry() { return Session ? Session->Industry() : nullptr; }

}  // namespace

TRelationGraph::TRelationGraph(QWidget* owner, int posFlags, int xOffset, int yOffset, int width, int height,
                               int mode, TRelationPage page)
    : TCVChart(owner, kChartXY, posFlags, xOffset, yOffset, width, height, mode), page_(page) {
    // Brands and ideal points crowd where the brands' characteristics are
    // alike: the chart moves a label that would cover another's marker, label
    // or line.
    SetLabelsApart(true);
}

int TRelationGraph::DefaultCharacteristic(int scaleCount) { return std::clamp(kDefaultCharacteristic, 1, std::max(scaleCount, 1)); }

int TRelationGraph::DefaultDimension(bool firstMarket, int dimensionCount) {
    return std::clamp(firstMarket ? 1 : kDefaultDimension, 1, std::max(dimensionCount, 1));
}

std::vector<TRelationGraph::TRow> TRelationGraph::SortedByX(std::vector<TRow> rows) {
    // The selection sort of the study tables (SortRowsDesc): the first of the
    // largest remaining rows is swapped into place.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::size_t largest = i;
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            if (rows[j].x > rows[largest].x) largest = j;
        std::swap(rows[i], rows[largest]);
    }
    return rows;
}

std::string TRelationGraph::CharacteristicLabel() const {
    const TCvInd* industry = OpenIndustry();
    return industry ? UpperCaseAccented(industry->SemLabel(context_.SelMarket, characteristic_)) : std::string();
}

std::string TRelationGraph::Percent(double r2) {
    const double percent = std::round(r2 * 1000) / 10;
    char text[32];
    if (percent == std::round(percent)) std::snprintf(text, sizeof text, "%.0f", percent);
    else std::snprintf(text, sizeof text, "%.1f", percent);
    return text;
}

// A physical characteristic spans its technical range; any other (the price)
// takes an automatic scale and keeps every ideal point.
void TRelationGraph::SetCharacteristicAxis(const TCvPerData& constants) {
    const TCvInd& industry = *OpenIndustry();
    const TSeries* dimensions = industry.DimSeries(context_.SelMarket);
    if (dimensions && characteristic_ <= dimensions->Count()) {
        const TSimArr* technical = constants.FindSimArr(kCategoryMarket, context_, "Technical");
        low_ = static_cast<double>(RoundHalfEven(StudyValue(technical, {characteristic_, si::TDMinLev})));
        high_ = static_cast<double>(RoundHalfEven(StudyValue(technical, {characteristic_, si::TDMaxLev})));
        const TAxisDivisions divisions = ChooseDivisions(static_cast<int>(low_), static_cast<int>(high_));
        SetXAxisScale(divisions.major, divisions.minor, low_, high_);
    } else {
        low_ = 0;
        high_ = kAutomaticHigh;
        SetAxisAutomatic(0);
    }
}

std::vector<TRelationGraph::TRow> TRelationGraph::BrandRows(const TCvPerData& results, int brands) const {
    const TSimArr* positions = results.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    std::vector<TRow> rows;
    for (int brand = 1; brand <= brands; ++brand)
        rows.push_back({StudyValue(positions, {brand, characteristic_, si::AttAct}), BrandValue(results, brand), 0, brand});
    return SortedByX(std::move(rows));
}

std::vector<TRelationGraph::TRow> TRelationGraph::IdealPointRows(const TCvPerData& results, const TFit& fit) const {
    std::vector<TRow> rows;
    if (NoData) return rows;
    const TSeries* segments = OpenIndustry()->SegSeries(context_.SelFta, context_.SelMarket);
    for (int segment = 1; segments && segment <= segments->Count(); ++segment) {
        const double ideal = IdealValue(results, segment);
        const std::optional<double> x = IdealPointX(ideal, fit);
        if (x && *x >= low_ && *x <= high_) rows.push_back({*x, ideal, segment});
    }
    return SortedByX(std::move(rows));
}

// Each brand's marker carries its name; along the characteristic the names
// take turns above and below their markers, so that neighbours' names do not
// lie over each other.
void TRelationGraph::DrawBrands(const std::vector<TRow>& rows, const TSimArr* names) {
    SetSeriesMarker(1, true, kBrandMarkerSize, kBlue);
    const int size = OnGraphsPage() ? kGraphsPageBrandMarkerSize : kBrandMarkerSize;
    int row = 0;
    for (const TRow& brand : rows) {
        ++row;
        SetData(row, 1, brand.x);
        SetData(row, 2, brand.y);
        SetPointStyles(1, row, kBrandMarker, size, kBlue);
        const bool named = names && names->NDim() == 1 && brand.brand >= names->LB(1) && brand.brand <= names->UB(1);
        if (named)
            SetSeriesStyle(1, row, row % 2 ? kLabelAbove : kLabelBelow, 0, names->GetZts({brand.brand}),
                           kBrandFontSize, kBold, kBlue, 0, 0);
    }
}

void TRelationGraph::DrawIdealPoints(const std::vector<TRow>& rows) {
    const TCvInd& industry = *OpenIndustry();
    int rank = 0;
    for (const TRow& ideal : rows) {
        ++rank;
        SetData(rank, 3, ideal.x);
        SetData(rank, 4, ideal.y);
        SetPointStyles(2, rank, kIdealPointMarker, kIdealPointMarkerSize, kRed);
        if (rank > kLabelledRanks) continue;
        SetSeriesStyle(2, rank, kRankPositions[rank - 1], kBentLeader,
                       industry.SegmentLabel(context_.SelFta, context_.SelMarket, ideal.segment), kIdealPointFontSize,
                       kBold, kMapBlack, kRankOffsetX[rank - 1], kRankOffsetY[rank - 1]);
    }
}

void TRelationGraph::Build(const TDataContext& context) {
    TCVChart::Build(context);
    SetRepaint(false);
    characteristic_ = std::max<int>(context_.HorzAxis, 1);
    idealPointCount_ = 0;
    TCvInd* industry = OpenIndustry();
    if (!industry) {
        SetRepaint(true);
        return;
    }
    const TCvPerData& results = industry->PerResults(context_.CurPeriod);
    const int brands = std::max<int>(results.GetSmallintDef(kCategoryFtaMarket, context_, "NbMktedBrds", 0), 0);
    SetValueAxis();
    SetCharacteristicAxis(industry->ConstPart());
    const TFit fit = Regress(results);
    NoData = fit.brands < kFewestBrandsForFit;
    const std::vector<TRow> brandRows = BrandRows(results, brands);
    const std::vector<TRow> idealRows = IdealPointRows(results, fit);
    SetGridSize(static_cast<int>(std::max(brandRows.size(), idealRows.size())), kColumns);
    DrawBrands(brandRows, results.FindSimArr(kCategoryFtaMarket, context_, "BrdNames"));
    SetSeriesMarker(2, true, kIdealPointMarkerSize, kRed);
    SetSeriesPen(2, kDottedPen, 1, kFitLineColour);
    if (OnGraphsPage()) {
        DrawIdealPoints(idealRows);
        idealPointCount_ = static_cast<int>(idealRows.size());
    }
    SetTexts(fit);
    SetRepaint(true);
    if (Mode() != kChartDocumentMode) show();
}

std::string TRelationGraph::FitText(const char* key) const {
    std::vector<std::string> lines, noFit;
    if (Translator) {
        Translator->GetLines(kSectionStudies, key, lines);
        Translator->GetLines(kSectionStudies, "StuSemEstim", noFit);
    }
    const auto line = [](const std::vector<std::string>& from, int number) {
        return number <= static_cast<int>(from.size()) ? from[static_cast<std::size_t>(number - 1)] : std::string();
    };
    const std::vector<std::string> chosen =
        NoData ? std::vector<std::string>{line(lines, 1), line(noFit, kNoFitLines[0]), line(noFit, kNoFitLines[1]),
                                          line(lines, 4)}
               : std::vector<std::string>{line(lines, 1), line(lines, 2), line(lines, 3), line(lines, 4)};
    std::string text;
    for (const std::string& part : chosen) text += (text.empty() ? "" : "\r") + part;
    return text;
}

void TRelationGraph::SetStudiesTitle(const std::string& characteristic, const std::string& measure) {
    LoadLines(kSectionStudies, "StuSemEstimGraph");
    const std::string title = ReplaceFirst(ReplaceFirst(GetLine(kStudiesTitleLine), "@CHAR1", characteristic),
                                           "@CHAR2", measure);
    SetTitle(Session ? Session->ExpandTokens(title, context_) : title, IsWideScreen() ? kTitleSize : kSmallTitleSize, 1,
             kMapBlack, kTitleTop);
}

void TRelationGraph::SetLegendText(const std::string& text) {
    SetLegend(Session ? Session->ExpandTokens(text, context_) : text, kLegendFontSize, 0, 0, kLegendFramed);
}

}  // namespace cv
