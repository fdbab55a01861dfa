#pragma once
// TPageDisplay: what a page shows, in one slot that report screens and
// charts both fill. Print, copy and the hard copy read this slot only, so
// every page that shows something can print and copy it.

#include <memory>

#include "ui/chart/cv_chart.h"
#include "ui/report/cv_screen.h"

class QWidget;

namespace cv {

class TPageDisplay {
public:
    TPageDisplay() = default;
    ~TPageDisplay();
    TPageDisplay(const TPageDisplay&) = delete;
    TPageDisplay& operator=(const TPageDisplay&) = delete;

    // Each replaces whatever was shown before.
    void Show(std::unique_ptr<TCVScreen> screen);
    void Show(std::unique_ptr<TCVChart> chart);
    void Clear();

    TCVScreen* Screen() const { return screen_.get(); }
    TCVChart* Chart() const { return chart_.get(); }
    bool IsEmpty() const { return !screen_ && !chart_; }
    // Builds what is shown again with Context, in place: the chart, the screen.
    void Rebuild(const TDataContext& context);

    // Prints the chart, or the hard copy of the report screen's table (from
    // the fifth row of a page) when a default printer exists; a display that
    // shows nothing says "NothingToPrint".
    void Print(QWidget* owner) const;
    // Copies the chart as a picture, or the screen's table as text; a display
    // that shows nothing says "NothingToCopyToClip".
    void CopyToClipboard() const;

private:
    std::unique_ptr<TCVScreen> screen_;
    std::unique_ptr<TCVChart> chart_;
};

}  // namespace cv
