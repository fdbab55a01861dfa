#pragma once
// TPageDisplay: what a page shows, in one slot that report screens and
// charts both fill. Print, copy and the hard copy read this slot only, so
// every page that shows something can print and copy it. What is shown
// follows a change of the page's size, as the main window makes when the room
// the screen leaves it changes.

#include <QSize>
#include <memory>

#include "ui/chart/cv_chart.h"
#include "ui/report/cv_screen.h"

class QWidget;

namespace cv {

class TPageDisplay {
public:
    // Page: the window the screens' tables and the charts lie on.
    explicit TPageDisplay(const QWidget& page);
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
    // Builds what is shown again with Context, in place: the chart, the
    // screen. What does not build is reported and no longer shown.
    void Rebuild(const TDataContext& context);
    // Lays what is shown out again when the page's size differs from the one
    // it was laid out for: the screen's table is fitted and placed again; the
    // chart keeps the room it left to the page's edges when it was shown.
    void FollowPageSize();

    // Prints the chart, or the hard copy of the report screen's table (from
    // the fifth row of a page) when a default printer exists; a display that
    // shows nothing says "NothingToPrint".
    void Print(QWidget* owner) const;
    // Copies the chart as a picture, or the screen's table as text; a display
    // that shows nothing says "NothingToCopyToClip".
    void CopyToClipboard() const;

private:
    const QWidget& page_;
    std::unique_ptr<TCVScreen> screen_;
    std::unique_ptr<TCVChart> chart_;
    QSize laidOutFor_;     // the page's size when what is shown was laid out
    QSize chartRoomLeft_;  // the page's size less the chart's when it was shown
};

}  // namespace cv
