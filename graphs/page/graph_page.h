#pragma once
// TFoGraph: the graphs page. Its menu (graphs/page/graph_menu.cpp) opens the
// market, performance and benchmarking charts and the growth-share portfolio,
// each with the combos it needs above it; a chart whose study the team did
// not buy gives way to that study's screen, which says why. Its design group
// shows the semantic and map studies' screens and opens the product-design
// dialogs modally.

#include <string>
#include <vector>

#include "graphs/charts/anal_graph.h"
#include "shell/group_page.h"

class QComboBox;
class QDialog;

namespace cv {

class TSeries;

// What a menu item of the graphs page opens. The design group's items show a
// study screen (its number the item's code), a study chart, or a design
// dialog whose study the team bought (the perception dialog's code is its mode).
enum class TGraphKind {
    Firm,
    MarketTotals,
    Segments,
    Benchmark,
    Portfolio,
    StudyScreen,
    SegmentTable,
    DimensionTable,
    StudyChart,
    PerceptionDialog,
    SemanticTargetDialog,
    MapTargetDialog
};

struct TGraphItem {
    const char* name;
    TGraphKind kind;
    int code;
};

class TFoGraph : public TGroupPage {
    Q_OBJECT

public:
    static constexpr THelpContext kHelpContext = hcGraphsPage;
    // Help contexts of the design dialogs.
    static constexpr THelpContext kSemanticPerceptionHelp = hcSemanticPerception;
    static constexpr THelpContext kSemanticTargetHelp = hcSemanticTarget;
    static constexpr THelpContext kMapTargetHelp = hcMapTarget;
    static constexpr THelpContext kMapPerceptionHelp = hcMapPerception;

    TFoGraph(TFoCv3Main& mainWindow, QWidget* owner);

    void UpdateMenus() override;
    // A design dialog opens only when its item is chosen: the page keeps
    // remembering what it showed before (and shows it again once the dialog
    // has closed), so that coming back to the page or choosing another period
    // never opens the dialog by itself.
    void MenuItemClick(QAction* item) override;
    // Once a design dialog has closed, the page buttons step on from its
    // item, as long as the view shown before it is still the remembered one.
    QAction* SteppingItem() const override;
    // Whether the study Key (a zone-level study when AreaLevel) is allowed,
    // applicable to the market's marketed brands and bought for the selected period.
    bool CheckStudyAvailable(bool areaLevel, const std::string& key) const;
    // The chart or the study screen shown, as the page's hard copy.
    void Print() override;

protected:
    void ShowItem(const TPageItem& item) override;

private:
    void ShowFirGraph(int code);
    void ShowMktTotPerGraph(int code);
    void ShowSegPerGraph(int code);
    void ShowBenchGraph(int code);
    void ShowGspGraph();
    void ShowStudyScreen(bool areaLevel, int screen);
    // Screen 21 or 22 with a segment combo, screen 13 with a dimension combo.
    void ShowSegmentTable(int screen);
    void ShowDimensionTable();
    // The semantic estimation chart or the map relations chart of the
    // design group, with the fitted line's ideal points; when the study is
    // not available, its screen.
    void ShowStudyChart(const TGraphItem& item);
    // A design dialog, when its study is available; else the study's screen.
    void ShowDesignDialog(const TGraphItem& item);
    // Shows Dialog modally with the main window's help button lent to it.
    void RunDesignDialog(QDialog& dialog, THelpContext helpContext);

    // Where a chart lies: below the combos when any was added.
    TChartPlace Place(bool belowCombos) const;
    // A combo of lines of a series-section entry, the word reset into its range first.
    void AddTextCombo(int position, const char* caption, const char* entry, std::int16_t& word);
    // A combo of the labels of Series.
    QComboBox* AddSeriesCombo(int position, const char* caption, const TSeries& series, std::int16_t& word);
    QComboBox* AddLabelCombo(int position, const char* caption, const std::string& key,
                             const std::vector<std::string>& labels, std::int16_t& word);
    // Combo's changes go to Handler (the segment or axis handler) instead of
    // the positional option words.
    void RouteCombo(QComboBox* combo, void (TFoCv3Mod::*handler)(QComboBox*));
    // The "LAllOrOneMkt" combo when the industry has more than one market.
    void AddMarketsCombo();
    // "NbMktedBrds" of the selected period in the context's zone and market.
    int MarketedBrands() const;
    bool combosAdded_ = false;
    // The design dialog's item last run and the item remembered behind it.
    QAction* closedDialog_ = nullptr;
    QAction* shownBehindDialog_ = nullptr;
};

}  // namespace cv
