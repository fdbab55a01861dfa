// TModManuf: production matched to the planned sales of the current zone and
// market. A brand whose planned sales exceed what it can supply (its stock
// plus its planned production raised by the tolerance) is stocked out and
// sells what it has; its lost sales are lost to the market. The others sell
// their plan and produce what it needs beyond their stock, at least the
// planned production lowered by the tolerance, rounded up to a hundred.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_manuf.h"
#include "model/mod_manuf_layers.h"
#include "model/model_access.h"

namespace cv {

namespace {

constexpr long double kNotSettled = -1;
constexpr long double kProductionBatch = 100;

// Planned unit sales of market brand Brand: [brand, segment, channel] over the array's own segments and channels.
long double SegmentSales(const TSimArr& sales, int brand, int segment) {
    long double total = 0;
    for (int c = sales.LB(3); c <= sales.UB(3); ++c) total += sales.GetReal48({brand, segment, c});
    return total;
}

// Whether row Brand of a three-dimensional Real48 array lies within its
// bounds: its elements then lie one after the other, segment by segment, and
// read without any report.
bool ReadsDirectly(const TSimArr& sales, int brand) {
    return sales.Kind() == dkReal48 && sales.NDim() == 3 && IndexInBounds(sales, {brand, sales.LB(2), sales.LB(3)});
}

long double BrandSales(const TSimArr& sales, int brand) {
    long double total = 0;
    if (!ReadsDirectly(sales, brand)) {
        for (int s = sales.LB(2); s <= sales.UB(2); ++s) total += SegmentSales(sales, brand, s);
        return total;
    }
    std::size_t position = static_cast<std::size_t>(brand - sales.LB(1)) * sales.Stride(1);
    for (int s = sales.LB(2); s <= sales.UB(2); ++s) {
        long double segment = 0;
        for (int c = sales.LB(3); c <= sales.UB(3); ++c) segment += sales.Real48At(position++);
        total += segment;
    }
    return total;
}

// Production raised to the next multiple of a hundred unless it is one.
long double RoundUpToBatch(long double production) {
    const long double batches = std::trunc(production / kProductionBatch);
    if (production - batches * kProductionBatch == 0) return production;
    return (batches + 1) * kProductionBatch;
}

}  // namespace

void TModManuf::MatchProduction(std::uint16_t /*flags*/) {
    ReadBrandPlans();
    FindStockOuts();
    SettleSales();
    AdjustUnitSales();
    LogBrandSales();
}

// Demand, planned production and the stock the inventory step left in t+1.
void TModManuf::ReadBrandPlans() {
    for (TMktBrandReals* table :
         {&OpeningStock, &ClosingStock, &PlannedProduction, &UnitsSold, &Demand, &UnitsProduced})
        table->fill(0);
    RequireIndex(*BrdUSales, "BrdUSales", {NbMktedBrdsT1(), BrdUSales->LB(2), BrdUSales->LB(3)});
    std::array<TSimArr*, kMaxModelFirms + 1> inventories{};  // each firm's, looked up for its first brand
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        UnitsSold[i] = kNotSettled;
        Demand[i] = BrandSales(*BrdUSales, i);
        PlannedProduction[i] =
            DecisionAmount(*this, GetBrandDecision(i, si::Production), [&] { return "Production of " + BrandText(i); });
        TSimArr*& inventory = inventories[Dfix()[i]];
        if (!inventory)
            inventory = &RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, FirmContext(Dfix()[i]), "Inventory");
        const TInventoryLayers layers(*inventory);
        layers.RequireRow(Dbix()[i]);
        OpeningStock[i] = layers.TotalSize(Dbix()[i]);
    }
}

// One pass over the brands. Lost[0] is the market's total, Lost[1..] its
// segments in the array's order; the log shows the running totals.
void TModManuf::FindStockOuts() {
    const int firstSegment = BrdUSales->LB(2);
    const int lastSegment = BrdUSales->UB(2);
    std::vector<long double> lost(static_cast<std::size_t>(lastSegment - firstSegment + 2), 0);
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        const long double maxProduction = (1 + Params.AdjustProdPlan) * PlannedProduction[i];
        const long double supply = maxProduction + OpeningStock[i];
        if (!(Demand[i] > supply && UnitsSold[i] == kNotSettled)) continue;
        UnitsSold[i] = supply;
        UnitsProduced[i] = maxProduction;
        const long double lostSales = Demand[i] - supply;
        lost[0] += lostSales;
        for (int s = firstSegment; s <= lastSegment; ++s)
            lost[static_cast<std::size_t>(s - firstSegment + 1)] +=
                SafeDiv(static_cast<double>(SegmentSales(*BrdUSales, i, s)), static_cast<double>(Demand[i]), 0) *
                lostSales;
        const std::string& name = BrdNames()->GetZts({i});
        AddFirmMessage(Dfix()[i], {"messages", "UnderProduction", name});
        LogFmtNoEol(5, "Lost sales for %s : %.0f", {name, lostSales});
        for (std::size_t s = 1; s < lost.size(); ++s) LogFmtNoEol(5, "   %.0f", {lost[s]});
        LogFmt(5, "");
    }
    LogFmtNoEol(5, "Total lost sales : %.0f", {lost[0]});
    for (std::size_t s = 1; s < lost.size(); ++s) LogFmtNoEol(5, "   %.0f", {lost[s]});
    LogFmt(5, "");
}

void TModManuf::SettleSales() {
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        if (UnitsSold[i] == kNotSettled) {
            UnitsSold[i] = Demand[i];
            UnitsProduced[i] = RoundUpToBatch(
                std::max(Demand[i] - OpeningStock[i], (1 - Params.AdjustProdPlan) * PlannedProduction[i]));
        }
        ClosingStock[i] = OpeningStock[i] + UnitsProduced[i] - UnitsSold[i];
    }
}

// Each cell of a brand's planned sales loses its share of the sales the brand
// cannot make; what rounding leaves goes to the first segment and channel. A
// row that reads directly is not read again: its planned sales are the demand
// ReadBrandPlans summed (a row changes only here, in its own turn), and a brand
// selling them has nothing to adjust (every delta is 0).
void TModManuf::AdjustUnitSales() {
    const int firstSegment = BrdUSales->LB(2);
    const int firstChannel = BrdUSales->LB(3);
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        const bool direct = ReadsDirectly(*BrdUSales, i);
        const long double planned = direct ? Demand[i] : BrandSales(*BrdUSales, i);
        long double diff = UnitsSold[i] - planned;
        const long double ratio = SafeDiv(static_cast<double>(UnitsSold[i]), static_cast<double>(planned), 0);
        if (direct && diff == 0 && ratio == 1) continue;
        for (int s = firstSegment; s <= BrdUSales->UB(2); ++s)
            for (int c = firstChannel; c <= BrdUSales->UB(3); ++c) {
                const long double sales = BrdUSales->GetReal48({i, s, c});
                const long double delta = std::max(diff, sales * (ratio - 1));
                diff -= delta;
                if (delta != 0) BrdUSales->SetReal48({i, s, c}, sales + delta);
            }
        if (diff != 0)
            BrdUSales->SetReal48({i, firstSegment, firstChannel},
                                 BrdUSales->GetReal48({i, firstSegment, firstChannel}) + diff);
    }
}

void TModManuf::LogBrandSales() const {
    constexpr int kLevel = 2;
    if (!LogWrites(kLevel)) return;  // the table is summed for the log only
    const int channels = BrdUSales->UB(3) - BrdUSales->LB(3) + 1;
    LogFmt(kLevel, "");
    LogFmt(kLevel, "Brand sales");
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        LogFmt(kLevel, "  %s", {BrdNames()->GetZts({i})});
        std::vector<long double> channelTotals(static_cast<std::size_t>(channels), 0);
        long double brandTotal = 0;
        for (int s = BrdUSales->LB(2); s <= BrdUSales->UB(2); ++s) {
            long double segmentTotal = 0;
            for (int c = BrdUSales->LB(3); c <= BrdUSales->UB(3); ++c) {
                const long double sales = BrdUSales->GetReal48({i, s, c});
                LogFmtNoEol(kLevel, "  %12f", {sales});
                segmentTotal += sales;
                channelTotals[static_cast<std::size_t>(c - BrdUSales->LB(3))] += sales;
            }
            LogFmt(kLevel, "  %12.0f", {segmentTotal});
            brandTotal += segmentTotal;
        }
        for (long double total : channelTotals) LogFmtNoEol(kLevel, "  %12.0f", {total});
        LogFmt(kLevel, "  %12.0f", {brandTotal});
    }
}

}  // namespace cv
