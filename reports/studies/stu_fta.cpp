// Benchmarking (51..55): every firm's profit and loss statement side by side,
// for the zone (51, 53) or the zone's market (52, 54, 55), in thousands or as
// a share of each firm's retail sales (53, 54). The firms fill the right-most
// columns of a table ten columns wide.
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"
#include "ui/sheet/cell_format.h"

namespace cv {
namespace {

constexpr int kTableColumns = 10;
constexpr int kZoneRows = 20;
constexpr int kMarketRows = 13;

// One body row of the statement: a heading (no element), or an element of
// "FFXRpt" with its sign and style.
struct TBenchmarkRow {
    const std::int8_t* element;  // nullptr: a heading
    bool negate;
    bool line;
    bool bold;
};

const TBenchmarkRow kRows[kZoneRows] = {
    {nullptr, false, false, false},        {&si::ffxRSales, false, false, false}, {&si::ffxRev, false, true, false},
    {nullptr, false, false, false},        {&si::ffxCGS, true, false, false},     {&si::ffxIHC, true, false, false},
    {&si::ffxISC, true, false, false},     {&si::ffxCBM, false, true, true},      {nullptr, false, false, false},
    {&si::ffxAdvM, true, false, false},    {&si::ffxAdvQ, true, false, false},    {&si::ffxSlf, true, false, false},
    {&si::ffxCAM, false, true, true},      {nullptr, false, false, false},        {&si::ffxMRS, true, false, false},
    {&si::ffxRnD, true, false, false},     {&si::ffxIP, true, false, false},      {&si::ffxECP, false, false, false},
    {&si::ffxNC, false, true, true},       {&si::ffxNPB, false, false, false},
};

}  // namespace

TStuFta::TStuFta(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout)
    : TStudies(owner, context, screen, layout) {
    if (screen_ >= 51 && screen_ <= 55) studyKey_ = "Benchmark";
    const TCvInd* industry = Industry();
    const TSeries* studies = industry ? industry->SeriesList().FindSeries("StuFta") : nullptr;
    studyIndex_ = studies ? studies->IndexOf(studyKey_) : kLabelAbsent;
}

bool TStuFta::IsAllowed() const { return !Restricted("StuFta"); }

bool TStuFta::IsOrdered() const { return Bought(kCategoryFirmFta, "DecStuFta"); }

void TStuFta::Build(const TDataContext& context) {
    TResult::Build(context);
    if (screen_ < 51 || screen_ > 55)
        throw ERangeError("Unknown fta level study screen " + std::to_string(screen_));
    BuildBenchmark();
    Present();
}

void TStuFta::BuildBenchmark() {
    empty_ = true;
    LoadLines(kSectionStudies, "StuBenchmark");
    percentage_ = screen_ == 53 || screen_ == 54;
    const bool zone = screen_ == 51 || screen_ == 53;
    const TCvInd& industry = *Industry();
    const int firms = industry.NbFirms();
    TQNTable& table = EnsureTable(TTableType::BandedColumns, "StuBenchmark");
    FillTable(table, {zone ? 1 : 2}, {percentage_ ? 3 : 0}, 0, 0, 0, -1);
    const int bodyRows = zone ? kZoneRows : kMarketRows;
    const int labelColumns = kTableColumns - firms;
    Define({.titleRows = 1, .bodyRows = bodyRows, .headingCols = labelColumns, .bodyCols = firms});
    if (const int status = GetStatus(); status != ssShown) {
        WriteNotShown(status, false);
        return;
    }
    table.SetCellText(TitleRow(), labelColumns, MiscLabels()[1]);
    for (int row = 1; row <= bodyRows; ++row) {
        table.SetCellText(BodyRow(row), 1, GetLine(4 + row));
        const TBenchmarkRow& kind = kRows[row - 1];
        if (!kind.element) table.SetRangeFont(BodyRow(row), 1, BodyRow(row), 1, -1, 1, -1, -1, -1);
        if (kind.line) table.SetRangeBorderBottom(BodyRow(row), 1, BodyRow(row), kTableColumns, 1, 0);
        if (kind.bold) Emphasise(BodyRow(row));
        // The unit of the row's figures stands in the last label column.
        if (kind.element) table.SetCellText(BodyRow(row), labelColumns, percentage_ ? GetLine(4) : UnitLabels()[4]);
    }
    const std::int16_t shownFirm = context_.SelFirm;
    for (int firm = 1; firm <= firms; ++firm) {
        context_.SelFirm = static_cast<std::int16_t>(firm);
        const TSimArr* report =
            zone ? ResultsArray(kCategoryFirmFta, "StuFfxRpt") : ResultsArray(kCategoryFirmFtaMarket, "StuFfmRpt");
        table.SetCellText(TitleRow(), labelColumns + firm, industry.FirmLabel(firm));
        for (int row = 1; row <= bodyRows; ++row)
            if (const std::int8_t* element = kRows[row - 1].element)
                WriteBenchmarkRow(report, firm, BodyRow(row), *element, kRows[row - 1].negate);
    }
    context_.SelFirm = shownFirm;
    table.SetRangeAlign(TitleRow(), labelColumns, LastRow(), labelColumns, kAlignRight, kAlignMiddle, false);
    // Shares with one decimal; thousands as whole numbers.
    table.SetRangeFormat(BodyRow(1), 1, BodyRow(bodyRows), kTableColumns,
                         percentage_ ? TNumberFormat::Percent : TNumberFormat::Whole);
    table.Sheet().SetColumnWidths(1, kTableColumns, 100);
    empty_ = false;
}

void TStuFta::WriteBenchmarkRow(const TSimArr* report, int firm, int row, int element, bool negate) {
    const double value = Value(report, {element});
    const double shown =
        percentage_ ? SafeDiv(value, Value(report, {si::ffxRSales}), 0) : value / 1000;
    // 0 - 0 keeps a zero cost from showing as "-0".
    table_->SetCellNumber(row, kTableColumns - Industry()->NbFirms() + firm, negate ? 0.0 - shown : shown);
}

}  // namespace cv
