#include "decisions/dialogs/screen_fit.h"

#include "ui/report/cv_screen.h"
#include "ui/report/qn_table.h"

namespace cv {

void RefitScreen(TCVScreen* screen) {
    if (TQNTable* table = screen ? screen->Table() : nullptr) table->Refresh();
}

}  // namespace cv
