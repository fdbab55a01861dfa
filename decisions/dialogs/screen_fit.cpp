#include "decisions/dialogs/screen_fit.h"

#include <QWidget>
#include <algorithm>

#include "ui/report/cv_screen.h"
#include "ui/sheet/qn_sheet.h"

namespace cv {

namespace {
// The smallest scale, in percent, a table is shown at.
constexpr int kLeastViewScale = 10;
}  // namespace

void FitScreenInto(TCVScreen* screen, const QWidget& area) {
    TQNTable* table = screen ? screen->Table() : nullptr;
    if (!table || table->Width() <= 0 || table->Height() <= 0) return;
    const double room = std::min(static_cast<double>(area.width()) / table->Width(),
                                 static_cast<double>(area.height()) / table->Height());
    if (room >= 1) return;
    TQNSheet& sheet = table->Sheet();
    sheet.SetViewScale(std::max(kLeastViewScale, static_cast<int>(sheet.ViewScale() * room)));
    table->Refresh();
}

}  // namespace cv
