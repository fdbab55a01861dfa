#include "core/store/volume_set_dump.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/base/errors.h"

namespace cv {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Whole days from 30 December 1899 to 1 January 0001 and to 31 December 9999.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.0;

std::string Printf(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

void DumpHeader(const TVolSet& set, std::ostream& out) {
    const TVolSetHeader& h = set.Header();
    out << "File: " << set.FileName() << '\n';
    out << "Signature: \"" << h.signature << "\"\n";
    out << "Header size " << h.headerSize << ", version " << h.version << ", keys " << h.keyCount
        << ", key descriptor size " << h.keySize << ", volumes " << h.volCount << ", entry size " << h.volSize
        << ", table offset " << h.tableOffset << '\n';
    out << "Created " << DateTimeText(h.created) << ", last stored " << DateTimeText(h.lastStored)
        << ", last loaded " << DateTimeText(h.lastLoaded) << '\n';
    out << "Keys:\n";
    for (int k = 0; k < h.keyCount; ++k) {
        const THdrKey& key = h.keys[static_cast<std::size_t>(k)];
        out << Printf("  %d %-16s %6d..%d\n", k + 1, key.name.c_str(), key.low, key.high);
    }
}

// Whether an entry's keys give its stored magic.
bool MagicMatches(const TVolSet& set, const TTabVol& entry) {
    try {
        return set.CalcMagic(TVolKeys(entry.keys.data(), static_cast<std::size_t>(set.Header().keyCount))) ==
               entry.magic;
    } catch (const EOverflowError&) {
        return false;
    }
}

void DumpEntry(const TVolSet& set, int position, std::ostream& out) {
    const TTabVol& entry = set.Entry(position);
    std::string keys;
    for (int k = 0; k < set.Header().keyCount; ++k)
        keys += (k ? "," : "") + std::to_string(entry.keys[static_cast<std::size_t>(k)]);
    out << Printf("  %4d %11d%-6s %10d %5u (%s) created %s stored %s loaded %s\n", position + 1, entry.magic,
                  MagicMatches(set, entry) ? "" : " magic?", entry.offset, static_cast<unsigned>(entry.size),
                  keys.c_str(), DateTimeText(entry.created).c_str(), DateTimeText(entry.stored).c_str(),
                  DateTimeText(entry.loaded).c_str());
}

}  // namespace

std::string DateTimeText(TDateTime value) {
    if (value == 0) return "never";
    if (!std::isfinite(value) || value < kFirstDay || value >= kLastDay + 1) return "invalid";
    const double wholeDays = std::floor(value);
    auto seconds = static_cast<long>(std::llround((value - wholeDays) * kSecondsPerDay));
    auto days = static_cast<long>(wholeDays);
    if (seconds == static_cast<long>(kSecondsPerDay)) {
        seconds = 0;
        ++days;
    }
    using namespace std::chrono;
    const year_month_day date{sys_days{} + std::chrono::days{days - static_cast<long>(kUnixEpochDateTime)}};
    return Printf("%04d-%02u-%02u %02ld:%02ld:%02ld", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
}

void DumpVolSet(TVolSet& set, std::ostream& out, const TVolumePayloadDumper& payload) {
    DumpHeader(set, out);
    out << "Volumes: " << set.VolumeCount() << '\n';
    out << Printf("  %4s %11s%-6s %10s %5s (keys)\n", "pos", "magic", "", "offset", "size");
    for (int position = 0; position < set.VolumeCount(); ++position) {
        DumpEntry(set, position, out);
        if (payload) payload(set, position, out);
    }
}

}  // namespace cv
