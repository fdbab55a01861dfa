// The two relation charts: what each fits, plots up the chart and writes.
#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "graphs/maps/map_styles.h"
#include "graphs/maps/relation_graphs.h"
#include "ui/help_state.h"

namespace cv {
namespace {

constexpr double kThousandths = 1000.0;
constexpr double kMapMinimum = -20;
constexpr double kMapMaximum = 20;
constexpr int kMapMajor = 8;
constexpr double kScaleMinimum = 1;
constexpr double kScaleMaximum = 7;
constexpr int kScaleMajor = 6;

double Stored(const TCvPerData& results, const TDataContext& context, const char* name, const TIndex& index) {
    return StudyValue(results.FindSimArr(kCategoryFtaMarket, context, name), index) / kThousandths;
}

std::string Capitals(const std::string& label) { return UpperCaseAccented(label); }

}  // namespace

TSemEstGraph::TSemEstGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset, int yOffset,
                           int width, int height, int mode, TRelationPage page)
    : TRelationGraph(owner, posFlags, xOffset, yOffset, width, height, mode, page) {
    if (mode != kChartDocumentMode) Build(context);
}

// Characteristic = slope x perceived value + intercept.
TRelationGraph::TFit TSemEstGraph::Regress(const TCvPerData& results) const {
    TFit fit;
    fit.brands = TCvInterf().RegressSemanticOnTechnical(results, context_, characteristic_, fit.r2, fit.intercept,
                                                        fit.slope);
    return fit;
}

double TSemEstGraph::BrandValue(const TCvPerData& results, int brand) const {
    return Stored(results, context_, "PosSemBrds", {brand, characteristic_, si::PSStuBrd});
}

double TSemEstGraph::IdealValue(const TCvPerData& results, int segment) const {
    return Stored(results, context_, "PosSemIPs", {segment, characteristic_, si::PSStuIP});
}

std::optional<double> TSemEstGraph::IdealPointX(double idealValue, const TFit& fit) const {
    return idealValue * fit.slope + fit.intercept;
}

void TSemEstGraph::SetValueAxis() { SetYAxisScale(kScaleMajor, 1, kScaleMinimum, kScaleMaximum); }

void TSemEstGraph::SetTexts(const TFit& fit) {
    const std::string scale = CharacteristicLabel();
    if (!OnGraphsPage()) return SetStudiesTitle(scale, scale);
    SetLegendText(ReplaceFirst(ReplaceFirst(FitText("StuSemEstimGraph"), "@DIM", scale), "@VAL", Percent(fit.r2)));
}

TMapRelationsGraph::TMapRelationsGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset,
                                       int yOffset, int width, int height, int mode, TRelationPage page)
    : TRelationGraph(owner, posFlags, xOffset, yOffset, width, height, mode, page) {
    if (mode != kChartDocumentMode) Build(context);
}

void TMapRelationsGraph::Build(const TDataContext& context) {
    dimension_ = std::max<int>(context.VertAxis, 1);
    TRelationGraph::Build(context);
    if (Session) HelpState().SetQuickHelpKey("MapRelationsGraph");
}

// Map position = slope x characteristic + intercept.
TRelationGraph::TFit TMapRelationsGraph::Regress(const TCvPerData& results) const {
    TFit fit;
    fit.brands = TCvInterf().RegressSemanticOnMap(results, context_, characteristic_, dimension_, fit.r2,
                                                  fit.intercept, fit.slope);
    return fit;
}

double TMapRelationsGraph::BrandValue(const TCvPerData& results, int brand) const {
    return Stored(results, context_, "PosMapBrds", {brand, dimension_, si::PMStuBrd});
}

double TMapRelationsGraph::IdealValue(const TCvPerData& results, int segment) const {
    return Stored(results, context_, "PosMapIPs", {segment, dimension_, si::PMStuIP});
}

// A flat line (slope 0) puts every ideal point nowhere in particular: none is drawn.
std::optional<double> TMapRelationsGraph::IdealPointX(double idealValue, const TFit& fit) const {
    if (fit.slope == 0) return std::nullopt;
    return SafeDiv(idealValue - fit.intercept, fit.slope, 0);
}

void TMapRelationsGraph::SetValueAxis() {
    SetYAxisScale(kMapMajor, 1, kMapMinimum, kMapMaximum);
    SetAxisCrossing(0, kMapMinimum);
    SetAxisCrossing(1, kMapMinimum);
}

void TMapRelationsGraph::SetTexts(const TFit& fit) {
    const std::string scale = CharacteristicLabel();
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const std::string dimension = industry ? Capitals(industry->MapLabel(context_.SelMarket, dimension_)) : "";
    if (!OnGraphsPage()) return SetStudiesTitle(scale, dimension);
    std::string text = ReplaceFirst(FitText("MapRelationsGraph"), "@SEM", scale);
    SetLegendText(ReplaceFirst(ReplaceFirst(text, "@MAP", dimension), "@VAL", Percent(fit.r2)));
}

}  // namespace cv
