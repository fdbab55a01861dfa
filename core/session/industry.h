#pragma once
// TCvInd: an industry file opened for use. On top of the stored sets of TCvData
// it holds what nearly every screen asks for: the decision period, the team's
// budget, how many periods, firms, zones (Fta) and markets there are, each
// market's and zone's series (dimensions, semantic scales, map axes, segments,
// channels) with their labels in the user's language, a zone's inflation and
// currency figures, and the instructor's restriction bits.
//
// An industry has at most 3 zones and 3 markets; market and zone arguments run
// 1..3, and any other value raises ERangeError.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/store/cv_data.h"
#include "core/store/industry_series.h"
#include "core/session/fta_budget.h"

namespace cv {

// The label of an element whose series the industry lacks.
inline constexpr char kUndefinedLabel[] = "Undefined";

class TCvInd : public TCvData {
public:
    using TCvData::TCvData;

    // TCvData::Open, then an empty budget object.
    void Open(const std::string& signature, const std::string& fileName) override;
    // TCvData::Close (saves every part), then frees the budget object. A failed
    // save raises and leaves the industry open with its budget.
    void Close() override;

    // Reads the decision period, the counts and the per-market series. Raises
    // EDataError when the period, firm, zone or market series, or a series of a
    // market or zone, is missing or lies outside the series list, and for a
    // fourth zone or market; the industry is then unusable and the caller closes it.
    void InitSeries();

    std::int32_t DecPeriod() const { return decPeriod_; }
    // The budget object: present from Open to Close.
    TFtaBudget* Budget() const { return budget_.get(); }
    std::int32_t NbPeriods() const { return nbPeriods_; }
    std::int32_t NbFirms() const { return nbFirms_; }
    std::int32_t NbFtas() const { return nbFtas_; }
    std::int32_t NbMarkets() const { return nbMarkets_; }
    // The series of a market (1..3) or zone (1..3); nullptr for a slot beyond the counts.
    TSeries* DimSeries(int market) const;
    TSeries* SemSeries(int market) const;
    TSeries* MapSeries(int market) const;
    TSeries* SegSeries(int fta, int market) const;
    TSeries* ChaSeries(int fta) const;

    // Labels: line Element of the series section entry named after the series
    // (with a prefix for the variants). "Undefined" when the industry lacks the
    // series; the series' own stored label when no translator exists.
    std::string StuFtaLabel(int element) const;
    std::string StuMktLabel(int element) const;
    // Firm is taken as the nearest whole number, ties to even (2.5 names firm
    // 2); past 32 bits ERangeError.
    std::string FirmLabel(long double firm) const;
    std::string FtaLabel(int element) const;
    std::string MarketLabel(int element) const;
    std::string DimLabel(int market, int element) const;
    std::string DimShortLabel(int market, int element) const;
    std::string DimUnitLabel(int market, int element) const;
    std::string SemLabel(int market, int element) const;
    std::string SemUnitLabel(int market, int element) const;
    std::string MapLabel(int market, int element) const;
    std::string SegmentLabel(int fta, int market, int element) const;
    std::string SegmentShortLabel(int fta, int market, int element) const;
    std::string SegmentInitialLabel(int fta, int market, int element) const;
    std::string ChannelLabel(int fta, int element) const;
    std::string ChannelLongLabel(int fta, int element) const;
    std::string SeriesLabel(const TSeries* series, int element) const;

    // Economics of zone Fta, read from the constant part. A missing "Economics",
    // "DeflatFacs" or "CumInflation" array is logged by the bag and raises
    // EDataError naming it.
    // Period's inflation rate (Period held to 0..12); for K > 0 deflator K's own
    // additional rate is added.
    long double InflationRate(int period, int fta, int k) const;
    long double GnpGrowthRate(int period, int fta) const;
    // Value restated in Period's money (Period is capped at the last period) by
    // deflator K's inflation accumulated so far, including Period's own when
    // WithCurrent.
    long double CumInflation(int period, int fta, bool withCurrent, long double value, int k) const;
    // An amount of the reference money in the zone's money of Period: converted
    // at the exchange rate of period 0, then as CumInflation.
    long double ConvertToFta(int period, int fta, bool withCurrent, long double value, int k) const;

    // Bit Item of the category's word of "RestrictEnabled" / "RestrictHidden":
    // false for an unknown category or item, an item outside the 16 bits, or a
    // missing restriction array.
    bool RestrictEnabled(std::string_view category, std::string_view item) const;
    bool RestrictHidden(std::string_view category, std::string_view item) const;

private:
    std::string Label(const TSeries* series, std::string_view prefix, int element) const;
    const TSimArr& FtaArray(std::string_view name, int fta) const;
    long double EconomicsValue(int period, int fta, int variable) const;
    bool RestrictBit(std::string_view arrayName, std::string_view category, std::string_view item) const;

    std::int32_t decPeriod_ = 0;
    std::unique_ptr<TFtaBudget> budget_;
    TIndustrySeries series_;
    std::int32_t nbPeriods_ = 0;
    std::int32_t nbFirms_ = 0;
    std::int32_t nbFtas_ = 0;
    std::int32_t nbMarkets_ = 0;
};

}  // namespace cv
