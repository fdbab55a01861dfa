#include "graphs/studies_page/studies_menu.h"

#include <utility>

#include "graphs/studies_page/studies_page.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

// Market-level study screens and the zone-level benchmarking screens.
template <int Screen>
constexpr TScreenFactory MarketStudy = KindScreen<TStuMkt, Screen>;
template <int Screen>
constexpr TScreenFactory ZoneStudy = KindScreen<TStuFta, Screen>;

// An item of its own study: the group follows its items.
TPageItem Own(std::string_view name, std::string_view caption, TScreenFactory screen, std::string_view key,
              bool perMarket = true, std::string_view category = {}) {
    return {name, caption, screen, perMarket, {}, key, category};
}

TPageMenu MakeMenu() {
    return {"FoMStudies",
            "MStudies",
            "SpBStudies",
            "StuMkt",
            TFoMStudies::kHelpContext,
            true,
            {
                {"MPStuCons",
                 "&Consumers",
                 {},
                 {Own("MPStuConsAwa", "&Awareness", MarketStudy<1>, "ConsumerSurvey"),
                  Own("MPStuConsPI", "&Purchase intentions", MarketStudy<2>, "ConsumerSurvey"),
                  Own("MPStuConsSHab", "&Shopping habits", MarketStudy<3>, "ConsumerSurvey"),
                  Own("MPStuConsUMS", "&Market shares", MarketStudy<4>, "ConsumerPanel")}},
                {"MPStuDPanel",
                 "&Distribution",
                 "DistributPanel",
                 {{"MPStuDPanelUMS", "Market shares by &channel", MarketStudy<5>, true},
                  {"MPStuDistrCov", "Distribution &coverage", MarketStudy<20>, true}}},
                {"MPStuSem",
                 "&Semantic scales",
                 "SemanticScales",
                 {{"MPStuSemGraph", "Semantic &map", MarketStudy<7>, true},
                  {"MPStuSemBrd", "&Brand perceptions", MarketStudy<7>, true},
                  {"MPStuSemIP", "&Ideal points", MarketStudy<6>, true},
                  {"MPStuSemIPHist1", "Ideal points over &time", MarketStudy<7>, true},
                  {"MPStuSemRelation", "&Characteristics and perceptions", MarketStudy<7>, true}}},
                {"MPStuMap",
                 "&Perceptual map",
                 "PerceptualMap",
                 {{"MPStuMapGraph", "Perceptual &map", MarketStudy<11>, true},
                  {"MPStuMapBrd", "&Brand positions", MarketStudy<11>, true},
                  {"MPStuMapIP", "&Ideal points", MarketStudy<10>, true},
                  {"MPStuMapIPHist1", "Ideal points over &time", MarketStudy<11>, true},
                  {"MPStuMapInfluence", "&Influence of the characteristics", MarketStudy<14>, true},
                  {"MPStuMapRelation", "&Characteristics and map positions", MarketStudy<11>, true}}},
                {"MPStuIntel",
                 "C&ompetition",
                 {},
                 {Own("MPStuIntelAdv", "Competitive &advertising", MarketStudy<16>, "CompetitiveAdv"),
                  Own("MPStuIntelSlf", "Competitive &sales force", MarketStudy<17>, "CompetitiveSlf"),
                  Own("MPStuBenchFta", "&Benchmarking of the zone", ZoneStudy<51>, "Benchmark", false, "StuFta"),
                  Own("MPStuBenchMkt", "Benchmarking by &market", ZoneStudy<52>, "Benchmark", true, "StuFta"),
                  Own("MPStuBenchFtaPerc", "Benchmarking of the zone in &percent", ZoneStudy<53>, "Benchmark",
                      false, "StuFta"),
                  Own("MPStuBenchMktPerc", "Benchmarking by market in p&ercent", ZoneStudy<54>, "Benchmark", true,
                      "StuFta")}},
                {"MPStuExp",
                 "&Experiments",
                 {},
                 {Own("MPStuExpAdv", "&Advertising experiment", MarketStudy<18>, "ExperimentAdv"),
                  Own("MPStuExpSlf", "&Sales-force experiment", MarketStudy<19>, "ExperimentSlf"),
                  Own("MPStuMFor1", "&Market forecast", MarketStudy<15>, "MarketForecast")}},
                {"MPStuCja",
                 "Co&njoint analysis",
                 "Conjoint",
                 {{"MPStuCjaGraphU", "Utilities &chart", MarketStudy<24>, true},
                  {"MPStuCjaUtils", "&Utilities", MarketStudy<24>, true},
                  {"MPStuCjaWeights", "&Weights", MarketStudy<23>, true}}},
            }};
}

constexpr std::pair<std::string_view, TStudyChart> kCharts[] = {
    {"MPStuSemGraph", TStudyChart::SemanticMap},
    {"MPStuSemIPHist1", TStudyChart::SemanticHistory},
    {"MPStuSemRelation", TStudyChart::SemanticRelations},
    {"MPStuMapGraph", TStudyChart::PerceptualMap},
    {"MPStuMapIPHist1", TStudyChart::PerceptualHistory},
    {"MPStuMapRelation", TStudyChart::MapRelations},
    {"MPStuCjaUtils", TStudyChart::ConjointUtilities},
    {"MPStuCjaGraphU", TStudyChart::ConjointChart},
};

}  // namespace

const TPageMenu& StudiesPageMenu() {
    static const TPageMenu menu = MakeMenu();
    return menu;
}

TStudyChart StudyChartOf(std::string_view name) {
    for (const auto& [item, chart] : kCharts)
        if (item == name) return chart;
    return TStudyChart::None;
}

}  // namespace cv
