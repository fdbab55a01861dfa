#pragma once
// A readable listing of a volume set: the header, the declared keys and the
// volume table, with a hook per volume for decoding its payload.

#include <functional>
#include <ostream>
#include <string>

#include "core/store/volume_set.h"

namespace cv {

// "YYYY-MM-DD hh:mm:ss" of a date-time; "never" for 0, "invalid" when it is
// not a finite date between the years 1 and 9999.
std::string DateTimeText(TDateTime value);

// Writes the payload of the volume at a table position (0-based).
using TVolumePayloadDumper = std::function<void(TVolSet& set, int position, std::ostream& out)>;

// The header (signature, numbers, date-times), one line per key, then one line
// per volume-table entry (position, magic, offset, size, key values, date-times;
// "magic?" marks an entry whose keys do not give its magic), each followed by
// what Payload writes when it is given.
void DumpVolSet(TVolSet& set, std::ostream& out, const TVolumePayloadDumper& payload = {});

}  // namespace cv
