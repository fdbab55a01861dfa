#pragma once
// TFoMStudies: the market-studies page. Its menu (studies_menu.cpp) opens the
// study screens and the study charts: the semantic and perceptual maps of one
// period or over the periods, the relation charts and the conjoint chart,
// each under the combos that choose its axes or segment. A chart whose study
// may not be shown (not allowed, too few brands, not bought) gives way to a
// study screen, which says why.

#include <cstdint>

#include "shell/group_page.h"

namespace cv {

class TSeries;

class TFoMStudies : public TGroupPage {
    Q_OBJECT

public:
    static constexpr THelpContext kHelpContext = hcStudiesPage;

    TFoMStudies(TFoCv3Main& mainWindow, QWidget* owner);

    // With one market, the two market-level benchmarking items are disabled.
    void UpdateMenus() override;
    // The map, the chart or the study screen shown, as the page's hard copy.
    void Print() override;

protected:
    void ShowItem(const TPageItem& item) override;
    // A restricted study shows its screen, which says the study is not allowed.
    bool ShowsRestrictedItems() const override { return true; }

private:
    void ShowMapGraph(bool current, int kind);
    void ShowMapRelations();
    void ShowSemanticRelations();
    void ShowConjoint(bool chart);
    void ShowScreen(int screen);

    // A combo at Position, captioned by the controls entry Caption, of the
    // labels of Series, choosing Word.
    void AddSeriesCombo(int position, const char* caption, const TSeries& series, std::int16_t& word);
    // Where a chart lies: below the combos.
    int ChartTop() const;
};

}  // namespace cv
