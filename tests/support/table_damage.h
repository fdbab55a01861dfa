#pragma once
// Industry files that break what the program reads (core/store/industry_reads.h):
// a name it reads without a default lost from every cell of its kind, and the
// faults of kinds, counts, indexes, shapes and cells that a copy of a sound
// file can carry, each done to a byte-for-byte copy.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/series_damage.h"

namespace cv {
struct TIndustryRead;
}

namespace cv::test {

// A copy with Read's name changed by one letter in every cell of its set and
// category that holds it (RemoveReadName), and what that is.
TFileDamage LostName(const TIndustryRead& read);
// LostName of every name of the table that the program reads without a default.
std::vector<TFileDamage> LostNames();

// A damage of a kind the table tells, and a word its refusal names.
struct TTableBreach {
    TFileDamage damage;
    std::string named;
};
// The breaches of the sample industry File: a count beyond its array, an
// index-bearing element beyond the series it indexes, a scalar of another
// kind, an array dimension whose lower or upper bound alone differs from its
// series, a second market's and a second zone's array dimensioned with the
// first one's series, the first name of the file lost, cells lost to a lower
// volume count in the header, and decisions kept for a period before the
// period series.
std::vector<TTableBreach> TableBreaches(const std::filesystem::path& file);

}  // namespace cv::test
