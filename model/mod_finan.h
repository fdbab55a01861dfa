#pragma once
// TModFinan: the finance step, last of the marketing-plan pass. It turns the
// units, prices and costs that production and distribution left in the results
// of t+1 into money: each brand's profit and loss and market shares, the
// segment sales, the firm's report per market ("FFMRpt") and per zone
// ("FFXRpt") with R&D, studies, interest and the loan's cost or profit, the net
// contribution and the next period's budget, the cumulative results of every
// brand the firm ever marketed, and each firm's market value and stock price
// index. It also carries the loan history into t+1.
//
// BackBone calls the steps in an order that carries the data: interest before
// any zone total, brand figures before the market reports are summed, the
// market reports of a zone before its budget, every zone's totals before the
// stock price index. Each step works on the zone, market and firm that the
// context record holds when it is called and writes straight into the results
// of t+1, where later steps read it back; the module keeps nothing of its own.
//
// R&D spending, interest and the loan's cost or profit are booked in zone 1
// only; the stock price index is computed in the last zone only. Every ratio is
// SafeDiv with the default 0. Cumulative and base elements ("...0") are set from
// the period's value in the first decision period and otherwise carried from
// the same cell of t; an array of t that is missing carries zeros, with a log line.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/store/typed_array.h"
#include "core/base/numbers.h"
#include "core/base/real48.h"
#include "model/mod_basic.h"
#include "model/model_access.h"

namespace cv {

// Defaults of the parameters of the constant part: the next-period budget
// ("NPBgtMin", "NPBgtMax", "NPBgtCoef") and the stock price index
// ("RevGrowthBefPer0", "SpiBase", "SpiLag", "SpiCoefPER", "SpiCoefMin").
inline constexpr long double kDefNPBgtMin = 7000000;
inline constexpr long double kDefNPBgtMax = 20000000;
inline constexpr long double kDefNPBgtCoef = 0.4L;
inline constexpr long double kDefRevGrowthBefPer0 = 0.05L;
inline constexpr long double kDefSpiBase = 1000;
inline constexpr long double kDefSpiLag = 1;
inline constexpr long double kDefSpiCoefPER = 10;
inline constexpr long double kDefSpiCoefMin = 1.5L;
// The next-period budget is a multiple of this amount.
inline constexpr long double kBudgetStep = 50000;

// Every ratio of the module: SafeDiv with the default 0, so that a zero divisor gives 0.
inline long double Ratio(long double a, long double b) {
    return SafeDiv(static_cast<double>(a), static_cast<double>(b), 0);
}

// A real array of the data store under its name. Every element access is checked
// against the array's bounds (EModelError naming the array and the index), so
// nothing falls back on the data store's first element. A view of a missing
// array of t reads 0 everywhere and takes no value. The name is viewed, not
// copied: the steps pass the names as literals.
class TFinArray {
public:
    TFinArray(TSimArr* array, std::string_view name) : array_(array), name_(name) {}

    TSimArr& Array() const;
    long double Get(const TIndex& index) const {
        if (!array_) return 0;
        if (const std::uint8_t* bytes = std::as_const(*array_).Real48Element(index)) return LoadReal48(bytes);
        return CheckedGet(index);
    }
    void Set(const TIndex& index, long double value) const {
        std::uint8_t* bytes = array_ ? array_->Real48Element(index) : nullptr;
        if (!bytes) return CheckedSet(index, value);
        StoreReal48(value, bytes);
        array_->MarkModified();
    }
    // Element += Value, in extended precision, stored as a 6-byte real.
    void Add(const TIndex& index, long double value) const {
        std::uint8_t* bytes = array_ ? array_->Real48Element(index) : nullptr;
        if (!bytes) return CheckedAdd(index, value);
        StoreReal48(LoadReal48(bytes) + value, bytes);
        array_->MarkModified();
    }

private:
    // The element access above for an index or array that its fast path does
    // not take: each bound checked with its own error, then the data store's access.
    long double CheckedGet(const TIndex& index) const;
    void CheckedSet(const TIndex& index, long double value) const;
    void CheckedAdd(const TIndex& index, long double value) const;

    friend class TFinRow;

    TSimArr* array_;
    std::string_view name_;
};

// Row Row of a two-dimensional TFinArray, for a step that reads and writes many
// elements of one row: the row is found once, and each element is then checked
// against the row's bounds only. Get, Set and Add behave as TFinArray's for
// {Row, Element}, errors included.
class TFinRow {
public:
    TFinRow(const TFinArray& array, int row);

    long double Get(int element) const {
        const std::uint8_t* bytes = Element(element);
        return bytes ? LoadReal48(bytes) : array_.Get({row_, element});
    }
    void Set(int element, long double value) const {
        std::uint8_t* bytes = Element(element);
        if (!bytes) return array_.Set({row_, element}, value);
        StoreReal48(value, bytes);
        array_.array_->MarkModified();
    }
    void Add(int element, long double value) const {
        std::uint8_t* bytes = Element(element);
        if (!bytes) return array_.Add({row_, element}, value);
        StoreReal48(LoadReal48(bytes) + value, bytes);
        array_.array_->MarkModified();
    }

private:
    // The element's bytes, nullptr when the row was not found or Element lies outside it.
    std::uint8_t* Element(int element) const {
        const auto offset = static_cast<unsigned>(element - lo_);  // below the row wraps to a large value
        return offset < count_ ? first_ + sizeof(Real48) * offset : nullptr;
    }

    TFinArray array_;
    int row_;
    std::uint8_t* first_ = nullptr;
    int lo_ = 0;
    unsigned count_ = 0;
};

// Element Target of a report takes, or accumulates, element Source of another.
struct TElementPair {
    const std::int8_t* target;
    const std::int8_t* source;
};

// Sets the base elements of Report, each of them the value of period 0: with
// DecisionPeriod 0 the period's own values (the pair's source elements),
// afterwards the same elements of Previous.
void SetBaseElements(const TFinArray& report, const TFinArray& previous, int decisionPeriod,
                     std::span<const TElementPair> pairs);
// Elements of Target := the same elements of Previous.
void CarryElements(const TFinArray& target, const TFinArray& previous, std::initializer_list<std::int8_t> elements);

class TModFinan : public TModBasic {
public:
    // The inherited Init, then the series and labels that the steps address,
    // and the "FFXRpt" series beginning with the "FFMRpt" elements in order.
    void Init(TCvInd& data, TWorkRec* workRec) override;

    // The whole finance step of a run (the driver passes the flags 2).
    void BackBone(std::uint16_t flags);

    // Market steps: zone 1 only for the R&D costs; brand revenues for a market
    // with marketed brands; study costs for every market.
    void RnDCosts();
    void BrandRevenues();
    void MarketStudyCosts();
    // Per firm of the current zone and market, after every zone's budget.
    void CumulateBrandResults();
    void CumulateMarketReport();
    // Per firm, before any market step: the loan history and zone 1's interest
    // and cost or profit entry.
    void Loans();
    // Per zone after its markets: the zone reports and the next period's budget.
    void NextBudget();
    // Per zone and firm after the cumulative steps of the zone.
    void FirmTotals();
    // Once at the end, on the zone the context holds (the last one).
    void StockPriceIndex();

    // F(k): one base unit of cost category K (an element of "CostCategs") in the
    // money of the context's zone for the decision period, its inflation included.
    long double MoneyFactor(int costCategory) const;

private:
    // The array Name of results t+1 of each firm's cell in the context's zone
    // and market, looked up when a firm first needs it: the brand loops of a
    // market visit a firm once per brand.
    class TFirmMarketArrays {
    public:
        TFirmMarketArrays(const TModFinan& module, std::string_view name) : module_(module), name_(name) {}
        TFinArray operator[](int firm);

    private:
        const TModFinan& module_;
        std::string_view name_;
        std::array<TSimArr*, kMaxModelFirms + 1> arrays_{};
    };

    int DecisionPeriod() const;
    int FirmCount() const;
    // Index of brand slot K (1-based) of "BrdCumRes"; K = slots + 1 is the row of brands that lost theirs.
    int SlotIndex(int k) const;
    TDataContext CellOf(int firm, int zone, int market) const;
    TFinArray ResultT1(int category, const TDataContext& cell, std::string_view name) const;
    TFinArray DecisionT1(int category, const TDataContext& cell, std::string_view name) const;
    TFinArray ConstantArr(int category, const TDataContext& cell, std::string_view name) const;
    // The array of results t, or a view that reads zeros (with a log line) when t lacks it.
    TFinArray ResultT(int category, const TDataContext& cell, std::string_view name) const;
    // What a cumulative or base element is carried from: the array of results t
    // after the first decision period, nothing (zeros, no log line) in it.
    TFinArray Carried(int category, const TDataContext& cell, std::string_view name) const;
    // A parameter of the constant part for the context's cell, or Default when it lacks it.
    long double Parameter(int category, std::string_view name, long double defaultValue) const;
    // A decision real as the computation uses it: the entry fields' empty value counts as 0.
    long double DecisionReal(long double value, const TLazyText& what) const;
    // Whether study S is ordered in the byte array Orders of the decisions.
    bool StudyOrdered(const TSimArr& orders, std::string_view name, int study) const;

    void BrandProfitAndLoss(int brand, const TFinArray& report, long double& totUnits, long double& totRetail);
    void AddSegmentSales(int brand, const TFinArray& report, const TFinArray& unitSales, const TFinArray& segSales);
    void AddBrandToMarketReport(int brand, const TFinArray& report, const TFinArray& marketReport,
                                long double& totUnits, long double& totRetail);
    void MarketRatiosAndStudies(int firm, const TFinArray& report, long double totUnits, long double totRetail,
                                const TFinArray& studyParams, long double salaryFactor);
    int FindCumulativeSlot(const TSimArr& names, const std::string& name) const;
    int TakeCumulativeSlot(TSimArr& names, const TFinArray& results, const std::string& name) const;
    // The first slot 1..slots whose status matches, 0 when none does.
    template <class Predicate>
    int FirstSlotWithStatus(const TFinArray& results, Predicate matches) const;
    void SumMarketReports(const TFinArray& zoneReport, int firm);
    void ChargeZoneStudies(const TFinArray& zoneReport, int firm, const TFinArray& studyParams,
                           long double salaryFactor);
};

}  // namespace cv
