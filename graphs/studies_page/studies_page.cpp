#include "graphs/studies_page/studies_page.h"

#include <algorithm>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "graphs/maps/cja_utils_graph.h"
#include "graphs/maps/perc_map.h"
#include "graphs/maps/relation_graphs.h"
#include "graphs/studies_page/studies_menu.h"
#include "reports/pages/page_hard_copy.h"
#include "reports/studies/studies.h"
#include "reports/studies/study_availability.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

constexpr int kCombosHeight = 40;
constexpr int kCentredAtTop = 10;
constexpr int kLeft = 1;
constexpr int kCentre = 2;
constexpr int kRight = 3;
constexpr int kSemanticBrandsScreen = 7;
constexpr int kMapBrandsScreen = 11;
constexpr int kConjointScreen = 24;

int Count(const TSeries* series) { return series ? series->Count() : 0; }

// A stored choice that names none of Count items becomes 0: "the default".
void KeepInRange(std::int16_t& word, int count) {
    if (word < 1 || word > count) word = 0;
}

}  // namespace

TFoMStudies::TFoMStudies(TFoCv3Main& mainWindow, QWidget* owner)
    : TGroupPage(mainWindow, owner, StudiesPageMenu()) {}

void TFoMStudies::UpdateMenus() {
    TGroupPage::UpdateMenus();
    if (!Session || !Session->Industry() || Session->Industry()->NbMarkets() != 1) return;
    Item("MPStuBenchMkt")->setEnabled(false);
    Item("MPStuBenchMktPerc")->setEnabled(false);
}

void TFoMStudies::Print() { PrintPageHardCopy(*this); }

int TFoMStudies::ChartTop() const { return PageMenuBar()->sizeHint().height() + kCombosHeight; }

void TFoMStudies::AddSeriesCombo(int position, const char* caption, const TSeries& series, std::int16_t& word) {
    std::vector<std::string> labels;
    for (int element = series.Lo(); element <= series.Hi(); ++element)
        labels.push_back(Session->Industry()->SeriesLabel(&series, element));
    std::string text;
    if (Translator) Translator->ControlsLine(caption, 1, text);
    Combos().AddListCombo(Cp1252ToQString(text), position, word, series.Name(), labels);
}

void TFoMStudies::ShowItem(const TPageItem& item) {
    switch (StudyChartOf(item.name)) {
        case TStudyChart::None: TGroupPage::ShowItem(item); break;
        case TStudyChart::SemanticMap: ShowMapGraph(true, mkSemantic); break;
        case TStudyChart::SemanticHistory: ShowMapGraph(false, mkSemantic); break;
        case TStudyChart::PerceptualMap: ShowMapGraph(true, mkPerceptual); break;
        case TStudyChart::PerceptualHistory: ShowMapGraph(false, mkPerceptual); break;
        case TStudyChart::SemanticRelations: ShowSemanticRelations(); break;
        case TStudyChart::MapRelations: ShowMapRelations(); break;
        case TStudyChart::ConjointUtilities: ShowConjoint(false); break;
        case TStudyChart::ConjointChart: ShowConjoint(true); break;
    }
}

void TFoMStudies::ShowScreen(int screen) { Display().Show(TCVScreen::Create<TStuMkt>(this, Data, screen, kWindowLayout)); }

void TFoMStudies::ShowMapGraph(bool current, int kind) {
    const TCvInd& industry = *Session->Industry();
    const bool perceptual = kind == mkPerceptual;
    if (!CanShowStudyGraph(Data, false, perceptual ? "PerceptualMap" : "SemanticScales"))
        return ShowScreen(perceptual ? kMapBrandsScreen : kSemanticBrandsScreen);
    const TSeries* axes = perceptual ? industry.MapSeries(Data.SelMarket) : industry.SemSeries(Data.SelMarket);
    std::int16_t& horizontal = perceptual ? Data.StudyChoice1 : Data.StudyChoice3;
    std::int16_t& vertical = perceptual ? Data.StudyChoice2 : Data.StudyChoice4;
    KeepInRange(horizontal, Count(axes));
    KeepInRange(vertical, Count(axes));
    const int top = ChartTop();
    std::unique_ptr<TPercMap> map;
    if (current) map = std::make_unique<TStdPercMap>(this, Data, kind, kCentredAtTop, 0, top, width(), height() - top, kWindowMode);
    else map = std::make_unique<THistPercMap>(this, Data, kind, kCentredAtTop, 0, top, width(), height() - top, kWindowMode);
    // The combos show the axes the map chose.
    horizontal = static_cast<std::int16_t>(map->HorzAxis());
    vertical = static_cast<std::int16_t>(map->VertAxis());
    if (axes) {
        AddSeriesCombo(kLeft, "LHorzAxis", *axes, horizontal);
        AddSeriesCombo(kRight, "LVertAxis", *axes, vertical);
    }
    Display().Show(std::unique_ptr<TCVChart>(std::move(map)));
}

void TFoMStudies::ShowMapRelations() {
    const TCvInd& industry = *Session->Industry();
    const TSeries* scales = industry.SemSeries(Data.SelMarket);
    const TSeries* dimensions = industry.MapSeries(Data.SelMarket);
    Data.HorzAxis = static_cast<std::int16_t>(TRelationGraph::DefaultCharacteristic(Count(scales)));
    Data.VertAxis = static_cast<std::int16_t>(
        TRelationGraph::DefaultDimension(Data.SelMarket == industry.MktSeries()->Lo(), Count(dimensions)));
    if (!CanShowStudyGraph(Data, false, "PerceptualMap") || !scales || !dimensions) return ShowScreen(kMapBrandsScreen);
    AddSeriesCombo(kLeft, "LHorzAxis", *scales, Data.HorzAxis);
    AddSeriesCombo(kRight, "LVertAxis", *dimensions, Data.VertAxis);
    const int top = ChartTop();
    Display().Show(std::make_unique<TMapRelationsGraph>(this, Data, kCentredAtTop, 0, top, width(), height() - top,
                                                        kWindowMode, TRelationPage::Studies));
}

void TFoMStudies::ShowSemanticRelations() {
    const TSeries* scales = Session->Industry()->SemSeries(Data.SelMarket);
    Data.HorzAxis = static_cast<std::int16_t>(TRelationGraph::DefaultCharacteristic(Count(scales)));
    if (!CanShowStudyGraph(Data, false, "SemanticScales") || !scales) return ShowScreen(kSemanticBrandsScreen);
    AddSeriesCombo(kCentre, "LSemEstGraph", *scales, Data.HorzAxis);
    const int top = ChartTop();
    Display().Show(std::make_unique<TSemEstGraph>(this, Data, kCentredAtTop, 0, top, width(), height() - top,
                                                  kWindowMode, TRelationPage::Studies));
}

// The utilities of one segment, as the study's screen or as a chart.
void TFoMStudies::ShowConjoint(bool chart) {
    const TSeries* segments = Session->Industry()->SegSeries(Data.SelFta, Data.SelMarket);
    if (Data.SelSegment < 1 || Data.SelSegment > Count(segments)) Data.SelSegment = 1;
    const bool drawn = chart && CanShowStudyGraph(Data, false, "Conjoint");
    if (segments && (drawn || !chart)) AddSeriesCombo(kCentre, "LSelectSegment", *segments, Data.SelSegment);
    if (!drawn) return ShowScreen(kConjointScreen);
    const int top = ChartTop();
    Display().Show(std::make_unique<TCjaUtilsGraph>(this, Data, kCentredAtTop, 0, top, width(), height() - top,
                                                    kWindowMode));
}

}  // namespace cv
