#include "graphs/page/graph_menu.h"

#include <vector>

#include "graphs/design_dialogs/perc_estim.h"

namespace cv {
namespace {

struct TGraphMenuItem {
    TGraphItem item;
    const char* caption;
    bool perMarket;
};

struct TGraphMenuGroup {
    const char* name;
    const char* caption;
    const char* restrictionKey;
    std::vector<TGraphMenuItem> items;
};

using K = TGraphKind;

const std::vector<TGraphMenuGroup>& Groups() {
    static const std::vector<TGraphMenuGroup> groups{
        {"MPGrMkt", "&Market", "NoMarket",
         {{{"MpGrMktSize", K::MarketTotals, 2000}, "Market &size", false},
          {{"MpGrMktGrowth", K::MarketTotals, 2010}, "Market &growth", false},
          {{"MpGrMktSegSize", K::Segments, 2020}, "Segment s&ize", true},
          {{"MpGrMktSegGrowth", K::Segments, 2030}, "Segment g&rowth", true},
          {{"MpGrMktNbBrds", K::MarketTotals, 2040}, "&Number of brands", false},
          {{"MpGrMktAvgPrice", K::MarketTotals, 2050}, "&Average price", false},
          {{"MpGrMktAvgPriceSeg", K::Segments, 2060}, "Average price by s&egment", true}}},
        {"MPGrPerf", "&Performance", "NoPerformance",
         {{{"MPGrPerfRSales", K::Firm, 1010}, "&Sales", false},
          {{"MPGrPerfMS", K::Firm, 1000}, "&Market share", false},
          {{"MPGrPerfMSSeg", K::Firm, 1090}, "Market share by s&egment", true},
          {{"MPGrPerfMSCha", K::Firm, 1100}, "Market share by &channel", true},
          {{"MPGrPerfCBM", K::Firm, 1020}, "Contribution &before marketing", false},
          {{"MPGrPerfCAM", K::Firm, 1030}, "Contribution &after marketing", false},
          {{"MPGrPerfNC", K::Firm, 1040}, "&Net contribution", false},
          {{"MPGrPerfCNC", K::Firm, 1050}, "C&umulative net contribution", false},
          {{"MPGrPerfSpi", K::Firm, 1060}, "Stock-&price index", false},
          {{"MPGrPerfROI", K::Firm, 1070}, "&Return on marketing", false},
          {{"MPGrPerfCROI", K::Firm, 1080}, "Cumulative re&turn on marketing", false}}},
        {"MPGrBench", "&Benchmarking", "NoBenchmarking",
         {{{"MPGrBenchRSales", K::Benchmark, 3000}, "&Retail sales", false},
          {{"MPGrBenchRev", K::Benchmark, 3001}, "Re&venues", false},
          {{"MPGrBenchCGS", K::Benchmark, 3002}, "&Cost of goods sold", false},
          {{"MPGrBenchIHC", K::Benchmark, 3003}, "Inventory &holding cost", false},
          {{"MPGrBenchISC", K::Benchmark, 3004}, "Inventory &selling cost", false},
          {{"MPGrBenchCBM", K::Benchmark, 3005}, "Contribution &before marketing", false},
          {{"MPGrBenchAdvM", K::Benchmark, 3006}, "Advertising &media", false},
          {{"MPGrBenchAdvQ", K::Benchmark, 3007}, "Advertising res&earch", false},
          {{"MPGrBenchSlf", K::Benchmark, 3008}, "Sales &force", false},
          {{"MPGrBenchCAM", K::Benchmark, 3009}, "Contribution &after marketing", false},
          {{"MPGrBenchMRS", K::Benchmark, 3010}, "Mar&ket research studies", false},
          {{"MPGrBenchRnD", K::Benchmark, 3011}, "Research and &development", false},
          {{"MPGrBenchIP", K::Benchmark, 3012}, "&Interest paid", false},
          {{"MPGrBenchECP", K::Benchmark, 3013}, "E&xceptional cost or profit", false},
          {{"MPGrBenchNC", K::Benchmark, 3014}, "&Net contribution", false},
          {{"MPGrBenchNPB", K::Benchmark, 3015}, "Next &period budget", false}}},
        {"MPGrDesign", "&Design", "NoProduct",
         {{{"MPGrDesSemIVT", K::SegmentTable, 21}, "Semantic &ideal points", true},
          {{"MPGrDesSemEstim", K::StudyScreen, 8}, "Semantic &estimation", true},
          {{"MPGrDesSemEstimGraph", K::StudyChart, 0}, "Semantic estimation &chart", true},
          {{"MPGrDesSemCalcPerc", K::PerceptionDialog, TFoPercEstim::kSemanticMode}, "Semantic &perception of a design...", true},
          {{"MPGrDesSemEstimPhys", K::SemanticTargetDialog, 0}, "Design for semantic &targets...", true},
          {{"MPGrDesMapIVT", K::SegmentTable, 22}, "&Map ideal points", true},
          {{"MPGrDesMapRegress", K::DimensionTable, 13}, "Map &regression", true},
          {{"MPGrDesMapRelations", K::StudyChart, 0}, "Map &relations chart", true},
          {{"MPGrDesMapCalcPerc", K::PerceptionDialog, TFoPercEstim::kMapMode}, "M&ap position of a design...", true},
          {{"MPGrDesMapEstimPhys", K::MapTargetDialog, 0}, "Design for a map &target...", true}}},
        {"MPGrTools", "&Tools", "NoPortfolio", {{{"MPGrToolsGSP", K::Portfolio, 0}, "&Growth-share portfolio", false}}},
    };
    return groups;
}

TPageMenu MakeMenu() {
    TPageMenu menu{"FoGraph", "MGraph", "SpBGraph", "rcAnalysis", TFoGraph::kHelpContext, true, {}};
    for (const TGraphMenuGroup& group : Groups()) {
        TPageMenuGroup pageGroup{group.name, group.caption, group.restrictionKey, {}};
        for (const TGraphMenuItem& entry : group.items)
            pageGroup.items.push_back({entry.item.name, entry.caption, nullptr, entry.perMarket});
        menu.groups.push_back(std::move(pageGroup));
    }
    return menu;
}

}  // namespace

const TPageMenu& GraphPageMenu() {
    static const TPageMenu menu = MakeMenu();
    return menu;
}

const TGraphItem* FindGraphItem(std::string_view name) {
    for (const TGraphMenuGroup& group : Groups())
        for (const TGraphMenuItem& entry : group.items)
            if (entry.item.name == name) return &entry.item;
    return nullptr;
}

}  // namespace cv
