#include "reports/documents/doc_kinds.h"

#include <cstddef>

namespace cv {

// The decision documents read the decisions of the coming period; the
// marketing plan also reads the results its forecast made for that period.
const TDocKindSettings& DocKindSettings(TDocKind kind) {
    static const std::array<TDocKindSettings, 7> kinds{{
        {'R', "LOGOCR.WMF", {1, 3, 2}, {3, 0, 1, 15, 2}, 0, 0},
        {'N', "LOGONL.WMF", {5, 4, 2}, {4, 0, 6, 15, 2}, 0, 0},
        {'S', "LOGOCV.WMF", {1, 9, 2}, {5, 0, 1, 15, 2}, 0, 0},
        {'D', "LOGODEC.WMF", {1, 10, 17}, {8, 0, 1, 15, 14}, 0, 1},
        {'B', "LOGOBGT.WMF", {1, 11, 17}, {9, 0, 1, 15, 14}, 0, 1},
        {'P', "LOGOPLAN.WMF", {1, 14, 17}, {10, 0, 1, 15, 14}, 1, 1},
        {'H', nullptr, {1, 0, 2}, {0, 0, 0, 0, 0}, 0, 0},
    }};
    return kinds[static_cast<std::size_t>(kind)];
}

}  // namespace cv
