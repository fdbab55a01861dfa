#include "core/store/series_kinds.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <vector>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/series.h"
#include "core/store/series_index.h"

namespace cv {

namespace {

using TUse = TArrayDimensionUses::TUse;

bool SameUse(const TUse& use, const TCellIndex& cell, const TSimArr::TStoredDims& dims) {
    if (use.zone != cell.zone || use.market != cell.market || use.nDim != dims.nDim) return false;
    for (std::size_t d = 0; d < static_cast<std::size_t>(dims.nDim); ++d)
        if (use.lo[d] != dims.lb[d] || use.hi[d] != dims.ub[d] || use.series[d] != dims.names[d]) return false;
    return true;
}

using TSlot = std::size_t;

// A kind of position: the name the constant part keeps it under, and its
// series for a zone and a market, both 0-based and within the industry's.
struct TKind {
    std::string_view name;
    const TSeries* (*of)(const TIndustrySeries& found, TSlot zone, TSlot market);
};

constexpr TKind kKinds[] = {
    {"PerSeries", [](const TIndustrySeries& f, TSlot, TSlot) -> const TSeries* { return f.periods; }},
    {"FirSeries", [](const TIndustrySeries& f, TSlot, TSlot) -> const TSeries* { return f.firms; }},
    {"FtaSeries", [](const TIndustrySeries& f, TSlot, TSlot) -> const TSeries* { return f.ftas; }},
    {"MktSeries", [](const TIndustrySeries& f, TSlot, TSlot) -> const TSeries* { return f.markets; }},
    {"ChaSeries", [](const TIndustrySeries& f, TSlot z, TSlot) -> const TSeries* { return f.channels[z]; }},
    {"DimSeries", [](const TIndustrySeries& f, TSlot, TSlot m) -> const TSeries* { return f.dimensions[m]; }},
    {"SemSeries", [](const TIndustrySeries& f, TSlot, TSlot m) -> const TSeries* { return f.semantics[m]; }},
    {"MapSeries", [](const TIndustrySeries& f, TSlot, TSlot m) -> const TSeries* { return f.maps[m]; }},
    {"SegSeries", [](const TIndustrySeries& f, TSlot z, TSlot m) -> const TSeries* { return f.segments[z][m]; }},
};

// Whether a kind's series differ by zone and by market.
struct TScope {
    bool byZone;
    bool byMarket;
};

TScope ScopeOf(const TKind& kind) {
    const int category = *CellSeriesCategory(kind.name);
    return {category == kCategoryFta || category == kCategoryFtaMarket,
            category == kCategoryMarket || category == kCategoryFtaMarket};
}

// The scope of each kind, in the order of the kinds.
std::array<TScope, std::size(kKinds)> KindScopes() {
    std::array<TScope, std::size(kKinds)> scopes{};
    for (std::size_t k = 0; k < scopes.size(); ++k) scopes[k] = ScopeOf(kKinds[k]);
    return scopes;
}

// One position: its kind, the zone and market of its cell (0 where the kind
// depends on neither), and the series it names.
struct TPosition {
    const TKind* kind;
    int zone;
    int market;
    const TSeries* series;
    std::string Text() const { return SeriesPositionText(kind->name, zone, market); }
};

class TKindCheck {
public:
    TKindCheck(const TIndustrySeries& found, const TArrayDimensionUses& arrays, const TCellExtent& cells)
        : found_(found),
          arrays_(arrays),
          cells_(cells),
          scopes_(KindScopes()),
          zones_(found.ftas->Count()),
          markets_(found.markets->Count()) {}

    void Run() const {
        const std::vector<TPosition> positions = Positions();
        std::map<const TSeries*, const TPosition*> kindOfSeries;
        for (const TPosition& position : positions) {
            if (IsIndexTableSeries(*position.series))
                Fail(position, "which the program looks up by its own name");
            const auto [claimed, added] = kindOfSeries.try_emplace(position.series, &position);
            if (!added && claimed->second->kind != position.kind)
                Fail(position, "which " + claimed->second->Text() + " names");
        }
        CheckCellCounts(positions);
        for (const TKind& kind : kKinds) CheckArraysOf(kind, positions);
    }

private:
    // The series of Kind for the cell of Zone and Market, nullptr when the kind
    // depends on a zone or market that the cell has not (0) or the industry lacks.
    const TSeries* SeriesOf(const TKind& kind, int zone, int market) const {
        const TScope& scope = Scope(kind);
        if (scope.byZone && (zone < 1 || zone > zones_)) return nullptr;
        if (scope.byMarket && (market < 1 || market > markets_)) return nullptr;
        return kind.of(found_, static_cast<std::size_t>(scope.byZone ? zone - 1 : 0),
                       static_cast<std::size_t>(scope.byMarket ? market - 1 : 0));
    }

    // Every position, kind by kind, zones then markets in order.
    std::vector<TPosition> Positions() const {
        std::vector<TPosition> positions;
        for (const TKind& kind : kKinds) {
            const TScope& scope = Scope(kind);
            for (int zone = scope.byZone ? 1 : 0; zone <= (scope.byZone ? zones_ : 0); ++zone)
                for (int market = scope.byMarket ? 1 : 0; market <= (scope.byMarket ? markets_ : 0); ++market)
                    positions.push_back({&kind, zone, market, SeriesOf(kind, zone, market)});
        }
        return positions;
    }

    [[noreturn]] static void Fail(const TPosition& position, const std::string& why) {
        throw EDataError(position.Text() + " names the series " + position.series->Name() + ", " + why);
    }

    // The firms, zones and markets the cells are kept for are the elements of
    // their series, and every period whose decisions they hold is one of the
    // period series.
    void CheckCellCounts(const std::vector<TPosition>& positions) const {
        CheckCount(PositionOf("FirSeries", positions), cells_.firms, "firms");
        CheckCount(PositionOf("FtaSeries", positions), cells_.zones, "zones");
        CheckCount(PositionOf("MktSeries", positions), cells_.markets, "markets");
        const TPosition& periods = PositionOf("PerSeries", positions);
        const int first = cells_.firstDecisionPeriod;
        const int last = cells_.lastDecisionPeriod;
        if (first <= last && (first < periods.series->Lo() || last > periods.series->Hi()))
            Fail(periods, FormatText("%d..%d, but the file holds the decisions of periods %d..%d",
                                     {periods.series->Lo(), periods.series->Hi(), first, last}));
    }

    static const TPosition& PositionOf(std::string_view kind, const std::vector<TPosition>& positions) {
        return *std::find_if(positions.begin(), positions.end(),
                             [kind](const TPosition& position) { return position.kind->name == kind; });
    }

    static void CheckCount(const TPosition& position, int count, const char* what) {
        const TSeries& series = *position.series;
        if (series.Lo() != 1 || series.Hi() != count)
            Fail(position,
                 FormatText("%d..%d, but the cells are kept for %s 1..%d", {series.Lo(), series.Hi(), what, count}));
    }

    // An array dimension that carries, in the cell of one zone or market, a
    // series of Kind carries in the cell of every zone and market the series
    // that its position there names: the series of a position is the one its
    // cells' arrays are dimensioned with, and a series of another market or
    // zone of the same kind is not.
    void CheckArraysOf(const TKind& kind, const std::vector<TPosition>& positions) const {
        std::vector<const TSeries*> ofKind;
        for (const TPosition& position : positions)
            if (position.kind == &kind) ofKind.push_back(position.series);
        for (const auto& [array, uses] : arrays_.Arrays()) {
            const int dims = std::max_element(uses.begin(), uses.end(), [](const TUse& a, const TUse& b) {
                                 return a.nDim < b.nDim;
                             })->nDim;
            for (int d = 0; d < dims; ++d) {
                const auto slot = static_cast<std::size_t>(d);
                const bool told = std::any_of(uses.begin(), uses.end(), [&](const TUse& use) {
                    return use.nDim > d && std::any_of(ofKind.begin(), ofKind.end(), [&](const TSeries* series) {
                               return series->IsNamed(use.series[slot]);
                           });
                });
                if (!told) continue;
                for (const TUse& use : uses)
                    if (use.nDim > d) CheckUse(kind, array, d, use);
            }
        }
    }

    void CheckUse(const TKind& kind, const std::string& array, int d, const TUse& use) const {
        const auto slot = static_cast<std::size_t>(d);
        const TSeries* series = SeriesOf(kind, use.zone, use.market);
        if (!series ||
            (series->IsNamed(use.series[slot]) && series->Lo() == use.lo[slot] && series->Hi() == use.hi[slot]))
            return;
        const TScope& scope = Scope(kind);
        const TPosition position{&kind, scope.byZone ? use.zone : 0, scope.byMarket ? use.market : 0, series};
        Fail(position, FormatText("%d..%d, but dimension %d of the array %s of its cells is %s (%d..%d)",
                                  {series->Lo(), series->Hi(), d + 1, array, use.series[slot], use.lo[slot],
                                   use.hi[slot]}));
    }

    const TScope& Scope(const TKind& kind) const { return scopes_[static_cast<std::size_t>(&kind - kKinds)]; }

    const TIndustrySeries& found_;
    const TArrayDimensionUses& arrays_;
    const TCellExtent& cells_;
    std::array<TScope, std::size(kKinds)> scopes_;
    int zones_;
    int markets_;
};

}  // namespace

void TArrayDimensionUses::Add(const TCellIndex& cell, std::string_view name, const TSimArr::TStoredDims& dims) {
    auto found = arrays_.find(name);
    if (found == arrays_.end()) found = arrays_.emplace(std::string(name), std::vector<TUse>{}).first;
    std::vector<TUse>& uses = found->second;
    if (std::any_of(uses.begin(), uses.end(), [&](const TUse& use) { return SameUse(use, cell, dims); })) return;
    TUse& use = uses.emplace_back();
    use.zone = cell.zone;
    use.market = cell.market;
    use.nDim = dims.nDim;
    for (std::size_t d = 0; d < static_cast<std::size_t>(dims.nDim); ++d) {
        use.series[d] = dims.names[d];
        use.lo[d] = dims.lb[d];
        use.hi[d] = dims.ub[d];
    }
}

void TCellExtent::Add(int type, int period, const TCellIndex& cell) {
    firms = std::max<int>(firms, cell.firm);
    zones = std::max<int>(zones, cell.zone);
    markets = std::max<int>(markets, cell.market);
    if (type != vtDecisions && type != vtDefaults) return;
    firstDecisionPeriod = std::min(firstDecisionPeriod, period);
    lastDecisionPeriod = std::max(lastDecisionPeriod, period);
}

void CheckSeriesKinds(const TIndustrySeries& found, const TArrayDimensionUses& arrays, const TCellExtent& cells) {
    TKindCheck(found, arrays, cells).Run();
}

}  // namespace cv
