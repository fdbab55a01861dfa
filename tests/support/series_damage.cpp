#include "tests/support/series_damage.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "core/store/per_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/series.h"
#include "core/store/sim_data.h"
#include "core/store/volume_set.h"

namespace cv::test {
namespace {

// The stored bytes of the position's cell in the constant part.
std::string CellBytes(TVolSet& volumes, const TSeriesCell& position) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!volumes.VolumeGet(data, size, CellVolumeKeys(vtConstant, kConstantPeriod, position.cell)))
        throw std::logic_error("no constant cell for " + SeriesCellText(position));
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Where the stored name of the position's scalar ends in its cell's Bytes: a
// scalar's name is stored as tag 1, its length, capacity and length again, and its letters.
std::size_t StoredNameEnd(const std::string& bytes, const TSeriesCell& position) {
    const auto length = static_cast<char>(position.name.size());
    const std::string stored = std::string{'\x01', length, length, length} + position.name;
    const std::size_t at = bytes.find(stored);
    if (at == std::string::npos) throw std::logic_error("no stored name for " + SeriesCellText(position));
    return at + stored.size();
}

// The bag of the position's cell.
void ReadCell(TVolSet& volumes, const TSeriesCell& position, TSimData& bag) {
    const std::string bytes = CellBytes(volumes, position);
    std::uint16_t pos = 0;
    bag.ReadFromBuffer(TGetBuf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), pos);
}

// The series list of the open Volumes.
std::unique_ptr<TCvSeries> ReadSeriesList(TVolSet& volumes) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!volumes.VolumeGet(data, size, SeriesVolumeKeys())) throw std::logic_error("no series list");
    auto list = std::make_unique<TCvSeries>();
    std::uint16_t pos = 0;
    list->ReadFromBuffer(TGetBuf(data, size), pos);
    return list;
}

void StoreCell(TVolSet& volumes, const TSeriesCell& position, const std::string& bytes) {
    volumes.VolumeSet(bytes.data(), static_cast<std::uint16_t>(bytes.size()),
                      CellVolumeKeys(vtConstant, kConstantPeriod, position.cell));
    volumes.Flush();
    volumes.Close();
}

}  // namespace

std::vector<TSeriesCell> OpeningSeriesCells(const std::filesystem::path& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    const std::unique_ptr<TCvSeries> list = ReadSeriesList(volumes);
    TCvPerData constPart(vtConstant, kConstantPeriod);
    constPart.LoadFromVolSet(volumes);
    const TSeries* ftaSeries = FindCellSeries(constPart, *list, "FtaSeries", {});
    const TSeries* mktSeries = FindCellSeries(constPart, *list, "MktSeries", {});
    if (!ftaSeries || !mktSeries) throw std::logic_error("no zone or market series in " + file.string());
    std::vector<TSeriesCell> cells;
    for (const char* name : {"PerSeries", "FirSeries", "FtaSeries", "MktSeries"}) cells.push_back({name, {}});
    for (std::int16_t market = 1; market <= mktSeries->Count(); ++market)
        for (const char* name : {"DimSeries", "SemSeries", "MapSeries"}) cells.push_back({name, {0, 0, market}});
    for (std::int16_t fta = 1; fta <= ftaSeries->Count(); ++fta) {
        cells.push_back({"ChaSeries", {0, fta, 0}});
        for (std::int16_t market = 1; market <= mktSeries->Count(); ++market)
            cells.push_back({"SegSeries", {0, fta, market}});
    }
    return cells;
}

int SeriesListCount(const std::filesystem::path& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    return ReadSeriesList(volumes)->Count();
}

void RemoveSeriesPosition(const std::filesystem::path& file, const TSeriesCell& position) {
    TVolSet volumes;
    volumes.OpenReadWrite(file.string());
    std::string bytes = CellBytes(volumes, position);
    bytes[StoredNameEnd(bytes, position) - 1] = '#';
    StoreCell(volumes, position, bytes);
}

TSeriesPositionPlace::TSeriesPositionPlace(const std::filesystem::path& file, const TSeriesCell& position) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    const TIndustryKeys keys = CellVolumeKeys(vtConstant, kConstantPeriod, position.cell);
    for (int v = 0; v < volumes.VolumeCount(); ++v) {
        const TTabVol& entry = volumes.Entry(v);
        if (!std::equal(keys.begin(), keys.end(), entry.keys.begin())) continue;
        // After the name: tag 2, then the value form: tag 3 and the kind, tag 4 and
        // the sub type, tag 5 and the value as a 32-bit number, low byte first.
        constexpr std::size_t kValueAfterName = 6;
        at_ = static_cast<std::size_t>(entry.offset) + StoredNameEnd(CellBytes(volumes, position), position) +
              kValueAfterName;
        return;
    }
    throw std::logic_error("no constant cell for " + SeriesCellText(position));
}

void TSeriesPositionPlace::Write(const std::filesystem::path& copy, std::int16_t value) const {
    const auto stored = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    std::array<char, 4> bytes{};
    for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char>(stored >> (8 * b));
    std::fstream file(copy, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(at_));
    file.write(bytes.data(), bytes.size());
    if (!file) throw std::logic_error("cannot write " + copy.string());
}

std::int16_t SeriesPosition(const std::filesystem::path& file, const TSeriesCell& position) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    TSimData bag;
    ReadCell(volumes, position, bag);
    return bag.GetScalarSmallint(position.name);
}

void SetSeriesPosition(const std::filesystem::path& file, const TSeriesCell& position, std::int16_t value) {
    TVolSet volumes;
    volumes.OpenReadWrite(file.string());
    TSimData bag;
    ReadCell(volumes, position, bag);
    bag.SetScalarInt(position.name, value);
    std::vector<std::uint8_t> buffer(kBufSize);
    std::uint16_t size = 0;
    bag.WriteToBuffer(buffer, size);
    StoreCell(volumes, position, std::string(reinterpret_cast<const char*>(buffer.data()), size));
}

std::string SeriesCellText(const TSeriesCell& position) {
    return position.name + " of zone " + std::to_string(position.cell.zone) + " and market " +
           std::to_string(position.cell.market);
}

}  // namespace cv::test
