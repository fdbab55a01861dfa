// The messages the team received for the period: the instructor's message to
// every team and to this firm, then the simulation's messages, each taken
// from the language file and filled with its parameters.
#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/results/firm_result.h"

namespace cv {
namespace {

constexpr int kBodyRows = 220;
constexpr int kColumns = 10;
constexpr int kMinBodyRows = 10;
constexpr int kMaxVisibleRows = 20;
constexpr int kInstructorLines = 10;
constexpr int kSimulationMessages = 20;
constexpr int kParameters = 5;

}  // namespace

void TFirResult::BuildMessages() {
    empty_ = true;
    LoadLines(kSectionResults, "AllMsgs");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "AllMsgs");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    table.DefineTable({.titleRows = 1,
                       .bodyRows = kBodyRows,
                       .bodyCols = kColumns,
                       .minBodyRows = kMinBodyRows,
                       .maxVisibleRows = kMaxVisibleRows});
    const int origin = table.OriginRow();
    table.SetTextAcross(origin, 1, kColumns, GetLine(2));
    row_ = origin + 1;
    lastBodyRow_ = origin + kBodyRows;
    WriteInstructorLines("MsgAdm2All", kCategoryFta);
    WriteInstructorLines("MsgAdm2Fir", kCategoryFirmFta);
    WriteSimulationMessages();
}

void TFirResult::WriteInstructorLines(const char* arrayName, int category) {
    const TSimArr* lines = ResultsArray(category, arrayName);
    if (!lines || lines->NDim() != 1) return;
    const int first = row_;
    int lastWritten = 0;
    for (int i = 1; i <= kInstructorLines && i >= lines->LB(1) && i <= lines->UB(1); ++i) {
        const std::string& text = lines->GetZts({i});
        // Blank lines between text lines keep their rows; trailing ones use none.
        if (!text.empty() && row_ <= lastBodyRow_) {
            table_->SetTextAcross(row_, 1, kColumns, text);
            empty_ = false;
            lastWritten = row_;
        }
        ++row_;
    }
    row_ = lastWritten ? lastWritten + 1 : first;
    if (lastWritten && row_ <= lastBodyRow_) table_->SetRangeBorderTop(row_, 1, row_, kColumns, 1, 0);
}

void TFirResult::WriteSimulationMessages() {
    const TSimArr* messages = ResultsArray(kCategoryFirmFta, "MsgSim2Fir");
    if (!messages || messages->NDim() != 2 || si::Section == kSeriesMissing) return;
    const auto inside = [messages](int message, int item) {
        return message >= messages->LB(1) && message <= messages->UB(1) && item >= messages->LB(2) &&
               item <= messages->UB(2);
    };
    const std::int8_t parameterItems[kParameters] = {si::Param1, si::Param2, si::Param3, si::Param4, si::Param5};
    for (int k = 1; k <= kSimulationMessages && inside(k, si::Section) && inside(k, si::Keyword); ++k) {
        const std::string& sectionName = messages->GetZts({k, si::Section});
        if (sectionName.empty()) continue;
        empty_ = false;
        // The model writes only the language file's sections; an unknown one cannot be shown.
        const int section = TTranslate::SectionIndex(sectionName);
        if (section < 1) continue;
        LoadLines(section, messages->GetZts({k, si::Keyword}));
        for (std::string line : lines_) {
            for (int p = 0; p < kParameters; ++p)
                if (inside(k, parameterItems[p]))
                    line = ReplaceFirst(line, "@" + std::to_string(p + 1), messages->GetZts({k, parameterItems[p]}));
            WriteMessageLine(line);
        }
        if (row_ <= lastBodyRow_) table_->SetRangeBorderTop(row_, 1, row_, kColumns, 1, 0);
    }
}

// The body has a fixed number of rows: lines beyond it are not written.
void TFirResult::WriteMessageLine(const std::string& text) {
    if (row_ <= lastBodyRow_) table_->SetTextAcross(row_, 1, kColumns, text);
    ++row_;
}

}  // namespace cv
