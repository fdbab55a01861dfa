#include "reports/pages/results_page.h"

#include "reports/pages/results_menu.h"

namespace cv {

TFoResult::TFoResult(TFoCv3Main& mainWindow, QWidget* owner) : TGroupPage(mainWindow, owner, ResultsPageMenu()) {}

}  // namespace cv
