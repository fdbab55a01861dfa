#pragma once
// TModDistr: distribution and sales in the marketing-plan pass.
//
// Per zone and market with marketed brands, PlanSales turns each firm's plan
// (units per segment, "MPBrdSegSales", and their split over the channels,
// "MPBrdChaSales") into the brand unit sales of t+1 ("BrdUSales"), which
// production takes as demand and reduces to what a stocked-out brand can sell.
// Once after all markets, FinishZones fills the zone results: every firm's
// sales force and its base, hiring and firing costs ("FFXRpt"), each brand's
// share of that cost ("BrdRpt" brSlf), the channel margins ("XFXRes"), the
// retail prices per channel ("BrdRPrices") and each brand's average retail and
// selling prices ("BrdRpt" brRPrice, brSPrice).
//
// Plan entries, prices and sales-force sizes that hold the entry fields'
// empty value or are negative count as 0, with a warning; a retail price that
// does not fit its 16-bit element is stored saturated, with a warning.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/typed_array.h"
#include "model/mod_basic.h"
#include "model/model_access.h"

namespace cv {

// Parameters of the constant part (zone cell): one salesperson's cost per
// period, and the cost of hiring or firing one, in the reference money.
inline constexpr char kSlpBaseCost[] = "SlpBaseCost";
inline constexpr char kSlpFireCost[] = "SlpFireCost";
inline constexpr char kSlpHireCost[] = "SlpHireCost";
inline constexpr long double kDefaultSlpBaseCost = 20000;
inline constexpr long double kDefaultSlpFireCost = 5000;
inline constexpr long double kDefaultSlpHireCost = 3000;

class TModDistr : public TModBasic {
public:
    // TModBasic::Init, then checks the series and labels this module addresses.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // TModBasic::SetMarket, then opens the market's arrays of t+1 (and of t when
    // t+1 is above period 0) and carries "BrdPastMSU" of t into t+1: a copy
    // from period 1 on (cleared, with a log line, when t lacks it), all zeros
    // in period 0. Each call repeats the carrying.
    void SetMarket(int fta, int mkt) override;

    // Brand unit sales of the selected market from the plan: for every marketed
    // brand, segment s and channel c, "BrdUSales"[i, s, c] := planned units of s
    // / 1000 x the share of c (thousandths of a percent) / 100. Every element of
    // the brand's rows is overwritten.
    void PlanSales(std::uint16_t flags);
    // The zone results of every zone (nothing without zones): SalesForceCosts,
    // then per market SetMarket and, for a market with brands, BrandSalesForce
    // and ChannelResults.
    void FinishZones(std::uint16_t flags);

    // The steps of FinishZones, on the context's zone (and market).
    // Per firm: salespeople n, their base cost and, from period 1 on, the
    // cost of hiring or firing against the sales force of t, in the zone's money.
    void SalesForceCosts();
    // Per marketed brand: the firm's sales-force cost x the salespeople working
    // for the brand / the firm's salespeople (0 without salespeople).
    void BrandSalesForce();
    // Channel margins on their ramp over the periods, retail prices per channel,
    // and the brands' average retail and selling prices over the units sold.
    void ChannelResults();

    // Arrays of the current zone and market, owned by the data store. The ones
    // of t are null in period 0 or when t lacks them.
    TSimArr* BrdRPricesT1 = nullptr;
    TSimArr* BrdUSalesT1 = nullptr;
    TSimArr* DisCovIdxsT = nullptr;
    TSimArr* DisCovIdxsT1 = nullptr;
    TSimArr* BrdPastMSUT = nullptr;
    TSimArr* BrdPastMSUT1 = nullptr;

private:
    // The simulated period t+1.
    int SimulatedPeriod() const { return Ctx().DecPeriod; }
    // The brand's plan, from the plans of its firm that SegPlans and ChaPlans find.
    void PlanBrandSales(int brand, TCellArr& segPlans, TCellArr& chaPlans);
    void CarryPastMarketShares();
    // A plan entry or decision amount as the computation uses it (see
    // DecisionAmount); Describe names it, and is called only for a value counted as 0.
    template <class Describe>
    long double Amount(long double value, Describe describe) const {
        return value >= 0 ? value : DecisionAmount(*this, value, describe());
    }
    // Salespeople of the firm in the zone's channel, as counted.
    long double SalesForceSize(int firm, int channel) const;
    // Salespeople of the context's zone working for market brand Brand, over the zone's channels.
    long double BrandSalespeople(int brand) const;
    // The value 1 of the reference money in the zone's money of t+1 for salaries.
    long double SalaryMoneyFactor() const;
    long double ZoneParameter(const char* name, long double defaultValue) const;
    void FirmSalesForceCost(int firm, long double base, long double hire, long double fire);
    void BrandPrices(int brand, const std::vector<long double>& discounts, const std::vector<long double>& margins,
                     TCellArr& brandReports);
    // "COSMO of firm 1, zone 2, market 1", for warnings.
    std::string BrandWhere(int brand) const;
    // EModelError unless both corners of a box of elements lie within the array.
    static void RequireBox(const TDynArr& array, std::string_view name, const TIndex& first, const TIndex& last);

    // The channel shares of the brand whose sales are being planned, kept
    // between brands so that planning allocates nothing per brand.
    std::vector<long double> channelShares_;
};

}  // namespace cv
