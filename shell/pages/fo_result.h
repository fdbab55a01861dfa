#pragma once
// TFoResult: the results page. Its menu lists the firm's result reports in
// groups; choosing an item builds the item's report screen into the page for
// the period, zone and market chosen on the selector bar. The instructor's
// "rcReport" restrictions disable or hide whole groups, and an item whose
// group is restricted shows no screen.

#include <memory>
#include <string>

#include "shell/fo_cv3_mod.h"
#include "shell/pages/result_menu.h"

namespace cv {

class TFoCv3Main;
class TCv3SpBtn;

class TFoResult : public TFoCv3Mod {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 28;
    // Modes of a selector group: 0 fixed on the context's element, 2 one choice.
    static constexpr std::uint8_t kSelectorFixed = 0;
    static constexpr std::uint8_t kSelectorChoice = 2;

    TFoResult(TFoCv3Main& mainWindow, QWidget* owner);
    ~TFoResult() override;

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void UpdateMenus() override;
    void FormActivate() override;
    void FormDeactivate() override;
    void RebuildDisplay() override;

    // Whether the instructor disables or hides the "rcReport" item Key.
    static bool IsRestricted(std::string_view key);
    // The first item of the first unrestricted group becomes the remembered
    // item; the scorecard when every group is restricted.
    void PickDefaultScreen();
    // Picks the default when the remembered item's group is restricted.
    void CheckDefaultScreen();

    // The screen shown now, or nullptr.
    TCVScreen* Screen() const { return screen_.get(); }
    QAction* Item(std::string_view name) const;

private:
    // The market selector's mode for the remembered item: per-market screens
    // let the team choose the market, the others read every market.
    std::uint8_t MarketSelectorMode() const;
    void BuildMenu();
    void ShowScreen(const TResultItem& item);

    TFoCv3Main& mainWindow_;
    TCv3SpBtn* pageButton_ = nullptr;
    std::unique_ptr<TCVScreen> screen_;
};

}  // namespace cv
