#pragma once
// TFoNLetter: the newsletter page. Its menu lists the six newsletter pages in
// three groups; choosing an item builds that page for the period, zone and
// market chosen on the selector bar. The instructor's "rcNewsletter"
// restrictions disable or hide whole groups, and an item whose group is
// restricted shows no screen.

#include <QComboBox>
#include <string_view>

#include "shell/group_page.h"

namespace cv {

class TNewsScr;

class TFoNLetter : public TGroupPage {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 22;

    TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner);
    ~TFoNLetter() override;

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void RebuildDisplay() override;

    // The combo choosing the scorecard's presentation mode, or nullptr.
    QComboBox* PresentationCombo() const;

private:
    void BuildMenu();
    // The scorecard is shown as values first; from period 1 on a combo on
    // the page chooses growth or index instead.
    void ShowScoreCard();
    void ShowPage(int page);
};

}  // namespace cv
