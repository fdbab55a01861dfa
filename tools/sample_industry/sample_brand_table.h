#pragma once
// The brands of the sample industry: who markets them, in which market, from
// which prototype and since when, at what price and in what quantities. Every
// writer of portfolios, decisions and brand results reads this one table.

#include <cstdint>
#include <string_view>
#include <vector>

namespace cv::sample {

// One brand, marketed by Firm in Market (in every zone) from its Launch period
// on (-1: since the history period); its prototype is ready one period earlier.
// Price is its retail price in period 0 and Units the units it plans to sell in
// the North in period 0.
struct TSampleBrand {
    std::int16_t firm;
    std::int16_t market;
    std::string_view name;
    std::string_view prototype;
    std::int16_t launch;
    long double price;
    long double units;
};

using TBrandList = std::vector<const TSampleBrand*>;

// The brands Firm markets in Market in Period, in launch order (its portfolio order).
TBrandList FirmBrands(int firm, int market, int period);
// The market's brands in market-brand order: each firm's brands, firm by firm.
TBrandList MarketBrands(int market, int period);
// The brands whose prototypes Firm has in Market at Period: those launched by the next period.
TBrandList FirmPrototypeBrands(int firm, int market, int period);
// The brand named Name; a name the table lacks is a fault of the generator.
const TSampleBrand& BrandNamed(std::string_view name);
// 1-based position of the brand named Name in Brands, 0 when absent.
int PositionOf(const TBrandList& brands, std::string_view name);

// The brand's retail price in Period: its price raised by 2 % a period after
// period 0, to the nearest 5.
long double BrandPrice(const TSampleBrand& brand, int period);
// The price decided for the brand in Zone in Period: its retail price, except
// where the firm reprices it (sample_brand_table.cpp).
long double DecidedPrice(const TSampleBrand& brand, int zone, int period);
// Units the brand plans to sell in Zone in Period: the South sells 0.6 of the
// North, and sales grow by 5 % of period 0's a period, in whole thousands; the
// market's last brand adds its slack in every segment.
long double PlannedUnits(const TSampleBrand& brand, int zone, int period);
// What the brand plans in each segment beyond whole thousands in Period: 250,
// and for the market's last brand what brings the segment's units to 600 beyond
// whole thousands. The forecast sells the plan, so every segment's units round
// up to the thousand the marketing plan shows them in: the brands' last-period
// shares of a segment add up to less than 100 % and a plan "Same as last
// period" fits the segments' sizes. Production comes in whole batches, so the
// brands keep some stock.
long double SegmentSlack(const TSampleBrand& brand, int period);

}  // namespace cv::sample
