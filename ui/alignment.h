#pragma once
// The program's text alignments as Qt alignments.

#include <Qt>

#include "core/base/ui_services.h"

namespace cv {

inline Qt::Alignment ToQtAlignment(TAlignment alignment) {
    switch (alignment) {
        case TAlignment::taRightJustify: return Qt::AlignRight;
        case TAlignment::taCenter: return Qt::AlignHCenter;
        case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft;
}

}  // namespace cv
