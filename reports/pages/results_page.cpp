#include "reports/pages/results_page.h"

#include "reports/pages/results_menu.h"
#include "reports/pages/page_hard_copy.h"

namespace cv {

TFoResult::TFoResult(TFoCv3Main& mainWindow, QWidget* owner) : TGroupPage(mainWindow, owner, ResultsPageMenu()) {}

void TFoResult::Print() { PrintPageHardCopy(*this); }

}  // namespace cv
