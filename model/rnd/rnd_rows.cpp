#include "model/rnd/rnd_rows.h"

#include <cmath>
#include <string>

#include "core/base/numbers.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"

namespace cv {

void RequireSpan(const TDynArr& array, std::string_view name, int dim, int lo, int hi) {
    if (lo > hi) return;
    if (array.NDim() >= dim && array.LB(dim) <= lo && array.UB(dim) >= hi) return;
    throw EModelError(FormatText("array %s does not span %d..%d in its dimension %d", {name, lo, hi, dim}));
}

void CopyRowColumns(TDynArr& dst, int dstRow, const TDynArr& src, int srcRow, int lo, int hi) {
    for (int column = lo; column <= hi; ++column) dst.CopyElement({dstRow, column}, src, {srcRow, column});
}

void CopyColumns(TDynArr& dst, int dstRow, const TDynArr& src, int srcRow,
                 std::initializer_list<std::uint8_t> columns) {
    for (const std::uint8_t column : columns) dst.CopyElement({dstRow, column}, src, {srcRow, column});
}

void StoreName(TDynArr& names, int row, std::string_view name) {
    const std::size_t length = names.SubType();
    if (length != 0 && name.size() > length) {
        LogFmt(1, "  name %s cut to %d characters", {name, static_cast<int>(length)});
        name = name.substr(0, length);
    }
    names.SetZts({row}, name);
}

// Rounded by the processor's own conversion, halves to even as RoundHalfEven
// rounds them: a truncating conversion of a rounded value costs more.
int FirmNumber(long double value) { return static_cast<int>(RoundHalfEvenWithin(value, 0, INT16_MAX).value_or(0)); }

}  // namespace cv
