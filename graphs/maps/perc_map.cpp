// The map base: axis choice, the label grid of the map kind, titles, and the
// order of a build.
#include "graphs/maps/perc_map.h"

#include <algorithm>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "graphs/maps/map_styles.h"

namespace cv {
namespace {

constexpr double kThousandths = 1000.0;
constexpr int kAxisTitleSize = 10;
constexpr int kTitleSize = 10;
constexpr int kLegendTop = 1;
constexpr int kLegendCentred = 2;
constexpr int kLegendFramed = 3;
constexpr std::int32_t kMinorGridColour = 0xC0C0C0;
// Lines of "StuSemMapGraph" under a map's title: the kind of axes, then each axis.
constexpr int kPerceptualAxesLine = 9;
constexpr int kSemanticAxesLine = 10;
constexpr int kHorizontalLine = 11;
constexpr int kVerticalLine = 12;

// What tells a semantic map from a perceptual one.
struct TMapKindTraits {
    double minimum, maximum;
    int major, minor;
    double gridOrigin, gridStep;
    const char* idealPoints;
    const char* brands;
    const char* idealPointSeries;
    const char* idealPointElement;
    const char* brandSeries;
    const char* brandElement;
    int defaultHorz, defaultVert;
};

const TMapKindTraits kSemanticMap{1, 7, 2, 3, 1.0, 0.12, "PosSemIPs", "PosSemBrds", "PosSemIP", "PSStuIP",
                                "PosSemBrd", "PSStuBrd", 6, 5};
const TMapKindTraits kPerceptualMap{-20, 20, 4, 2, -20.0, 0.8, "PosMapIPs", "PosMapBrds", "PosMapIP", "PMStuIP",
                                  "PosMapBrd", "PMStuBrd", 1, 2};

const TMapKindTraits& Traits(int kind) { return kind == mkSemantic ? kSemanticMap : kPerceptualMap; }

int ElementOf(const char* series, const char* element) {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const TSeries* found = industry ? industry->FindSeries(series) : nullptr;
    return found ? found->IndexOf(element) : 0;
}

}  // namespace

TPercMap::TPercMap(QWidget* owner, int kind, int posFlags, int xOffset, int yOffset, int width, int height, int mode)
    : TCVChart(owner, kChartXY, posFlags, xOffset, yOffset, width, height, mode), kind_(kind) {
    SetAxesGrid(1, 1, kMapBlack, 7, 1, kMinorGridColour);
    const TMapKindTraits& traits = Traits(kind_);
    SetXAxisScale(traits.major, traits.minor, traits.minimum, traits.maximum);
    SetYAxisScale(traits.major, traits.minor, traits.minimum, traits.maximum);
    // The perceptual map's axes lie along its edges, not through its centre.
    if (kind_ == mkPerceptual) {
        SetAxisCrossing(0, traits.minimum);
        SetAxisCrossing(1, traits.minimum);
    }
    idealPointElement_ = ElementOf(traits.idealPointSeries, traits.idealPointElement);
    brandElement_ = ElementOf(traits.brandSeries, traits.brandElement);
}

int TPercMap::ChooseAxis(int choice, int defaultAxis, int count) {
    if (choice >= 1 && choice <= count) return choice;
    return std::clamp(defaultAxis, 1, std::max(count, 1));
}

const TSeries* TPercMap::AxisSeries() const {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return nullptr;
    return kind_ == mkSemantic ? industry->SemSeries(context_.SelMarket) : industry->MapSeries(context_.SelMarket);
}

void TPercMap::Build(const TDataContext& context) {
    TCVChart::Build(context);
    const TMapKindTraits& traits = Traits(kind_);
    const TSeries* axes = AxisSeries();
    const int count = axes ? axes->Count() : 0;
    const int horzChoice = kind_ == mkSemantic ? context_.StudyChoice3 : context_.StudyChoice1;
    const int vertChoice = kind_ == mkSemantic ? context_.StudyChoice4 : context_.StudyChoice2;
    // Defaults beyond the market's scales or dimensions come within them and
    // stay apart: a market of four scales shows its fourth and third.
    const int defaultHorz = std::min(traits.defaultHorz, count);
    int defaultVert = std::min(traits.defaultVert, count);
    if (defaultVert == defaultHorz && count > 1) defaultVert = defaultHorz - 1;
    horzAxis_ = ChooseAxis(horzChoice, defaultHorz, count);
    vertAxis_ = ChooseAxis(vertChoice, defaultVert, count);
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const TSeries* segments = industry ? industry->SegSeries(context_.SelFta, context_.SelMarket) : nullptr;
    segmentCount_ = segments ? segments->Count() : 0;
    // Drawn once, when everything is in place.
    SetRepaint(false);
    SetTitle();
    Fill();
    SetRepaint(true);
    if (Mode() != kChartDocumentMode) show();
}

void TPercMap::ComposeTitle(int firstLine) {
    titleText_.clear();
    if (IsDocument()) return;
    LoadLines(kSectionStudies, "StuSemMapGraph");
    for (int line : {firstLine, kind_ == mkPerceptual ? kPerceptualAxesLine : kSemanticAxesLine, kHorizontalLine,
                     kVerticalLine}) {
        if (!titleText_.empty()) titleText_ += "\r\r";
        titleText_ += GetLine(line);
    }
    // The title names the market and its zone: the same markets recur in every zone.
    if (Session) titleText_ = Session->ExpandTokens(titleText_, context_);
}

void TPercMap::SetAxisTitles() {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const auto label = [&](int axis) {
        if (!industry) return std::string();
        return kind_ == mkSemantic ? industry->SemLabel(context_.SelMarket, axis)
                                   : industry->MapLabel(context_.SelMarket, axis);
    };
    const std::string horizontal = label(horzAxis_), vertical = label(vertAxis_);
    SetAxisTitle(horizontal, 0, kAxisTitleSize, 1, kMapBlack);
    SetAxisTitle(vertical, 1, kAxisTitleSize, 1, kMapBlack);
    if (IsDocument()) return;
    titleText_ = ReplaceFirst(ReplaceFirst(titleText_, "@AXISH", horizontal), "@AXISV", vertical);
    SetLegend(titleText_, kTitleSize, kLegendTop, kLegendCentred, kLegendFramed);
}

const TSimArr* TPercMap::IdealPoints(const TCvPerData& results) const {
    return results.FindSimArr(kCategoryFtaMarket, context_, Traits(kind_).idealPoints);
}

const TSimArr* TPercMap::BrandPositions(const TCvPerData& results) const {
    return results.FindSimArr(kCategoryFtaMarket, context_, Traits(kind_).brands);
}

double TPercMap::GridOrigin() const { return Traits(kind_).gridOrigin; }

double TPercMap::GridStep() const { return Traits(kind_).gridStep; }

double TPercMap::Position(const TSimArr* array, int row, int axis, int element) const {
    return StudyValue(array, {row, axis, element}) / kThousandths;
}

}  // namespace cv
