#pragma once
// Where the decisions page puts its buttons: five picture buttons in two rows
// (brand portfolio, marketing mix and distribution above, market studies and
// R&D below), the state panel under them and the summary, budget and
// marketing-plan buttons along the bottom. Plain arithmetic on the sizes of
// the controls and the page's client area, so that it is checked by itself.

namespace cv {

struct TLayoutBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const TLayoutBox&) const = default;
};

// The controls, each with its Width and Height set; the layout sets Left and Top.
struct TDecisionPageBoxes {
    TLayoutBox BrdPF, BrdMMix, Distrib, Studies, RnD;            // the area buttons
    TLayoutBox ImBrdPF, ImBrdMMix, ImDistrib, ImStudies, ImRnD;  // their picture panels
    TLayoutBox Summary, Budget, MktPlan;                         // the bottom row
    TLayoutBox ErrWng;                                           // the state panel
};

// Gap between a picture and its button, and margin around the bottom rows: 2
// and 2 on a screen of class 1 (640 pixels wide), else 5 and 30.
struct TLayoutSpacing {
    int Gap;
    int Margin;
};
TLayoutSpacing LayoutSpacing(int screenClass);

// Lays the boxes out in a client area Width x Height. Picture panels take the
// Left and Width of their buttons.
void LayoutButtons(TDecisionPageBoxes& boxes, int width, int height, TLayoutSpacing spacing);

}  // namespace cv
