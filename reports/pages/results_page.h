#pragma once
// TFoResult: the results page (its table: reports/pages/results_menu.h).
// Choosing an item builds the item's report screen into the page for the
// period, zone and market chosen on the selector bar.

#include "shell/group_page.h"

namespace cv {

class TFoResult : public TGroupPage {
    Q_OBJECT

public:
    static constexpr THelpContext kHelpContext = hcResultsPage;

    TFoResult(TFoCv3Main& mainWindow, QWidget* owner);

    // The screen shown prints as the results page's hard copy.
    void Print() override;
};

}  // namespace cv
