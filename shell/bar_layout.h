#pragma once
// Where the controls of the main window's bar go in the room the window has on
// the screen. The bar was drawn for a 640 x 480 room; in a larger one the page
// buttons spread out in proportion (keeping their widths), the tool buttons
// keep their distance from the right edge and sit on the bar's bottom edge,
// and the close button lines up with the about button.

#include <QRect>
#include <QSize>
#include <map>
#include <string>
#include <vector>

namespace cv {

// How a bar control moves with the room.
enum class TBarControlKind { PageButton, ToolButton, CloseButton };

struct TBarControlPlace {
    std::string name;  // the control's component name
    TBarControlKind kind;
    QRect designPlace;  // left, top, width, height on the 640 x 480 design
};

// The design places of every control of the bar, in the form's field order.
const std::vector<TBarControlPlace>& BarDesignPlaces();

// Height of the bar: Round(58 x room height / 480) + 27.
int BarHeight(QSize room);

// The place of every control of BarDesignPlaces in Room, by component name.
std::map<std::string, QRect> BarLayout(QSize room);

}  // namespace cv
