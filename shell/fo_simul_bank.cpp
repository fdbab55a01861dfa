// The team page's finance items: they open the loan and budget-change dialog,
// which the program provides from above the shell.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/fo_cv3_main.h"
#include "shell/fo_simul.h"

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
