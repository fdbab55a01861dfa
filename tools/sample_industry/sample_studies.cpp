// What the market studies of a period report, computed by the instructor's
// simulation and written here from the same period's results and decisions:
// the panels' and the survey's shares follow the brands' unit sales
// ("BrdUSales") and retail prices ("BrdRPrices"), the coverage the brands'
// distributors, competitive intelligence the firms' advertising and sales-force
// decisions, the market forecast the segment sales and growth, the conjoint
// study the scales; benchmarking copies the firms' reports.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr int kThousand = 1000;

// A market with no brand has no age: a first period's segment is expected at a
// tenth of its maximum size.
constexpr double kNewSegmentShare = 0.1;
// Awareness starts at 30 % and rises 0.2 point per point of unit share.
constexpr double kBaseAwareness = 300;
constexpr double kAwarenessPerShare = 0.2;
// The experiments' test markets: 10 % more awareness or distribution, 5 % more share.
constexpr double kTestReach = 1.10;
constexpr double kTestShare = 1.05;
// A scale that is no conjoint attribute still weighs this much (percent) in "SemWeights".
constexpr int kOtherScaleWeight = 5;
constexpr int kConjointLevels = 4;

const TSimArr& ArrayOf(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    const TSimArr* array = set.FindSimArr(category, context, name);
    if (array == nullptr) throw std::logic_error("sample industry: the period holds no " + std::string(name));
    return *array;
}

const TSimArr& ResultsArray(const TSampleCell& cell, std::string_view name) {
    return ArrayOf(cell.set, kCategoryFtaMarket, cell.context, name);
}

// Weights as thousandths adding up to exactly 1000 (largest remainders first);
// all 0 when the weights add up to 0.
std::vector<int> Thousandths(const std::vector<double>& weights) {
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<int> shares(weights.size(), 0);
    if (total <= 0) return shares;
    std::vector<double> remainders(weights.size());
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double exact = weights[i] / total * kThousand;
        shares[i] = static_cast<int>(std::floor(exact));
        remainders[i] = exact - shares[i];
        given += shares[i];
    }
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::size_t i = 0; given < kThousand; ++i, ++given) ++shares[order[i % order.size()]];
    return shares;
}

// The sales of a market in a period: per market brand, segment and channel,
// in units and in retail money.
struct TMarketSales {
    int brands = 0;
    const TSeries* segments = nullptr;
    const TSeries* channels = nullptr;
    std::vector<double> units;  // [b][s][c], 0-based
    std::vector<double> money;

    std::size_t Slot(int b, int s, int c) const {
        return (static_cast<std::size_t>(b - 1) * static_cast<std::size_t>(segments->Count()) +
                static_cast<std::size_t>(s - segments->Lo())) *
                   static_cast<std::size_t>(channels->Count()) +
               static_cast<std::size_t>(c - channels->Lo());
    }
    // Sales of brand B (0: every brand) in segment S (0: every segment) and channel C (0: every channel).
    double Of(const std::vector<double>& sales, int b, int s, int c) const {
        double sum = 0;
        for (int brand = 1; brand <= brands; ++brand)
            for (int segment = segments->Lo(); segment <= segments->Hi(); ++segment)
                for (int channel = channels->Lo(); channel <= channels->Hi(); ++channel)
                    if ((b == 0 || b == brand) && (s == 0 || s == segment) && (c == 0 || c == channel))
                        sum += sales[Slot(brand, segment, channel)];
        return sum;
    }
};

TMarketSales MarketSales(const TSampleCell& cell) {
    TMarketSales sales;
    sales.brands = cell.set.GetSmallint(kCategoryFtaMarket, cell.context, "NbMktedBrds");
    sales.segments = &CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    sales.channels = &CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    const std::size_t size = static_cast<std::size_t>(sales.brands * sales.segments->Count() * sales.channels->Count());
    sales.units.assign(size, 0);
    sales.money.assign(size, 0);
    if (sales.brands == 0) return sales;
    const TSimArr& units = ResultsArray(cell, "BrdUSales");
    const TSimArr& prices = ResultsArray(cell, "BrdRPrices");
    for (int b = 1; b <= sales.brands; ++b)
        for (int s = sales.segments->Lo(); s <= sales.segments->Hi(); ++s)
            for (int c = sales.channels->Lo(); c <= sales.channels->Hi(); ++c) {
                const double sold = static_cast<double>(units.GetReal48({b, s, c}));
                sales.units[sales.Slot(b, s, c)] = sold;
                sales.money[sales.Slot(b, s, c)] = sold * prices.GetSmallint({b, c});
            }
    return sales;
}

// The brands' shares (thousandths) of the sales of segment S and channel C (0: all).
std::vector<int> BrandShares(const TMarketSales& sales, const std::vector<double>& of, int s, int c) {
    std::vector<double> weights;
    for (int b = 1; b <= sales.brands; ++b) weights.push_back(sales.Of(of, b, s, c));
    return Thousandths(weights);
}

TSimArr& StudyArray(const TSampleCell& cell, std::string_view name) {
    TSimArr* array = cell.set.FindSimArr(cell.category, cell.context, name);
    if (array == nullptr) throw std::logic_error("sample industry: the forecast made no " + std::string(name));
    return *array;
}

// Per brand and element of the segments (BySegment) or channels: the brands'
// share of the element's units (Money false) or retail sales.
void WriteShareTable(const TSampleCell& cell, std::string_view name, bool bySegment, bool money) {
    const TMarketSales sales = MarketSales(cell);
    const TSeries& elements = bySegment ? *sales.segments : *sales.channels;
    TSimArr& study = StudyArray(cell, name);
    for (int e = elements.Lo(); e <= elements.Hi(); ++e) {
        const std::vector<int> shares =
            BrandShares(sales, money ? sales.money : sales.units, bySegment ? e : 0, bySegment ? 0 : e);
        for (int b = 1; b <= sales.brands; ++b) study.SetSmallint({b, e}, shares[static_cast<std::size_t>(b - 1)]);
    }
}

void WriteAverageShares(const TSampleCell& cell, std::string_view name, bool money) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    const std::vector<int> shares = BrandShares(sales, money ? sales.money : sales.units, 0, 0);
    for (int b = 1; b <= sales.brands; ++b) study.SetSmallint({b}, shares[static_cast<std::size_t>(b - 1)]);
}

int Awareness(int unitShare) {
    return std::min(kThousand, static_cast<int>(std::lround(kBaseAwareness + kAwarenessPerShare * unitShare)));
}

int Scaled(double value, double factor, bool capped) {
    const auto scaled = static_cast<int>(std::lround(value * factor));
    return capped ? std::min(kThousand, scaled) : scaled;
}

// The owning firm and its brand row of market brand B.
struct TOwner {
    int firm;
    int row;
};

TOwner OwnerOf(const TSampleCell& cell, int brand) {
    const TSimArr& links = ResultsArray(cell, "XFMLinks");
    return {links.GetByte({brand, si::Dfix}), links.GetByte({brand, si::Dbix})};
}

TDataContext FirmContext(const TSampleCell& cell, int firm) {
    TDataContext context = cell.context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    return context;
}

// The firm's decision array Name of the cell's period.
const TSimArr& FirmDecision(const TSampleCell& cell, int firm, int category, std::string_view name) {
    return ArrayOf(cell.industry.PerDecisions(cell.Period()), category, FirmContext(cell, firm), name);
}

int ConjointAttribute(const TSampleCell& cell, int scale) {
    const TSimArr& params = ArrayOf(cell.industry.ConstPart(), kCategoryMarket, cell.context, "SemPosPars");
    return static_cast<int>(std::nearbyint(params.GetReal48({scale, si::CjaAttribute})));
}

// Attribute weights of segment S over the conjoint attributes of the scales:
// attribute a weighs 1 + ((a + s) mod the number of attributes).
std::vector<int> ConjointWeights(const TSampleCell& cell, const TSeries& scales, int segment) {
    std::vector<double> weights;
    int attributes = 0;
    for (int k = scales.Lo(); k <= scales.Hi(); ++k) attributes += ConjointAttribute(cell, k) > 0 ? 1 : 0;
    for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
        const int a = ConjointAttribute(cell, k);
        weights.push_back(a > 0 ? 1 + (a + segment) % attributes : 0);
    }
    return Thousandths(weights);
}

}  // namespace

void WriteSegmentUnitShares(const TSampleCell& cell, std::string_view name) { WriteShareTable(cell, name, true, false); }
void WriteChannelUnitShares(const TSampleCell& cell, std::string_view name) { WriteShareTable(cell, name, false, false); }
void WriteSegmentValueShares(const TSampleCell& cell, std::string_view name) { WriteShareTable(cell, name, true, true); }
void WriteChannelValueShares(const TSampleCell& cell, std::string_view name) { WriteShareTable(cell, name, false, true); }
void WriteAverageUnitShares(const TSampleCell& cell, std::string_view name) { WriteAverageShares(cell, name, false); }
void WriteAverageValueShares(const TSampleCell& cell, std::string_view name) { WriteAverageShares(cell, name, true); }

// Awareness of brand b in segment s: 30 % + 0.2 x its unit share there; the
// average weighs the segments by their units.
void WriteAwareness(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    const TSimArr& shares = StudyArray(cell, "StuBrdSegUMS");
    for (int b = 1; b <= sales.brands; ++b) {
        double weighted = 0;
        for (int s = sales.segments->Lo(); s <= sales.segments->Hi(); ++s) {
            const int awareness = Awareness(shares.GetSmallint({b, s}));
            if (name == "StuBrdSegAwa") study.SetSmallint({b, s}, awareness);
            weighted += awareness * sales.Of(sales.units, 0, s, 0);
        }
        if (name == "StuBrdAvgAwa")
            study.SetSmallint({b}, static_cast<int>(std::lround(SafeDiv(weighted, sales.Of(sales.units, 0, 0, 0), 0))));
    }
}

// Purchase intentions: each segment's buyers split over the brands as their
// units there plus an equal half of the segment's average brand units.
void WritePurchaseIntentions(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    if (sales.brands == 0) return;
    auto intentions = [&](int s) {
        const double even = sales.Of(sales.units, 0, s, 0) / sales.brands / 2;
        std::vector<double> weights;
        for (int b = 1; b <= sales.brands; ++b) weights.push_back(sales.Of(sales.units, b, s, 0) + even);
        return weights;
    };
    if (name == "StuBrdAvgPI") {
        const std::vector<int> shares = Thousandths(intentions(0));
        for (int b = 1; b <= sales.brands; ++b) study.SetSmallint({b}, shares[static_cast<std::size_t>(b - 1)]);
        return;
    }
    for (int s = sales.segments->Lo(); s <= sales.segments->Hi(); ++s) {
        const std::vector<int> shares = Thousandths(intentions(s));
        for (int b = 1; b <= sales.brands; ++b) study.SetSmallint({b, s}, shares[static_cast<std::size_t>(b - 1)]);
    }
}

// Where each segment buys: its units split over the channels (evenly when it bought nothing).
void WriteBuyingHabits(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    for (int s = sales.segments->Lo(); s <= sales.segments->Hi(); ++s) {
        std::vector<double> weights;
        for (int c = sales.channels->Lo(); c <= sales.channels->Hi(); ++c) weights.push_back(sales.Of(sales.units, 0, s, c));
        if (sales.Of(sales.units, 0, s, 0) <= 0) std::fill(weights.begin(), weights.end(), 1.0);
        const std::vector<int> shares = Thousandths(weights);
        for (int c = sales.channels->Lo(); c <= sales.channels->Hi(); ++c)
            study.SetSmallint({s, c}, shares[static_cast<std::size_t>(c - sales.channels->Lo())]);
    }
}

// The firm's most recent buying habits: the period's when it bought the consumer
// survey for it, else those it kept from the period before (none before the first survey).
void WriteMostRecentBuyingHabits(const TSampleCell& cell, std::string_view name) {
    TSimArr& recent = StudyArray(cell, name);
    const TSimArr& orders = FirmDecision(cell, cell.cell.firm, kCategoryFirmFtaMarket, "DecStuMkt");
    const TSimArr* source = nullptr;
    if (orders.GetByte({si::ConsumerSurvey}) == 1) {
        source = &ResultsArray(cell, "StuByingHabits");
    } else if (cell.Period() > 0) {
        const auto before = static_cast<std::int16_t>(cell.Period() - 1);
        source = cell.industry.PerResults(before).FindSimArr(kCategoryFirmFtaMarket, SampleContext(before, cell.cell), name);
    }
    if (source == nullptr) return;
    for (int s = recent.LB(1); s <= recent.UB(1); ++s)
        for (int c = recent.LB(2); c <= recent.UB(2); ++c) recent.SetSmallint({s, c}, source->GetSmallint({s, c}));
}

// The segments' sizes now, next period and five periods ahead: the period's
// units grown by "SegGrowth"; a new market's start at a tenth of "MaxSegSize".
void WriteSegmentSizes(const TSampleCell& cell, std::string_view name) {
    TSimArr& sizes = StudyArray(cell, name);
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    const TSimArr& sales = ResultsArray(cell, "SegSales");
    const TSimArr& growth = ArrayOf(cell.industry.ConstPart(), kCategoryFtaMarket, cell.context, "SegGrowth");
    const TSimArr& maximum = ArrayOf(cell.industry.ConstPart(), kCategoryFtaMarket, cell.context, "MaxSegSize");
    const bool isNew = cell.set.GetSmallint(kCategoryFtaMarket, cell.context, "MktAge") == 0;
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
        const double rate = 1 + static_cast<double>(growth.GetReal48({0, s}));
        const double now = isNew ? 0 : static_cast<double>(sales.GetReal48({s, si::Unit}));
        const double next = isNew ? std::round(kNewSegmentShare * static_cast<double>(maximum.GetReal48({s}))) : std::round(now * rate);
        sizes.SetReal48({s, si::StuSize}, now);
        sizes.SetReal48({s, si::StuSizeP1}, next);
        sizes.SetReal48({s, si::StuSizeP5}, std::round(next * std::pow(rate, 4)));
    }
}

// Coverage: the share of a channel's outlets that carry the brand.
void WriteDistributionCoverage(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    const TSimArr& outlets = ArrayOf(cell.set, kCategoryFta, cell.context, "XFXRes");
    for (int b = 1; b <= sales.brands; ++b) {
        const TOwner owner = OwnerOf(cell, b);
        const TSimArr& reached = ArrayOf(cell.set, kCategoryFirmFtaMarket, FirmContext(cell, owner.firm), "BrdNDis");
        for (int c = sales.channels->Lo(); c <= sales.channels->Hi(); ++c) {
            const double share = SafeDiv(static_cast<double>(reached.GetReal48({owner.row, c})),
                                         static_cast<double>(outlets.GetReal48({c, si::NbOutlet})), 0);
            study.SetSmallint({b, c}, std::min(kThousand, static_cast<int>(std::lround(share * kThousand))));
        }
    }
}

// Competitive intelligence: each brand's advertising spread over the segments by
// its firm's segment targets, and its salespeople per channel.
void WriteCompetitorAdvertising(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    for (int b = 1; b <= sales.brands; ++b) {
        const TOwner owner = OwnerOf(cell, b);
        const TSimArr& mix = FirmDecision(cell, owner.firm, kCategoryFirmFtaMarket, "DecBrdCV3");
        const TSimArr& targets = FirmDecision(cell, owner.firm, kCategoryFirmFtaMarket, "SegStrat");
        for (int s = sales.segments->Lo(); s <= sales.segments->Hi(); ++s)
            study.SetReal48({b, s}, std::round(static_cast<double>(mix.GetReal48({owner.row, si::AdvertBgt}) *
                                                                   targets.GetReal48({owner.row, s}))));
    }
}

void WriteCompetitorSalesForce(const TSampleCell& cell, std::string_view name) {
    const TMarketSales sales = MarketSales(cell);
    TSimArr& study = StudyArray(cell, name);
    for (int b = 1; b <= sales.brands; ++b) {
        const TOwner owner = OwnerOf(cell, b);
        const TSimArr& sizes = FirmDecision(cell, owner.firm, kCategoryFirmFta, "SlfSize");
        const TSimArr& allocation = FirmDecision(cell, owner.firm, kCategoryFirmFtaMarket, "SlfAlloc");
        for (int c = sales.channels->Lo(); c <= sales.channels->Hi(); ++c)
            study.SetReal48({b, c}, static_cast<double>(sizes.GetReal48({c}) * allocation.GetReal48({c, owner.row})));
    }
}

// An experiment's test markets: per brand and element (segment or channel)
// the reach (awareness or coverage) x 1.1, at most 1,000, and the share x 1.05;
// the brand's average share x 1.05 in the array named Total.
struct TExperiment {
    std::string_view total;
    std::string_view reach;
    std::string_view shares;
    bool bySegment;
    int reachKind;
    int shareKind;
};

void WriteExperiment(const TSampleCell& cell, std::string_view name, const TExperiment& experiment) {
    const TMarketSales sales = MarketSales(cell);
    const TSeries& elements = experiment.bySegment ? *sales.segments : *sales.channels;
    TSimArr& study = StudyArray(cell, name);
    const TSimArr& reach = StudyArray(cell, experiment.reach);
    const TSimArr& shares = StudyArray(cell, experiment.shares);
    const TSimArr& average = StudyArray(cell, "StuBrdAvgUMS");
    for (int b = 1; b <= sales.brands; ++b) {
        if (name == experiment.total) {
            study.SetReal48({b}, Scaled(average.GetSmallint({b}), kTestShare, false));
            continue;
        }
        for (int e = elements.Lo(); e <= elements.Hi(); ++e) {
            study.SetSmallint({b, e, experiment.reachKind}, Scaled(reach.GetSmallint({b, e}), kTestReach, true));
            study.SetSmallint({b, e, experiment.shareKind}, Scaled(shares.GetSmallint({b, e}), kTestShare, false));
        }
    }
}

void WriteAdvertisingExperiment(const TSampleCell& cell, std::string_view name) {
    WriteExperiment(cell, name, {"StuBrdAdvTest", "StuBrdSegAwa", "StuBrdSegUMS", true, si::StuAdvAwa, si::StuAdvMS});
}

void WriteSalesForceExperiment(const TSampleCell& cell, std::string_view name) {
    WriteExperiment(cell, name,
                    {"StuBrdSlfTest", "StuDistrCov", "StuBrdChaUMS", false, si::StuSlfDist, si::StuSlfMS});
}

// Conjoint: per segment the weights of the attributes (adding up to 1000), four
// levels spread evenly over each scale's range, and the levels' utilities in
// thousandths of 0..1: falling with the level on the price scale, elsewhere
// highest at the segment's preferred level 1 + (s mod 4).
void WriteConjoint(const TSampleCell& cell, std::string_view name) {
    TSimArr& study = StudyArray(cell, name);
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    const TSeries& scales = CellSeries(cell.industry, "SemSeries", 0, cell.cell.market);
    const TSimArr& params = ArrayOf(cell.industry.ConstPart(), kCategoryMarket, cell.context, "SemPosPars");
    const int priceScale = scales.IndexOf("Price");
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
        const std::vector<int> weights = ConjointWeights(cell, scales, s);
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
            if (name == "StuCjaWeights") {
                study.SetSmallint({s, k}, weights[static_cast<std::size_t>(k - scales.Lo())]);
                continue;
            }
            if (ConjointAttribute(cell, k) <= 0) continue;
            const double low = static_cast<double>(params.GetReal48({k, si::MinScale}));
            const double high = static_cast<double>(params.GetReal48({k, si::MaxScale}));
            const int preferred = 1 + s % kConjointLevels;
            for (int level = 1; level <= kConjointLevels; ++level) {
                const double value = low + (high - low) * (level - 1) / (kConjointLevels - 1);
                const int utility = k == priceScale ? kThousand * (kConjointLevels - level) / (kConjointLevels - 1)
                                                    : kThousand - std::abs(level - preferred) * kThousand / (kConjointLevels - 1);
                study.SetSmallint({s, k, level}, name == "StuCjaValues" ? static_cast<int>(std::lround(value)) : utility);
            }
        }
    }
}

// The importance of each scale in percent: its conjoint weight averaged over
// the segments, or 5 for a scale that is no conjoint attribute.
void WriteScaleWeights(const TSampleCell& cell, std::string_view name) {
    TSimArr& study = StudyArray(cell, name);
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    const TSeries& scales = CellSeries(cell.industry, "SemSeries", 0, cell.cell.market);
    for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
        double sum = 0;
        for (int s = segments.Lo(); s <= segments.Hi(); ++s)
            sum += ConjointWeights(cell, scales, s)[static_cast<std::size_t>(k - scales.Lo())];
        const bool attribute = ConjointAttribute(cell, k) > 0;
        study.SetSmallint({k}, attribute ? static_cast<int>(std::lround(sum / segments.Count() / 10)) : kOtherScaleWeight);
    }
}

// Benchmarking reports each firm's figures as its own report has them.
void WriteBenchmarkReport(const TSampleCell& cell, std::string_view name) {
    TSimArr& study = StudyArray(cell, name);
    const TSimArr& report = ArrayOf(cell.set, cell.category, cell.context, name.substr(3));
    for (int e = report.LB(1); e <= report.UB(1); ++e) study.SetReal48({e}, report.GetReal48({e}));
}

// The firm's shares: the sum of its brands' shares of each segment or channel.
void WriteFirmShares(const TSampleCell& cell, std::string_view name) {
    TSimArr& study = StudyArray(cell, name);
    const std::string brandName = "StuBrd" + std::string(name.substr(6));
    const TSimArr& brandShares = ArrayOf(cell.set, kCategoryFtaMarket, cell.context, brandName);
    const int brands = cell.set.GetSmallint(kCategoryFtaMarket, cell.context, "NbMktedBrds");
    const TSimArr& links = ArrayOf(cell.set, kCategoryFtaMarket, cell.context, "XFMLinks");
    for (int e = study.LB(1); e <= study.UB(1); ++e) {
        int sum = 0;
        for (int b = 1; b <= brands; ++b)
            if (links.GetByte({b, si::Dfix}) == cell.cell.firm) sum += brandShares.GetSmallint({b, e});
        study.SetSmallint({e}, sum);
    }
}

}  // namespace cv::sample
