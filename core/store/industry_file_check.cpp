#include "core/store/industry_file_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/cell_peers.h"
#include "core/store/cv_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/per_data.h"
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

// The industry-wide scalars the program reads without a default (the R&D
// query's allowance): a file that lacks one would open and then fail where it
// is read. The other names of the industry's one cell have no peer to be told
// by, and are read with a default or set on opening.
constexpr std::array<std::string_view, 1> kRequiredIndustryScalars = {"RnDNbQueries"};

void CheckRequiredIndustryScalars(const TCvPerData& constPart) {
    const TSimData* industry = constPart.Cell(TCellIndex{});
    for (const std::string_view name : kRequiredIndustryScalars)
        if (industry == nullptr || industry->FindScalar(name) == nullptr)
            throw EDataError(FormatText("the scalar %s of the constant part is missing", {std::string(name)}));
}

// The info volume, the series list, every series the opening looks up
// through the constant part's positions and the series-index table, and the
// kind of each series a position names, as the arrays of the cells tell it.
void CheckInfoAndSeries(TVolSet& volumes, const TArrayDimensionUses& arrays, const TCellExtent& cells) {
    std::int16_t period = 0;
    std::string scenario;
    DecodeInfoVolume(RequiredVolume(volumes, InfoVolumeKeys(), "info volume"), period, scenario);
    TCvSeries series;
    std::uint16_t pos = 0;
    series.ReadFromBuffer(RequiredVolume(volumes, SeriesVolumeKeys(), "series list"), pos);
    TCvPerData constPart(vtConstant, kConstantPeriod);
    constPart.LoadFromVolSet(volumes);
    CheckRequiredIndustryScalars(constPart);
    const TIndustrySeries found = RequiredIndustrySeries(constPart, series, period);
    CheckSeriesKinds(found, arrays, cells);
    CheckSeriesNames(series, found, arrays);
    CheckSeriesIndexes(series);
}

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

// The bytes of every volume of the table, each cell of a set checked as
// loading the set would find it; Arrays receives the dimensions of the arrays
// of each cell that a set loads, Cells the keys and Peers the names of each
// such cell. The volumes are taken in the order they lie
// in the file, so that every byte is read once, however small the cache.
void CheckEveryVolume(TVolSet& volumes, TArrayDimensionUses& arrays, TCellExtent& cells, TCellPeers& peers) {
    std::vector<int> positions(static_cast<std::size_t>(volumes.VolumeCount()));
    std::iota(positions.begin(), positions.end(), 0);
    std::sort(positions.begin(), positions.end(),
              [&](int a, int b) { return volumes.Entry(a).offset < volumes.Entry(b).offset; });
    for (const int position : positions) {
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        volumes.VolumeGetAt(position, data, size);
        const TTabVol& entry = volumes.Entry(position);
        if (!IsSetCell(entry)) continue;
        TCellIndex cell;
        const bool loaded = CellOfVolumeKeys(entry.keys, cell);
        if (loaded) cells.Add(entry.keys[0], entry.keys[1], cell);
        std::uint16_t pos = 0;
        const int type = entry.keys[0];
        const int period = entry.keys[1];
        try {
            TSimData::CheckBuffer(
                TGetBuf(data, size), pos,
                [&](std::string_view array, const TSimArr::TStoredDims& dims) {
                    if (!loaded) return;
                    arrays.Add(cell, array, dims);
                    peers.Add(type, period, cell, true, array);
                },
                [&](std::string_view scalar) {
                    if (loaded) peers.Add(type, period, cell, false, scalar);
                });
        } catch (const ECvError& error) {
            const auto& keys = entry.keys;
            throw EDataError(FormatText("volume (type %d, period %d, zone %d, market %d, firm %d): %s",
                                        {keys[0], keys[1], keys[2], keys[3], keys[4], error.what()}));
        }
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
        TArrayDimensionUses arrays;
        TCellExtent cells;
        TCellPeers peers;
        CheckEveryVolume(volumes, arrays, cells, peers);
        peers.Check();
        // After every cell's bytes: a damaged cell is named by its volume's keys.
        CheckInfoAndSeries(volumes, arrays, cells);
    } catch (const EFatalStop&) {
        throw;
    } catch (const ECvError& error) {
        return {TIndustryFileVerdict::damaged, error.what()};
    }
    return {};
}

}  // namespace cv
