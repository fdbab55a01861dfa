// Distribution: the channels' terms ("ChannelPars"), each firm's planned unit
// sales per brand and segment ("MPBrdSegSales"), and the past market shares and
// distribution coverage of the market brands ("BrdPastMSU", "DisCovIdxs").

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr int kMaxChannels = 3;
constexpr int kMaxSegments = 3;

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

// Planned units of a firm's brand in the segments of its market, before the slot's extra.
constexpr std::array<long double, kMaxSegments> kSegmentPlans{12000, 8000, 4000};
constexpr long double kPlanPerSlot = 1000;

// Coverage index of every marketed brand per channel position, in thousandths.
constexpr std::array<std::int16_t, kMaxChannels> kCoverage{800, 600, 400};
// A market's units are shared equally among its brands, in thousandths.
constexpr int kShareScale = 1000;

TSimArr& CreateArray(const TSampleCell& cell, std::string_view name, std::uint8_t kind,
                     std::initializer_list<const TSeries*> dimensions) {
    return cell.set.CreateSimArr(cell.category, cell.context, name, kind, 0, dimensions);
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
int BrandCount(const TSampleCell& cell) {
    return cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds");
}

}  // namespace

void WriteChannelParameters(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    const auto& terms = cell.cell.zone == 1 ? kNorthChannels : kSouthChannels;
    TSimArr& pars = CreateArray(cell, name, dkReal48, {&RequireSeries(cell.industry, "ChaParams"), &channels});
    for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
        const TChannelTerms& channel = terms[static_cast<std::size_t>(c - channels.Lo())];
        const std::pair<std::int8_t, long double> values[] = {
            {si::NbChainBeg, channel.chainsBeg},     {si::NbChainEnd, channel.chainsEnd},
            {si::NbOutletBeg, channel.outletsBeg},   {si::NbOutletEnd, channel.outletsEnd},
            {si::MinSlpPerBrd, channel.minSalespeople}, {si::MaxSlpPerBrd, channel.maxSalespeople},
            {si::Depth, channel.depth},              {si::MarginBeg, channel.marginBeg},
            {si::MarginEnd, channel.marginEnd},      {si::Discount, channel.discount},
        };
        for (const auto& [element, value] : values) pars.SetReal48({element, c}, value);
    }
}

// Brand k of the firm plans the segment's units + 1000 x k.
void WriteSegmentPlans(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    TSimArr& plans = CreateArray(cell, name, dkReal48, {&RequireSeries(cell.industry, "FirBrand"), &segments});
    const int brands = BrandCount(cell);
    for (int k = 1; k <= brands; ++k)
        for (int s = segments.Lo(); s <= segments.Hi(); ++s)
            plans.SetReal48({k, s}, kSegmentPlans[static_cast<std::size_t>(s - segments.Lo())] + kPlanPerSlot * k);
}

void WritePastMarketShares(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& pastPeriods = RequireSeries(cell.industry, "PM2PM1");
    TSimArr& shares =
        CreateArray(cell, name, dkSmallint, {&pastPeriods, &RequireSeries(cell.industry, "MktBrand"), &segments});
    const int brands = BrandCount(cell);
    for (int pm = pastPeriods.Lo(); pm <= pastPeriods.Hi(); ++pm)
        for (int m = 1; m <= brands; ++m)
            for (int s = segments.Lo(); s <= segments.Hi(); ++s)
                shares.SetSmallint({pm, m, s}, static_cast<std::int16_t>(kShareScale / brands));
}

void WriteCoverage(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    TSimArr& coverage = CreateArray(cell, name, dkSmallint, {&RequireSeries(cell.industry, "MktBrand"), &channels});
    const int brands = BrandCount(cell);
    for (int m = 1; m <= brands; ++m)
        for (int c = channels.Lo(); c <= channels.Hi(); ++c)
            coverage.SetSmallint({m, c}, kCoverage[static_cast<std::size_t>(c - channels.Lo())]);
}

}  // namespace cv::sample
