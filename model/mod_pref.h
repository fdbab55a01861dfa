#pragma once
// TModPref: preference preparation of a zone and market. For every cell with
// marketed brands in the forecast period t+1 it computes what the preference
// steps start from, and writes it into the results of t+1:
//   - the segments' ideal points on the semantic scales and the map, moved by
//     one drift step from last period's (or from the initial ones in a young
//     market);
//   - every marketed brand's actual attributes (its prototype's physical
//     characteristics and its retail price) and its portfolio status in the
//     decisions of t+1 (1 carried on unchanged, 3 modified, 4 new);
//   - the range of every semantic scale, in one of four scaling modes;
//   - every brand's natural position on every scale.
//
// Positions are stored as thousandths of an axis normalised to -1..1;
// attributes and scale ends in the attribute's own unit. Every 16-bit store
// saturates with a warning instead of aborting the forecast.

#include <cstdint>
#include <string_view>
#include <utility>

#include "model/mod_basic.h"

namespace cv {

class TCellArr;
class TDynArr;
class TIndex;
class TSimArr;

// Scaling modes of "SemPosPars"[k, CalcScales].
inline constexpr int kScaleFixed = 1;          // top at MaxScale
inline constexpr int kScaleInflated = 2;       // top follows the brands up by at most InflaScale per period
inline constexpr int kScaleZoneInflation = 3;  // the same with the zone's inflation rate of t
inline constexpr int kScaleUpToMax = 4;        // top follows the brands up to MaxScale

// "PortStatus" codes written here (2.0 comes from the production step).
inline constexpr double kPortCarriedOn = 1.0;
inline constexpr double kPortModified = 3.0;
inline constexpr double kPortNew = 4.0;

class TModPref : public TModBasic {
public:
    // TModBasic::Init, then the cached cell cleared; checks the series and
    // labels the module addresses.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // TModBasic::SetMarket, then binds the position arrays of t (none when t+1
    // is period 0) and t+1 and "SemToMap", checks the cell's series against
    // them, and loads the segment sales of t (or the maximum segment sizes in
    // period 0) into the work record.
    void SetMarket(int fta, int mkt) override;

    // The four steps below, once per zone and market: a second call for the
    // cell prepared last does nothing. Runs only for a market with brands.
    void PrepareMarket();

    void MoveIdealPoints();
    void ComputeBrandAttributes();
    void ScaleAxes();
    // Natural positions of market brands First..Last (a brand outside
    // 1..NbMktedBrdsT1 raises EModelError).
    void ComputeNaturalPositions(int first, int last);

    // Zone and market of the last PrepareMarket; 0 after Init.
    int CachedFta() const { return cachedFta_; }
    int CachedMkt() const { return cachedMkt_; }

    // Handles into the data store (not owned). The arrays of t are null when
    // t+1 is period 0 or when t lacks them.
    TSimArr* SemToMap = nullptr;
    TSimArr* PosSemBrdsT = nullptr;
    TSimArr* PosMapBrdsT = nullptr;
    TSimArr* PosSemIPsT = nullptr;
    TSimArr* PosMapIPsT = nullptr;
    TSimArr* PosSemBrdsT1 = nullptr;
    TSimArr* PosMapBrdsT1 = nullptr;
    TSimArr* PosSemIPsT1 = nullptr;
    TSimArr* PosMapIPsT1 = nullptr;

private:
    bool ForecastIsFirstPeriod() const;
    // EModelError unless SetMarket has bound the cell's arrays.
    void RequireBoundMarket() const;
    void BindPositions();
    void CheckCellBounds();
    void LoadSegmentSales();
    int PriceScale() const;

    // Ideal points.
    void ProjectIdealPoints(int age);
    void LogIdealPoints() const;

    // Brand attributes and portfolio status.
    // The brand's attributes, from its prototype's levels that PrototypeLevels finds.
    void StoreBrandAttributes(int brand, int priceScale, TCellArr& prototypeLevels);
    double PortfolioStatus(int brand, int priceScale) const;
    std::pair<int, int> ScaledDimensions() const;

    // Axis scaling and natural positions.
    struct TScaleRule {
        double maxScale = 0;
        double delta = 0;
        double inflation = 0;
        int mode = kScaleFixed;
    };
    TScaleRule ReadScaleRule(const TSimArr& params, int scale) const;
    double ScaleTop(const TScaleRule& rule, int scale, double lastTop) const;
    double HighestAttribute(int scale, double lastTop, double delta) const;
    double InflationOfT() const;
    void LogNaturalPositions(int first, int last) const;

    // A saturating store into a 16-bit element of an array of t+1 of the cell.
    void Store(TDynArr& array, std::string_view name, const TIndex& index, long double value) const;
    // EModelError unless both corners of a box of indexes lie within the array.
    static void RequireBox(const TDynArr& array, const char* name, const TIndex& first, const TIndex& last);

    int cachedFta_ = 0;
    int cachedMkt_ = 0;
    TDataContext cell_{};  // the context SetMarket selected, which warnings describe
};

}  // namespace cv
