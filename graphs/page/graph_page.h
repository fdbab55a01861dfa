#pragma once
// TFoGraph: the graphs page. Its menu (graphs/page/graph_menu.cpp) opens the
// market, performance and benchmarking charts and the growth-share portfolio,
// each with the combos it needs above it; a chart whose study the team did
// not buy gives way to that study's screen, which says why.

#include <string>
#include <vector>

#include "graphs/charts/anal_graph.h"
#include "shell/group_page.h"

namespace cv {

class TSeries;

// What a menu item of the graphs page opens.
enum class TGraphKind { Firm, MarketTotals, Segments, Benchmark, Portfolio, Design };

struct TGraphItem {
    const char* name;
    TGraphKind kind;
    int code;
};

class TFoGraph : public TGroupPage {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 10;

    TFoGraph(TFoCv3Main& mainWindow, QWidget* owner);

    void UpdateMenus() override;
    // Whether the study Key (a zone-level study when AreaLevel) is allowed,
    // applicable to the market's marketed brands and bought for the selected period.
    bool CheckStudyAvailable(bool areaLevel, const std::string& key) const;

protected:
    void ShowItem(const TPageItem& item) override;

private:
    void ShowFirGraph(int code);
    void ShowMktTotPerGraph(int code);
    void ShowSegPerGraph(int code);
    void ShowBenchGraph(int code);
    void ShowGspGraph();
    void ShowStudyScreen(bool areaLevel, int screen);

    // Where a chart lies: below the combos when any was added.
    TChartPlace Place(bool belowCombos) const;
    // A combo of lines of a series-section entry, the word reset into its range first.
    void AddTextCombo(int position, const char* caption, const char* entry, std::int16_t& word);
    // A combo of the labels of Series.
    void AddSeriesCombo(int position, const char* caption, const TSeries& series, std::int16_t& word);
    void AddLabelCombo(int position, const char* caption, const std::string& key, const std::vector<std::string>& labels,
                       std::int16_t& word);
    // The "LAllOrOneMkt" combo when the industry has more than one market.
    void AddMarketsCombo();
    bool combosAdded_ = false;
};

}  // namespace cv
