#pragma once
// The check sum of an entry that holds no data, read from the archive's own
// records: the archive library checks the sum only of data it delivers, so an
// empty entry whose sum is wrong would pass as whole.

#include <string>

namespace cv {

// Whether the entry Name of Archive, which delivered no data, records the sum
// of no data (0) in its central record, in its local header and, stored with a
// data descriptor, in the descriptor. False when the records cannot be read or
// hold no entry of that name. An archive in the 64-bit layout (larger than any
// industry or backup) is not looked into: true.
bool EmptyEntrySumHolds(const std::string& archive, const std::string& name);

}  // namespace cv
