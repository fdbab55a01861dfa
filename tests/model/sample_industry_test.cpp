// The sample industry holds every case the decision, study and graph pages
// read, in the sample that "make run" installs or in one of its variants: the
// counts, presence and sums below are what the generator's tables promise,
// derived by hand from them. A forecast on each variant runs without warning.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/regression.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_quantities.h"

namespace cv {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;
using sample::TSampleVariant;

constexpr int kCurrent = 3;
constexpr int kDecision = 4;
constexpr int kTeamA = 1;

// The sample (or a variant) written and opened in a world of its own.
struct OpenedSample {
    explicit OpenedSample(const TSampleVariant& variant = {})
        : industry(world.Open(sample::WriteSampleIndustryFile(world.GamesDir(), variant))) {}
    test::TModelWorld world;
    TCvInd& industry;

    const TCvPerData& Results(int period = kCurrent) { return industry.PerResults(static_cast<std::int16_t>(period)); }
    const TCvPerData& Decisions(int period = kDecision) {
        return industry.PerDecisions(static_cast<std::int16_t>(period));
    }
    const TSimArr& Arr(const TCvPerData& set, int category, int firm, int zone, int market, std::string_view name) {
        return test::Arr(set, category, test::FixtureCell(set.Period(), firm, zone, market), name);
    }
    int Smallint(const TCvPerData& set, int category, int firm, int zone, int market, std::string_view name) {
        return set.GetSmallint(category, test::FixtureCell(set.Period(), firm, zone, market), name);
    }
    int Brands(int zone, int market, int period = kCurrent) {
        return Smallint(Results(period), kCategoryFtaMarket, 0, zone, market, "NbMktedBrds");
    }
};

// One sum of thousandths per element: 1000 when the element had sales.
void ExpectThousand(int sum, const std::string& what) { EXPECT_EQ(sum, 1000) << what; }

// The shape of the markets: M1 9 brands, 5 dimensions, 6 scales (the sixth
// Price), 3 map axes, 3 segments; M2 2 brands, both A's (E, I and O have none), 3
// dimensions, 4 scales, 2 axes, 5 segments; M3 new, without brands, 2, 3, 2, 2.
TEST(SampleIndustry, MarketsChannelsAndZonesDiffer) {
    OpenedSample s;
    TCvInd& industry = s.industry;
    ASSERT_EQ(industry.NbMarkets(), 3);
    struct TShape {
        int dimensions, scales, axes, segments, brands;
    };
    const TShape shapes[] = {{5, 6, 3, 3, 9}, {3, 4, 2, 5, 2}, {2, 3, 2, 2, 0}};
    for (int m = 1; m <= 3; ++m) {
        const TShape& shape = shapes[m - 1];
        const std::string market = "market " + std::to_string(m);
        EXPECT_EQ(industry.DimSeries(m)->Count(), shape.dimensions) << market;
        EXPECT_EQ(industry.DimSeries(m)->IndexOf("Price"), kLabelAbsent) << market;
        EXPECT_EQ(industry.SemSeries(m)->Count(), shape.scales) << market;
        EXPECT_EQ(industry.SemSeries(m)->IndexOf("Price"), shape.scales) << market;
        EXPECT_EQ(industry.MapSeries(m)->Count(), shape.axes) << market;
        for (int zone = 1; zone <= 2; ++zone) {
            EXPECT_EQ(industry.SegSeries(zone, m)->Count(), shape.segments) << market;
            EXPECT_EQ(s.Brands(zone, m), shape.brands) << market;
            EXPECT_NE(industry.ConstPart().FindSimArr(kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, zone, m),
                                                      "SegGrowth"),
                      nullptr);
        }
    }
    EXPECT_EQ(s.Smallint(s.Results(), kCategoryFtaMarket, 0, 1, 3, "MktAge"), 0);
    EXPECT_EQ(s.Smallint(s.Results(), kCategoryFtaMarket, 0, 1, 1, "MktAge"), kCurrent + 1);
    // Firm E markets nothing in M2, where A markets two brands.
    EXPECT_EQ(s.Smallint(s.Results(), kCategoryFirmFtaMarket, 2, 1, 2, "NbMktedBrds"), 0);
    EXPECT_EQ(s.Smallint(s.Results(), kCategoryFirmFtaMarket, 1, 1, 2, "NbMktedBrds"), 2);
    EXPECT_EQ(industry.ChaSeries(1)->Count(), 3);
    EXPECT_EQ(industry.ChaSeries(2)->Count(), 2);
    // The South's exchange rate (1.6 plus its draws) is not 1; the North's is.
    const TSimArr& south = s.Arr(industry.ConstPart(), kCategoryFta, 0, 2, 0, "Economics");
    const TSimArr& north = s.Arr(industry.ConstPart(), kCategoryFta, 0, 1, 0, "Economics");
    EXPECT_NE(south.GetReal48({kCurrent, si::ExchangeRate}), 1);
    EXPECT_EQ(north.GetReal48({kCurrent, si::ExchangeRate}), 1);
}

// The five check parameters stand in the North's M1 only.
TEST(SampleIndustry, CheckParametersInOneZoneAndMarketOnly) {
    OpenedSample s;
    const TCvPerData& constant = s.industry.ConstPart();
    for (const char* name : {"MaxPriVar1", "ExpEffReduc", "ExpEffMult", "ExpEffBatch", "AdjustProdPlan"}) {
        EXPECT_NE(constant.GetRealDef(kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, 1, 1), name, -1), -1) << name;
        EXPECT_EQ(constant.GetRealDef(kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, 2, 1), name, -1), -1) << name;
        EXPECT_EQ(constant.GetRealDef(kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, 1, 2), name, -1), -1) << name;
    }
}

// On M1's first scale the study perceives Weight exactly as 0.5 + Weight / 10:
// the regression of the characteristic on the perceived value has slope 10 and
// intercept -5. The map regression on six scales and a constant keeps
// 9 - 7 = 2 residual degrees of freedom.
TEST(SampleIndustry, SemanticScaleIsLinearAndTheMapHasDegreesOfFreedom) {
    OpenedSample s;
    const int brands = s.Brands(1, 1);
    const TSimArr& positions = s.Arr(s.Results(), kCategoryFtaMarket, 0, 1, 1, "PosSemBrds");
    std::vector<double> perceived, actual;
    for (int b = 1; b <= brands; ++b) {
        perceived.push_back(positions.GetSmallint({b, 1, si::PSStuBrd}) / 1000.0);
        actual.push_back(positions.GetSmallint({b, 1, si::AttAct}));
    }
    double slope = 0, intercept = 0, r2 = 0;
    SimpleRegression(brands, perceived, actual, slope, intercept, r2);
    EXPECT_NEAR(slope, 10, 1e-9);
    EXPECT_NEAR(intercept, -5, 1e-9);
    EXPECT_NEAR(r2, 1, 1e-12);
    EXPECT_GE(brands - (s.industry.SemSeries(1)->Count() + 1), 1);
}

// Every study array the study screens read holds shares that add up: unit and
// value shares and purchase intentions to 100 % per segment, channel and
// overall, buying habits per segment; awareness and coverage within 0..100 %;
// conjoint weights to 100 % per segment with utilities within 0..1.
TEST(SampleIndustry, StudyArraysAreConsistent) {
    OpenedSample s;
    for (int zone = 1; zone <= 2; ++zone)
        for (int market = 1; market <= 2; ++market) {
            const std::string cell = "zone " + std::to_string(zone) + " market " + std::to_string(market);
            const TSeries& segments = *s.industry.SegSeries(zone, market);
            const TSeries& channels = *s.industry.ChaSeries(zone);
            const int brands = s.Brands(zone, market);
            auto arr = [&](std::string_view name) -> const TSimArr& {
                return s.Arr(s.Results(), kCategoryFtaMarket, 0, zone, market, name);
            };
            for (const char* name : {"StuBrdSegUMS", "StuBrdSegVMS", "StuBrdSegPI"})
                for (int seg = segments.Lo(); seg <= segments.Hi(); ++seg) {
                    int sum = 0;
                    for (int b = 1; b <= brands; ++b) sum += arr(name).GetSmallint({b, seg});
                    ExpectThousand(sum, cell + " " + name);
                }
            for (const char* name : {"StuBrdChaUMS", "StuBrdChaVMS"})
                for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
                    int sum = 0;
                    for (int b = 1; b <= brands; ++b) sum += arr(name).GetSmallint({b, c});
                    ExpectThousand(sum, cell + " " + name);
                }
            for (const char* name : {"StuBrdAvgUMS", "StuBrdAvgVMS", "StuBrdAvgPI"}) {
                int sum = 0;
                for (int b = 1; b <= brands; ++b) sum += arr(name).GetSmallint({b});
                ExpectThousand(sum, cell + " " + name);
            }
            for (int seg = segments.Lo(); seg <= segments.Hi(); ++seg) {
                int habits = 0;
                for (int c = channels.Lo(); c <= channels.Hi(); ++c) habits += arr("StuByingHabits").GetSmallint({seg, c});
                ExpectThousand(habits, cell + " StuByingHabits");
                EXPECT_EQ(arr("SegSizes").GetReal48({seg, si::StuSize}), arr("SegSales").GetReal48({seg, si::Unit}));
                EXPECT_GT(arr("SegSizes").GetReal48({seg, si::StuSizeP5}), arr("SegSizes").GetReal48({seg, si::StuSize}));
                for (int b = 1; b <= brands; ++b) {
                    const int awareness = arr("StuBrdSegAwa").GetSmallint({b, seg});
                    EXPECT_TRUE(awareness > 0 && awareness <= 1000) << cell;
                }
                int weights = 0;
                const TSeries& scales = *s.industry.SemSeries(market);
                for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
                    weights += arr("StuCjaWeights").GetSmallint({seg, k});
                    for (int level = 1; level <= 4; ++level) {
                        const int utility = arr("StuCjaUtils").GetSmallint({seg, k, level});
                        EXPECT_TRUE(utility >= 0 && utility <= 1000) << cell;
                    }
                }
                ExpectThousand(weights, cell + " StuCjaWeights");
            }
            for (int b = 1; b <= brands; ++b)
                for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
                    const int coverage = arr("StuDistrCov").GetSmallint({b, c});
                    EXPECT_TRUE(coverage > 0 && coverage <= 1000) << cell;
                }
        }
    // The new market forecasts its first sizes: a tenth of "MaxSegSize" (100,000 + 20,000 s).
    const TSimArr& sizes = s.Arr(s.Results(), kCategoryFtaMarket, 0, 1, 3, "SegSizes");
    EXPECT_EQ(sizes.GetReal48({1, si::StuSize}), 0);
    EXPECT_EQ(sizes.GetReal48({1, si::StuSizeP1}), 12000);
    // Benchmarking copies the firm's zone report.
    const TSimArr& report = s.Arr(s.Results(), kCategoryFirmFta, kTeamA, 1, 0, "FFXRpt");
    const TSimArr& study = s.Arr(s.Results(), kCategoryFirmFta, kTeamA, 1, 0, "StuFFXRpt");
    EXPECT_NE(report.GetReal48({si::ffxRSales}), 0);
    EXPECT_EQ(study.GetReal48({si::ffxRSales}), report.GetReal48({si::ffxRSales}));
}

// Team A's most recent buying habits: in M1 the current period's survey, which
// it bought; in M2, where the rotation skips the survey now (1 + 1 + 2 + 3 = 7),
// those of period 2, when study 1 came round in it (1 + 1 + 2 + 2 = 6).
TEST(SampleIndustry, MostRecentBuyingHabitsFollowTheSurveysBought) {
    OpenedSample s;
    const struct {
        int market, surveyPeriod;
    } cases[] = {{1, kCurrent}, {2, 2}};
    for (const auto& c : cases) {
        const TSimArr& recent = s.Arr(s.Results(), kCategoryFirmFtaMarket, kTeamA, 1, c.market, "MostRecentStuBH");
        const TSimArr& survey = s.Arr(s.Results(c.surveyPeriod), kCategoryFtaMarket, 0, 1, c.market, "StuByingHabits");
        const TSeries& segments = *s.industry.SegSeries(1, c.market);
        const TSeries& channels = *s.industry.ChaSeries(1);
        for (int seg = segments.Lo(); seg <= segments.Hi(); ++seg) {
            int sum = 0;
            for (int ch = channels.Lo(); ch <= channels.Hi(); ++ch) {
                EXPECT_EQ(recent.GetSmallint({seg, ch}), survey.GetSmallint({seg, ch})) << c.market;
                sum += recent.GetSmallint({seg, ch});
            }
            ExpectThousand(sum, "MostRecentStuBH");
        }
    }
}

// Team A bought every market study of the current period in M1, and in M2 the
// rotation's (s + 1 + 2 + 3 a multiple of 3): the distribution panel (3), which
// the sales-force assistant weighs the brands by, the market forecast (6) and
// the advertising experiment (9); the benchmark in periods 0 and 2, not in 1
// and 3. "StuMkt" lists the studies in the order the study masks use.
TEST(SampleIndustry, StudyOrders) {
    OpenedSample s;
    const TSeries& studies = *s.industry.FindSeries("StuMkt");
    const std::vector<std::string> order{"ConsumerSurvey", "ConsumerPanel", "DistributPanel", "SemanticScales",
                                         "PerceptualMap",  "MarketForecast", "CompetitiveAdv", "CompetitiveSlf",
                                         "ExperimentAdv",  "ExperimentSlf",  "Conjoint"};
    ASSERT_EQ(studies.Count(), static_cast<int>(order.size()));
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(studies.GetLabel(studies.Lo() + static_cast<int>(i)), order[i]);
    const TSimArr& m1 = s.Arr(s.Decisions(kCurrent), kCategoryFirmFtaMarket, kTeamA, 1, 1, "DecStuMkt");
    const TSimArr& m2 = s.Arr(s.Decisions(kCurrent), kCategoryFirmFtaMarket, kTeamA, 1, 2, "DecStuMkt");
    for (int study = studies.Lo(); study <= studies.Hi(); ++study) {
        const std::string label = studies.GetLabel(study);
        const bool inM2 = label == "DistributPanel" || label == "MarketForecast" || label == "ExperimentAdv";
        EXPECT_EQ(m1.GetByte({study}), 1);
        EXPECT_EQ(m2.GetByte({study}), inM2 ? 1 : 0) << label;
    }
    for (int period = 0; period <= kCurrent; ++period)
        EXPECT_EQ(s.Arr(s.Decisions(period), kCategoryFirmFta, kTeamA, 1, 0, "DecStuFta").GetByte({1}), 1 - period % 2)
            << period;
}

// Team A holds a completed prototype, a suspended one that is no project, a
// prototype completed in the current period (PALTO), one project in M3, and
// decided a project in periods 1 and 2.
TEST(SampleIndustry, RnDCases) {
    OpenedSample s;
    auto prototypeRow = [&](int market, std::string_view name) {
        const TSimArr& names = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "ProNames");
        const int count = s.Smallint(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "NbPros");
        for (int p = 1; p <= count; ++p)
            if (names.GetZts({p}) == name) return p;
        return 0;
    };
    const TSimArr& m1 = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, 1, "ProFins");
    const TSimArr& m2 = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, 2, "ProFins");
    ASSERT_GT(prototypeRow(1, "PALBA"), 0);
    EXPECT_EQ(m1.GetReal48({prototypeRow(1, "PALBA"), si::ProReqBgt}), 0);
    ASSERT_GT(prototypeRow(1, "PALTO"), 0);
    EXPECT_EQ(m1.GetReal48({prototypeRow(1, "PALTO"), si::ProPerEnd}), kCurrent);
    ASSERT_GT(prototypeRow(2, "PAGIL"), 0);
    EXPECT_GT(m2.GetReal48({prototypeRow(2, "PAGIL"), si::ProReqBgt}), 0);
    EXPECT_EQ(s.Smallint(s.Decisions(), kCategoryFirmMarket, kTeamA, 0, 2, "NbPrjs"), 0);
    EXPECT_EQ(s.Smallint(s.Decisions(), kCategoryFirmMarket, kTeamA, 0, 3, "NbPrjs"), 1);
    for (int period : {1, 2}) EXPECT_EQ(s.Smallint(s.Decisions(period), kCategoryFirmMarket, kTeamA, 0, 2, "NbPrjs"), 1);
}

// Each R&D contract of the decision period stands in both parties' tables of
// the same zone with the same terms; both parties of the development contract
// list its project with the same levels.
TEST(SampleIndustry, ContractsMatchBetweenTheirParties) {
    OpenedSample s;
    const TCvPerData& d = s.Decisions();
    int contracts = 0;
    for (int firm = 1; firm <= 4; ++firm)
        for (int zone = 1; zone <= 2; ++zone)
            for (int c = 1; c <= s.Smallint(d, kCategoryFirmFta, firm, zone, 0, "NbCcts"); ++c) {
                ++contracts;
                const TSimArr& what = s.Arr(d, kCategoryFirmFta, firm, zone, 0, "CctWhat");
                const TSimArr& terms = s.Arr(d, kCategoryFirmFta, firm, zone, 0, "CctTerms");
                const int side = std::lround(static_cast<double>(terms.GetReal48({c, 1, si::Firm}))) == firm ? 1 : 2;
                const int partner = static_cast<int>(std::lround(static_cast<double>(terms.GetReal48({c, 3 - side, si::Firm}))));
                const TSimArr& partnerWhat = s.Arr(d, kCategoryFirmFta, partner, zone, 0, "CctWhat");
                const TSimArr& partnerTerms = s.Arr(d, kCategoryFirmFta, partner, zone, 0, "CctTerms");
                int matches = 0;
                for (int p = 1; p <= s.Smallint(d, kCategoryFirmFta, partner, zone, 0, "NbCcts"); ++p) {
                    if (partnerWhat.GetZts({p, si::CctType}) != what.GetZts({c, si::CctType}) ||
                        partnerWhat.GetZts({p, si::PrjName}) != what.GetZts({c, si::PrjName}))
                        continue;
                    ++matches;
                    for (int party = 1; party <= 2; ++party)
                        for (int t = si::CctTerms->Lo(); t <= si::CctTerms->Hi(); ++t)
                            EXPECT_EQ(partnerTerms.GetReal48({p, party, t}), terms.GetReal48({c, party, t}));
                }
                EXPECT_EQ(matches, 1) << what.GetZts({c, si::PrjName});
            }
    EXPECT_EQ(contracts, 4);
    // PENZO, developed by E with I, in M2: Size 5, Speed 160, Grip 9 in both lists.
    for (int firm : {2, 3}) {
        ASSERT_EQ(s.Smallint(d, kCategoryFirmMarket, firm, 0, 2, "NbPrjs"), 1);
        EXPECT_EQ(s.Arr(d, kCategoryFirmMarket, firm, 0, 2, "PrjNames").GetZts({1}), "PENZO");
        const TSimArr& levels = s.Arr(d, kCategoryFirmMarket, firm, 0, 2, "PrjTecs");
        EXPECT_EQ(levels.GetReal48({1, 1}), 5);
        EXPECT_EQ(levels.GetReal48({1, 2}), 160);
        EXPECT_EQ(levels.GetReal48({1, 3}), 9);
    }
}

// The periods run had every decision group taken; in the decision period the
// sample's team has taken some (2): not its sales force.
TEST(SampleIndustry, DecisionGroupsTaken) {
    OpenedSample s;
    for (int period = 0; period <= kDecision; ++period) {
        const bool decided = period < kDecision;
        EXPECT_EQ(s.Smallint(s.Decisions(period), kCategoryFirm, kTeamA, 0, 0, "DecStatus"), decided ? 1 : 2);
        EXPECT_EQ(s.Smallint(s.Decisions(period), kCategoryFirmFta, kTeamA, 1, 0, "SlfDecStatus"), decided ? 1 : 0);
        EXPECT_EQ(s.Smallint(s.Decisions(period), kCategoryFirmFta, kTeamA, 1, 0, "StudiesDecStatus"), 1);
        EXPECT_EQ(s.Arr(s.Decisions(period), kCategoryFirmFtaMarket, kTeamA, 1, 1, "DecBrdCV3")
                      .GetReal48({1, si::BrdDecStatus}),
                  1);
    }
}

bool Restricted(const std::string& category, const std::string& item) {
    return Session->IsRestrictEnabled(category, item);
}
bool Hidden(const std::string& category, const std::string& item) { return Session->IsRestrictHidden(category, item); }

// What a dialog enters for a decision of the decision period, per stored unit
// (the value / PerEntry is what its field shows): a row per array, Member the
// element of each brand row, or none for every element.
struct TEnteredDecision {
    const char* array;
    int category;
    const std::int8_t* member;
    long double perEntry;
};

// The figure a field shows lies on its step: a whole number, within what the
// store's six-byte reals keep of it.
void ExpectWhole(long double entered, const std::string& what) {
    EXPECT_NEAR(static_cast<double>(entered), std::nearbyint(static_cast<double>(entered)), 1e-6) << what;
}

// The row of the brand named Name among the firm's brands of Period in the
// zone, with its market; row 0 when the firm had no such brand.
std::pair<int, int> FirmBrandRow(OpenedSample& s, int period, int firm, int zone, const std::string& name) {
    for (int market = 1; market <= 3; ++market) {
        const int brands = s.Smallint(s.Results(period), kCategoryFirmFtaMarket, firm, zone, market, "NbMktedBrds");
        const TSimArr& names = s.Arr(s.Results(period), kCategoryFirmFtaMarket, firm, zone, market, "FirMktedBrds");
        for (int b = 1; b <= brands; ++b)
            if (names.GetZts({b}) == name) return {market, b};
    }
    return {0, 0};
}

// The units of the brand named Name that the current period left the firm in the zone, 0 when it had no such brand.
double StockLeft(OpenedSample& s, int firm, int zone, const std::string& name) {
    const auto [market, row] = FirmBrandRow(s, kCurrent, firm, zone, name);
    if (row == 0) return 0;
    const TSimArr& report = s.Arr(s.Results(), kCategoryFirmFtaMarket, firm, zone, market, "BrdRpt");
    return static_cast<double>(report.GetReal48({row, si::brUInv}));
}

// The decisions the sample decides (not the fresh ones, the last forecast's
// defaults) lie on the figures their dialogs enter, so that OK without an edit
// stores what the sample stored: the mix's production, stock sold, mass
// communication and advertising research in thousands, its price in units and
// its segment split in percent; the distribution's salespeople and shares in
// percent; the plan's segment sizes in thousands, brand sales in units and
// channel split in percent; the R&D project's levels in whole units.
TEST(SampleIndustry, DecisionsLieOnTheFiguresTheirDialogsEnter) {
    const TEnteredDecision entered[] = {
        {"DecBrdCV3", kCategoryFirmFtaMarket, &si::Production, 1000},
        {"DecBrdCV3", kCategoryFirmFtaMarket, &si::SellStock, 1000},
        {"DecBrdCV3", kCategoryFirmFtaMarket, &si::Price, 1},
        {"SegStrat", kCategoryFirmFtaMarket, nullptr, 0.01L},
        {"SlfAlloc", kCategoryFirmFtaMarket, nullptr, 0.01L},
        {"SlfSize", kCategoryFirmFta, nullptr, 1},
        {"MPSegSales", kCategoryFirmFtaMarket, nullptr, 1000},
        {"MPBrdSegSales", kCategoryFirmFtaMarket, nullptr, 1},
        {"MPBrdChaSales", kCategoryFirmFtaMarket, nullptr, 1000},
        {"PrjTecs", kCategoryFirmMarket, nullptr, 1},
    };
    for (const TSampleVariant variant : {TSampleVariant{}, TSampleVariant{TSampleDecisions::Complete}}) {
        OpenedSample s(variant);
        const TCvPerData& d = s.Decisions();
        for (const TEnteredDecision& e : entered)
            for (const TCellIndex& cell : sample::SampleCells(e.category)) {
                const TSimArr& array = s.Arr(d, e.category, cell.firm, cell.zone, cell.market, e.array);
                const std::string where = std::string(e.array) + " firm " + std::to_string(cell.firm) + " zone " +
                                          std::to_string(cell.zone) + " market " + std::to_string(cell.market);
                if (e.member == nullptr) {
                    for (std::size_t i = 0; i < array.Count(); ++i) ExpectWhole(array.Real48At(i) / e.perEntry, where);
                    continue;
                }
                const int brands = s.Smallint(d, kCategoryFirmFtaMarket, cell.firm, cell.zone, cell.market, "NbMktedBrds");
                for (int b = 1; b <= brands; ++b) ExpectWhole(array.GetReal48({b, *e.member}) / e.perEntry, where);
            }
        // The advertising budget splits into mass communication and research; the
        // stock sold is no more than the brand has left nor than the mix offers:
        // that stock in thousands, none for a brand the current period lacks.
        for (const TCellIndex& cell : sample::SampleCells(kCategoryFirmFtaMarket)) {
            const TSimArr& mix = s.Arr(d, kCategoryFirmFtaMarket, cell.firm, cell.zone, cell.market, "DecBrdCV3");
            const TSimArr& port = s.Arr(d, kCategoryFirmFtaMarket, cell.firm, cell.zone, cell.market, "DecBrdPort");
            const int brands = s.Smallint(d, kCategoryFirmFtaMarket, cell.firm, cell.zone, cell.market, "NbMktedBrds");
            for (int b = 1; b <= brands; ++b) {
                const double stock = StockLeft(s, cell.firm, cell.zone, port.GetZts({b, si::BrdName}));
                EXPECT_LE(static_cast<double>(mix.GetReal48({b, si::SellStock})),
                          std::min(stock, 1000 * std::nearbyint(stock / 1000)))
                    << port.GetZts({b, si::BrdName}) << " of firm " << cell.firm << " zone " << cell.zone;
                const long double budget = mix.GetReal48({b, si::AdvertBgt});
                const long double research = mix.GetReal48({b, si::AdvertQual}) * budget;
                ExpectWhole(research / 1000, "research of firm " + std::to_string(cell.firm));
                ExpectWhole((budget - research) / 1000, "mass communication of firm " + std::to_string(cell.firm));
            }
        }
    }
}

// The simulation's messages agree with the figures of their period: a sell-off
// names the units the brand had in stock, up to what it decided to sell, the
// share of their cost its disposal keeps (1 - "ISCCoef") and the brand's
// inventory selling cost; a withdrawal names the firm's exceptional cost.
// Team A's first brand sold off its stock in the current period in the North.
// The instructor acknowledges only a loan or budget change the firm's
// decisions of the period request.
TEST(SampleIndustry, SimulationMessagesAgreeWithTheFigures) {
    OpenedSample s;
    int sellOffs = 0;
    for (int period = 0; period <= kCurrent; ++period)
        for (int firm = 1; firm <= 4; ++firm)
            for (int zone = 1; zone <= 2; ++zone) {
                const TCvPerData& results = s.Results(period);
                const TDataContext cell = test::FixtureCell(period, firm, zone, 0);
                const TSimArr* messages = results.FindSimArr(kCategoryFirmFta, cell, "MsgSim2Fir");
                const int count = results.GetSmallintDef(kCategoryFirmFta, cell, "NbMsgSim", 0);
                const TSimArr* note = results.FindSimArr(kCategoryFirmFta, cell, "MsgAdm2Fir");
                const TSimArr& request = s.Arr(s.Decisions(period), kCategoryFirm, firm, 0, 0, "LoanVal");
                for (int line = 1; note != nullptr && line <= note->UB(1); ++line) {
                    const std::string text = note->GetZts({line});
                    if (text.find("request") == std::string::npos) continue;
                    EXPECT_TRUE(text.find("loan") == std::string::npos || request.GetReal48({si::LoanCap}) != 0) << text;
                    EXPECT_TRUE(text.find("budget") == std::string::npos || request.GetReal48({si::BgtChg}) != 0) << text;
                }
                for (int row = 1; row <= count; ++row) {
                    const std::string keyword = messages->GetZts({row, si::Keyword});
                    const std::string brand = messages->GetZts({row, si::Param1});
                    const double cost = std::stod(messages->GetZts({row, si::Param3}));
                    SCOPED_TRACE(keyword + " " + brand + " period " + std::to_string(period));
                    if (keyword == "WitBrdECost") {
                        const TSimArr& report = s.Arr(results, kCategoryFirmFta, firm, zone, 0, "FFXRpt");
                        EXPECT_LE(cost, -static_cast<double>(report.GetReal48({si::ffxECP})) / 1000 + 0.5);
                        continue;
                    }
                    if (keyword != "InvDisposalECost" && keyword != "ModBrdECost") continue;
                    const auto [market, b] = FirmBrandRow(s, period, firm, zone, brand);
                    const auto [before, previous] = FirmBrandRow(s, period - 1, firm, zone, brand);
                    ASSERT_GT(b, 0);
                    ASSERT_GT(previous, 0);
                    const TSimArr& report = s.Arr(results, kCategoryFirmFtaMarket, firm, zone, market, "BrdRpt");
                    const TSimArr& stock = s.Arr(s.Results(period - 1), kCategoryFirmFtaMarket, firm, zone, before, "BrdRpt");
                    const TSimArr& mix = s.Arr(s.Decisions(period), kCategoryFirmFtaMarket, firm, zone, market, "DecBrdCV3");
                    const long double kept = s.industry.ConstPart().GetRealDef(
                        kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, zone, market), "ISCCoef", 0.1L);
                    EXPECT_NEAR(std::stod(messages->GetZts({row, si::Param2})), 100 * (1 - static_cast<double>(kept)), 0.05);
                    EXPECT_NEAR(cost, static_cast<double>(report.GetReal48({b, si::brISC})) / 1000, 0.5);
                    const long double sold = keyword == "ModBrdECost" ? stock.GetReal48({previous, si::brUInv})
                                                                     : std::min(stock.GetReal48({previous, si::brUInv}),
                                                                                mix.GetReal48({b, si::SellStock}));
                    EXPECT_EQ(std::stoll(messages->GetZts({row, si::Param4})), std::llround(static_cast<double>(sold)));
                    sellOffs += period == kCurrent && firm == kTeamA && zone == 1 && keyword == "InvDisposalECost";
                }
            }
    EXPECT_EQ(sellOffs, 1);
}

// Each variant: what sets it apart, and a clean forecast on it.
struct TVariantCase {
    const char* name;
    TSampleVariant variant;
    void (*expect)(OpenedSample& s);
};

// The lowest price the checks accept for brand row B of the firm's cell: the
// unit cost on the experience curve of its prototype (base "ProReqUC", the
// prototype's cumulative production and this period's production of every row
// of the same prototype against "ExpEffBatch"), over 1 - the zone's average
// channel margin.
double LowestPrice(OpenedSample& s, int zone, int market, int b) {
    const TCvPerData& d = s.Decisions();
    const TCvPerData& constant = s.industry.ConstPart();
    const TDataContext cell = test::FixtureCell(kCurrent, 0, zone, market);
    const double reduc = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, cell, "ExpEffReduc", 0.85L));
    const double mult = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, cell, "ExpEffMult", 2));
    const double batch = static_cast<double>(constant.GetRealDef(kCategoryFtaMarket, cell, "ExpEffBatch", 100000));
    const TSimArr& port = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "DecBrdPort");
    const TSimArr& mix = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "DecBrdCV3");
    const std::string prototype = port.GetZts({b, si::ProName});
    const TSimArr& names = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "ProNames");
    const TSimArr& finances = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "ProFins");
    double cum = 0, base = 0;
    for (int p = 1; p <= s.Smallint(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "NbPros"); ++p)
        if (names.GetZts({p}) == prototype) {
            cum = static_cast<double>(finances.GetReal48({p, si::ProCumProd}));
            base = static_cast<double>(finances.GetReal48({p, si::ProReqUC}));
        }
    for (int row = 1; row <= s.Smallint(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "NbMktedBrds"); ++row)
        if (port.GetZts({row, si::ProName}) == prototype) cum += static_cast<double>(mix.GetReal48({row, si::Production}));
    const double unitCost = std::nearbyint(base * std::pow(cum / batch, std::log(reduc) / std::log(mult)));
    const TSimArr& channels = s.Arr(s.Results(), kCategoryFta, 0, zone, 0, "XFXRes");
    double margins = 0;
    const TSeries& series = *s.industry.ChaSeries(zone);
    for (int c = series.Lo(); c <= series.Hi(); ++c) margins += static_cast<double>(channels.GetReal48({c, si::Margin})) / 1000;
    return unitCost / (1 - margins / series.Count());
}

// A brand the current period sold: its price within "MaxPriVar1" (default 0.3)
// of the current retail price, and no more than 999 units sold off beyond its stock.
void ExpectPriceChangeAndSellOffAllowed(OpenedSample& s, int zone, int market, int b) {
    const TCvPerData& d = s.Decisions();
    const std::string name = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "DecBrdPort").GetZts({b, si::BrdName});
    const TSimArr& mix = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "DecBrdCV3");
    const TSimArr& names = s.Arr(s.Results(), kCategoryFirmFtaMarket, kTeamA, zone, market, "FirMktedBrds");
    const TSimArr& report = s.Arr(s.Results(), kCategoryFirmFtaMarket, kTeamA, zone, market, "BrdRpt");
    const double v = static_cast<double>(
        s.industry.ConstPart().GetRealDef(kCategoryFtaMarket, test::FixtureCell(kCurrent, 0, zone, market), "MaxPriVar1", 0.3L));
    for (int r = 1; r <= s.Smallint(s.Results(), kCategoryFirmFtaMarket, kTeamA, zone, market, "NbMktedBrds"); ++r) {
        if (names.GetZts({r}) != name) continue;
        const double previous = static_cast<double>(report.GetReal48({r, si::brRPrice}));
        const double price = static_cast<double>(mix.GetReal48({b, si::Price}));
        EXPECT_LE(price, (1 + v) * previous) << name;
        EXPECT_GE(price, (1 - v) * previous) << name;
        EXPECT_LT(mix.GetReal48({b, si::SellStock}) - report.GetReal48({r, si::brUInv}), 1000) << name;
    }
}

// Every prototype completed in the current period is the base of a brand.
void ExpectPrototypesOfThePeriodUsed(OpenedSample& s, int zone, int market) {
    const TSimArr& names = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "ProNames");
    const TSimArr& finances = s.Arr(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "ProFins");
    const TSimArr& port = s.Arr(s.Decisions(), kCategoryFirmFtaMarket, kTeamA, zone, market, "DecBrdPort");
    const int brands = s.Smallint(s.Decisions(), kCategoryFirmFtaMarket, kTeamA, zone, market, "NbMktedBrds");
    for (int p = 1; p <= s.Smallint(s.Results(), kCategoryFirmMarket, kTeamA, 0, market, "NbPros"); ++p) {
        if (std::nearbyint(static_cast<double>(finances.GetReal48({p, si::ProPerEnd}))) != kCurrent) continue;
        bool used = false;
        for (int b = 1; b <= brands; ++b) used = used || port.GetZts({b, si::ProName}) == names.GetZts({p});
        EXPECT_TRUE(used) << names.GetZts({p});
    }
}

// The complete decisions of team A pass the checks that read the data alone:
// every group taken, requests acknowledged, the budget not overspent by more
// than 1,000, each channel's force allocated in
// full over the markets, segment targets adding up to 1, production planned,
// prices within "MaxPriVar1" (0.25 in the North's M1) of the current ones and
// above the dumping floor, no sell-off beyond the stock, the prototypes
// completed this period used, and a plan whose segment sizes hold
// the brands' plans, each brand's plan selling something and split over the
// channels to 100 %.
void ExpectCompleteDecisions(OpenedSample& s) {
    const TCvPerData& d = s.Decisions();
    EXPECT_EQ(s.Smallint(d, kCategoryFirm, kTeamA, 0, 0, "DecStatus"), 1);
    EXPECT_EQ(s.Smallint(d, kCategoryFirm, kTeamA, 0, 0, "LoanAck"), 1);
    for (int zone = 1; zone <= 2; ++zone) {
        TDataContext team = test::FixtureCell(kCurrent, kTeamA, zone, 0);
        team.CurPeriod = kCurrent;
        team.DecPeriod = kDecision;
        TFtaBudget budget;
        budget.Init(s.industry, team);
        budget.Recalculate();
        EXPECT_GE(budget.Balance, -1000) << "zone " << zone;
        EXPECT_EQ(s.Smallint(d, kCategoryFirmFta, kTeamA, zone, 0, "SlfDecStatus"), 1);
        EXPECT_EQ(s.Smallint(d, kCategoryFirmFta, kTeamA, zone, 0, "StudiesDecStatus"), 1);
        const TSeries& channels = *s.industry.ChaSeries(zone);
        for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
            long total = 0;
            for (int market = 1; market <= 3; ++market) {
                const int brands = s.Smallint(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "NbMktedBrds");
                long double sum = 0;
                for (int b = 1; b <= brands; ++b)
                    sum += s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "SlfAlloc").GetReal48({c, b});
                total += std::lround(static_cast<double>(100 * sum));
            }
            EXPECT_EQ(total, 100) << "zone " << zone << " channel " << c;
        }
        for (int market = 1; market <= 3; ++market) {
            const int brands = s.Smallint(d, kCategoryFirmFtaMarket, kTeamA, zone, market, "NbMktedBrds");
            const TSeries& segments = *s.industry.SegSeries(zone, market);
            auto arr = [&](std::string_view name) -> const TSimArr& {
                return s.Arr(d, kCategoryFirmFtaMarket, kTeamA, zone, market, name);
            };
            for (int seg = segments.Lo(); seg <= segments.Hi(); ++seg) {
                long double planned = 0;
                for (int b = 1; b <= brands; ++b) planned += arr("MPBrdSegSales").GetReal48({b, seg});
                EXPECT_GE(arr("MPSegSales").GetReal48({seg}), planned);
                EXPECT_GT(arr("MPSegSales").GetReal48({seg}), 0);
            }
            for (int b = 1; b <= brands; ++b) {
                long double targets = 0, plan = 0, channelsShare = 0;
                for (int seg = segments.Lo(); seg <= segments.Hi(); ++seg) {
                    targets += arr("SegStrat").GetReal48({b, seg});
                    plan += arr("MPBrdSegSales").GetReal48({b, seg});
                }
                for (int c = s.industry.ChaSeries(zone)->Lo(); c <= s.industry.ChaSeries(zone)->Hi(); ++c)
                    channelsShare += arr("MPBrdChaSales").GetReal48({b, c});
                EXPECT_NEAR(static_cast<double>(targets), 1, 1e-9);
                EXPECT_GT(plan, 0);
                EXPECT_EQ(channelsShare, 100000);
                EXPECT_EQ(arr("DecBrdCV3").GetReal48({b, si::BrdDecStatus}), 1);
                EXPECT_GT(arr("DecBrdCV3").GetReal48({b, si::Production}), 0);
                EXPECT_GE(arr("DecBrdCV3").GetReal48({b, si::Price}), LowestPrice(s, zone, market, b))
                    << "zone " << zone << " market " << market << " brand " << b;
                ExpectPriceChangeAndSellOffAllowed(s, zone, market, b);
                EXPECT_LE(plan, arr("DecBrdCV3").GetReal48({b, si::Production}) + arr("DecBrdCV3").GetReal48({b, si::AvailStock}));
            }
            ExpectPrototypesOfThePeriodUsed(s, zone, market);
        }
    }
    // ALBA: 595 in period 0, 595 x 1.08 = 642.6 -> 645 in period 4; its
    // current retail price lies within 25 % of it.
    const TSimArr& mix = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, 1, 1, "DecBrdCV3");
    const TSimArr& report = s.Arr(s.Results(), kCategoryFirmFtaMarket, kTeamA, 1, 1, "BrdRpt");
    EXPECT_EQ(mix.GetReal48({1, si::Price}), 645);
    EXPECT_LE(std::fabs(static_cast<double>(mix.GetReal48({1, si::Price}) - report.GetReal48({1, si::brRPrice}))),
              0.25 * static_cast<double>(report.GetReal48({1, si::brRPrice})));
    const TSimArr& port = s.Arr(d, kCategoryFirmFtaMarket, kTeamA, 1, 1, "DecBrdPort");
    EXPECT_EQ(port.GetZts({3, si::ProName}), "PALTO");
}

const TVariantCase kVariants[] = {
    {"Sample", {},
     [](OpenedSample&) {
         // The installed sample restricts nothing.
         EXPECT_FALSE(Restricted("StuMkt", "Conjoint"));
         EXPECT_FALSE(Hidden("StuMkt", "ExperimentSlf"));
         EXPECT_FALSE(Restricted("rcDecisions", "NoSlfAssistant"));
         EXPECT_FALSE(Hidden("rcAnalysis", "NoPortfolio"));
     }},
    {"Several", {TSampleDecisions::Sample, TSampleRestrictions::Several},
     [](OpenedSample&) {
         EXPECT_TRUE(Restricted("StuMkt", "Conjoint"));
         EXPECT_TRUE(Hidden("StuMkt", "ExperimentSlf"));
         EXPECT_TRUE(Restricted("rcDecisions", "NoSlfAssistant"));
         EXPECT_TRUE(Hidden("rcAnalysis", "NoPortfolio"));
     }},
    {"Fresh", {TSampleDecisions::Fresh, TSampleRestrictions::Several},
     [](OpenedSample& s) {
         // The defaults carry period 3's two brands of A in M1, none of them decided.
         EXPECT_EQ(s.Smallint(s.Decisions(), kCategoryFirmFtaMarket, kTeamA, 1, 1, "NbMktedBrds"), 2);
         EXPECT_EQ(s.Arr(s.Decisions(), kCategoryFirmFtaMarket, kTeamA, 1, 1, "DecBrdCV3").GetReal48({1, si::BrdDecStatus}), 0);
         EXPECT_EQ(s.Smallint(s.Decisions(), kCategoryFirm, kTeamA, 0, 0, "DecStatus"), 0);
     }},
    {"Complete", {TSampleDecisions::Complete, TSampleRestrictions::Several}, ExpectCompleteDecisions},
    {"NoSlf", {TSampleDecisions::Sample, TSampleRestrictions::NoSlf},
     [](OpenedSample&) {
         EXPECT_TRUE(Restricted("rcDecisions", "NoSlf"));
         EXPECT_FALSE(Restricted("StuMkt", "Conjoint"));
     }},
    {"NoMarketingPlan", {TSampleDecisions::Sample, TSampleRestrictions::NoMarketingPlan},
     [](OpenedSample&) { EXPECT_TRUE(Restricted("rcDecisions", "NoMarketingPlan")); }},
    {"StudyHidden", {TSampleDecisions::Sample, TSampleRestrictions::StudyHidden},
     [](OpenedSample&) {
         EXPECT_TRUE(Hidden("StuMkt", "ExperimentSlf"));
         EXPECT_FALSE(Restricted("StuMkt", "Conjoint"));
     }},
    {"NoBenchmarking", {TSampleDecisions::Sample, TSampleRestrictions::NoBenchmarking},
     [](OpenedSample&) { EXPECT_TRUE(Restricted("rcAnalysis", "NoBenchmarking")); }},
};

TEST(SampleIndustry, EveryVariantHoldsItsCaseAndForecastsCleanly) {
    for (const TVariantCase& c : kVariants) {
        SCOPED_TRACE(c.name);
        OpenedSample s(c.variant);
        c.expect(s);
        ASSERT_TRUE(s.world.RunForecast()) << s.world.failureReason;
        EXPECT_TRUE(s.world.warnings.empty()) << s.world.warnings.front();
        const std::string log = test::ReadFileBytes(s.world.PrivateDir() / "CV3LOG04.TXT");
        for (const char* missing : {"Unknown scalar", "cannot get SimArr", "missing"})
            EXPECT_EQ(log.find(missing), std::string::npos) << missing;
    }
}

}  // namespace
}  // namespace cv
