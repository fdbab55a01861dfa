// Formulas as the reports and the marketing plan write them: sums over
// ranges, change and growth cells, weighted sums; recalculation after a cell
// changes; error values in place of failures.
#include <gtest/gtest.h>

#include <tuple>

#include "core/base/errors.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/sheet_model.h"

namespace cv {
namespace {

TEST(FormulaTest, SumsRecalculateAfterACellChanges) {
    TSheetModel sheet;
    sheet.SetNumber(2, 2, 1);
    sheet.SetNumber(3, 2, 2);
    sheet.SetNumber(4, 2, 3);
    sheet.SetText(5, 2, "n/a");  // a text in a summed range counts as nothing
    sheet.SetFormula(6, 2, "SUM(" + TQNTable::RangeRef(1, 1, 1, 1, 4, 1) + ")");
    EXPECT_EQ(sheet.FormulaText(6, 2), "SUM(B2:B5)");
    EXPECT_DOUBLE_EQ(sheet.Number(6, 2), 6);  // 1 + 2 + 3
    sheet.SetNumber(3, 2, 10);
    EXPECT_DOUBLE_EQ(sheet.Number(6, 2), 14);  // 1 + 10 + 3
    sheet.SetFormula(7, 2, "SUM(B6,B2*2)");
    EXPECT_DOUBLE_EQ(sheet.Number(7, 2), 16);  // 14 + 2
}

TEST(FormulaTest, RangeRefOfEqualCornersIsOneCell) {
    EXPECT_EQ(TQNTable::RangeRef(10, 2, 1, 1, 1, 1), "C11");
    EXPECT_EQ(TQNTable::RangeRef(10, 2, 1, 1, 3, 2), "C11:D13");
    EXPECT_EQ(TQNTable::RangeRef(0, 26, 1, 1, 1, 1), "AA1");
    EXPECT_THROW(TQNTable::RangeRef(0, 0, 0, 1, 1, 1), ERangeError);
}

// Numbers at D4 = 200, F4 = 230, C8 = 25, C9 = 30.5, C5 = 0.2, C6 = 0.3,
// D5 = 60, D6 = 40.
TEST(FormulaTest, MarketingPlanFormsFollowTheirCells) {
    TSheetModel sheet;
    using TNumber = std::tuple<int, int, double>;
    for (const auto& [row, column, value] : {TNumber{4, 4, 200}, TNumber{4, 6, 230}, TNumber{8, 3, 25},
                                             TNumber{9, 3, 30.5}, TNumber{5, 3, 0.2}, TNumber{6, 3, 0.3},
                                             TNumber{5, 4, 60}, TNumber{6, 4, 40}})
        sheet.SetNumber(row, column, value);
    const struct {
        const char* formula;
        double value;
    } cases[] = {{"(F4/D4-1) * 100", 15},  // growth of a segment: (230 / 200 - 1) x 100
                 {"C9-C8", 5.5},           // change row: plan 30.5 - last 25
                 {"D5*C5 + D6*C6", 24},    // channel-weighted margin: 60 x 0.2 + 40 x 0.3
                 {"=-(2+3)*4", -20}};      // unary minus, parentheses, precedence
    for (int i = 0; i < 4; ++i) {
        sheet.SetFormula(12 + i, 1, cases[i].formula);
        EXPECT_NEAR(sheet.Number(12 + i, 1), cases[i].value, 1e-9) << cases[i].formula;
    }
    // The margin follows its cells: 50 x 0.2 + 50 x 0.3 = 25.
    sheet.SetNumber(5, 4, 50);
    sheet.SetNumber(6, 4, 50);
    EXPECT_NEAR(sheet.Number(14, 1), 25, 1e-9);
}

TEST(FormulaTest, FaultsShowErrorValuesInTheirCells) {
    TSheetModel sheet;
    sheet.SetText(1, 1, "-");
    const struct {
        const char* formula;
        const char* shown;
    } cases[] = {
        {"B1/0", "#DIV/0!"},           {"SUM(A1:ZZZ1)", "#REF!"},  // column 18278 lies outside the sheet
        {"B99999", "#REF!"},           {"A1*2", "#VALUE!"},        // "-" is no number
        {"SUM(B2:", "#NAME?"},         {"FOO(1)", "#NAME?"},
        {"2+", "#NAME?"},              {"C5+1", "#REF!"},          // C5 reads itself
        {"(B1/0)+1", "#DIV/0!"},       {"Z9", "0"},                // an empty cell reads as 0
    };
    for (const auto& c : cases) {
        sheet.SetFormula(5, 3, c.formula);
        EXPECT_EQ(sheet.Text(5, 3), c.shown) << c.formula;
        EXPECT_DOUBLE_EQ(sheet.Number(5, 3), 0) << c.formula;  // errors count as 0 where a number is read
    }
}

TEST(FormulaTest, DeletedRowsMoveTheReferencesBelowThem) {
    TSheetModel sheet;
    for (int row = 2; row <= 6; ++row) sheet.SetNumber(row, 2, row);
    sheet.SetFormula(8, 2, "SUM(B2:B6)");
    sheet.SetFormula(9, 2, "B5+B8");
    sheet.DeleteRows(5, 6);
    // Rows 5 and 6 are gone: the sum keeps B2:B4 (2 + 3 + 4 = 9) and moves to row 6.
    EXPECT_EQ(sheet.FormulaText(6, 2), "SUM(B2:B4)");
    EXPECT_DOUBLE_EQ(sheet.Number(6, 2), 9);
    EXPECT_EQ(sheet.FormulaText(7, 2), "#REF!+B6");
    EXPECT_EQ(sheet.Text(7, 2), "#REF!");
}

// Random texts of formula characters never stop the sheet: each evaluates to
// a number or an error value, the same on every reading.
TEST(FormulaTest, RandomTextsGiveNumbersOrErrorValues) {
    static constexpr char kAlphabet[] = "AB12$:(),+-*/SUM. 0e";
    TSheetModel sheet;
    sheet.SetNumber(1, 1, 3);
    sheet.SetNumber(2, 2, 0);
    std::uint32_t seed = 12345;
    for (int trial = 0; trial < 3000; ++trial) {
        std::string text;
        const int length = 1 + static_cast<int>((seed = seed * 134775813u + 1u) >> 28);
        for (int i = 0; i < length; ++i)
            text.push_back(kAlphabet[((seed = seed * 134775813u + 1u) >> 24) % (sizeof kAlphabet - 1)]);
        sheet.SetFormula(3, 3, text);
        const TCellValue value = sheet.CellValue(3, 3);
        ASSERT_TRUE(value.IsNumber() || value.IsError()) << text;
        const std::string shown = sheet.Text(3, 3);
        sheet.SetNumber(4, 4, trial);  // a change elsewhere: the formula is read again
        EXPECT_EQ(sheet.Text(3, 3), shown) << text;
    }
}

}  // namespace
}  // namespace cv
