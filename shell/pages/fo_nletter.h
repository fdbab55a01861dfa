#pragma once
// TFoNLetter: the newsletter page. Its menu lists the six newsletter pages in
// three groups; choosing an item builds that page for the period, zone and
// market chosen on the selector bar. The instructor's "rcNewsletter"
// restrictions disable or hide whole groups, and an item whose group is
// restricted shows no screen.

#include <QComboBox>
#include <string_view>

#include "shell/fo_cv3_mod.h"

namespace cv {

class TFoCv3Main;
class TCv3SpBtn;
class TNewsScr;

class TFoNLetter : public TFoCv3Mod {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 22;

    TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner);
    ~TFoNLetter() override;

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void UpdateMenus() override;
    void FormActivate() override;
    void FormDeactivate() override;
    void RebuildDisplay() override;

    // Whether the instructor disables or hides the "rcNewsletter" item Key.
    static bool IsRestricted(std::string_view key);
    // Opens the first item of the first unrestricted group; the stock market
    // when every group is restricted.
    void PickDefaultScreen();
    // Picks the default when the remembered item's group is restricted.
    void CheckDefaultScreen();

    QAction* Item(std::string_view name) const;
    // The combo choosing the scorecard's presentation mode, or nullptr.
    QComboBox* PresentationCombo() const;

private:
    void BuildMenu();
    // The scorecard is shown as values first; from period 1 on a combo on
    // the page chooses growth or index instead.
    void ShowScoreCard();
    void ShowPage(int page);

    TFoCv3Main& mainWindow_;
    TCv3SpBtn* pageButton_ = nullptr;
};

}  // namespace cv
