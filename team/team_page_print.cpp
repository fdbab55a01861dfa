// The team page's print command: the print selection.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/dialog_help.h"
#include "shell/selector/cv_bar.h"
#include "team/print_selection_dialog.h"
#include "team/team_page.h"

namespace cv {

namespace {
constexpr std::uint8_t kHidden = 0;
constexpr std::uint8_t kMultiple = 4;
constexpr int kListOne = 2;
constexpr int kListAll = 32767;
constexpr int kLentTop = 5;
}  // namespace

void TFoSimul::Print() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    const std::string& firms = industry->FirSeries()->Name();
    const std::string& zones = industry->FtaSeries()->Name();
    const std::string& markets = industry->MktSeries()->Name();
    SetIndexSelector(firms, kHidden, {0}, {kListAll});
    SetIndexSelector(zones, kMultiple, {kListAll}, {kListAll});
    SetIndexSelector(markets, kHidden, {kListAll}, {kListAll});
    SetupBar();
    {
        TFoAdmPrn dialog(this, Data);
        if (CvBar) CvBar->LendGroups({zones}, {}, &dialog, (dialog.width() - CvBar->ArrangeGroups({zones})) / 2, kLentTop);
        ExecWithHelp(*this, dialog, hcPrinting);
        if (CvBar) CvBar->RestoreGroups();
    }
    SetIndexSelector(firms, kHidden, {kListOne, Data.SelFirm}, {kListAll});
    SetIndexSelector(zones, kHidden, {kListOne, Data.SelFta}, {kListAll});
    SetIndexSelector(markets, kHidden, {kListOne, Data.SelMarket}, {kListAll});
    SetupBar();
}

}  // namespace cv
