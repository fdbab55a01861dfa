// The team page's finance items: they open the loan and budget-change dialog,
// which the program provides from above the shell.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/main_window.h"
#include "team/team_page.h"

namespace cv {

void TFoSimul::OpenBank(QAction* item, int tab) {
    if (Session && Session->Industry() && mainWindow_.Services().openBank) {
        TDataContext context = Data;
        context.DecPeriod = static_cast<std::int16_t>(Session->Industry()->DecPeriod());
        mainWindow_.Services().openBank(this, context, tab);
    }
    MenuItemClick(item);
}

}  // namespace cv
