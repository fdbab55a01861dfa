#include "graphs/page/graph_page.h"

#include <QAction>
#include <QComboBox>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/charts/gsp_graph.h"
#include "graphs/maps/relation_graphs.h"
#include "graphs/design_dialogs/map2att.h"
#include "graphs/design_dialogs/perc_estim.h"
#include "graphs/design_dialogs/sem2att.h"
#include "graphs/page/graph_menu.h"
#include "reports/pages/page_hard_copy.h"
#include "reports/studies/studies.h"
#include "reports/studies/study_availability.h"
#include "ui/cp1252.h"
#include "ui/help_state.h"
#include "shell/main_window.h"

namespace cv {
namespace {

constexpr int kCombosHeight = 35;
constexpr int kFirstAreaOnlyBenchCode = 3010;
constexpr int kConsumerPanelScreen = 4;
constexpr int kDistributionPanelScreen = 5;
constexpr int kBenchmarkScreen = 55;
constexpr int kSemanticScalesScreen = 9;
constexpr int kPerceptualMapScreen = 12;
constexpr int kMapRegressionScreen = 13;
constexpr int kCentredAtTop = kChartCentreX | kChartTopAtY;
constexpr char kAllOrOneMarket[] = "AllOrOneMkt";
constexpr int kLentHelpButton = 2;
constexpr int kLentButtonMargin = 5;
constexpr int kLentButtonTop = 3;

const char* const kDesignItems[] = {"MPGrDesSemIVT",       "MPGrDesSemEstim",    "MPGrDesSemEstimGraph", "MPGrDesSemCalcPerc",
                                    "MPGrDesSemEstimPhys", "MPGrDesMapIVT",      "MPGrDesMapRegress",    "MPGrDesMapRelations",
                                    "MPGrDesMapCalcPerc",  "MPGrDesMapEstimPhys"};

bool HasIndustry() { return Session && Session->Industry(); }

// The word set to 1 when it lies outside 1..Count.
void ResetWord(std::int16_t& word, int count) {
    if (word < 1 || word > count) word = 1;
}

int EntryLineCount(const char* entry) {
    std::vector<std::string> lines;
    if (Translator) Translator->GetLines(kSectionSeries, entry, lines);
    return static_cast<int>(lines.size());
}

}  // namespace

TFoGraph::TFoGraph(TFoCv3Main& mainWindow, QWidget* owner) : TGroupPage(mainWindow, owner, GraphPageMenu()) {}

void TFoGraph::UpdateMenus() {
    TGroupPage::UpdateMenus();
    if (!HasIndustry()) return;
    const auto apply = [this](const char* name, bool enabled, bool visible) {
        QAction* action = Item(name);
        action->setEnabled(action->isEnabled() && enabled);
        action->setVisible(action->isVisible() && visible);
    };
    const auto free = [](const char* category, const char* key, bool hidden) {
        return hidden ? !Session->IsRestrictHidden(category, key) : !Session->IsRestrictEnabled(category, key);
    };
    apply("MPGrPerfMSSeg", free("StuMkt", "ConsumerPanel", false), free("StuMkt", "ConsumerPanel", true));
    apply("MPGrPerfMSCha", free("StuMkt", "DistributPanel", false), free("StuMkt", "DistributPanel", true));
    // Benchmarking needs its own group and the benchmarking study both free.
    const bool benchEnabled = free("StuFta", "Benchmark", false), benchVisible = free("StuFta", "Benchmark", true);
    for (const TPageMenuGroup& group : GraphPageMenu().groups) {
        if (group.name != "MPGrBench") continue;
        apply("MPGrBench", benchEnabled, benchVisible);
        for (const TPageItem& item : group.items) apply(std::string(item.name).c_str(), benchEnabled, benchVisible);
    }
    // Each design item follows its study's restriction.
    for (const char* name : kDesignItems) {
        const char* study = std::string_view(name).find("Sem") != std::string_view::npos ? "SemanticScales" : "PerceptualMap";
        apply(name, free("StuMkt", study, false), free("StuMkt", study, true));
    }
    // The group needs one of its ideal-points items.
    apply("MPGrDesign", Item("MPGrDesSemIVT")->isEnabled() || Item("MPGrDesMapIVT")->isEnabled(),
          Item("MPGrDesSemIVT")->isVisible() || Item("MPGrDesMapIVT")->isVisible());
}

void TFoGraph::Print() { PrintPageHardCopy(*this); }

void TFoGraph::MenuItemClick(QAction* item) {
    QAction* shownBefore = RememberedItem();
    if (item != shownBefore) closedDialog_ = nullptr;
    TGroupPage::MenuItemClick(item);
    const TGraphItem* chosen = item ? FindGraphItem(item->objectName().toStdString()) : nullptr;
    const bool dialog = chosen && (chosen->kind == TGraphKind::PerceptionDialog ||
                                   chosen->kind == TGraphKind::SemanticTargetDialog ||
                                   chosen->kind == TGraphKind::MapTargetDialog);
    if (!dialog || !shownBefore || shownBefore == item) return;
    // The page remembers what it showed before: shown again when the dialog
    // has closed; kept behind the study screen that says why it did not open.
    if (Display().IsEmpty()) TGroupPage::MenuItemClick(shownBefore);
    else RememberItem(shownBefore);
    closedDialog_ = item;
    shownBehindDialog_ = shownBefore;
}

QAction* TFoGraph::SteppingItem() const {
    QAction* remembered = RememberedItem();
    return closedDialog_ && remembered == shownBehindDialog_ ? closedDialog_ : remembered;
}

bool TFoGraph::CheckStudyAvailable(bool areaLevel, const std::string& key) const {
    return CanShowStudyGraph(Data, areaLevel, key);
}

void TFoGraph::ShowItem(const TPageItem& item) {
    const TGraphItem* graph = FindGraphItem(item.name);
    if (!graph) return;
    combosAdded_ = false;
    switch (graph->kind) {
        case TGraphKind::Firm: ShowFirGraph(graph->code); break;
        case TGraphKind::MarketTotals: ShowMktTotPerGraph(graph->code); break;
        case TGraphKind::Segments: ShowSegPerGraph(graph->code); break;
        case TGraphKind::Benchmark: ShowBenchGraph(graph->code); break;
        case TGraphKind::Portfolio: ShowGspGraph(); break;
        case TGraphKind::StudyScreen: ShowStudyScreen(false, graph->code); break;
        case TGraphKind::SegmentTable: ShowSegmentTable(graph->code); break;
        case TGraphKind::DimensionTable: ShowDimensionTable(); break;
        case TGraphKind::StudyChart: ShowStudyChart(*graph); break;
        case TGraphKind::PerceptionDialog:
        case TGraphKind::SemanticTargetDialog:
        case TGraphKind::MapTargetDialog: ShowDesignDialog(*graph); break;
    }
}

int TFoGraph::MarketedBrands() const {
    return Session->Industry()->PerResults(Data.SelPeriod).GetSmallintDef(kCategoryFtaMarket, Data, "NbMktedBrds", 0);
}

TChartPlace TFoGraph::Place(bool belowCombos) const {
    const int top = PageMenuBar()->sizeHint().height() + (belowCombos ? kCombosHeight : 0);
    return {height() - top, width(), top};
}

void TFoGraph::ShowStudyScreen(bool areaLevel, int screen) {
    if (areaLevel) Display().Show(TCVScreen::Create<TStuFta>(this, Data, screen, kWindowLayout));
    else Display().Show(TCVScreen::Create<TStuMkt>(this, Data, screen, kWindowLayout));
}

void TFoGraph::AddTextCombo(int position, const char* caption, const char* entry, std::int16_t& word) {
    ResetWord(word, EntryLineCount(entry));
    std::string text;
    if (Translator) Translator->ControlsLine(caption, 1, text);
    Combos().AddListCombo(Cp1252ToQString(text), position, word, TTextRange{entry, 1, EntryLineCount(entry)});
    combosAdded_ = true;
}

QComboBox* TFoGraph::AddSeriesCombo(int position, const char* caption, const TSeries& series, std::int16_t& word) {
    std::vector<std::string> labels;
    for (int element = series.Lo(); element <= series.Hi(); ++element)
        labels.push_back(Session->Industry()->SeriesLabel(&series, element));
    return AddLabelCombo(position, caption, series.Name(), labels, word);
}

QComboBox* TFoGraph::AddLabelCombo(int position, const char* caption, const std::string& key,
                                   const std::vector<std::string>& labels, std::int16_t& word) {
    ResetWord(word, static_cast<int>(labels.size()));
    std::string text;
    if (Translator) Translator->ControlsLine(caption, 1, text);
    QComboBox* combo = Combos().AddListCombo(Cp1252ToQString(text), position, word, key, labels);
    combosAdded_ = true;
    return combo;
}

// The combos' own connection has the page as its context, like this one: the
// next click's clean-up removes both.
void TFoGraph::RouteCombo(QComboBox* combo, void (TFoCv3Mod::*handler)(QComboBox*)) {
    combo->disconnect(this);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, handler] { (this->*handler)(combo); });
}

// "All markets", then each market.
void TFoGraph::AddMarketsCombo() {
    Data.GraphOption = 1;
    const TCvInd& industry = *Session->Industry();
    if (industry.NbMarkets() <= 1) return;
    std::vector<std::string> labels(1);
    if (Translator) Translator->SeriesLine(kAllOrOneMarket, 1, labels.front());
    for (int market = 1; market <= industry.NbMarkets(); ++market) labels.push_back(industry.MarketLabel(market));
    AddLabelCombo(1, "LAllOrOneMkt", kAllOrOneMarket, labels, Data.GraphOption);
}

void TFoGraph::ShowFirGraph(int code) {
    const TCvInd& industry = *Session->Industry();
    if (code == 1090 && !CheckStudyAvailable(false, "ConsumerPanel")) return ShowStudyScreen(false, kConsumerPanelScreen);
    if (code == 1100 && !CheckStudyAvailable(false, "DistributPanel"))
        return ShowStudyScreen(false, kDistributionPanelScreen);
    if (code == 1090) {
        Data.GraphOption = 1;
        if (const TSeries* segments = industry.SegSeries(Data.SelFta, Data.SelMarket))
            AddSeriesCombo(1, "LSelectSegment", *segments, Data.GraphOption);
    }
    if (code == 1100) {
        Data.GraphOption = 1;
        if (const TSeries* channels = industry.ChaSeries(Data.SelFta))
            AddSeriesCombo(1, "LSelectChannel", *channels, Data.GraphOption);
    }
    if (code == 1000 || code == 1010) AddMarketsCombo();
    if (code == 1000 || code == 1010 || code == 1090 || code == 1100)
        AddTextCombo(2, "LSelectUV", "UorV", Data.UnitsOrValue);
    if (code != 1050 && code != 1080) AddTextCombo(3, "LEvolOrOnePer", "EvolOrOnePer", Data.EvolChoice);
    Display().Show(std::make_unique<TFirGraph>(this, Place(combosAdded_), code, Data));
}

void TFoGraph::ShowMktTotPerGraph(int code) {
    if (code != 2040 && code != 2050) AddTextCombo(2, "LSelectUV", "UorV", Data.UnitsOrValue);
    Display().Show(std::make_unique<TMktTotPerGraph>(this, Place(combosAdded_), code, Data));
}

void TFoGraph::ShowSegPerGraph(int code) {
    if (code != 2060) AddTextCombo(2, "LSelectUV", "UorV", Data.UnitsOrValue);
    Display().Show(std::make_unique<TSegPerGraph>(this, Place(combosAdded_), code, Data));
}

void TFoGraph::ShowBenchGraph(int code) {
    if (!CheckStudyAvailable(true, "Benchmark")) return ShowStudyScreen(true, kBenchmarkScreen);
    if (code < kFirstAreaOnlyBenchCode) AddMarketsCombo();
    AddTextCombo(3, "LEvolOrOnePer", "EvolOnePerCumul", Data.EvolChoice);
    Display().Show(std::make_unique<TBenchGraph>(this, Place(combosAdded_), code, Data));
}

void TFoGraph::ShowGspGraph() {
    AddMarketsCombo();
    Data.EvolChoice = Data.SelFirm;
    AddSeriesCombo(3, "LSelectFirm", *Session->Industry()->FirSeries(), Data.EvolChoice);
    Display().Show(std::make_unique<TGspGraph>(this, Place(true), Data));
}

}  // namespace cv

namespace cv {

void TFoGraph::ShowSegmentTable(int screen) {
    if (const TSeries* segments = Session->Industry()->SegSeries(Data.SelFta, Data.SelMarket)) {
        ResetWord(Data.SelSegment, segments->Count());
        if (MarketedBrands() > 0)
            RouteCombo(AddSeriesCombo(2, "LSelectSegment", *segments, Data.SelSegment), &TFoCv3Mod::SegmentComboChange);
    }
    ShowStudyScreen(false, screen);
}

void TFoGraph::ShowDimensionTable() {
    Data.VertAxis = 1;
    if (const TSeries* dimensions = Session->Industry()->MapSeries(Data.SelMarket); dimensions && MarketedBrands() > 0)
        RouteCombo(AddSeriesCombo(2, "LSelectDimension", *dimensions, Data.VertAxis), &TFoCv3Mod::VertAxisComboChange);
    ShowStudyScreen(false, kMapRegressionScreen);
}

// The semantic estimation keeps a characteristic chosen before; the map
// relations start from the default pair every time.
void TFoGraph::ShowStudyChart(const TGraphItem& item) {
    const TCvInd& industry = *Session->Industry();
    const bool semantic = std::string_view(item.name) == "MPGrDesSemEstimGraph";
    const TSeries* scales = industry.SemSeries(Data.SelMarket);
    const TSeries* dimensions = industry.MapSeries(Data.SelMarket);
    const int scaleCount = scales ? scales->Count() : 0;
    if (!semantic || Data.HorzAxis < 1 || Data.HorzAxis > scaleCount)
        Data.HorzAxis = static_cast<std::int16_t>(TRelationGraph::DefaultCharacteristic(scaleCount));
    if (!semantic)
        Data.VertAxis = static_cast<std::int16_t>(TRelationGraph::DefaultDimension(
            Data.SelMarket == industry.MktSeries()->Lo(), dimensions ? dimensions->Count() : 0));
    if (!CheckStudyAvailable(false, semantic ? "SemanticScales" : "PerceptualMap") || !scales || !dimensions)
        return ShowStudyScreen(false, semantic ? kSemanticScalesScreen : kPerceptualMapScreen);
    const TChartPlace place = Place(true);
    if (semantic) {
        RouteCombo(AddSeriesCombo(2, "LSemEstGraph", *scales, Data.HorzAxis), &TFoCv3Mod::HorzAxisComboChange);
        Display().Show(std::make_unique<TSemEstGraph>(this, Data, kCentredAtTop, 0, place.top, place.width,
                                                      place.height, kWindowMode, TRelationPage::Graphs));
        return;
    }
    RouteCombo(AddSeriesCombo(1, "LHorzAxis", *scales, Data.HorzAxis), &TFoCv3Mod::HorzAxisComboChange);
    RouteCombo(AddSeriesCombo(3, "LVertAxis", *dimensions, Data.VertAxis), &TFoCv3Mod::VertAxisComboChange);
    Display().Show(std::make_unique<TMapRelationsGraph>(this, Data, kCentredAtTop, 0, place.top, place.width,
                                                        place.height, kWindowMode, TRelationPage::Graphs));
}

void TFoGraph::ShowDesignDialog(const TGraphItem& item) {
    const bool semantic = item.kind == TGraphKind::SemanticTargetDialog ||
                          (item.kind == TGraphKind::PerceptionDialog && item.code == TFoPercEstim::kSemanticMode);
    if (!CheckStudyAvailable(false, semantic ? "SemanticScales" : "PerceptualMap"))
        return ShowStudyScreen(false, semantic ? kSemanticScalesScreen : kPerceptualMapScreen);
    switch (item.kind) {
        case TGraphKind::PerceptionDialog: {
            const auto mode = static_cast<TFoPercEstim::TMode>(item.code);
            TFoPercEstim dialog(this, mode, Data);
            RunDesignDialog(dialog, semantic ? kSemanticPerceptionHelp : kMapPerceptionHelp);
            break;
        }
        case TGraphKind::SemanticTargetDialog: {
            TFoSem2Att dialog(this, Data);
            RunDesignDialog(dialog, kSemanticTargetHelp);
            break;
        }
        default: {
            TFoMap2Att dialog(this, Data);
            RunDesignDialog(dialog, kMapTargetHelp);
            break;
        }
    }
}

void TFoGraph::RunDesignDialog(QDialog& dialog, THelpContext helpContext) {
    mainWindow_.ShowToolButtonsOn({kLentHelpButton}, {0}, &dialog, dialog.width() - kLentButtonMargin, kLentButtonTop,
                                  true);
    HelpState().HelpContext = helpContext;
    dialog.exec();
    mainWindow_.RestoreToolButtons();
    HelpState().HelpContext = kHelpContext;
}

}  // namespace cv
