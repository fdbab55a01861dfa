#include "decisions/page/decision_page_layout.h"

#include <utility>

namespace cv {

namespace {
constexpr int kSmallScreenClass = 1;
}

TLayoutSpacing LayoutSpacing(int screenClass) {
    return screenClass == kSmallScreenClass ? TLayoutSpacing{2, 2} : TLayoutSpacing{5, 30};
}

// Integer division truncates toward zero, as the layout's rules are written.
void LayoutButtons(TDecisionPageBoxes& b, int w, int h, TLayoutSpacing spacing) {
    const int g = spacing.Gap;
    const int m = spacing.Margin;
    b.ErrWng.Left = (w - b.ErrWng.Width) / 2;
    b.Summary.Left = b.ErrWng.Left;
    b.Budget.Left = (w - b.Budget.Width) / 2;
    b.MktPlan.Left = b.ErrWng.Left + b.ErrWng.Width - b.MktPlan.Width;

    b.Budget.Top = h - b.Budget.Height - m;
    b.Summary.Top = b.MktPlan.Top = b.Budget.Top;
    b.ErrWng.Top = b.Budget.Top - b.ErrWng.Height - m;

    const int free = h - (b.ErrWng.Height + 2 * m + b.Budget.Height);
    const int v = (free - 2 * (b.ImBrdPF.Height + g + b.BrdPF.Height)) / 3;

    b.ImBrdPF.Top = b.ImBrdMMix.Top = b.ImDistrib.Top = v;
    b.BrdPF.Top = v + b.ImBrdPF.Height + g;
    b.BrdMMix.Top = b.Distrib.Top = b.BrdPF.Top;

    b.ImStudies.Top = b.BrdPF.Top + b.BrdPF.Height + v;
    b.ImRnD.Top = b.ImStudies.Top;
    b.Studies.Top = b.ImStudies.Top + b.ImStudies.Height + g;
    b.RnD.Top = b.Studies.Top;

    const int s = (w - (b.BrdPF.Width + b.BrdMMix.Width + b.Distrib.Width)) / 4;
    b.BrdPF.Left = s;
    b.BrdMMix.Left = (w - b.BrdMMix.Width) / 2;
    b.Distrib.Left = w - b.Distrib.Width - s;
    b.Studies.Left = w / 3 - b.Studies.Width / 2;
    b.RnD.Left = (2 * w) / 3 - b.RnD.Width / 2;

    for (auto [image, button] : {std::pair{&b.ImBrdPF, &b.BrdPF}, {&b.ImBrdMMix, &b.BrdMMix},
                                 {&b.ImDistrib, &b.Distrib}, {&b.ImStudies, &b.Studies}, {&b.ImRnD, &b.RnD}}) {
        image->Left = button->Left;
        image->Width = button->Width;
    }
}

}  // namespace cv
