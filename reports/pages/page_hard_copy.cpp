#include "reports/pages/page_hard_copy.h"

#include <QApplication>

#include "reports/documents/cv_doc.h"
#include "reports/documents/hard_copy.h"
#include "shell/page_window.h"

namespace cv {

void PrintPageHardCopy(TFoCv3Mod& page) {
    const TCVScreen* screen = page.Display().Screen();
    if (page.Display().Chart() || !screen || !screen->Table()) {
        page.TFoCv3Mod::Print();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TCvDoc document(&page);
    PrintModuleWindow(document, page.Data, page.WindowNumber(), *screen);
    QApplication::restoreOverrideCursor();
}

}  // namespace cv
