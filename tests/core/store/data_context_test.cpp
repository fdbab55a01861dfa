#include "core/store/data_context.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

// Firm 3, zone 2, market 1: each category keeps only its own dimensions; an
// unknown one is reported and gives the industry cell.
TEST(CalcIndices, EachCategoryKeepsOnlyItsDimensions) {
    struct TCase {
        int category;
        TCellIndex cell;
        const char* report;
    };
    const TCase cases[] = {
        {1, {0, 0, 0}, nullptr}, {2, {3, 0, 0}, nullptr}, {3, {0, 2, 0}, nullptr}, {4, {0, 0, 1}, nullptr},
        {5, {3, 2, 0}, nullptr}, {6, {3, 0, 1}, nullptr}, {7, {0, 2, 1}, nullptr}, {8, {3, 2, 1}, nullptr},
        {0, {0, 0, 0}, "CalcIndices: unknown category: 0"},
        {9, {0, 0, 0}, "CalcIndices: unknown category: 9"},
        {-32768, {0, 0, 0}, "CalcIndices: unknown category: -32768"},
    };
    TDataContext context = test::CellContext(3, 2, 1);
    context.SelPeriod = 12;  // not a dimension of any cell
    context.SelSegment = 5;
    for (const TCase& c : cases) {
        test::RecordingUi ui;
        EXPECT_EQ(CalcIndices(c.category, context), c.cell) << c.category;
        EXPECT_EQ(ui.plainBoxes, c.report ? std::vector<std::string>{c.report} : std::vector<std::string>{})
            << c.category;
    }
}

}  // namespace
}  // namespace cv
