// The team page's finance items: they open the loan and budget-change dialog.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "team/bank_dialog.h"
#include "team/team_page.h"
#include "ui/user_action.h"

namespace cv {

void TFoSimul::OpenBank(QAction* item, int tab) {
    if (Session && Session->Industry()) {
        // The request is for the period after the one the page shows, and the
        // schedule looks from that same period.
        TDataContext context = Data;
        context.CurPeriod = Data.SelPeriod;
        context.DecPeriod = static_cast<std::int16_t>(Data.SelPeriod + 1);
        RunUserAction([&] { ShowBankDialog(*this, context, tab); });
    }
    MenuItemClick(item);
}

}  // namespace cv
