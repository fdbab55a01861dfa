#pragma once
// The whole-file check of an industry file: made before a file replaces a
// team's working copy (taking the instructor's industry, restoring a backup)
// and before the team's own copy is opened, so that a damaged file is refused
// at once, in one message, instead of failing later wherever a page first
// reads the damaged part.
//
// Opening an industry reads only its header, table, series and constant part;
// the sets are read when first used. This check reads everything the program
// can ever read: the header and the volume table, the keys, the info volume and
// the series list (which an industry that a team can work on must have), every
// series the opening looks up (the period, firm, zone and market series and
// those of each zone and market, at positions within the list, each naming a
// series of its own kind, market and zone as the file tells it:
// core/store/series_kinds.h), the names of the series (series_names.h), every
// name the program reads in every cell it reads, of its kind and shape
// (read_table_check.h), every cell of every set, each bag parsed with every
// check its reader makes, and the bytes of every volume of the table. The file
// is opened read-only and nothing global (the series-index table, an open
// industry) is touched.

#include <string>

namespace cv {

enum class TIndustryFileVerdict {
    sound,          // every part reads
    notAnIndustry,  // no industry signature: another kind of file, or an industry of another version
    damaged,        // the signature is there, but a part of the file does not read
};

struct TIndustryFileCheck {
    TIndustryFileVerdict verdict = TIndustryFileVerdict::sound;
    // What does not read, in the reader's words (for the log).
    std::string reason;
    bool Sound() const { return verdict == TIndustryFileVerdict::sound; }
};

TIndustryFileCheck CheckWholeIndustryFile(const std::string& fileName);

}  // namespace cv
