// Sales forces: what a salesperson costs in each zone ("SlpBaseCost",
// "SlpHireCost", "SlpFireCost"), how many each firm employs per channel in each
// period ("SlfSize"), and how each channel's force is shared among the firm's
// brands ("SlfAlloc"). Team A cuts its force in the North in the decision period
// and team E enlarges it, so that the decision period has firing and hiring.

#include <array>
#include <stdexcept>
#include <string>

#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

// Costs of one salesperson in the reference money: a period's salary, hiring, firing.
struct TSalespersonCosts {
    std::string_view base;
    long double north;
    long double south;
};

constexpr TSalespersonCosts kSalespersonCosts[] = {
    {"SlpBaseCost", 30000, 24000},
    {"SlpHireCost", 8000, 6000},
    {"SlpFireCost", 12000, 9000},
};

constexpr int kMaxChannels = 3;
using TChannelSizes = std::array<std::int16_t, kMaxChannels>;

// Salespeople per channel of the zone (Hyper, Specialist, Direct in the North;
// Hyper, Direct in the South): from period 0 up to the current period, and in
// the decision period.
struct TSalesForce {
    std::int16_t firm;
    std::int16_t zone;
    TChannelSizes before;
    TChannelSizes decided;
};

constexpr TSalesForce kSalesForces[] = {
    {1, 1, {9, 4, 4}, {8, 4, 4}}, {1, 2, {6, 3, 0}, {6, 3, 0}}, {2, 1, {5, 5, 4}, {6, 5, 5}},
    {2, 2, {4, 4, 0}, {4, 4, 0}}, {3, 1, {7, 3, 5}, {7, 3, 5}}, {3, 2, {5, 2, 0}, {4, 2, 0}},
    {4, 1, {5, 3, 3}, {5, 3, 3}}, {4, 2, {6, 3, 0}, {7, 3, 0}},
};

const TSalesForce& SalesForceOf(std::int16_t firm, std::int16_t zone) {
    for (const TSalesForce& force : kSalesForces)
        if (force.firm == firm && force.zone == zone) return force;
    throw std::logic_error("sample industry: no sales force for firm " + std::to_string(firm));
}

const TSeries& Channels(const TSampleCell& cell) {
    const TSeries& channels = CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    if (channels.Count() > kMaxChannels) throw std::logic_error("sample industry: too many channels");
    return channels;
}

// Brands the firm markets in the zone over all markets, as the decisions of the cell's period count them.
int FirmBrandsInZone(const TSampleCell& cell) {
    int brands = 0;
    for (std::int16_t market = 1; market <= kMarketCount; ++market) {
        TDataContext context = cell.context;
        context.SelMarket = market;
        brands += cell.set.GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds");
    }
    return brands;
}

}  // namespace

int SalesForceSize(std::int16_t firm, std::int16_t zone, int channel, int period) {
    const TSalesForce& force = SalesForceOf(firm, zone);
    const TChannelSizes& sizes = period >= kDecisionPeriod ? force.decided : force.before;
    return sizes.at(static_cast<std::size_t>(channel - 1));
}

int SalesForceTotal(std::int16_t firm, std::int16_t zone, int period) {
    int total = 0;
    for (int channel = 1; channel <= kMaxChannels; ++channel) total += SalesForceSize(firm, zone, channel, period);
    return total;
}

void WriteSalespersonCost(const TSampleCell& cell, std::string_view name) {
    for (const TSalespersonCosts& costs : kSalespersonCosts)
        if (costs.base == name) {
            cell.set.SetReal(cell.category, cell.context, name, cell.cell.zone == 1 ? costs.north : costs.south);
            return;
        }
    throw std::logic_error("sample industry: no salesperson cost " + std::string(name));
}

void WriteSalesForceSizes(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    TSimArr& sizes = NewArray(cell, name, dkReal48, 0, {&channels});
    for (int channel = channels.Lo(); channel <= channels.Hi(); ++channel)
        sizes.SetReal48({channel}, SalesForceSize(cell.cell.firm, cell.cell.zone, channel, cell.Period()));
}

// Every channel's force is shared equally among all the firm's brands in the zone.
void WriteSalesForceAllocation(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = Channels(cell);
    TSimArr& allocation = NewArray(cell, name, dkReal48, 0, {&channels, &RequireSeries(cell.industry, "FirBrand")});
    const int brandsInZone = FirmBrandsInZone(cell);
    const int brands = cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds");
    for (int channel = channels.Lo(); channel <= channels.Hi(); ++channel)
        for (int brand = 1; brand <= brands; ++brand) allocation.SetReal48({channel, brand}, 1.0L / brandsInZone);
}

}  // namespace cv::sample
