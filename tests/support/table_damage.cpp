#include "tests/support/table_damage.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>

#include "core/store/industry_file.h"
#include "core/store/industry_reads.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/sim_data.h"
#include "core/store/volume_set.h"
#include "tests/support/removed_read.h"
#include "tests/support/volume_set_util.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kScalarNameTag = 1;
constexpr char kArrayNameTag = 101;
constexpr std::size_t kVolumeCountAt = 153;  // the header's number of volumes

// A name as a bag stores it after Tag: its length, its capacity (its length), its length again, its letters.
std::string StoredName(char tag, std::string_view name) {
    const auto length = static_cast<char>(name.size());
    return std::string{tag, length, length, length} + std::string(name);
}

void WriteBytesAt(const fs::path& copy, std::size_t offset, const std::string& bytes) {
    std::fstream file(copy, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::logic_error("cannot write " + copy.string());
}

// One letter of a name, changed.
char OtherLetter(char letter) { return letter == 'X' || letter == 'x' ? 'Y' : 'X'; }

// A cell of a set of the file: its volume's place and keys.
struct TStoredCell {
    int position;
    std::size_t offset;
    int type;
    int period;
    TCellIndex cell;
};

std::vector<TStoredCell> StoredCells(TVolSet& volumes) {
    std::vector<TStoredCell> cells;
    for (int position = 0; position < volumes.VolumeCount(); ++position) {
        const TTabVol& entry = volumes.Entry(position);
        TCellIndex cell;
        if (entry.keys[0] < vtConstant || !CellOfVolumeKeys(entry.keys, cell)) continue;
        cells.push_back({position, static_cast<std::size_t>(entry.offset), entry.keys[0], entry.keys[1], cell});
    }
    return cells;
}

std::string_view VolumeBytes(TVolSet& volumes, int position) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    volumes.VolumeGetAt(position, data, size);
    return {reinterpret_cast<const char*>(data), size};
}

// The offsets in the file where Cell stores Name (in its own spelling) as a
// scalar or an array, just past the name; none when the cell lacks it.
std::vector<std::size_t> NameEnds(TVolSet& volumes, const TStoredCell& cell, std::string_view name, bool array) {
    const std::string_view bytes = VolumeBytes(volumes, cell.position);
    std::vector<std::size_t> ends;
    std::string spelled;
    std::uint16_t pos = 0;
    TSimData::CheckBuffer(
        TGetBuf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), pos,
        [&](std::string_view stored, const TSimArr::TStoredDims&, TGetBuf, std::uint16_t) {
            if (array && CompareNames(stored, name) == 0) spelled = stored;
        },
        [&](std::string_view stored, TGetBuf, std::uint16_t) {
            if (!array && CompareNames(stored, name) == 0) spelled = stored;
        });
    if (spelled.empty()) return ends;
    const std::string stored = StoredName(array ? kArrayNameTag : kScalarNameTag, spelled);
    const std::size_t at = bytes.find(stored);
    if (at == std::string_view::npos) throw std::logic_error("no stored name " + spelled);
    ends.push_back(cell.offset + at + stored.size());
    return ends;
}

// The names of a stored bag, scalars' and arrays' apart, in their order.
struct TBagNames {
    std::vector<std::string> scalars;
    std::vector<std::string> arrays;
};

TBagNames NamesOf(TGetBuf bytes) {
    TBagNames names;
    std::uint16_t pos = 0;
    TSimData::CheckBuffer(
        bytes, pos,
        [&](std::string_view name, const TSimArr::TStoredDims&, TGetBuf, std::uint16_t) {
            names.arrays.emplace_back(name);
        },
        [&](std::string_view name, TGetBuf, std::uint16_t) { names.scalars.emplace_back(name); });
    return names;
}

// The copy of a file whose array Name in the cell of Keys is dimensioned with
// the series Dims gives from the file's series list (its elements all zero),
// every other name of the cell as it was.
TFileDamage Redimensioned(std::string text, const TIndustryKeys& keys, std::string name,
                          std::function<std::vector<TSeries>(const TListSeries&)> dims) {
    return {std::move(text), [keys, name, dims](const fs::path& copy) {
                TVolSet volumes;
                volumes.OpenReadWrite(copy.string());
                const std::uint8_t* data = nullptr;
                std::uint16_t size = 0;
                if (!volumes.VolumeGet(data, size, SeriesVolumeKeys())) throw std::logic_error("no series list");
                TCvSeries list;
                std::uint16_t pos = 0;
                list.ReadFromBuffer(TGetBuf(data, size), pos);
                if (!volumes.VolumeGet(data, size, keys)) throw std::logic_error("no cell to rewrite");
                TSimData old;
                pos = 0;
                old.ReadFromBuffer(TGetBuf(data, size), pos);
                const TBagNames names = NamesOf(TGetBuf(data, size));
                TSimData bag;
                for (const std::string& scalar : names.scalars) bag.SetScalar(scalar, *old.FindScalar(scalar));
                const std::vector<TSeries> series = dims(list);
                for (const std::string& array : names.arrays) {
                    auto made = std::make_unique<TSimArr>();
                    const TSimArr& source = *old.FindSimArr(array);
                    if (array != name) {
                        made->Assign(source);
                    } else {
                        std::vector<const TSeries*> over;
                        for (const TSeries& s : series) over.push_back(&s);
                        made->InitFromSeries(source.Kind(), source.SubType(), over);
                    }
                    bag.AddSimArr(array, std::move(made));
                }
                std::vector<std::uint8_t> bytes(kBufSize);
                pos = 0;
                bag.WriteToBuffer(bytes, pos);
                volumes.VolumeSet(bytes.data(), pos, keys);
                volumes.Flush();
                volumes.Close();
            }};
}

// A copy of Series, named and bounded as it is or as given.
TSeries SeriesLike(const TSeries& series, int lo, int hi) {
    std::vector<std::string> labels;
    for (int element = lo; element <= hi; ++element) labels.push_back(std::to_string(element));
    return TSeries(series.Id(), series.Name(), static_cast<std::int16_t>(lo), labels);
}

const TSeries& Named(const TListSeries& list, std::string_view name) {
    const TSeries* series = list.FindSeries(name);
    if (series == nullptr) throw std::logic_error("no series " + std::string(name));
    return *series;
}

}  // namespace

TFileDamage LostName(const TIndustryRead& read) {
    std::string text = std::string(read.form == TReadForm::array ? "array " : "scalar ") + std::string(read.name) +
                       " of the " + std::string(SetKindText(read.set)) + ", category " +
                       std::to_string(read.category);
    return {std::move(text), [&read](const fs::path& copy) { RemoveReadName(copy, read); }};
}

std::vector<TFileDamage> LostNames() {
    std::vector<TFileDamage> damages;
    for (const TIndustryRead& read : IndustryReads())
        if (read.need == TReadNeed::required) damages.push_back(LostName(read));
    return damages;
}

}  // namespace cv::test

namespace cv::test {
namespace {

// The file offset of the first stored form of the scalar Name in the cell of
// Keys, just past its name, with the bytes of the value form that follow it.
struct TStoredScalar {
    std::size_t nameEnd = 0;
    std::string value;  // tag 2, then the value form up to its end tag
};

TStoredScalar StoredScalar(const fs::path& file, const TIndustryKeys& keys, std::string_view name) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    for (const TStoredCell& cell : StoredCells(volumes)) {
        if (!std::equal(keys.begin(), keys.end(), volumes.Entry(cell.position).keys.begin())) continue;
        const std::vector<std::size_t> ends = NameEnds(volumes, cell, name, false);
        if (ends.empty()) break;
        const std::string_view bytes = VolumeBytes(volumes, cell.position);
        return {ends[0], std::string(bytes.substr(ends[0] - cell.offset, 11))};
    }
    throw std::logic_error("no scalar " + std::string(name));
}

// Written by this program, a number's value form is tag 2, then tag 3 and the
// kind, tag 4 and the sub type, tag 5 and the number as a long, tag 50.
constexpr std::size_t kKindAt = 2;
constexpr std::size_t kNumberAt = 6;

TFileDamage ScalarBytes(std::string text, const fs::path& file, const TIndustryKeys& keys, std::string_view name,
                        std::size_t at, std::string bytes) {
    const TStoredScalar scalar = StoredScalar(file, keys, name);
    if (scalar.value.size() < 11 || scalar.value[0] != 2 || scalar.value[1] != 3 || scalar.value[5] != 5)
        throw std::logic_error("the scalar " + std::string(name) + " is not in the written form");
    return {std::move(text), [offset = scalar.nameEnd + at, bytes](const fs::path& copy) {
                WriteBytesAt(copy, offset, bytes);
            }};
}

std::string Long(std::int32_t value) {
    std::string bytes(4, '\0');
    PutI32(bytes, 0, value);
    return bytes;
}

// The file offset of element [Row, Column] of the byte array Name of the cell of Keys.
std::size_t ByteElementAt(const fs::path& file, const TIndustryKeys& keys, std::string_view name, int row,
                          std::string_view column) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    TCvSeries list;
    const std::string_view seriesBytes = VolumeBytes(volumes, [&] {
        for (int position = 0; position < volumes.VolumeCount(); ++position)
            if (volumes.Entry(position).keys[0] == vtSeries) return position;
        throw std::logic_error("no series list");
    }());
    std::uint16_t pos = 0;
    list.ReadFromBuffer(TGetBuf(reinterpret_cast<const std::uint8_t*>(seriesBytes.data()), seriesBytes.size()), pos);
    for (const TStoredCell& cell : StoredCells(volumes)) {
        if (!std::equal(keys.begin(), keys.end(), volumes.Entry(cell.position).keys.begin())) continue;
        const std::string_view bytes = VolumeBytes(volumes, cell.position);
        std::size_t at = 0;
        pos = 0;
        TSimData::CheckBuffer(
            TGetBuf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), pos,
            [&](std::string_view stored, const TSimArr::TStoredDims& dims, TGetBuf, std::uint16_t) {
                if (CompareNames(stored, name) != 0 || dims.elements == nullptr) return;
                const int index = Named(list, dims.names[1]).IndexOf(column);
                const auto columns = static_cast<std::size_t>(dims.ub[1] - dims.lb[1] + 1);
                at = cell.offset + static_cast<std::size_t>(dims.elements - reinterpret_cast<const std::uint8_t*>(
                                                                                 bytes.data())) +
                     static_cast<std::size_t>(row - dims.lb[0]) * columns + static_cast<std::size_t>(index - dims.lb[1]);
            },
            {});
        if (at != 0) return at;
    }
    throw std::logic_error("no byte array " + std::string(name));
}

// The first name of the first cell the file keeps, in the order of its bytes.
TFileDamage FirstNameLost(const fs::path& file, std::string& name) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    std::vector<TStoredCell> cells = StoredCells(volumes);
    const TStoredCell& first = *std::min_element(
        cells.begin(), cells.end(), [](const TStoredCell& a, const TStoredCell& b) { return a.offset < b.offset; });
    const std::string_view bytes = VolumeBytes(volumes, first.position);
    const TBagNames names = NamesOf(TGetBuf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const bool scalar = !names.scalars.empty();
    name = scalar ? names.scalars.front() : names.arrays.front();
    const std::size_t end = NameEnds(volumes, first, name, !scalar).at(0);
    return {"the first name of the file, " + name + ", changed",
            [end, last = name.back()](const fs::path& copy) {
                WriteBytesAt(copy, end - 1, std::string(1, OtherLetter(last)));
            }};
}

// A copy of the bytes of the cell of From stored under the keys of To.
TFileDamage CellCopied(std::string text, const TIndustryKeys& from, const TIndustryKeys& to) {
    return {std::move(text), [from, to](const fs::path& copy) {
                TVolSet volumes;
                volumes.OpenReadWrite(copy.string());
                const std::uint8_t* data = nullptr;
                std::uint16_t size = 0;
                if (!volumes.VolumeGet(data, size, from)) throw std::logic_error("no cell to copy");
                const std::vector<std::uint8_t> bytes(data, data + size);
                volumes.VolumeSet(bytes.data(), size, to);
                volumes.Flush();
                volumes.Close();
            }};
}

TIndustryKeys Keys(int type, int period, const TCellIndex& cell) {
    return CellVolumeKeys(static_cast<std::uint16_t>(type), static_cast<std::int16_t>(period), cell);
}

}  // namespace

std::vector<TTableBreach> TableBreaches(const fs::path& file) {
    constexpr int kCurrent = 3;
    constexpr int kDecision = 4;
    const TIndustryKeys north1 = Keys(vtResults, kCurrent, {0, 1, 1});
    std::vector<TTableBreach> breaches;
    breaches.push_back({ScalarBytes("21 brands marketed in a market of 20", file, north1, "NbMktedBrds", kNumberAt,
                                    Long(21)),
                        "NbMktedBrds"});
    breaches.push_back({{"the first brand of a market marketed by firm 5 of 4",
                         [at = ByteElementAt(file, north1, "XFMLinks", 1, "Dfix")](const fs::path& copy) {
                             WriteBytesAt(copy, at, std::string(1, '\5'));
                         }},
                        "XFMLinks"});
    breaches.push_back({ScalarBytes("a count of projects stored as a byte", file,
                                    Keys(vtDecisions, kDecision, {1, 0, 1}), "NbPrjs", kKindAt, std::string(1, '\0')),
                        "NbPrjs"});
    const auto dimensionsOf = [](std::string_view market, int loShift, int hiShift) {
        return [market = std::string(market), loShift, hiShift](const TListSeries& list) {
            const TSeries& dims = Named(list, market);
            return std::vector<TSeries>{SeriesLike(dims, dims.Lo() + loShift, dims.Hi() + hiShift),
                                        Named(list, "TecDimVars")};
        };
    };
    const TIndustryKeys market1 = Keys(vtConstant, kConstantPeriod, {0, 0, 1});
    breaches.push_back({Redimensioned("the technical limits of market 1 from its second dimension on", market1,
                                      "Technical", dimensionsOf("DimM1", 1, 0)),
                        "Technical"});
    breaches.push_back({Redimensioned("the technical limits of market 1 without its last dimension", market1,
                                      "Technical", dimensionsOf("DimM1", 0, -1)),
                        "Technical"});
    breaches.push_back({Redimensioned("the technical limits of market 2 over the dimensions of market 1",
                                      Keys(vtConstant, kConstantPeriod, {0, 0, 2}), "Technical",
                                      dimensionsOf("DimM1", 0, 0)),
                        "DimSeries of market 2"});
    breaches.push_back({Redimensioned("the channel terms of zone 2 over the channels of zone 1",
                                      Keys(vtConstant, kConstantPeriod, {0, 2, 1}), "ChannelPars",
                                      [](const TListSeries& list) {
                                          return std::vector<TSeries>{Named(list, "ChaParams"),
                                                                      Named(list, "ChaNorth")};
                                      }),
                        "ChaSeries of zone 2"});
    std::string first;
    TFileDamage firstLost = FirstNameLost(file, first);
    breaches.push_back({std::move(firstLost), first});
    breaches.push_back({{"the header's count of volumes lowered by 128",
                         [](const fs::path& copy) {
                             TVolSet volumes;
                             volumes.OpenReadOnly(copy.string());
                             const int count = volumes.VolumeCount();
                             volumes.Close();
                             WriteBytesAt(copy, kVolumeCountAt, Long(count - 128));
                         }},
                        "missing"});
    breaches.push_back({CellCopied("decisions kept for period -1, before the period series",
                                   Keys(vtDecisions, 0, {1, 0, 0}), Keys(vtDecisions, -1, {1, 0, 0})),
                        "PerSeries"});
    return breaches;
}

}  // namespace cv::test
