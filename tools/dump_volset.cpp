// dump_volset FILE: lists a volume-set file (header, keys, volume table) and
// the start of every volume's bytes. The file is opened read-only and never
// changed.

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "core/data/volume_set.h"
#include "core/data/volume_set_dump.h"
#include "core/services/errors.h"

namespace {

constexpr std::uint16_t kPreviewBytes = 16;

// Writes what a volume holds. Decoding the tagged bags, arrays and series of an
// industry file plugs in here; until then the first bytes are shown in hex.
void DumpVolumePayload(cv::TVolSet& set, int position, std::ostream& out) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    set.VolumeGetAt(position, data, size);
    out << "        bytes:";
    const std::uint16_t shown = std::min(size, kPreviewBytes);
    for (std::uint16_t i = 0; i < shown; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        out << hex;
    }
    out << (size > shown ? " ..." : "") << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dump_volset FILE\n";
        return 2;
    }
    try {
        cv::TVolSet set;
        set.OpenReadOnly(argv[1]);
        cv::DumpVolSet(set, std::cout, DumpVolumePayload);
        set.Close();
    } catch (const cv::ECvError& error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
