#include "core/store/data_context.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"

namespace cv {
namespace {

TDataContext Selecting(std::int16_t firm, std::int16_t zone, std::int16_t market) {
    TDataContext context;
    context.SelFirm = firm;
    context.SelFta = zone;
    context.SelMarket = market;
    return context;
}

TEST(CalcIndices, EachCategoryKeepsOnlyItsDimensions) {
    test::RecordingUi ui;
    const TDataContext context = Selecting(3, 2, 1);
    EXPECT_EQ(CalcIndices(1, context), (TCellIndex{0, 0, 0}));
    EXPECT_EQ(CalcIndices(2, context), (TCellIndex{3, 0, 0}));
    EXPECT_EQ(CalcIndices(3, context), (TCellIndex{0, 2, 0}));
    EXPECT_EQ(CalcIndices(4, context), (TCellIndex{0, 0, 1}));
    EXPECT_EQ(CalcIndices(5, context), (TCellIndex{3, 2, 0}));
    EXPECT_EQ(CalcIndices(6, context), (TCellIndex{3, 0, 1}));
    EXPECT_EQ(CalcIndices(7, context), (TCellIndex{0, 2, 1}));
    EXPECT_EQ(CalcIndices(8, context), (TCellIndex{3, 2, 1}));
    EXPECT_TRUE(ui.plainBoxes.empty());
}

TEST(CalcIndices, IndustryCategoryIgnoresWhateverTheRecordHolds) {
    test::RecordingUi ui;
    TDataContext context = Selecting(6, 3, 3);
    context.SelPeriod = 12;
    context.SelSegment = 5;
    EXPECT_EQ(CalcIndices(kCategoryIndustry, context), (TCellIndex{0, 0, 0}));
}

TEST(CalcIndices, UnknownCategoryIsReportedOncePerCallAndGivesTheIndustryCell) {
    test::RecordingUi ui;
    const TDataContext context = Selecting(3, 2, 1);
    EXPECT_EQ(CalcIndices(0, context), (TCellIndex{0, 0, 0}));
    EXPECT_EQ(CalcIndices(9, context), (TCellIndex{0, 0, 0}));
    EXPECT_EQ(CalcIndices(-32768, context), (TCellIndex{0, 0, 0}));
    ASSERT_EQ(ui.plainBoxes.size(), 3u);
    EXPECT_EQ(ui.plainBoxes[0], "CalcIndices: unknown category: 0");
    EXPECT_EQ(ui.plainBoxes[1], "CalcIndices: unknown category: 9");
    EXPECT_EQ(ui.plainBoxes[2], "CalcIndices: unknown category: -32768");
}

}  // namespace
}  // namespace cv
