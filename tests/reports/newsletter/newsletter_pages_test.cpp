// The newsletter's pages 1 to 3 on the sample industry (zone North), with the
// economy of the period shown and the next one set by hand so that every
// expected cell is derived here.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/newsletter/news_screen.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;
using test::IsBold;

class NewsletterPagesTest : public test::ResultsTest {
protected:
    std::unique_ptr<TNewsScr> Page(int page, const TDataContext& context) {
        return TCVScreen::Create<TNewsScr>(owner.get(), context, page, kWindowLayout);
    }
    TSimArr& Zone(const char* name) {
        return *Session->Industry()->ConstPart().FindSimArr(kCategoryFta, Context(), name);
    }
    // North in periods 3 and 4: inflation 2 % then 2.5 %, offset for salaries by
    // their own -2 % and -2.5 %, so that a salary is worth 1 in period 3 and,
    // with 25 % accumulated, 1.25 in period 4; no growth in period 3, 1.5 % in period 4.
    void SetEconomy() {
        const struct {
            int period;
            long double inflation, growth, cumulated;
        } periods[] = {{3, 0.02L, 0, 0}, {4, 0.025L, 0.015L, 0.25L}};
        for (const auto& p : periods) {
            Zone("Economics").SetReal48({p.period, si::InflationRate}, p.inflation);
            Zone("Economics").SetReal48({p.period, si::GnpGrowthRate}, p.growth);
            Zone("DeflatFacs").SetReal48({p.period, si::Salaries}, -p.inflation);
            Zone("CumInflation").SetReal48({p.period, si::Salaries}, p.cumulated);
        }
    }
};

// Rows from 2 below the origin: growth, inflation, the inventory heading,
// holding and selling-off coefficients, the sales-force heading, the three
// costs of a salesperson. Columns 7 this period, 9 the next, 10 the change.
TEST_F(NewsletterPagesTest, EconomicVariablesShowEachChangeOrADashOnAZeroBase) {
    SetEconomy();
    TDataContext market = Context();
    Session->Industry()->ConstPart().SetReal(kCategoryFtaMarket, market, "ISCCoef", 0);
    test::ExpectCells(*Page(TNewsScr::kEconomicVariables, Context())->Table(),
                      {{1, 7, "3"}, {1, 9, "4"}, {2, 7, "0.0%"}, {2, 9, "1.5%"},
                       {2, 10, "-"},                     // no growth to compare with
                       {3, 10, "+25.0%"},                // 2.5 % / 2 % - 1
                       {4, 1, "Inventory"}, {4, 7, ""},  // a heading row has no values
                       {4, 10, ""},
                       {5, 7, "8.0%"},                   // the sample's holding coefficient, unchanged
                       {5, 10, "+0.0%"},
                       {6, 9, "0.0%"},                   // selling off set to 0
                       {6, 10, "-"},
                       {8, 7, "30,000"}, {8, 9, "37,500"},  // North's salary 30,000 x 1 now, x 1.25 next
                       {8, 10, "+25.0%"}});
}

TEST_F(NewsletterPagesTest, StudyPricesSkipRestrictedStudiesAndRoundHalvesToEven) {
    OpenRestrictedVariant();
    SetEconomy();
    // Benchmark 2,000 x 1.25 = 2.5 K -> 2; consumer survey 2,800 x 1.25 = 3.5 K -> 4 in market 1.
    Zone("StuFtaParams").SetReal48({si::Benchmark, si::StuCost}, 2000);
    TDataContext market1 = Context();
    Session->Industry()->ConstPart().FindSimArr(kCategoryFtaMarket, market1, "StuMktParams")
        ->SetReal48({si::ConsumerSurvey, si::StuCost}, 2800);
    auto screen = Page(TNewsScr::kStudyPrices, Context());
    const TQNTable& table = *screen->Table();
    const int body = table.OriginRow() + 2;  // two markets: two title rows
    EXPECT_EQ(table.CellNumber(body, 5), 2);
    EXPECT_EQ(CellText(table, body + 1, 3), Session->Industry()->StuMktLabel(si::ConsumerSurvey));
    EXPECT_EQ(table.CellNumber(body + 1, 6), 4);  // three markets: market 1 in column 5 + 1
    // One zone study and eleven market studies, two of them restricted: the
    // nine that remain take rows 2..10; the two empty rows at the end of the
    // body are dropped when the table is shown, the totals follow row 10.
    EXPECT_NE(CellText(table, body + 9, 3), "");
    for (int row = body; row < body + 10; ++row) {
        EXPECT_NE(CellText(table, row, 3), Session->Industry()->StuMktLabel(si::Conjoint));
        EXPECT_NE(CellText(table, row, 3), Session->Industry()->StuMktLabel(si::ExperimentSlf));
    }
    // The totals. The other orderable studies cost 60, 40, 25, 30, 20, 35, 30
    // and 45 K: x 1.25 = 75, 50, 31.25, 37.5, 25, 43.75, 37.5, 56.25, rounded
    // 75 + 50 + 31 + 38 + 25 + 44 + 38 + 56 = 357. Market 1: 4 + 357 = 361;
    // markets 2 and 3 (survey 50 x 1.25 = 62.5 -> 62): 419 each; all: 2 + 361
    // + 419 + 419 = 1,201.
    const int totals = body + 10;
    EXPECT_EQ(table.CellNumber(totals, 5), 2);
    EXPECT_EQ(table.CellNumber(totals, 6), 361);
    EXPECT_EQ(table.CellNumber(totals, 7), 419);
    EXPECT_EQ(table.CellNumber(totals, 8), 419);
    EXPECT_EQ(table.CellNumber(totals + 1, 5), 1201);
    EXPECT_TRUE(IsBold(table, totals + 1, 3));
}

TEST_F(NewsletterPagesTest, StudyPricesOfOneMarketShareColumnFive) {
    OpenRestrictedVariant();
    OpenOneMarketVariant();
    SetEconomy();
    auto screen = Page(TNewsScr::kStudyPrices, Context());
    const TQNTable& table = *screen->Table();
    const int body = table.OriginRow() + 1;  // one title row
    // Benchmark 40 K and consumer survey 50 K x 1.25: 50 and 62.5 -> 62, both in column 5.
    EXPECT_EQ(table.CellNumber(body, 5), 50);
    EXPECT_EQ(table.CellNumber(body + 1, 5), 62);
    // One total row after the ten studies: 50 + 62 + 357 (the other orderable ones) = 469.
    EXPECT_EQ(CellText(table, body + 10, 3), "Grand total");
    EXPECT_EQ(table.CellNumber(body + 10, 5), 469);
    EXPECT_EQ(CellText(table, body + 11, 3), "");
}

// The stock-price index of firm E, 980 in period 1 over the base 1000: red
// on screen (see the golden files), black in a document.
TEST_F(NewsletterPagesTest, ScoreCardIndexesInADocumentAreBlack) {
    TDataContext context = Context(1);
    context.GraphOption = TNewsScr::kIndexMode;
    auto screen = TCVScreen::Create<TNewsScr>(owner.get(), context, TNewsScr::kScoreCard,
                                              kDocumentLayout);
    screen->Build(screen->Context());
    // Three markets: 2 x 3 + 13 = 19 body rows; the stock-price index row is 17, firm E in column 6.
    test::ExpectCells(*screen->Table(), {{17, 6, "0.98"}});
    EXPECT_EQ(test::FontColour(*screen->Table(), screen->Table()->OriginRow() + 17, 6), 0);
}

TEST_F(NewsletterPagesTest, ScoreCardOfOneMarketShowsUnitsAndValueRows) {
    OpenOneMarketVariant();
    auto screen = Page(TNewsScr::kScoreCard, Context(1));
    EXPECT_EQ(screen->Table()->Sheet().Geometry().bodyRows, 15);  // 2 x 1 + 13
    test::ExpectCells(*screen->Table(), {{2, 1, "     Units"}, {3, 1, "     Value"}});
}

}  // namespace
}  // namespace cv
