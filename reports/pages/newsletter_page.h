#pragma once
// TFoNLetter: the newsletter page (its table: reports/pages/newsletter_menu.h).
// Choosing an item builds that newsletter page for the period, zone and
// market chosen on the selector bar; the scorecard first sets up the combo
// that chooses its presentation mode.

#include <QComboBox>

#include "shell/group_page.h"

namespace cv {

class TFoNLetter : public TGroupPage {
    Q_OBJECT

public:
    static constexpr THelpContext kHelpContext = hcNewsletterPage;

    TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner);

    // The combo choosing the scorecard's presentation mode, or nullptr.
    QComboBox* PresentationCombo() const;

    // The screen shown prints as the newsletter page's hard copy.
    void Print() override;

protected:
    // The scorecard is shown as values first; from period 1 on a combo on
    // the page chooses growth or index instead.
    void ShowItem(const TPageItem& item) override;
};

}  // namespace cv
