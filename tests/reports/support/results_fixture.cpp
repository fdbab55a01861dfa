#include "tests/reports/support/results_fixture.h"

#include <cstdio>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"

namespace cv::test {

ResultsTest::ResultsTest() {
    root.OpenSampleIndustry();
    owner = std::make_unique<QWidget>();
    owner->resize(1000, 640);
}

void ResultsTest::ReopenWithSeriesChanged(const std::function<void(TCvData&)>& change) {
    const std::string file = Session->IndFullPath();
    Session->IndClose();
    {
        TCvData industry;
        industry.Open(std::string(kIndustrySignature), file);
        change(industry);
        industry.SeriesList().SetModified(true);
        industry.Close();
    }
    ASSERT_TRUE(Session->IndOpen(file));
}

void ResultsTest::OpenVariant(const sample::TSampleVariant& variant) {
    Session->IndClose();
    root.OpenSampleIndustry(variant);
}

void ResultsTest::OpenOneMarketVariant() {
    ReopenWithSeriesChanged([](TCvData& industry) {
        TSeries& markets = *industry.MktSeries();
        markets.Assign(TSeries(markets.Id(), markets.Name(), markets.Lo(), {markets.Labels().front()}));
    });
}

TDataContext ResultsTest::Context(int period) const {
    TDataContext context;
    const TCvInd& industry = *Session->Industry();
    context.SelPeriod = context.CurPeriod = context.DecPeriod = static_cast<std::int16_t>(period);
    context.SelFirm = industry.ConstPart().GetSmallint(kCategoryIndustry, context, "WhichTeam");
    context.SelFta = industry.FtaSeries()->Lo();
    context.SelMarket = industry.MktSeries()->Lo();
    return context;
}

std::unique_ptr<TFirResult> ResultsTest::FirmScreen(int kind, const TDataContext& context) {
    return TCVScreen::Create<TFirResult>(owner.get(), context, kind, kWindowLayout);
}

TDataContext ResultsTest::Context() const { return Context(Session->Industry()->CurPeriod()); }

void ResultsTest::SetReportValue(int period, int category, const TDataContext& context, const char* name, int item,
                                 double value) {
    TSimArr* array = Session->Industry()->PerResults(period).FindSimArr(category, context, name);
    ASSERT_NE(array, nullptr) << name << " of period " << period;
    array->SetReal48({item}, value);
}

std::string CellText(const TQNTable& table, int row, int column) { return table.Sheet().Model().Text(row, column); }

bool IsBold(const TQNTable& table, int row, int column) {
    return table.Sheet().Model().Format(row, column).font.bold;
}

std::int32_t FontColour(const TQNTable& table, int row, int column) {
    return table.Sheet().Model().Format(row, column).font.colour;
}

void ExpectCells(const TQNTable& table, std::initializer_list<TExpectedCell> cells) {
    for (const TExpectedCell& cell : cells)
        EXPECT_EQ(CellText(table, table.OriginRow() + cell.row, cell.column), cell.text)
            << "row " << cell.row << ", column " << cell.column;
}

std::string RenderTable(const TQNTable& table) {
    const TQNSheet& sheet = table.Sheet();
    const TTableGeometry& g = sheet.Geometry();
    std::string text;
    for (const std::string& line : sheet.Captions().titleLines) text += "title: " + line + "\n";
    for (const std::string& line : sheet.Captions().noteLines) text += "note: " + line + "\n";
    const int lastRow = g.originRow + g.titleRows + g.bodyRows + g.totalRows - 1;
    const int lastColumn = g.originCol + g.headingCols + g.bodyCols + g.totalCols - 1;
    for (int row = g.originRow; row <= lastRow; ++row)
        for (int column = g.originCol; column <= lastColumn; ++column) {
            const std::string shown = CellText(table, row, column);
            if (shown.empty()) continue;
            text += std::to_string(row - g.originRow + 1) + "," + std::to_string(column) + ": " + shown;
            if (IsBold(table, row, column)) text += " bold";
            if (const std::int32_t colour = FontColour(table, row, column); colour != 0) {
                char hex[32];
                std::snprintf(hex, sizeof hex, " colour %06X", static_cast<unsigned>(colour));
                text += hex;
            }
            text += "\n";
        }
    return text;
}

}  // namespace cv::test
