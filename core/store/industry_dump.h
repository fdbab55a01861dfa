#pragma once
// A readable listing of an industry file: the volume-set listing with every
// volume decoded: the info volume, the series list, and each cell's bag
// (scalars with their values; arrays with kind, bounds, dimension names and
// elements). The diagnostic tool dump_volset prints it, and tests read it to
// learn which volumes a save wrote.

#include <cstdint>
#include <ostream>
#include <string>

#include "core/store/volume_set.h"

namespace cv {

// Writes the payload of the volume at table Position of an industry file,
// decoded by its volume type; a volume that does not decode is shown as
// "undecodable: <reason>" followed by its first bytes.
void DumpIndustryVolume(TVolSet& set, int position, std::ostream& out);
// Writes the first bytes of the volume at Position in hexadecimal.
void DumpVolumeBytes(TVolSet& set, int position, std::ostream& out);
// Opens FileName read-only and lists it: volumes of an industry file (known by
// its signature) decoded, those of another volume set as their first bytes.
// Failures of the file raise EVolSetError.
void DumpVolSetFile(const std::string& fileName, std::ostream& out);

}  // namespace cv
