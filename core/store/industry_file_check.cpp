#include "core/store/industry_file_check.h"

#include <array>
#include <cstdint>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/cv_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
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

// The info volume, the series list, and every series the opening looks up
// through the constant part's positions and the series-index table.
void CheckInfoAndSeries(TVolSet& volumes) {
    std::int16_t period = 0;
    std::string scenario;
    DecodeInfoVolume(RequiredVolume(volumes, InfoVolumeKeys(), "info volume"), period, scenario);
    TCvSeries series;
    std::uint16_t pos = 0;
    series.ReadFromBuffer(RequiredVolume(volumes, SeriesVolumeKeys(), "series list"), pos);
    TCvPerData constPart(vtConstant, kConstantPeriod);
    constPart.LoadFromVolSet(volumes);
    RequiredIndustrySeries(constPart, series, period);
    CheckSeriesIndexes(series);
}

// Every cell of the set What of Period, as loading the set would find them.
void CheckSetCells(TVolSet& volumes, TVolType what, std::int16_t period) {
    const std::array<std::int16_t, 2> prefix{static_cast<std::int16_t>(what), period};
    volumes.VolumesWithPrefix(prefix, [&](TVolKeys keys, const std::uint8_t* data, std::uint16_t size) {
        std::uint16_t pos = 0;
        try {
            TSimData::CheckBuffer(TGetBuf(data, size), pos);
        } catch (const ECvError& error) {
            throw EDataError(FormatText("volume (type %d, period %d, zone %d, market %d, firm %d): %s",
                                        {keys[0], keys[1], keys[2], keys[3], keys[4], error.what()}));
        }
    });
}

void CheckEverySet(TVolSet& volumes) {
    CheckSetCells(volumes, vtConstant, kConstantPeriod);
    for (int period = kFirstResultPeriod; period <= kLastStoredPeriod; ++period)
        CheckSetCells(volumes, vtResults, static_cast<std::int16_t>(period));
    for (TVolType what : {vtDecisions, vtDefaults})
        for (int period = kFirstDecisionPeriod; period <= kLastStoredPeriod; ++period)
            CheckSetCells(volumes, what, static_cast<std::int16_t>(period));
}

// The bytes of every volume of the table, also of those no set reads.
void CheckEveryVolumeReads(TVolSet& volumes) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    for (int position = 0; position < volumes.VolumeCount(); ++position) volumes.VolumeGetAt(position, data, size);
}

}  // namespace

TIndustryFileCheck CheckWholeIndustryFile(const std::string& fileName) {
    if (!IsVolSetFile(fileName, std::string(kIndustrySignature)))
        return {TIndustryFileVerdict::notAnIndustry, "no industry signature"};
    try {
        TVolSet volumes;
        volumes.OpenReadOnly(fileName);
        CheckKeys(volumes.Header());
        CheckInfoAndSeries(volumes);
        CheckEverySet(volumes);
        CheckEveryVolumeReads(volumes);
    } catch (const EFatalStop&) {
        throw;
    } catch (const ECvError& error) {
        return {TIndustryFileVerdict::damaged, error.what()};
    }
    return {};
}

}  // namespace cv
