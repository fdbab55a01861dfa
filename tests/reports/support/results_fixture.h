#pragma once
// The program started in a root of its own with the sample industry open, a
// page-sized owner for the screens, and the context a page fills for the
// team's own firm at the industry's current period.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/store/cv_data.h"
#include "core/store/data_context.h"
#include "reports/results/firm_result.h"
#include "tests/app/support/program_root.h"
#include "ui/report/qn_table.h"

namespace cv::test {

class ResultsTest : public StartedProgramTest {
protected:
    ResultsTest();
    // The screens a test builds are gone by its end: tests save their own.
    QWidget* ShownWindow() override { return nullptr; }

    // The team's firm, the first zone and market, at Period (result and decision period alike).
    TDataContext Context(int period) const;
    TDataContext Context() const;
    // A firm-results screen of Kind built for a window on the owner.
    std::unique_ptr<TFirResult> FirmScreen(int kind, const TDataContext& context);
    // The results set element Item of the one-dimensional array Name, in the
    // cell that Category selects for Context, becomes Value.
    void SetReportValue(int period, int category, const TDataContext& context, const char* name, int item,
                        double value);

    // Closes the industry and opens Variant of the sample in its place.
    void OpenVariant(const sample::TSampleVariant& variant);
    // The variant that disables the conjoint study and hides the sales-force experiment.
    void OpenRestrictedVariant() { OpenVariant({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::Several}); }
    // Re-opens the sample with its market series cut to the first market: the
    // one-market variant of the industry.
    void OpenOneMarketVariant();
    // Closes the industry, lets Change alter its file's series, and opens it again.
    void ReopenWithSeriesChanged(const std::function<void(TCvData&)>& change);

    std::unique_ptr<QWidget> owner;
};

// The text a cell shows (its number format applied).
std::string CellText(const TQNTable& table, int row, int column);
// Whether the cell's font is bold, and its colour.
bool IsBold(const TQNTable& table, int row, int column);
std::int32_t FontColour(const TQNTable& table, int row, int column);
// Each cell's shown text, rows counted from the table's origin row: one table
// of expectations per screen instead of a line per cell.
struct TExpectedCell {
    int row;
    int column;
    std::string text;
};
void ExpectCells(const TQNTable& table, std::initializer_list<TExpectedCell> cells);
// The whole table, caption lines first, then every non-empty cell of the
// table's rows and columns as "row,column: text", with " bold" and the font
// colour when it is not black.
std::string RenderTable(const TQNTable& table);

}  // namespace cv::test
