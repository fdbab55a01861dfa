#include "ui/sheet/cell_value.h"

namespace cv {

const char* CellErrorText(TCellError error) {
    switch (error) {
        case TCellError::Ref: return "#REF!";
        case TCellError::Div0: return "#DIV/0!";
        case TCellError::Value: return "#VALUE!";
        case TCellError::Name: return "#NAME?";
    }
    return "#VALUE!";
}

}  // namespace cv
