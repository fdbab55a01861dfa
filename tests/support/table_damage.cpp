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

constexpr std::size_t kVolumeCountAt = 153;  // the header's number of volumes
// Written by this program, a number's value form follows the name: tag 2,
// then tag 3 and the kind, tag 4 and the sub type, tag 5 and the number as a
// long, tag 50.
constexpr std::size_t kValueFormSize = 11;
constexpr std::size_t kKindAt = 2;
constexpr std::size_t kNumberAt = 6;

void WriteBytesAt(const fs::path& copy, std::size_t offset, const std::string& bytes) {
    std::fstream file(copy, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::logic_error("cannot write " + copy.string());
}

std::string Long(std::int32_t value) {
    std::string bytes(4, '\0');
    PutI32(bytes, 0, value);
    return bytes;
}

TIndustryKeys Keys(int type, int period, const TCellIndex& cell) {
    return CellVolumeKeys(static_cast<std::uint16_t>(type), static_cast<std::int16_t>(period), cell);
}

// The bytes of the volume of Keys, and where they lie in the file.
struct TVolumeBytes {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    std::size_t offset = 0;
};

TVolumeBytes VolumeOf(TVolSet& volumes, const TIndustryKeys& keys) {
    for (int position = 0; position < volumes.VolumeCount(); ++position) {
        if (!std::equal(keys.begin(), keys.end(), volumes.Entry(position).keys.begin())) continue;
        TVolumeBytes volume;
        volumes.VolumeGetAt(position, volume.data, volume.size);
        volume.offset = static_cast<std::size_t>(volumes.Entry(position).offset);
        return volume;
    }
    throw std::logic_error("no volume of those keys");
}

void ReadSeriesList(TVolSet& volumes, TCvSeries& list) {
    const TVolumeBytes stored = VolumeOf(volumes, SeriesVolumeKeys());
    std::uint16_t pos = 0;
    list.ReadFromBuffer(TGetBuf(stored.data, stored.size), pos);
}

const TSeries& Named(const TListSeries& list, std::string_view name) {
    const TSeries* series = list.FindSeries(name);
    if (series == nullptr) throw std::logic_error("no series " + std::string(name));
    return *series;
}

// The file offset of the last letter of the name Name of Form in the cell of Keys.
std::size_t NameLastLetterAt(TVolSet& volumes, const TIndustryKeys& keys, std::string_view name, TReadForm form) {
    const TVolumeBytes cell = VolumeOf(volumes, keys);
    const std::vector<std::size_t> letters = NameLastLetters(cell.data, cell.size, name, form);
    if (letters.empty()) throw std::logic_error("no stored name " + std::string(name));
    return cell.offset + letters.front();
}

// The copy with Bytes written at At of the value form of the scalar Name of
// the cell of Keys, which must lie as this program writes it.
TFileDamage ScalarBytes(std::string text, const fs::path& file, const TIndustryKeys& keys, std::string_view name,
                        std::size_t at, std::string bytes) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    const std::size_t nameEnd = NameLastLetterAt(volumes, keys, name, TReadForm::scalar) + 1;
    const TVolumeBytes cell = VolumeOf(volumes, keys);
    const std::uint8_t* value = cell.data + (nameEnd - cell.offset);
    if (nameEnd - cell.offset + kValueFormSize > cell.size || value[0] != 2 || value[1] != 3 || value[5] != 5)
        throw std::logic_error("the scalar " + std::string(name) + " is not in the written form");
    return {std::move(text), [offset = nameEnd + at, bytes](const fs::path& copy) {
                WriteBytesAt(copy, offset, bytes);
            }};
}

// The file offset of element [Row, Column] of the byte array Name of the cell of Keys.
std::size_t ByteElementAt(const fs::path& file, const TIndustryKeys& keys, std::string_view name, int row,
                          std::string_view column) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    TCvSeries list;
    ReadSeriesList(volumes, list);
    const TVolumeBytes cell = VolumeOf(volumes, keys);
    std::size_t at = 0;
    std::uint16_t pos = 0;
    TSimData::CheckBuffer(
        TGetBuf(cell.data, cell.size), pos,
        [&](std::string_view stored, const TSimArr::TStoredDims& dims, TGetBuf, std::uint16_t) {
            if (CompareNames(stored, name) != 0 || dims.elements == nullptr) return;
            const int index = Named(list, dims.names[1]).IndexOf(column);
            const auto columns = static_cast<std::size_t>(dims.ub[1] - dims.lb[1] + 1);
            at = cell.offset + static_cast<std::size_t>(dims.elements - cell.data) +
                 static_cast<std::size_t>(row - dims.lb[0]) * columns + static_cast<std::size_t>(index - dims.lb[1]);
        },
        {});
    if (at == 0) throw std::logic_error("no byte array " + std::string(name));
    return at;
}

// The copy of a file whose array Name in the cell of Keys is dimensioned with
// the series Dims gives from the file's series list (its elements all zero),
// every other name of the cell as it was.
TFileDamage Redimensioned(std::string text, const TIndustryKeys& keys, std::string name,
                          std::function<std::vector<TSeries>(const TListSeries&)> dims) {
    return {std::move(text), [keys, name, dims](const fs::path& copy) {
                TVolSet volumes;
                volumes.OpenReadWrite(copy.string());
                TCvSeries list;
                ReadSeriesList(volumes, list);
                const TVolumeBytes stored = VolumeOf(volumes, keys);
                TSimData old;
                std::uint16_t pos = 0;
                old.ReadFromBuffer(TGetBuf(stored.data, stored.size), pos);
                TSimData bag;
                const std::vector<TSeries> series = dims(list);
                pos = 0;
                TSimData::CheckBuffer(
                    TGetBuf(stored.data, stored.size), pos,
                    [&](std::string_view array, const TSimArr::TStoredDims&, TGetBuf, std::uint16_t) {
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
                    },
                    [&](std::string_view scalar, TGetBuf, std::uint16_t) {
                        bag.SetScalar(scalar, *old.FindScalar(scalar));
                    });
                std::vector<std::uint8_t> bytes(kBufSize);
                pos = 0;
                bag.WriteToBuffer(bytes, pos);
                volumes.VolumeSet(bytes.data(), pos, keys);
                volumes.Flush();
                volumes.Close();
            }};
}

// A copy of Series bounded Lo..Hi.
TSeries SeriesLike(const TSeries& series, int lo, int hi) {
    std::vector<std::string> labels;
    for (int element = lo; element <= hi; ++element) labels.push_back(std::to_string(element));
    return TSeries(series.Id(), series.Name(), static_cast<std::int16_t>(lo), labels);
}

// The first name of the first cell the file keeps, in the order of its bytes, changed.
TTableBreach FirstNameLost(const fs::path& file) {
    TVolSet volumes;
    volumes.OpenReadOnly(file.string());
    int first = -1;
    for (int position = 0; position < volumes.VolumeCount(); ++position) {
        TCellIndex cell;
        const TTabVol& entry = volumes.Entry(position);
        if (entry.keys[0] >= vtConstant && CellOfVolumeKeys(entry.keys, cell) &&
            (first < 0 || entry.offset < volumes.Entry(first).offset))
            first = position;
    }
    TIndustryKeys keys;
    std::copy_n(volumes.Entry(first).keys.begin(), keys.size(), keys.begin());
    const TVolumeBytes cell = VolumeOf(volumes, keys);
    std::string name;
    TReadForm form = TReadForm::scalar;
    std::uint16_t pos = 0;
    // Scalars lie before arrays in a bag.
    TSimData::CheckBuffer(
        TGetBuf(cell.data, cell.size), pos,
        [&](std::string_view array, const TSimArr::TStoredDims&, TGetBuf, std::uint16_t) {
            if (name.empty()) name = array, form = TReadForm::array;
        },
        [&](std::string_view scalar, TGetBuf, std::uint16_t) {
            if (name.empty() || form == TReadForm::array) name = scalar, form = TReadForm::scalar;
        });
    return {{"the first name of the file, " + name + ", changed",
             [at = NameLastLetterAt(volumes, keys, name, form)](const fs::path& copy) {
                 WriteBytesAt(copy, at, "#");
             }},
            name};
}

// A copy of the bytes of the cell of From stored under the keys of To.
TFileDamage CellCopied(std::string text, const TIndustryKeys& from, const TIndustryKeys& to) {
    return {std::move(text), [from, to](const fs::path& copy) {
                TVolSet volumes;
                volumes.OpenReadWrite(copy.string());
                const TVolumeBytes stored = VolumeOf(volumes, from);
                const std::vector<std::uint8_t> bytes(stored.data, stored.data + stored.size);
                volumes.VolumeSet(bytes.data(), stored.size, to);
                volumes.Flush();
                volumes.Close();
            }};
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
    breaches.push_back(FirstNameLost(file));
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
