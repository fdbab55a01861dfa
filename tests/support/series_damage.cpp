#include "tests/support/series_damage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <stdexcept>

#include "core/store/per_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_series.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
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

// A name as a short text whose capacity is Capacity (0: its length), after Tag.
std::string StoredName(char tag, const std::string& name, std::size_t capacity = 0) {
    const auto length = static_cast<char>(name.size());
    return std::string{tag, length, capacity ? static_cast<char>(capacity) : length, length} + name;
}

// A scalar's name as a bag stores it: tag 1, its length, capacity and length again, and its letters.
std::string StoredScalarName(const std::string& name) { return StoredName('\x01', name); }

// Where the stored name of the position's scalar ends in its cell's Bytes.
std::size_t StoredNameEnd(const std::string& bytes, const TSeriesCell& position) {
    const std::string stored = StoredScalarName(position.name);
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

// Writes Byte at Offset of Copy.
void WriteByteAt(const std::filesystem::path& copy, std::size_t offset, char byte) {
    std::fstream file(copy, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.put(byte);
    if (!file) throw std::logic_error("cannot write " + copy.string());
}

// The damage that changes the stored name ending at End of the file, whose last letter is Last.
TFileDamage Renamed(std::string text, std::size_t end, char last) {
    const char other = std::toupper(static_cast<unsigned char>(last)) == 'X' ? 'Y' : 'X';
    return {std::move(text), [end, other](const std::filesystem::path& copy) { WriteByteAt(copy, end - 1, other); }};
}

// Where Stored first ends within the volume at Position of Volumes, at or
// after the file offset From, as an offset in the file.
std::size_t StoredEnd(TVolSet& volumes, int position, const std::string& stored, std::size_t from = 0) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    volumes.VolumeGetAt(position, data, size);
    const auto start = static_cast<std::size_t>(volumes.Entry(position).offset);
    const std::size_t at = std::string_view(reinterpret_cast<const char*>(data), size)
                               .find(stored, from > start ? from - start : 0);
    if (at == std::string::npos) throw std::logic_error("no stored name " + stored);
    return start + at + stored.size();
}

// The position of the series list among the volumes.
int SeriesVolume(TVolSet& volumes) {
    for (int position = 0; position < volumes.VolumeCount(); ++position)
        if (volumes.Entry(position).keys[0] == vtSeries) return position;
    throw std::logic_error("no series list");
}

// The groups of positions whose values are moved round among themselves.
std::vector<std::vector<TSeriesCell>> MovableGroups(const std::vector<TSeriesCell>& cells) {
    std::vector<std::vector<TSeriesCell>> groups;
    const auto group = [&](auto belongs) {
        std::vector<TSeriesCell> members;
        std::copy_if(cells.begin(), cells.end(), std::back_inserter(members), belongs);
        if (members.size() > 1) groups.push_back(members);
    };
    for (const std::string name : {"DimSeries", "SemSeries", "MapSeries", "ChaSeries"})
        group([&name](const TSeriesCell& cell) { return cell.name == name; });
    for (int slot = 1; slot <= std::max(kMaxFtas, kMaxMarkets); ++slot) {
        group([slot](const TSeriesCell& cell) { return cell.name == "SegSeries" && cell.cell.zone == slot; });
        group([slot](const TSeriesCell& cell) { return cell.name == "SegSeries" && cell.cell.market == slot; });
    }
    group([](const TSeriesCell& cell) { return cell.name == "PerSeries" || cell.name == "FirSeries"; });
    return groups;
}

}  // namespace

std::vector<TFileDamage> MovedSeriesPositions(const std::filesystem::path& file) {
    std::vector<TFileDamage> damages;
    for (const std::vector<TSeriesCell>& members : MovableGroups(OpeningSeriesCells(file))) {
        std::vector<std::int16_t> values;
        std::vector<TSeriesPositionPlace> places;
        for (const TSeriesCell& member : members) {
            values.push_back(SeriesPosition(file, member));
            places.emplace_back(file, member);
        }
        std::vector<std::size_t> order(members.size());
        std::iota(order.begin(), order.end(), 0);
        while (std::next_permutation(order.begin(), order.end())) {
            std::vector<std::int16_t> moved;
            std::string text;
            for (std::size_t i = 0; i < order.size(); ++i) {
                moved.push_back(values[order[i]]);
                text += SeriesCellText(members[i]) + " at " + std::to_string(moved.back()) + "; ";
            }
            if (moved == values) continue;
            damages.push_back({text, [places, moved](const std::filesystem::path& copy) {
                                   for (std::size_t i = 0; i < places.size(); ++i) places[i].Write(copy, moved[i]);
                               }});
        }
    }
    return damages;
}

std::vector<TFileDamage> RenamedNames(const std::filesystem::path& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    std::vector<TFileDamage> damages;
    const std::unique_ptr<TCvSeries> list = ReadSeriesList(volumes);
    for (int s = 0; s < list->Count(); ++s) {
        const std::string& name = list->GetSeries(s)->Name();
        damages.push_back(Renamed("series " + name,
                                  StoredEnd(volumes, SeriesVolume(volumes), StoredName('\x02', name, kSeriesTextMax)),
                                  name.back()));
    }
    // The latest cell holding each scalar: its period and where its name ends.
    std::map<std::string, std::pair<int, std::size_t>> scalars;
    for (int position = 0; position < volumes.VolumeCount(); ++position) {
        const TTabVol& entry = volumes.Entry(position);
        const std::int16_t type = entry.keys[0];
        if (type < vtConstant || type > vtDefaults) continue;
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        volumes.VolumeGetAt(position, data, size);
        std::vector<std::string> names;
        std::uint16_t pos = 0;
        TSimData::CheckBuffer(TGetBuf(data, size), pos, {},
                              [&names](std::string_view name, TGetBuf, std::uint16_t) { names.emplace_back(name); });
        const int period = type == vtConstant ? kFirstResultPeriod - 1 : entry.keys[1];
        for (const std::string& name : names) {
            const auto held = scalars.find(name);
            if (held == scalars.end() || held->second.first < period)
                scalars[name] = {period, StoredEnd(volumes, position, StoredScalarName(name))};
        }
    }
    for (const auto& [name, held] : scalars) {
        const std::string where =
            held.first < kFirstResultPeriod ? "the constant part" : "period " + std::to_string(held.first);
        damages.push_back(Renamed("scalar " + name + " of " + where, held.second, name.back()));
    }
    return damages;
}

std::vector<TFileDamage> RenamedLabels(const std::filesystem::path& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    const std::unique_ptr<TCvSeries> list = ReadSeriesList(volumes);
    const int position = SeriesVolume(volumes);
    std::vector<TFileDamage> damages;
    for (const TSeriesIndexEntry& entry : SeriesIndexTable()) {
        const TSeries* series = list->FindSeries(entry.name);
        if (!series || entry.elements.empty()) continue;
        // After the series' own name: a label may repeat another series'.
        const std::size_t nameEnd = StoredEnd(volumes, position, StoredName('\x02', series->Name(), kSeriesTextMax));
        const std::string label(entry.elements.front());
        damages.push_back(
            Renamed("series " + series->Name() + ", label " + label,
                    StoredEnd(volumes, position, StoredName('\x05', label, kSeriesTextMax), nameEnd), label.back()));
    }
    return damages;
}

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
    return TSimData::SmallintOf(*bag.FindScalar(position.name));
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
