#pragma once
// TCvBar: the program's one selector bar, filled with the open industry's
// groups: the period (a spin field), the zones and the markets (when there
// is more than one), and the firms. Pages load it from their data-context
// record; every click on it goes to every page, in window-number order.

#include "core/store/data_context.h"
#include "ui/fields/bar.h"

namespace cv {

class TCvBar : public TBar {
    Q_OBJECT

public:
    // The pages that hear the bar's clicks: window numbers 1..kPageCount.
    static constexpr int kPageCount = 6;

    explicit TCvBar(QWidget* owner);
    ~TCvBar() override;

    // Rebuilds the groups from the open industry (none without one).
    void Fill();
    // Loads the groups from a page's record and selectors; hides every group
    // without an industry.
    void Update(const TDataContext& context, const TPageSelectors& selectors);
    void SetPeriodRange(std::int32_t first, std::int32_t last);
    void SelectionChanged(TBarGrpBtn& group, QWidget* sender) override;

private:
    void SetPeriodRangeForCurrentPage();
};

// The bar of the running program: null until the main window creates it.
extern TCvBar* CvBar;

}  // namespace cv
