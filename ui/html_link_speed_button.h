#pragma once
// A flat button that looks like a link: blue underlined Arial 10 and the
// pointing-hand cursor, 250 x 50 unless its owner resizes it.

#include <QToolButton>

namespace cv {

class THTMLLinkSpeedButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 250;
    static constexpr int kDefaultHeight = 50;

    explicit THTMLLinkSpeedButton(QWidget* owner = nullptr);
};

}  // namespace cv
