#include "shell/bar_layout.h"

#include <cmath>
#include <vector>

namespace cv {
namespace {

constexpr double kDesignWidth = 640.0;
constexpr double kDesignHeight = 480.0;
constexpr int kDesignBarHeight = 58;
constexpr int kBarFrameHeight = 27;
// On the design screen the tool buttons sit flush with the bar's bottom edge;
// scaled, they keep this much space below them.
constexpr int kScaledToolButtonMargin = 2;
// On the design screen the close button grows by this much to reach the top.
constexpr int kDesignCloseButtonGrowth = 2;

// Nearest integer, halves to the even neighbour.
int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

QRect PlacePageButton(QRect design, double scaleX, double scaleY) {
    if (scaleY == 1.0) design.moveTop(1);
    design.moveLeft(Round(design.left() * scaleX));
    design.setHeight(Round(design.height() * scaleY));
    return design;
}

QRect PlaceToolButton(QRect design, int roomWidth, int barHeight, double scaleY) {
    design.moveLeft(roomWidth - static_cast<int>(kDesignWidth) + design.left());
    int top = barHeight - design.height();
    if (scaleY != 1.0) top -= kScaledToolButtonMargin;
    design.moveTop(top);
    return design;
}

QRect PlaceCloseButton(QRect design, double scaleX, double scaleY) {
    design.moveLeft(Round(design.left() * scaleX));
    design.setHeight(Round(design.height() * scaleY));
    if (scaleY == 1.0) {
        design.moveTop(0);
        design.setHeight(design.height() + kDesignCloseButtonGrowth);
    }
    return design;
}

}  // namespace

const std::vector<TBarControlPlace>& BarDesignPlaces() {
    using K = TBarControlKind;
    static const std::vector<TBarControlPlace> places{
        {"SpBDec", K::PageButton, QRect(4, 4, 93, 33)},
        {"SpBResult", K::PageButton, QRect(100, 4, 93, 33)},
        {"SpBNLetter", K::PageButton, QRect(196, 4, 93, 33)},
        {"SpBStudies", K::PageButton, QRect(292, 4, 93, 33)},
        {"SpBGraph", K::PageButton, QRect(388, 4, 93, 33)},
        {"SpBInterface", K::PageButton, QRect(484, 4, 93, 33)},
        {"sbPrint", K::ToolButton, QRect(288, 40, 20, 24)},
        {"sbHelp", K::ToolButton, QRect(584, 40, 24, 24)},
        {"sbQuickHelp", K::ToolButton, QRect(580, 8, 23, 23)},
        {"SbCopyToClip", K::ToolButton, QRect(256, 40, 24, 24)},
        {"sbConfig", K::ToolButton, QRect(556, 40, 24, 24)},
        {"sbIsAdmin", K::ToolButton, QRect(176, 40, 24, 24)},
        {"sbPrevPage", K::ToolButton, QRect(204, 40, 24, 24)},
        {"sbNextPage", K::ToolButton, QRect(228, 40, 24, 24)},
        {"sbCloseApp", K::CloseButton, QRect(592, 4, 45, 33)},
        {"sbAbout", K::ToolButton, QRect(612, 40, 24, 24)},
        {"sbDateTime", K::ToolButton, QRect(312, 40, 241, 24)},
    };
    return places;
}

int BarHeight(QSize room) { return Round(kDesignBarHeight * (room.height() / kDesignHeight)) + kBarFrameHeight; }

std::map<std::string, QRect> BarLayout(QSize room) {
    const double scaleX = room.width() / kDesignWidth;
    const double scaleY = room.height() / kDesignHeight;
    const int barHeight = BarHeight(room);
    std::map<std::string, QRect> layout;
    for (const TBarControlPlace& place : BarDesignPlaces()) {
        switch (place.kind) {
            case TBarControlKind::PageButton:
                layout[place.name] = PlacePageButton(place.designPlace, scaleX, scaleY);
                break;
            case TBarControlKind::ToolButton:
                layout[place.name] = PlaceToolButton(place.designPlace, room.width(), barHeight, scaleY);
                break;
            case TBarControlKind::CloseButton:
                layout[place.name] = PlaceCloseButton(place.designPlace, scaleX, scaleY);
                break;
        }
    }
    // The close button's right edge lines up with the about button's.
    QRect& close = layout["sbCloseApp"];
    const QRect& about = layout["sbAbout"];
    close.moveLeft(about.left() + about.width() - close.width());
    return layout;
}

}  // namespace cv
