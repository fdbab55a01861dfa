// The R&D project lists on the sample's firm A in market M1 at period 3,
// with three projects of chosen figures: one ready this period, one ready in
// period 1, one still in progress.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/results/rnd_proto_list.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;

class RnDProtoListTest : public test::ResultsTest {
protected:
    RnDProtoListTest() {
        TCvPerData& results = Session->Industry()->PerResults(3);
        const TDataContext context = Context(3);
        results.SetSmallint(kCategoryFirmMarket, context, "NbPros", 3);
        TSimArr& names = *results.FindSimArr(kCategoryFirmMarket, context, "ProNames");
        TSimArr& finances = *results.FindSimArr(kCategoryFirmMarket, context, "ProFins");
        const char* projectNames[] = {"PNEW", "POLD", "PDEV"};
        //                        ready in, required budget, spent budget
        const double figures[][3] = {{3, 0, 900000}, {1, 0, 1200000}, {-5, 250000, 400000}};
        for (int p = 1; p <= 3; ++p) {
            names.SetZts({p}, projectNames[p - 1]);
            finances.SetReal48({p, si::ProPerEnd}, figures[p - 1][0]);
            finances.SetReal48({p, si::ProReqBgt}, figures[p - 1][1]);
            finances.SetReal48({p, si::ProCumBgt}, figures[p - 1][2]);
        }
    }
    std::unique_ptr<TRnDProtoList> List(TProtoListKind kind) {
        return TCVScreen::Create<TRnDProtoList>(owner.get(), Context(3), 18, 0, 0, kWindowMode, kind);
    }
};

TEST_F(RnDProtoListTest, EachKindListsItsProjects) {
    // Market M1 has four dimensions: the last column is 4 + 5 = 9.
    struct Case {
        TProtoListKind kind;
        std::vector<std::string> names, lastColumn;
    } cases[] = {
        {TProtoListKind::AllProjects, {"PNEW*", "POLD", "PDEV"}, {"Ready per. 3", "Ready per. 1", "250"}},
        {TProtoListKind::AvailablePrototypes, {"PNEW*", "POLD"}, {"Ready per. 3", "Ready per. 1"}},
        {TProtoListKind::OnGoingProjects, {"PDEV"}, {"250"}},
    };
    for (const Case& c : cases) {
        auto list = List(c.kind);
        const TQNTable& table = *list->Table();
        const int first = table.OriginRow() + 2;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(CellText(table, first + static_cast<int>(i), 1), c.names[i]);
            EXPECT_EQ(CellText(table, first + static_cast<int>(i), 9), c.lastColumn[i]);
        }
        EXPECT_EQ(CellText(table, first + static_cast<int>(c.names.size()), 1), "");
        EXPECT_FALSE(list->IsEmpty());
    }
}

TEST_F(RnDProtoListTest, TheNewProjectIsBoldAndAmountsAreInThousands) {
    auto list = List(TProtoListKind::AllProjects);
    const TQNTable& table = *list->Table();
    const int first = table.OriginRow() + 2;
    EXPECT_TRUE(test::IsBold(table, first, 2));
    EXPECT_EQ(CellText(table, first + 1, 8), "1,200");  // 1,200,000 spent / 1000
    EXPECT_EQ(CellText(table, first + 2, 8), "400");
    // The first total row, under the ten body rows the shown table keeps, holds the note on the marker.
    EXPECT_EQ(CellText(table, first + 10, 1), "* completed this period");
}

TEST_F(RnDProtoListTest, NoProjectLeavesOnlyTheHeadingsAndSetsTheEmptyFlag) {
    Session->Industry()->PerResults(3).SetSmallint(kCategoryFirmMarket, Context(3), "NbPros", 0);
    auto list = List(TProtoListKind::AllProjects);
    EXPECT_TRUE(list->IsEmpty());
    EXPECT_EQ(CellText(*list->Table(), list->Table()->OriginRow() + 2, 1), "");
    EXPECT_EQ(CellText(*list->Table(), list->Table()->OriginRow() + 1, 1), "Name");
}

}  // namespace
}  // namespace cv
