// TModDistr: the zone results of the plan pass (sales-force costs, the
// brands' share of them, channel margins and prices).

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_distr.h"
#include "model/model_access.h"

namespace cv {

namespace {

// "XFXRes" holds a channel's margin in thousandths.
constexpr long double kMarginScale = 1000;

}  // namespace

// Before the data store converts, the arrays it reads are checked here, so that
// a short economics table raises the model error naming it instead of falling
// back on an array's first element.
long double TModDistr::SalaryMoneyFactor() const {
    const int period = SimulatedPeriod();
    TDataContext zone = Ctx();
    zone.SelFirm = zone.SelMarket = 0;
    const TCvPerData& constant = Data()->ConstPart();
    const TSimArr& economics = RequireArr(constant, kCategoryFta, zone, "Economics");
    RequireIndex(economics, "Economics", {0, si::ExchangeRate});
    RequireIndex(economics, "Economics", {period, si::InflationRate});
    RequireIndex(RequireArr(constant, kCategoryFta, zone, "DeflatFacs"), "DeflatFacs", {period, si::Salaries});
    RequireIndex(RequireArr(constant, kCategoryFta, zone, "CumInflation"), "CumInflation",
                 {std::min<int>(period, PerSeries()->Hi()), si::Salaries});
    return Data()->ConvertToFta(period, Ctx().SelFta, true, 1, si::Salaries);
}

long double TModDistr::ZoneParameter(const char* name, long double defaultValue) const {
    TDataContext zone = Ctx();
    zone.SelFirm = zone.SelMarket = 0;
    return Data()->ConstPart().GetRealDef(kCategoryFta, zone, name, defaultValue);
}

long double TModDistr::SalesForceSize(int firm, int channel) const {
    return Amount(GetSalesForceSize(firm, Ctx().SelFta, channel), [&] {
        return FormatText("SlfSize[%d] of firm %d, zone %d", {channel, firm, Ctx().SelFta});
    });
}

void TModDistr::SalesForceCosts() {
    const long double conv = SalaryMoneyFactor();
    const long double base = ZoneParameter(kSlpBaseCost, kDefaultSlpBaseCost) * conv;
    const long double fire = ZoneParameter(kSlpFireCost, kDefaultSlpFireCost) * conv;
    const long double hire = ZoneParameter(kSlpHireCost, kDefaultSlpHireCost) * conv;
    const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
    for (int firm = 1; firm <= firms; ++firm) FirmSalesForceCost(firm, base, hire, fire);
}

void TModDistr::FirmSalesForceCost(int firm, long double base, long double hire, long double fire) {
    long double salespeople = 0;
    for (int c = ChaSeries()->Lo(); c <= ChaSeries()->Hi(); ++c) salespeople += SalesForceSize(firm, c);
    const TDataContext cell = FirmContext(firm);
    TSimArr& report = RequireArr(*ResultsT1(), kCategoryFirmFta, cell, "FFXRpt");
    for (std::int8_t element : {si::ffxSlp, si::ffxSlfB, si::ffxSlfH, si::ffxSlfF})
        RequireIndex(report, "FFXRpt", {element});
    long double hiring = 0;
    long double firing = 0;
    if (SimulatedPeriod() > 0) {
        const TSimArr& before = RequireArr(*ResultsT(), kCategoryFirmFta, cell, "FFXRpt");
        RequireIndex(before, "FFXRpt", {si::ffxSlp});
        const long double previous = before.GetReal48({si::ffxSlp});
        hiring = MaxReal(0, static_cast<double>(salespeople - previous)) * hire;
        firing = MaxReal(0, static_cast<double>(previous - salespeople)) * fire;
    }
    report.SetReal48({si::ffxSlp}, salespeople);
    report.SetReal48({si::ffxSlfB}, salespeople * base);
    report.SetReal48({si::ffxSlfH}, hiring);
    report.SetReal48({si::ffxSlfF}, firing);
}

long double TModDistr::BrandSalespeople(int brand) const {
    long double salespeople = 0;
    for (int c = ChaSeries()->Lo(); c <= ChaSeries()->Hi(); ++c)
        if (SalesForceSize(Dfix()[brand], c) > 0) salespeople += GetSalesForceAlloc(c, brand);
    return salespeople;
}

void TModDistr::BrandSalesForce() {
    TCellArr firmReports(*ResultsT1(), kCategoryFirmFta, "FFXRpt");
    TCellArr brandReports(*ResultsT1(), kCategoryFirmFtaMarket, "BrdRpt");
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) {
        const TDataContext firmZone = FirmContext(Dfix()[brand]);
        const TSimArr& firmReport = firmReports.For(firmZone);
        for (std::int8_t element : {si::ffxSlp, si::ffxSlfB, si::ffxSlfH, si::ffxSlfF})
            RequireIndex(firmReport, "FFXRpt", {element});
        const long double cost = firmReport.GetReal48({si::ffxSlfB}) + firmReport.GetReal48({si::ffxSlfF}) +
                                 firmReport.GetReal48({si::ffxSlfH});
        const long double salespeople = firmReport.GetReal48({si::ffxSlp});
        TSimArr& report = brandReports.For(firmZone);
        RequireIndex(report, "BrdRpt", {Dbix()[brand], si::brSlf});
        const long double charged = cost * BrandSalespeople(brand);
        report.SetReal48({Dbix()[brand], si::brSlf},
                         SafeDiv(static_cast<double>(charged), static_cast<double>(salespeople)));
    }
}

// A channel's margin moves linearly from its start value in the period after
// the first of the period series to its end value in the last, and stays at
// either end outside.
void TModDistr::ChannelResults() {
    if (ChaSeries()->Count() == 0) return;
    const int lo = ChaSeries()->Lo();
    const int hi = ChaSeries()->Hi();
    const TSimArr& pars = RequireArr(Data()->ConstPart(), kCategoryFtaMarket, Ctx(), "ChannelPars");
    for (std::int8_t element : {si::MarginBeg, si::MarginEnd, si::Discount})
        RequireBox(pars, "ChannelPars", {element, lo}, {element, hi});
    TSimArr& zoneResults = RequireArr(*ResultsT1(), kCategoryFta, Ctx(), "XFXRes");
    RequireBox(zoneResults, "XFXRes", {lo, si::Margin}, {hi, si::Margin});
    std::vector<long double> discounts;
    std::vector<long double> margins;
    discounts.reserve(static_cast<std::size_t>(ChaSeries()->Count()));
    margins.reserve(static_cast<std::size_t>(ChaSeries()->Count()));
    for (int c = lo; c <= hi; ++c) {
        discounts.push_back(pars.GetReal48({si::Discount, c}));
        margins.push_back(Rescale(SimulatedPeriod(), PerSeries()->Lo() + 1, PerSeries()->Hi(),
                                  static_cast<double>(pars.GetReal48({si::MarginBeg, c})),
                                  static_cast<double>(pars.GetReal48({si::MarginEnd, c}))));
        zoneResults.SetReal48({c, si::Margin}, margins.back() * kMarginScale);
    }
    if (SegSeries()->Count() == 0) return;
    RequireBox(*BrdUSalesT1, "BrdUSales", {1, SegSeries()->Lo(), lo},
               {static_cast<int>(NbMktedBrdsT1()), SegSeries()->Hi(), hi});
    RequireBox(*BrdRPricesT1, "BrdRPrices", {1, lo}, {static_cast<int>(NbMktedBrdsT1()), hi});
    TCellArr brandReports(*ResultsT1(), kCategoryFirmFtaMarket, "BrdRpt");
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) BrandPrices(brand, discounts, margins, brandReports);
}

void TModDistr::BrandPrices(int brand, const std::vector<long double>& discounts,
                            const std::vector<long double>& margins, TCellArr& brandReports) {
    const long double price =
        Amount(GetBrandDecision(brand, si::Price), [&] { return "Price of " + BrandWhere(brand); });
    const auto cell = [&] { return ResultsT1()->DescribeCell(kCategoryFtaMarket, Ctx()); };
    long double units = 0;
    long double retail = 0;
    long double selling = 0;
    const int segLo = SegSeries()->Lo(), segHi = SegSeries()->Hi();
    const int chaLo = ChaSeries()->Lo();
    // The brand's unit sales lie within the box ChannelResults checked.
    const TSimArr& unitSales = *BrdUSalesT1;
    const bool direct = HoldsReals(unitSales, 3);
    const std::size_t salesAt = direct ? PositionWithin(unitSales, {brand, segLo, chaLo}) : 0;
    for (int c = chaLo; c <= ChaSeries()->Hi(); ++c) {
        const std::size_t k = static_cast<std::size_t>(c - chaLo);
        long double sold = 0;
        for (int s = segLo; s <= segHi; ++s)
            sold += direct ? unitSales.Real48At(salesAt + static_cast<std::size_t>(s - segLo) * unitSales.Stride(2) + k)
                           : unitSales.GetReal48({brand, s, c});
        const long double channelPrice = (1 - discounts[k]) * price;
        units += sold;
        retail += sold * channelPrice;
        selling += sold * price * (1 - discounts[k]) * (1 - margins[k]);
        StoreSmallintSaturated(*this, *BrdRPricesT1, "BrdRPrices", cell, {brand, c}, channelPrice);
    }
    TSimArr& report = brandReports.For(FirmContext(Dfix()[brand]));
    RequireBox(report, "BrdRpt", {Dbix()[brand], si::brRPrice}, {Dbix()[brand], si::brSPrice});
    report.SetReal48({Dbix()[brand], si::brRPrice}, SafeDiv(static_cast<double>(retail), static_cast<double>(units)));
    report.SetReal48({Dbix()[brand], si::brSPrice}, SafeDiv(static_cast<double>(selling), static_cast<double>(units)));
}

}  // namespace cv
