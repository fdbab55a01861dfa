// Distribution: the channels' terms ("ChannelPars"), each firm's planned unit
// sales per brand and segment ("MPBrdSegSales"), and the past market shares and
// distribution coverage of the market brands ("BrdPastMSU", "DisCovIdxs").

#include <array>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_brand_table.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr int kMaxChannels = 3;
constexpr int kMaxSegments = 5;

// Terms of the channels in their zone's order (North: Hyper, Specialist, Direct; South: Hyper, Direct).
struct TChannelTerms {
    long double chainsBeg, chainsEnd, outletsBeg, outletsEnd;
    long double minSalespeople, maxSalespeople, depth;
    long double marginBeg, marginEnd, discount;
};

constexpr std::array<TChannelTerms, kMaxChannels> kNorthChannels{{
    {12, 10, 900, 800, 1, 8, 0.60L, 0.30L, 0.26L, 0.05L},
    {40, 45, 600, 650, 1, 5, 0.40L, 0.40L, 0.36L, 0.00L},
    {1, 1, 50, 80, 2, 10, 0.90L, 0.10L, 0.12L, 0.00L},
}};

constexpr std::array<TChannelTerms, kMaxChannels> kSouthChannels{{
    {8, 9, 500, 560, 1, 6, 0.50L, 0.32L, 0.28L, 0.04L},
    {1, 1, 30, 60, 2, 8, 0.80L, 0.12L, 0.14L, 0.00L},
    {},
}};

// How a brand's planned units spread over the segments of its zone and market,
// by the number of segments; brand k of a firm starts the pattern at segment k,
// so that the firms' brands aim at different segments.
constexpr std::array<std::array<long double, kMaxSegments>, kMaxSegments> kSegmentSpreads{{
    {1, 0, 0, 0, 0},
    {0.6L, 0.4L, 0, 0, 0},
    {0.5L, 0.3L, 0.2L, 0, 0},
    {0.4L, 0.3L, 0.2L, 0.1L, 0},
    {0.3L, 0.25L, 0.2L, 0.15L, 0.1L},
}};

// Coverage index of every marketed brand per channel position, in thousandths.
constexpr std::array<std::int16_t, kMaxChannels> kCoverage{800, 600, 400};
// A market's units are shared equally among its brands, in thousandths.
constexpr int kShareScale = 1000;

TSimArr& RequireArray(const TSampleCell& cell, std::string_view name) {
    TSimArr* array = cell.set.FindSimArr(cell.category, cell.context, name);
    if (array == nullptr) throw std::logic_error("sample industry: " + std::string(name) + " is written later");
    return *array;
}

// The same market's array Name in the results of the period before.
const TSimArr* PreviousShares(const TSampleCell& cell, std::string_view name) {
    const auto period = static_cast<std::int16_t>(cell.Period() - 1);
    return cell.industry.PerResults(period).FindSimArr(cell.category, SampleContext(period, cell.cell), name);
}

const TSeries& Segments(const TSampleCell& cell) {
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    if (segments.Count() > kMaxSegments) throw std::logic_error("sample industry: too many segments");
    return segments;
}

const TSeries& Channels(const TSampleCell& cell) {
    const TSeries& channels = CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    if (channels.Count() > kMaxChannels) throw std::logic_error("sample industry: too many channels");
    return channels;
}

// Marketed brands of the cell (a firm's or a market's), written before this quantity.
int BrandCount(const TSampleCell& cell) { return cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds"); }

}  // namespace

void WriteChannelParameters(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    const auto& terms = cell.cell.zone == 1 ? kNorthChannels : kSouthChannels;
    TSimArr& pars = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "ChaParams"), &channels});
    for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
        const TChannelTerms& channel = terms[static_cast<std::size_t>(c - channels.Lo())];
        const std::pair<std::int8_t, long double> values[] = {
            {si::NbChainBeg, channel.chainsBeg},
            {si::NbChainEnd, channel.chainsEnd},
            {si::NbOutletBeg, channel.outletsBeg},
            {si::NbOutletEnd, channel.outletsEnd},
            {si::MinSlpPerBrd, channel.minSalespeople},
            {si::MaxSlpPerBrd, channel.maxSalespeople},
            {si::Depth, channel.depth},
            {si::MarginBeg, channel.marginBeg},
            {si::MarginEnd, channel.marginEnd},
            {si::Discount, channel.discount},
        };
        for (const auto& [element, value] : values) pars.SetReal48({element, c}, value);
    }
}

// The brand's planned units of the period spread over the segments in whole
// thousands and its slack; the last segment takes what rounding leaves, so that
// the plan adds up to the units.
void WriteSegmentPlans(const TSampleCell& cell, std::string_view name) {
    constexpr long double kThousand = 1000;
    const TSeries& segments = Segments(cell);
    if (segments.Count() != kSegmentCounts[static_cast<std::size_t>(cell.cell.market - 1)])
        throw std::logic_error("sample industry: the segments of " + segments.Name() + " differ from its plans");
    TSimArr& plans = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "FirBrand"), &segments});
    const auto& spread = kSegmentSpreads[static_cast<std::size_t>(segments.Count() - 1)];
    const TBrandList brands = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period());
    for (std::size_t k = 0; k < brands.size(); ++k) {
        const long double units = PlannedUnits(*brands[k], cell.cell.zone, cell.Period());
        const long double slack = SegmentSlack(*brands[k], cell.Period());
        const long double thousands = units - slack * segments.Count();
        long double left = units;
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
            const std::size_t slot = (static_cast<std::size_t>(s - segments.Lo()) + k) % segments.Count();
            const long double planned =
                s == segments.Hi() ? left : kThousand * std::nearbyint(thousands * spread[slot] / kThousand) + slack;
            plans.SetReal48({k + 1, s}, planned);
            left -= planned;
        }
    }
}

// The history period: every marketed brand holds an equal share of each segment in both past periods.
void WritePastMarketShares(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& pastPeriods = RequireSeries(cell.industry, "PM2PM1");
    TSimArr& shares =
        NewArray(cell, name, dkSmallint, 0, {&pastPeriods, &RequireSeries(cell.industry, "MktBrand"), &segments});
    const int brands = BrandCount(cell);
    for (int pm = pastPeriods.Lo(); pm <= pastPeriods.Hi(); ++pm)
        for (int m = 1; m <= brands; ++m)
            for (int s = segments.Lo(); s <= segments.Hi(); ++s)
                shares.SetSmallint({pm, m, s}, static_cast<std::int16_t>(kShareScale / brands));
}

// Later periods: the share of the period's units that each brand sold in each
// segment (PM1), and the one it had the period before (PM2; 0 for a new brand).
void WriteSegmentShares(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& channels = Channels(cell);
    TSimArr& shares = RequireArray(cell, name);
    const TSimArr& sales = RequireArray(cell, "BrdUSales");
    const TSimArr& links = RequireArray(cell, "XFMLinks");
    const TSimArr* before = PreviousShares(cell, name);
    const int brands = BrandCount(cell);
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
        // Units of market brand m in the segment, over the channels; slot 0 the segment's total.
        std::vector<double> units(static_cast<std::size_t>(brands + 1), 0);
        for (int m = 1; m <= brands; ++m)
            for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
                const auto brandUnits = static_cast<double>(sales.GetReal48({m, s, c}));
                units[static_cast<std::size_t>(m)] += brandUnits;
                units[0] += brandUnits;
            }
        for (int m = 1; m <= brands; ++m) {
            const int previous = links.GetByte({m, si::pMbix});
            const int past = previous == 0 || before == nullptr ? 0 : before->GetSmallint({si::PM1, previous, s});
            const double share = SafeDiv(units[static_cast<std::size_t>(m)], units[0], 0) * kShareScale;
            shares.SetSmallint({si::PM2, m, s}, past);
            shares.SetSmallint({si::PM1, m, s}, static_cast<long long>(std::nearbyint(share)));
        }
    }
}

void WriteCoverage(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    TSimArr& coverage = NewArray(cell, name, dkSmallint, 0, {&RequireSeries(cell.industry, "MktBrand"), &channels});
    const int brands = BrandCount(cell);
    for (int m = 1; m <= brands; ++m)
        for (int c = channels.Lo(); c <= channels.Hi(); ++c)
            coverage.SetSmallint({m, c}, kCoverage[static_cast<std::size_t>(c - channels.Lo())]);
}

}  // namespace cv::sample
