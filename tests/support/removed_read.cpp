#include "tests/support/removed_read.h"

#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/industry_file.h"
#include "core/store/industry_reads.h"
#include "core/store/sim_data.h"
#include "core/store/volume_set.h"

namespace cv::test {
namespace {

// The letter a removed name ends in: no name the program reads holds it.
constexpr char kRemovedLetter = '#';

// A volume's keys are (type, period, zone, market, firm).
TCellIndex CellOfKeys(const TTabVol& entry) {
    const auto& keys = entry.keys;
    const auto index = [](std::int16_t key) { return key == kVolKeyUnset ? std::int16_t{0} : key; };
    return {index(keys[4]), index(keys[2]), index(keys[3])};
}

// Whether the cell belongs to Category: it names exactly the firm, zone and
// market that the category selects.
bool InCategory(const TCellIndex& cell, int category) {
    const TCellIndex selected = CalcIndices(category, TDataContext{.SelFirm = 1, .SelFta = 1, .SelMarket = 1});
    return (cell.firm != 0) == (selected.firm != 0) && (cell.zone != 0) == (selected.zone != 0) &&
           (cell.market != 0) == (selected.market != 0);
}

}  // namespace

std::vector<std::size_t> NameLastLetters(const std::uint8_t* data, std::uint16_t size, std::string_view name, TReadForm form) {
    std::vector<std::size_t> ends;
    const auto note = [&](std::string_view stored) {
        if (stored.size() == name.size() && CompareNames(stored, name) == 0)
            ends.push_back(static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(stored.data()) - data) +
                           stored.size() - 1);
    };
    std::uint16_t pos = 0;
    if (form == TReadForm::array)
        TSimData::CheckBuffer(TGetBuf(data, size), pos,
                              [&](std::string_view stored, const TSimArr::TStoredDims&, TGetBuf, std::uint16_t) {
                                  note(stored);
                              });
    else
        TSimData::CheckBuffer(TGetBuf(data, size), pos, {},
                              [&](std::string_view stored, TGetBuf, std::uint16_t) { note(stored); });
    return ends;
}

int RemoveReadName(const std::filesystem::path& file, const TIndustryRead& read, std::optional<int> zone) {
    std::vector<std::size_t> offsets;
    {
        TVolSet volumes;
        volumes.OpenReadOnly(file.string());
        for (int position = 0; position < volumes.VolumeCount(); ++position) {
            const TTabVol& entry = volumes.Entry(position);
            const TCellIndex cell = CellOfKeys(entry);
            if (entry.keys[0] != read.set || !InCategory(cell, read.category) || (zone && cell.zone != *zone)) continue;
            const std::uint8_t* data = nullptr;
            std::uint16_t size = 0;
            volumes.VolumeGetAt(position, data, size);
            for (const std::size_t end : NameLastLetters(data, size, read.name, read.form))
                offsets.push_back(static_cast<std::size_t>(entry.offset) + end);
        }
    }
    std::fstream bytes(file, std::ios::binary | std::ios::in | std::ios::out);
    for (const std::size_t offset : offsets) {
        bytes.seekp(static_cast<std::streamoff>(offset));
        bytes.put(kRemovedLetter);
    }
    if (!bytes) throw std::logic_error("cannot write " + file.string());
    return static_cast<int>(offsets.size());
}

std::string ReadDescription(const TIndustryRead& read) {
    static constexpr std::string_view kSets[] = {"constant", "results", "decisions", "defaults"};
    static constexpr std::string_view kCategories[] = {"Industry", "Firm",       "Fta",       "Market",
                                                       "FirmFta",  "FirmMarket", "FtaMarket", "FirmFtaMarket"};
    return std::string(kSets[read.set - vtConstant]) + "_" + std::string(kCategories[read.category - 1]) + "_" +
           (read.form == TReadForm::array ? "array_" : "scalar_") + std::string(read.name);
}

}  // namespace cv::test
