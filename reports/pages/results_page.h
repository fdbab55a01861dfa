#pragma once
// TFoResult: the results page. Its menu lists the firm's result reports in
// groups; choosing an item builds the item's report screen into the page for
// the period, zone and market chosen on the selector bar. The instructor's
// "rcReport" restrictions disable or hide whole groups, and an item whose
// group is restricted shows no screen.

#include <memory>
#include <string>

#include "shell/group_page.h"
#include "reports/pages/results_menu.h"

namespace cv {

class TFoResult : public TGroupPage {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 28;

    TFoResult(TFoCv3Main& mainWindow, QWidget* owner);
    ~TFoResult() override;

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void RebuildDisplay() override;

    // The screen shown now, or nullptr.
    TCVScreen* Screen() const { return screen_.get(); }

private:
    // The market selector's mode for the remembered item: per-market screens
    // let the team choose the market, the others read every market.
    std::uint8_t MarketSelectorMode() const;
    void BuildMenu();
    void ShowScreen(const TResultItem& item);

    std::unique_ptr<TCVScreen> screen_;
};

}  // namespace cv
