// Messages for the firm-results screens. The instructor writes to every team
// a paragraph, a blank line and a second paragraph, and to team A (firm 1) in
// the North a note with two blank lines inside it; the simulation tells firm 1
// in the North, from period 1 on, that stock of its first brand was sold off
// (a message of the language file with four parameters).
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
constexpr std::uint8_t kSimPartLength = 16;
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

}  // namespace

void WriteMessageToAll(const TSampleCell& cell, std::string_view name) {
    const long long period = cell.Period();
    WriteLines(cell, name,
               {FormatText("The results of period %d are available.", {period}), "",
                FormatText("Decisions for period %d are due before the next session.", {period + 1})});
}

void WriteMessageToFirm(const TSampleCell& cell, std::string_view name) {
    if (cell.cell.firm != kMessagedFirm || cell.cell.zone != kMessagedZone) return;
    WriteLines(cell, name, {"Team A: your budget request was received.", "", "",
                            "Please check the loan schedule before deciding."});
}

void WriteSimulationMessage(const TSampleCell& cell, std::string_view name) {
    if (cell.cell.firm != kMessagedFirm || cell.cell.zone != kMessagedZone || cell.Period() < 1) return;
    TSimArr& messages = MessageArray(cell, name, kSimPartLength,
                                     {&RequireSeries(cell.industry, "MsgSim"), &RequireSeries(cell.industry, "MsgSKP")});
    const int row = cell.set.GetSmallintDef(cell.category, cell.context, "NbMsgSim", 0) + 1;
    const std::string_view items[] = {"messages", "InvDisposalECost", "ALBA", "50.0", "13", "1500"};
    const std::int8_t columns[] = {si::Section, si::Keyword, si::Param1, si::Param2, si::Param3, si::Param4};
    for (std::size_t i = 0; i < std::size(items); ++i) messages.SetZts({row, columns[i]}, items[i]);
    cell.set.SetSmallint(cell.category, cell.context, "NbMsgSim", static_cast<std::int16_t>(row));
}

}  // namespace cv::sample
