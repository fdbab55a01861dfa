#include "graphs/maps/cja_utils_graph.h"

#include <cmath>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "graphs/maps/map_styles.h"
#include "ui/chart/label_placement.h"

namespace cv {
namespace {

constexpr double kThousandths = 1000.0;
constexpr int kXMaximum = 20;
constexpr int kXMajor = 4;
constexpr double kYMaximum = 1.1;
constexpr int kYMajor = 11;
constexpr int kPointMarker = 9;
constexpr int kPointMarkerSize = 8;
constexpr int kSeriesLabelSize = 9;
constexpr int kValueLabelSize = 7;
constexpr double kValueLabelOffset = -0.25;
constexpr double kSeriesLabelOffset = 15.0;
constexpr int kTitleLine = 6;
constexpr int kTitleSize = 12;
constexpr int kTitleTop = 1;
constexpr int kWindowMode = 3;

}  // namespace

TCjaUtilsGraph::TCjaUtilsGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset, int yOffset,
                               int width, int height, int mode)
    : TCVChart(owner, kChartXY, posFlags, xOffset, yOffset, width, height, mode) {
    if (mode != kChartDocumentMode) Build(context);
}

void TCjaUtilsGraph::DrawAttribute(int scale, int attribute) {
    TCvInd& industry = *Session->Industry();
    const TCvPerData& results = industry.PerResults(context_.CurPeriod);
    const TSimArr* utilities = results.FindSimArr(kCategoryFtaMarket, context_, "StuCjaUtils");
    const TSimArr* values = results.FindSimArr(kCategoryFtaMarket, context_, "StuCjaValues");
    const std::int32_t colour = Mode() == kChartDocumentMode ? kMapBlack : ConjointAttributeColour(attribute);
    SetSeriesMarker(attribute, true, kPointMarkerSize, colour);
    SetSeriesLabels(attribute, 3, 0, industry.SemLabel(context_.SelMarket, scale), kSeriesLabelSize, 1, 0, 0.0,
                    kSeriesLabelOffset);
    for (int level = 1; level <= kLevels; ++level) {
        SetData(level, 2 * attribute - 1, LevelX(attribute, level));
        SetData(level, 2 * attribute, StudyValue(utilities, {segment_, scale, level}) / kThousandths);
        SetPointStyles(attribute, level, kPointMarker, kPointMarkerSize, colour);
        const auto value = static_cast<long long>(std::llround(StudyValue(values, {segment_, scale, level})));
        SetSeriesStyle(attribute, level, kLabelBelow, 0, std::to_string(value), kValueLabelSize, 0, colour, 0,
                       kValueLabelOffset);
    }
}

void TCjaUtilsGraph::Build(const TDataContext& context) {
    TCVChart::Build(context);
    SetRepaint(false);
    segment_ = std::max<int>(context_.SelSegment, 1);
    SetGridSize(kLevels, 2 * kAttributes);
    SetXAxisScale(kXMajor, 1, 0, kXMaximum);
    SetAxisLabelsBlank(0, true);
    SetYAxisScale(kYMajor, 1, 0, kYMaximum);
    SetAxisNumberFormat(1, "0.0");
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    const TSeries* scales = industry ? industry->SemSeries(context_.SelMarket) : nullptr;
    if (scales) {
        const TSimArr* parameters = industry->ConstPart().FindSimArr(kCategoryMarket, context_, "SemPosPars");
        for (int scale = scales->Lo(); scale <= scales->Hi(); ++scale) {
            const auto attribute = static_cast<int>(RoundHalfEven(StudyValue(parameters, {scale, si::CjaAttribute})));
            if (attribute >= 1 && attribute <= kAttributes) DrawAttribute(scale, attribute);
        }
    }
    if (Mode() == kWindowMode && industry) {
        LoadLines(kSectionStudies, "StuCjaUtils");
        const std::string segment = UpperCaseAccented(industry->SegmentLabel(context_.SelFta, context_.SelMarket, segment_));
        const std::string title = Session->ExpandTokens(ReplaceFirst(GetLine(kTitleLine), "@SEGMENT", segment), context_);
        SetTitle(title, kTitleSize, 1, kMapBlack, kTitleTop);
    }
    SetRepaint(true);
    if (Mode() != kChartDocumentMode) show();
}

}  // namespace cv
