// TModPref: the drift of the segments' ideal points, on the semantic scales
// and projected onto the map.

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_pref.h"
#include "model/mod_pref_units.h"
#include "model/model_access.h"

namespace cv {

using namespace pref;

namespace {

// A market younger than this starts from the initial ideal points; an older
// one from the ideal points of t after attraction.
constexpr int kMatureAge = 2;
// Only a market of this age sets its map positions after attraction too.
constexpr int kNewMarketAge = 0;

double FromMap(long double mapUnits) {
    return Rescale(static_cast<double>(mapUnits), kMapLo, kMapHi, kAxisLo, kAxisHi);
}

}  // namespace

void TModPref::MoveIdealPoints() {
    RequireBoundMarket();
    const int age = RequireSmallint(*ResultsT1(), kCategoryFtaMarket, Ctx(), "MktAge");
    const int segLo = SegSeries()->Lo(), segHi = SegSeries()->Hi();
    const int semLo = SemSeries()->Lo(), semHi = SemSeries()->Hi();
    const TCvPerData& constant = Data()->ConstPart();
    const TSimArr& drift = RequireArr(constant, kCategoryFtaMarket, Ctx(), "MvtPosIP");
    RequireBox(drift, "MvtPosIP", {segLo, semLo}, {segHi, semHi});
    const TSimArr* initial = nullptr;
    if (age < kMatureAge) {
        initial = &RequireArr(constant, kCategoryFtaMarket, Ctx(), "IniPosIP");
        RequireBox(*initial, "IniPosIP", {segLo, semLo}, {segHi, semHi});
    } else {
        if (!PosSemIPsT)
            throw EModelError(FormatText("array PosSemIPs missing in the %s (market age %d)",
                                         {ResultsT()->DescribeCell(kCategoryFtaMarket, Ctx()), age}));
        RequireBox(*PosSemIPsT, "PosSemIPs", {segLo, semLo, si::PSAftAttr}, {segHi, semHi, si::PSAftAttr});
    }
    for (int s = segLo; s <= segHi; ++s)
        for (int k = semLo; k <= semHi; ++k) {
            const double base = initial ? FromMap(initial->GetReal48({s, k}))
                                        : PosSemIPsT->GetSmallint({s, k, si::PSAftAttr}) / kThousandths;
            const double value = base + FromMap(drift.GetReal48({s, k}));
            Store(*PosSemIPsT1, "PosSemIPs", {s, k, si::PSBefAttr}, value * kThousandths);
        }
    ProjectIdealPoints(age);
    LogIdealPoints();
}

// Map position of a segment's ideal point: the weighted sum of its stored
// (rounded) positions on the semantic scales.
void TModPref::ProjectIdealPoints(int age) {
    for (int s = SegSeries()->Lo(); s <= SegSeries()->Hi(); ++s)
        for (int d = MapSeries()->Lo(); d <= MapSeries()->Hi(); ++d) {
            double acc = 0;
            for (int k = SemSeries()->Lo(); k <= SemSeries()->Hi(); ++k)
                acc += static_cast<double>(SemToMap->GetReal48({d, k})) *
                       (PosSemIPsT1->GetSmallint({s, k, si::PSBefAttr}) / kThousandths);
            Store(*PosMapIPsT1, "PosMapIPs", {s, d, si::PMBefAttr}, acc * kThousandths);
            if (age == kNewMarketAge) Store(*PosMapIPsT1, "PosMapIPs", {s, d, si::PMAftAttr}, acc * kThousandths);
        }
}

void TModPref::LogIdealPoints() const {
    if (DebugLevel < kDetailLevel) return;
    LogFmt(kDetailLevel, "");
    LogFmt(kDetailLevel, "IP semantic scales before attraction");
    for (int s = SegSeries()->Lo(); s <= SegSeries()->Hi(); ++s) {
        LogFmtNoEol(kDetailLevel, "%d", {s});
        for (int k = SemSeries()->Lo(); k <= SemSeries()->Hi(); ++k) {
            const double value = PosSemIPsT1->GetSmallint({s, k, si::PSBefAttr}) / kThousandths;
            LogFmtNoEol(kDetailLevel, "\t%.2f", {Rescale(value, kAxisLo, kAxisHi, kSemLo, kSemHi)});
        }
        LogFmt(kDetailLevel, "");
    }
    LogFmt(kDetailLevel, "");
    LogFmt(kDetailLevel, "IP MDS positions before attraction");
    for (int s = SegSeries()->Lo(); s <= SegSeries()->Hi(); ++s) {
        LogFmtNoEol(kDetailLevel, "%d", {s});
        for (int d = MapSeries()->Lo(); d <= MapSeries()->Hi(); ++d) {
            const double value = PosMapIPsT1->GetSmallint({s, d, si::PMBefAttr}) / kThousandths;
            LogFmtNoEol(kDetailLevel, "\t%.1f", {Rescale(value, kAxisLo, kAxisHi, kMapLo, kMapHi)});
        }
        LogFmt(kDetailLevel, "");
    }
}

}  // namespace cv
