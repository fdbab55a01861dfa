// The team page's finance items: they open the loan and budget-change dialog.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "team/bank_dialog.h"
#include "team/team_page.h"

namespace cv {

void TFoSimul::OpenBank(QAction* item, int tab) {
    if (Session && Session->Industry()) {
        TDataContext context = Data;
        context.DecPeriod = static_cast<std::int16_t>(Session->Industry()->DecPeriod());
        ShowBankDialog(this, context, tab);
    }
    MenuItemClick(item);
}

}  // namespace cv
