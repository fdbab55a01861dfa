// What the newsletter reads beyond the forecasts: each firm's stock-price index
// and market value in every zone report, chosen so that the leader changes
// from period to period and two firms tie in period 2, and the inventory
// coefficients of each zone-market.
#include <cstddef>

#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {
namespace {

constexpr int kStockPeriods = kCurrentPeriod + 1;
// Stock-price index by firm and period 0..3 (the same in both zones); period 0 is the base.
constexpr long double kStockPriceIndex[kFirmCount][kStockPeriods] = {
    {1000, 1120, 1050, 990}, {1000, 980, 1180, 1240}, {1000, 1040, 1180, 1010}, {1000, 1210, 930, 870}};
// Market value at the base of the index, in thousands, by firm; each period's follows the index.
constexpr long double kBaseMarketValue[kFirmCount] = {24000, 30000, 18000, 21000};
constexpr long double kIndexBase = 1000;

// The inventory coefficients that the simulation applies: written out at the
// model's own default values so that the newsletter shows them and the
// simulated history stays as it is.
constexpr long double kHoldingCoefficient = 0.08L;
constexpr long double kStockSaleCoefficient = 0.1L;

}  // namespace

void WriteStockMarket(const TSampleCell& cell, std::string_view name) {
    TSimArr* report = cell.set.FindSimArr(cell.category, cell.context, name);
    if (report == nullptr || cell.Period() < 0 || cell.Period() >= kStockPeriods) return;
    const long double index = kStockPriceIndex[cell.cell.firm - 1][cell.Period()];
    report->SetReal48({si::ffxSPI}, index);
    report->SetReal48({si::ffxMktVal}, kBaseMarketValue[cell.cell.firm - 1] * index / kIndexBase);
}

void WriteInventoryCoefficient(const TSampleCell& cell, std::string_view name) {
    cell.set.SetReal(cell.category, cell.context, name,
                     name == "IHCCoef" ? kHoldingCoefficient : kStockSaleCoefficient);
}

}  // namespace cv::sample
