#include "reports/screen/firm_values.h"

#include "core/store/typed_array.h"
#include "reports/screen/result_screen.h"

namespace cv {

std::optional<double> ReportValue(const TSimArr* array, int item, double scale) {
    if (!array || array->NDim() != 1 || item < array->LB(1) || item > array->UB(1)) return std::nullopt;
    const double value = ArrayNumber(array, {item});
    if (value == kNoValue) return std::nullopt;
    return value * scale;
}

}  // namespace cv
