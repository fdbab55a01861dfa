#include "core/session/instructor_messages.h"

#include <algorithm>

#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"

namespace cv {

namespace {

constexpr int kMessageLines = 10;

std::vector<std::string> FilledLines(const TSimArr& message) {
    std::vector<std::string> lines;
    // A stored message of another shape yields the lines it has, never an
    // index outside its bounds.
    if (message.NDim() != 1) return lines;
    const int last = std::min<int>(message.UB(1), kMessageLines);
    for (int line = std::max<int>(message.LB(1), 1); line <= last; ++line) {
        std::string text = message.GetString({line});
        if (!text.empty()) lines.push_back(std::move(text));
    }
    return lines;
}

}  // namespace

TInstructorMessages ReadInstructorMessages(TCvData& industry, const TDataContext& context) {
    const TCvPerData& results = industry.PerResults(context.CurPeriod);
    return {FilledLines(results.GetSimArr(kCategoryFta, context, "MsgAdm2All")),
            FilledLines(results.GetSimArr(kCategoryFirmFta, context, "MsgAdm2Fir"))};
}

}  // namespace cv
