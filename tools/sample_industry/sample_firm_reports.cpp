// Messages for the firm-results screens. The instructor writes to every team
// a paragraph, a blank line and a second paragraph, and to team A (firm 1) in
// the North a note with two blank lines inside it, acknowledging the requests
// that the team's decisions of the period hold. The simulation's own
// messages are the forecasts': the sell-off of team A's first brand in the
// current period is one, with four parameters.
#include "tools/sample_industry/sample_firm_reports.h"

#include <string>
#include <vector>

#include "core/base/text_format.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {
namespace {

constexpr std::uint8_t kMessageLength = 128;
constexpr int kMessagedFirm = 1;
constexpr int kMessagedZone = 1;

// The array Name of the cell as the forecast shaped it, or a new one over Dimensions.
TSimArr& MessageArray(const TSampleCell& cell, std::string_view name, std::uint8_t length,
                      std::initializer_list<const TSeries*> dimensions) {
    if (TSimArr* existing = cell.set.FindSimArr(cell.category, cell.context, name)) return *existing;
    return NewArray(cell, name, dkZts, length, dimensions);
}

void WriteLines(const TSampleCell& cell, std::string_view name, const std::vector<std::string>& lines) {
    TSimArr& array = MessageArray(cell, name, kMessageLength, {&RequireSeries(cell.industry, "MsgAdmLine")});
    for (std::size_t i = 0; i < lines.size(); ++i) array.SetZts({static_cast<int>(i) + 1}, lines[i]);
}

// A line for each request that the firm's decisions of the cell's period hold.
std::vector<std::string> RequestsReceived(const TSampleCell& cell) {
    const TDataContext firm = SampleContext(cell.Period(), {cell.cell.firm, 0, 0});
    const TSimArr* request = cell.industry.PerDecisions(cell.Period()).FindSimArr(kCategoryFirm, firm, "LoanVal");
    std::vector<std::string> lines;
    if (request == nullptr) return lines;
    if (request->GetReal48({si::LoanCap}) != 0) lines.emplace_back("Team A: your loan request was received.");
    if (request->GetReal48({si::BgtChg}) != 0) lines.emplace_back("Team A: your budget change request was received.");
    return lines;
}

}  // namespace

void WriteMessageToAll(const TSampleCell& cell, std::string_view name) {
    const long long period = cell.Period();
    WriteLines(cell, name,
               {FormatText("The results of period %d are available.", {period}), "",
                FormatText("Decisions for period %d are due before the next session.", {period + 1})});
}

void WriteMessageToFirm(const TSampleCell& cell, std::string_view name) {
    if (cell.cell.firm != kMessagedFirm || cell.cell.zone != kMessagedZone) return;
    std::vector<std::string> lines = RequestsReceived(cell);
    if (lines.empty()) lines.push_back("Team A: your decisions were received.");
    lines.insert(lines.end(), {"", "", "Please check the loan schedule before deciding."});
    WriteLines(cell, name, lines);
}

}  // namespace cv::sample
