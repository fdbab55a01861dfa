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
        return TCVScreen::Create<TRnDProtoList>(owner.get(), Context(3), kind, kWindowLayout);
    }
};

// Rows from 2 below the origin; market M1 has five dimensions: the last column is 5 + 5 = 10.
TEST_F(RnDProtoListTest, EachKindListsItsProjects) {
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
        for (std::size_t i = 0; i < c.names.size(); ++i)
            test::ExpectCells(*list->Table(), {{2 + static_cast<int>(i), 1, c.names[i]},
                                               {2 + static_cast<int>(i), 10, c.lastColumn[i]}});
        test::ExpectCells(*list->Table(), {{2 + static_cast<int>(c.names.size()), 1, ""}});
        EXPECT_FALSE(list->IsEmpty());
    }
}

TEST_F(RnDProtoListTest, TheNewProjectIsBoldAndAmountsAreInThousands) {
    auto list = List(TProtoListKind::AllProjects);
    EXPECT_TRUE(test::IsBold(*list->Table(), list->Table()->OriginRow() + 2, 2));
    // 1,200,000 and 400,000 spent; under the ten body rows the shown table
    // keeps, the first total row holds the note on the marker.
    test::ExpectCells(*list->Table(), {{3, 9, "1,200"}, {4, 9, "400"}, {12, 1, "* completed this period"}});
}

TEST_F(RnDProtoListTest, NoProjectLeavesOnlyTheHeadingsAndSetsTheEmptyFlag) {
    Session->Industry()->PerResults(3).SetSmallint(kCategoryFirmMarket, Context(3), "NbPros", 0);
    auto list = List(TProtoListKind::AllProjects);
    EXPECT_TRUE(list->IsEmpty());
    test::ExpectCells(*list->Table(), {{2, 1, ""}, {1, 1, "Name"}});
}

}  // namespace
}  // namespace cv
