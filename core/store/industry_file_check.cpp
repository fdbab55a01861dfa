#include "core/store/industry_file_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/cv_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/per_data.h"
#include "core/store/read_table_check.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/series_kinds.h"
#include "core/store/series_names.h"
#include "core/store/sim_data.h"
#include "core/store/volume_set.h"

namespace cv {
namespace {

// The keys as an industry file declares them, in order.
void CheckKeys(const TVolSetHeader& header) {
    bool same = header.keyCount == kIndustryKeyCount;
    for (int k = 0; same && k < kIndustryKeyCount; ++k) {
        const THdrKey& key = header.keys[static_cast<std::size_t>(k)];
        const TIndustryKey& expected = kIndustryKeys[static_cast<std::size_t>(k)];
        same = key.name == expected.name && key.low == expected.low && key.high == expected.high;
    }
    if (!same) throw EDataError("the keys are not those of an industry file");
}

// The bytes of the volume with Keys; EDataError naming What when it is missing.
TGetBuf RequiredVolume(TVolSet& volumes, const TIndustryKeys& keys, const char* what) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!volumes.VolumeGet(data, size, keys)) throw EDataError(FormatText("the %s is missing", {what}));
    return TGetBuf(data, size);
}

// What the cells are laid out by: the current period, the series list and the
// series the opening looks up through the constant part's positions.
struct TIndustryLayout {
    std::int16_t period = 0;
    TCvSeries list;
    TIndustrySeries series;

    explicit TIndustryLayout(TVolSet& volumes) {
        std::string scenario;
        DecodeInfoVolume(RequiredVolume(volumes, InfoVolumeKeys(), "info volume"), period, scenario);
        std::uint16_t pos = 0;
        list.ReadFromBuffer(RequiredVolume(volumes, SeriesVolumeKeys(), "series list"), pos);
        TCvPerData constPart(vtConstant, kConstantPeriod);
        constPart.LoadFromVolSet(volumes);
        series = RequiredIndustrySeries(constPart, list, period);
    }
};

// Whether Keys name a cell of a set that opening the industry loads: the
// constant part, or a result, decision or default-decision set of a stored period.
bool IsSetCell(const TTabVol& entry) {
    const std::int16_t type = entry.keys[0];
    const std::int16_t period = entry.keys[1];
    if (type == vtConstant) return period == kConstantPeriod;
    if (type == vtResults) return period >= kFirstResultPeriod && period <= kLastStoredPeriod;
    if (type == vtDecisions || type == vtDefaults) return period >= kFirstDecisionPeriod && period <= kLastStoredPeriod;
    return false;
}

// The positions of the table's volumes in the order they lie in the file, so
// that every byte is read once, however small the cache.
std::vector<int> PositionsInFileOrder(const TVolSet& volumes) {
    // Each as one number, the offset above the position, sorted as numbers.
    constexpr int kPositionBits = 32;
    std::vector<std::int64_t> byOffset(static_cast<std::size_t>(volumes.VolumeCount()));
    for (int position = 0; position < volumes.VolumeCount(); ++position)
        byOffset[static_cast<std::size_t>(position)] =
            (std::int64_t{volumes.Entry(position).offset} << kPositionBits) | position;
    std::sort(byOffset.begin(), byOffset.end());
    std::vector<int> positions;
    positions.reserve(byOffset.size());
    for (const std::int64_t entry : byOffset) positions.push_back(static_cast<int>(entry & 0xFFFFFFFF));
    return positions;
}

// Each bag of the set cells that Take picks checked as the reader checks it,
// the reader's words prefixed with the volume's keys; Visit(entry, cell,
// loaded) first for each, then OnArray and OnScalar for its items. Every other
// volume is read whole, so that a volume past the file's end is refused too.
template <class Take, class Visit>
void CheckSetCells(TVolSet& volumes, const std::vector<int>& positions, Take&& take, Visit&& visit,
                   const TSimData::TArrayDimsVisitor& onArray, const TSimData::TScalarVisitor& onScalar) {
    for (const int position : positions) {
        const TTabVol& entry = volumes.Entry(position);
        if (!take(entry)) continue;
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        volumes.VolumeGetAt(position, data, size);
        if (!IsSetCell(entry)) continue;
        TCellIndex cell;
        const bool loaded = CellOfVolumeKeys(entry.keys, cell);
        visit(entry, cell, loaded);
        std::uint16_t pos = 0;
        try {
            TSimData::CheckBuffer(TGetBuf(data, size), pos, loaded ? onArray : nullptr, loaded ? onScalar : nullptr);
        } catch (const ECvError& error) {
            const auto& keys = entry.keys;
            throw EDataError(FormatText("volume (type %d, period %d, zone %d, market %d, firm %d): %s",
                                        {keys[0], keys[1], keys[2], keys[3], keys[4], error.what()}));
        }
    }
}

// Decision and default-decision cells kept for the period before period 0,
// which no opening loads: the periods of the decisions the file holds, which
// the period series must cover.
void NoteDecisionsBeforePeriodZero(const TVolSet& volumes, TCellExtent& cells) {
    for (int position = 0; position < volumes.VolumeCount(); ++position) {
        const TTabVol& entry = volumes.Entry(position);
        TCellIndex cell;
        if ((entry.keys[0] == vtDecisions || entry.keys[0] == vtDefaults) && entry.keys[1] < kFirstDecisionPeriod &&
            CellOfVolumeKeys(entry.keys, cell))
            cells.Add(entry.keys[0], entry.keys[1], cell);
    }
}

}  // namespace

TIndustryFileCheck CheckWholeIndustryFile(const std::string& fileName) {
    if (!IsVolSetFile(fileName, std::string(kIndustrySignature)))
        return {TIndustryFileVerdict::notAnIndustry, "no industry signature"};
    try {
        TVolSet volumes;
        volumes.OpenReadOnly(fileName);
        CheckKeys(volumes.Header());
        const std::vector<int> positions = PositionsInFileOrder(volumes);
        // The constant part's cells first, named by their keys when damaged:
        // the layout is read from them.
        CheckSetCells(
            volumes, positions, [](const TTabVol& entry) { return entry.keys[0] == vtConstant; },
            [](const TTabVol&, const TCellIndex&, bool) {}, nullptr, nullptr);
        const TIndustryLayout layout(volumes);
        TReadTableCheck reads(layout.series, layout.list, layout.period);
        TArrayDimensionUses arrays;
        TCellExtent cells;
        TCellIndex cell;
        CheckSetCells(
            volumes, positions, [](const TTabVol&) { return true; },
            [&](const TTabVol& entry, const TCellIndex& at, bool loaded) {
                cell = at;
                if (!loaded) return;
                cells.Add(entry.keys[0], entry.keys[1], at);
                reads.BeginCell(entry.keys[0], entry.keys[1], at);
            },
            // The arrays the table does not hold to their series are told by how they are dimensioned.
            [&](std::string_view name, const TSimArr::TStoredDims& dims, TGetBuf form, std::uint16_t at) {
                if (!reads.Array(name, dims, form, at)) arrays.Add(cell, name, dims);
            },
            [&](std::string_view name, TGetBuf value, std::uint16_t at) { reads.Scalar(name, value, at); });
        NoteDecisionsBeforePeriodZero(volumes, cells);
        reads.CheckEveryCellRead();
        CheckSeriesKinds(layout.series, arrays, cells);
        CheckSeriesNames(layout.list, layout.series, arrays, reads.DimensionSeries());
        CheckSeriesIndexes(layout.list);
    } catch (const EFatalStop&) {
        throw;
    } catch (const ECvError& error) {
        return {TIndustryFileVerdict::damaged, error.what()};
    }
    return {};
}

}  // namespace cv
