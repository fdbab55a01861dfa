#include "ui/chart/cv_chart.h"

#include <limits>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "ui/help_state.h"

namespace cv {
namespace {

constexpr char kQuickHelpGraph[] = "NoQuickHelpGraph";
constexpr int kPreferredMajor = 5;  // fewest divisions a tenth or a fifth of the span may give

}  // namespace

void TCVChart::Build(const TDataContext& context) {
    context_ = context;
    firmSeries_ = periodSeries_ = nullptr;
    if (Session) {
        HelpState().SetQuickHelpKey(kQuickHelpGraph);
        if (const TCvInd* industry = Session->Industry()) {
            periodSeries_ = industry->PerSeries();
            firmSeries_ = industry->FirSeries();
        }
    }
    NoData = false;
    for (int series = 1; series <= ColumnCount(); ++series) {
        ResetPointStyles(series);
        ResetPointLabels(series);
    }
}

void TCVChart::LoadLines(int section, const std::string& key) {
    lines_.clear();
    if (Translator) Translator->GetLines(section, key, lines_);
}

std::string TCVChart::GetLine(int lineNo) const {
    if (lineNo < 1 || lineNo > static_cast<int>(lines_.size())) return "bad line number " + std::to_string(lineNo);
    return lines_[static_cast<std::size_t>(lineNo - 1)];
}

TAxisDivisions TCVChart::ChooseDivisions(int minimum, int maximum) {
    const long long span = static_cast<long long>(maximum) - minimum;
    if (span > std::numeric_limits<int>::max() || span < std::numeric_limits<int>::min())
        throw EOverflowError("Integer overflow");
    TAxisDivisions divisions;
    if (span % 10 == 0 && span / 10 >= kPreferredMajor) divisions.major = static_cast<int>(span / 10);
    else if (span % 5 == 0 && span / 5 >= kPreferredMajor) divisions.major = static_cast<int>(span / 5);
    else divisions.major = static_cast<int>(span);
    return divisions;
}

}  // namespace cv
