#include "tools/sample_industry/sample_brand_coverage.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {
namespace {

// Outlets of each channel (Hyper, Specialist, Direct / Hyper, Direct), growing
// by 2 % a period.
constexpr double kNorthOutlets[] = {1200, 450, 80};
constexpr double kSouthOutlets[] = {900, 60};
constexpr double kOutletGrowth = 0.02;

double Outlets(int zone, int channel, int period) {
    const double base = zone == 1 ? kNorthOutlets[channel - 1] : kSouthOutlets[channel - 1];
    return std::round(base * (1 + kOutletGrowth * period));
}

}  // namespace

// Keeps the channel margins the forecast wrote; sets the outlets.
void WriteChannelOutlets(const TSampleCell& cell, std::string_view name) {
    TSimArr* results = cell.set.FindSimArr(cell.category, cell.context, name);
    if (!results) throw std::logic_error("sample industry: the forecast wrote no " + std::string(name));
    const TSeries& channels = CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    for (int channel = channels.Lo(); channel <= channels.Hi(); ++channel)
        results->SetReal48({channel, si::NbOutlet}, Outlets(cell.cell.zone, channel, cell.Period()));
}

// Brand j of firm f reaches 20 % to 60 % of a channel's outlets: 20 % plus
// 10 % for each step of (f + j + channel) mod 5.
void WriteBrandDistributors(const TSampleCell& cell, std::string_view name) {
    const TSeries& channels = CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    TSimArr& distributors =
        NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "FirBrand"), &channels});
    const int brandCount = cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds");
    for (int brand = 1; brand <= brandCount; ++brand)
        for (int channel = channels.Lo(); channel <= channels.Hi(); ++channel) {
            const double share = 0.2 + 0.1 * ((cell.cell.firm + brand + channel) % 5);
            distributors.SetReal48({brand, channel}, std::round(share * Outlets(cell.cell.zone, channel, cell.Period())));
        }
}

}  // namespace cv::sample
