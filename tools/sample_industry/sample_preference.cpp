// What the preference model starts from: the scales' parameters and their
// projection onto the map ("SemPosPars", "SemToMap"), the segments' initial
// ideal points and their drift ("IniPosIP", "MvtPosIP"), the segments' maximum
// sizes ("MaxSegSize"), and in every results period the segment sales, the
// ends of the scales and the ideal points ("SegSales", "SemScales",
// "PosSemIPs").

#include <algorithm>
#include <array>
#include <string>
#include <stdexcept>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_brand_table.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr int kMaxScales = 6;
constexpr int kMaxMapAxes = 3;

// One semantic scale: its bottom, its top (fixed, or the ceiling of mode 4),
// the margin above the brands, the growth rate of mode 2, the scaling mode,
// whether natural positions centre on it, their exponent, and its top in every
// results period.
struct TSampleScale {
    long double minScale;
    long double maxScale;
    long double delta;
    long double inflation;
    long double mode;
    long double standard;
    long double exponent;
    std::int16_t top;
    long double conjointAttribute;  // 1..4, 0 for a scale the conjoint study leaves out
};

// In the order of each market's scales (M1: Weight, Power, Design, Noise, Range,
// Price; M2: Size, Speed, Grip, Price; M3: Volume, Autonomy, Price), in the
// attributes' own units, with the conjoint attribute each scale stands for.
// The prices follow the zone's inflation (mode 3); the
// new market M3, which has no brand to scale on, keeps fixed ranges.
constexpr std::array<std::array<TSampleScale, kMaxScales>, kMarketCount> kScales{{
    {{{10, 60, 5, 0.05L, 4, 0, 1, 55, 1},
      {10, 50, 2, 0.1L, 2, 0, 1.5L, 45, 2},
      {0, 10, 1, 0, 1, 1, 1, 10, 0},
      {40, 100, 5, 0, 1, 0, 1, 100, 0},
      {10, 120, 10, 0.05L, 4, 0, 1, 110, 3},
      {300, 1000, 20, 0.05L, 3, 0, 1, 900, 4}}},
    {{{0, 15, 1, 0, 1, 1, 1, 15, 1},
      {50, 200, 10, 0.05L, 4, 0, 0.8L, 180, 2},
      {0, 10, 1, 0, 1, 0, 1, 10, 3},
      {200, 800, 20, 0.05L, 3, 0, 1, 700, 4},
      {},
      {}}},
    {{{0, 50, 2, 0, 1, 0, 1, 50, 1}, {0, 24, 1, 0, 1, 0, 1, 24, 2}, {100, 600, 20, 0.05L, 3, 0, 1, 500, 3}, {}, {}, {}}},
}};

// Weights of the scales on each map axis (M1: Economy, Performance, Style; M2:
// Comfort, Speed; M3: Utility, Image).
constexpr std::array<std::array<std::array<long double, kMaxScales>, kMaxMapAxes>, kMarketCount> kSemToMap{{
    {{{-0.4L, 0.2L, 0.1L, 0.2L, -0.1L, -0.6L}, {0.1L, 0.7L, 0.3L, -0.2L, 0.3L, 0.2L}, {0.2L, 0.1L, 0.8L, 0.3L, 0, -0.1L}}},
    {{{0.6L, -0.2L, 0.3L, -0.3L}, {-0.1L, 0.8L, 0.2L, 0.2L}, {}}},
    {{{0.5L, 0.4L, -0.3L}, {0.2L, -0.1L, 0.6L}, {}}},
}};

constexpr long double kRetailPricePerUnit = 250;  // segment sales in money per unit sold

std::size_t Slot(const TSeries& series, int element) { return static_cast<std::size_t>(element - series.Lo()); }

const TSeries& Scales(const TSampleCell& cell) {
    const TSeries& scales = CellSeries(cell.industry, "SemSeries", 0, cell.cell.market);
    if (scales.Count() > kMaxScales) throw std::logic_error("sample industry: too many semantic scales");
    return scales;
}

const TSeries& Segments(const TSampleCell& cell) {
    return CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
}

const TSampleScale& ScaleOf(const TSampleCell& cell, const TSeries& scales, int scale) {
    return kScales[static_cast<std::size_t>(cell.cell.market - 1)][Slot(scales, scale)];
}

// Units sold in segment S in the results of Period.
long double SegmentUnits(int segment, int period) { return 20000 + 5000 * segment + 1000 * (period + 1); }

// Ideal point of segment S on scale K after attraction in Period, in thousandths.
int IdealPoint(int segment, int scale, int period) { return 50 * (3 * segment - 2 * scale) + 10 * period; }

}  // namespace

void WriteScaleParameters(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = Scales(cell);
    TSimArr& params = NewArray(cell, name, dkReal48, 0, {&scales, &RequireSeries(cell.industry, "SemPos")});
    for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
        const TSampleScale& scale = ScaleOf(cell, scales, k);
        params.SetReal48({k, si::MinScale}, scale.minScale);
        params.SetReal48({k, si::MaxScale}, scale.maxScale);
        params.SetReal48({k, si::DeltaScale}, scale.delta);
        params.SetReal48({k, si::InflaScale}, scale.inflation);
        params.SetReal48({k, si::CalcScales}, scale.mode);
        params.SetReal48({k, si::CalcStandard}, scale.standard);
        params.SetReal48({k, si::NatPosExp}, scale.exponent);
        params.SetReal48({k, si::CjaAttribute}, scale.conjointAttribute);
    }
}

void WriteSemanticToMap(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = Scales(cell);
    const TSeries& axes = CellSeries(cell.industry, "MapSeries", 0, cell.cell.market);
    if (axes.Count() > kMaxMapAxes) throw std::logic_error("sample industry: too many map axes");
    TSimArr& weights = NewArray(cell, name, dkReal48, 0, {&axes, &scales});
    for (int d = axes.Lo(); d <= axes.Hi(); ++d)
        for (int k = scales.Lo(); k <= scales.Hi(); ++k)
            weights.SetReal48(
                {d, k}, kSemToMap[static_cast<std::size_t>(cell.cell.market - 1)][Slot(axes, d)][Slot(scales, k)]);
}

// "IniPosIP"[s, k] = 4 (s - 2) + 2 (k - 3) and "MvtPosIP"[s, k] = 0.3 (s - k), in map units.
void WriteIdealPointStart(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& scales = Scales(cell);
    TSimArr& points = NewArray(cell, name, dkReal48, 0, {&segments, &scales});
    for (int s = segments.Lo(); s <= segments.Hi(); ++s)
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) points.SetReal48({s, k}, 4 * (s - 2) + 2 * (k - 3));
}

void WriteIdealPointDrift(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& scales = Scales(cell);
    TSimArr& drift = NewArray(cell, name, dkReal48, 0, {&segments, &scales});
    for (int s = segments.Lo(); s <= segments.Hi(); ++s)
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) drift.SetReal48({s, k}, 0.3L * (s - k));
}

// "MaxSegSize"[s] = 100,000 + 20,000 s.
void WriteMaxSegmentSizes(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    TSimArr& sizes = NewArray(cell, name, dkReal48, 0, {&segments});
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) sizes.SetReal48({s}, 100000 + 20000 * s);
}

// "SegGrowth"[p, s]: the growth the instructor expects of segment s, the same in
// every period p: 1 % (M1), 2 % (M2) or 20 % (the new M3), one point more per segment.
void WriteSegmentGrowth(const TSampleCell& cell, std::string_view name) {
    constexpr long double kBaseGrowth[kMarketCount] = {0.01L, 0.02L, 0.20L};
    constexpr long double kGrowthPerSegment = 0.01L;
    const TSeries& segments = Segments(cell);
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    TSimArr& growth = NewArray(cell, name, dkReal48, 0, {&periods, &segments});
    for (int p = periods.Lo(); p <= periods.Hi(); ++p)
        for (int s = segments.Lo(); s <= segments.Hi(); ++s)
            growth.SetReal48({p, s}, kBaseGrowth[cell.cell.market - 1] + kGrowthPerSegment * (s - segments.Lo()));
}

// "SegSales"[s, Unit] = 20,000 + 5,000 s + 1,000 (p + 1) in period p; Value = 250 x Unit.
// A market without brands sold nothing.
void WriteSegmentSales(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    TSimArr& sales = NewArray(cell, name, dkReal48, 0, {&segments, &RequireSeries(cell.industry, "UorV")});
    const bool selling = !MarketBrands(cell.cell.market, cell.Period()).empty();
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
        const long double units = selling ? SegmentUnits(s, cell.Period()) : 0;
        sales.SetReal48({s, si::Unit}, units);
        sales.SetReal48({s, si::Value}, units * kRetailPricePerUnit);
    }
}

void WriteScaleEnds(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = Scales(cell);
    TSimArr& ends = NewArray(cell, name, dkSmallint, 0, {&scales, &RequireSeries(cell.industry, "MinMax")});
    for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
        const TSampleScale& scale = ScaleOf(cell, scales, k);
        ends.SetSmallint({k, si::SrMin}, static_cast<long long>(scale.minScale));
        ends.SetSmallint({k, si::SrMax}, scale.top);
    }
}

// Where the brands draw the segments' ideal points, and how far off the study measures them.
constexpr int kAttraction = 20;
constexpr int kStudyBias = 15;

// What a study reports of an ideal point at Normalised (thousandths of -1..1):
// on the semantic scale 4 + 3n (thousandths of the 1..7 scale), on the map 20n
// (thousandths of the -20..20 axis), measured with the study's bias and never
// off its scale.
int StudiedIdealPoint(bool semantic, int normalised) {
    constexpr int kWhole = 1000;
    const int seen = std::clamp(normalised + kStudyBias, -kWhole, kWhole);
    return semantic ? 4 * kWhole + 3 * seen : 20 * seen;
}

// "PosSemIPs"[s, k, PSAftAttr] = 50 (3s - 2k) + 10 p in the history period p; before
// attraction 20 less; the study reports it on its scale, 15 more.
void WriteIdealPoints(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = Segments(cell);
    const TSeries& scales = Scales(cell);
    TSimArr& points =
        NewArray(cell, name, dkSmallint, 0, {&segments, &scales, &RequireSeries(cell.industry, "PosSemIP")});
    for (int s = segments.Lo(); s <= segments.Hi(); ++s)
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
            const int after = IdealPoint(s, k, cell.Period());
            points.SetSmallint({s, k, si::PSAftAttr}, after);
            points.SetSmallint({s, k, si::PSBefAttr}, after - kAttraction);
            points.SetSmallint({s, k, si::PSStuIP}, StudiedIdealPoint(true, after));
        }
}

// The ideal points of "PosSemIPs" or "PosMapIPs" after the forecast placed them
// before attraction: the brands draw each 20 thousandths up, the study reports
// it on its scale or map 15 more.
void WriteAttractedIdealPoints(const TSampleCell& cell, std::string_view name) {
    TSimArr* points = cell.set.FindSimArr(cell.category, cell.context, name);
    if (points == nullptr) throw std::logic_error("sample industry: the forecast made no " + std::string(name));
    const bool semantic = name == "PosSemIPs";
    const int before = semantic ? si::PSBefAttr : si::PMBefAttr;
    const int after = semantic ? si::PSAftAttr : si::PMAftAttr;
    const int studied = semantic ? si::PSStuIP : si::PMStuIP;
    for (int s = points->LB(1); s <= points->UB(1); ++s)
        for (int k = points->LB(2); k <= points->UB(2); ++k) {
            const int attracted = points->GetSmallint({s, k, before}) + kAttraction;
            points->SetSmallint({s, k, after}, attracted);
            points->SetSmallint({s, k, studied}, StudiedIdealPoint(semantic, attracted));
        }
}

}  // namespace cv::sample
