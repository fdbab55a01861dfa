#include "reports/pages/page_hard_copy.h"

#include <QApplication>

#include "reports/documents/cv_doc.h"
#include "reports/documents/hard_copy.h"
#include "shell/page_window.h"
#include "ui/chart/cv_chart.h"

namespace cv {

void PrintPageHardCopy(TFoCv3Mod& page) {
    const TCVScreen* screen = page.Display().Screen();
    TCVChart* chart = page.Display().Chart();
    if (!chart && (!screen || !screen->Table())) {
        page.TFoCv3Mod::Print();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TCvDoc document(&page);
    if (chart)
        PrintModuleWindow(document, page.Data, page.WindowNumber(), chart->GetPicture());
    else
        PrintModuleWindow(document, page.Data, page.WindowNumber(), *screen);
    QApplication::restoreOverrideCursor();
}

}  // namespace cv
