#include "core/store/data_context.h"

#include <string>

#include "core/base/ui_services.h"

namespace cv {

TCellIndex ReportUnknownCategory(int category) {
    Ui().ShowPlainBox("CalcIndices: unknown category: " + std::to_string(category));
    return {};
}

}  // namespace cv
