#pragma once
// The argument vectors of the zip engine, decoded into requests.
//
// Both vectors begin with the password. The first argument that is not an
// option names the archive; the ones after it are file patterns, until
// "-i" (zip only) switches to include patterns and "-x" to exclude patterns.

#include <chrono>
#include <string>
#include <vector>

namespace cv {

enum class TZipOverwriteMode { zomAsk, zomNever, zomAlways };

// What "-t" means when absent: files of any date are taken.
inline constexpr std::chrono::year_month_day kZipEarliestDate{std::chrono::year{1980}, std::chrono::January,
                                                              std::chrono::day{1}};

struct TZipRequest {
    std::string password;
    bool encrypt = false;                   // -e
    int level = 6;                          // -0 .. -9
    bool moveFiles = false;                 // -m
    bool includeHidden = false;             // -S
    bool directoryEntries = false;          // -D
    bool volumeLabel = false;               // -$
    bool recurse = false;                   // -r
    bool junkPaths = false;                 // -j
    bool noTempFile = false;                // -g
    std::string tempPath;                   // -b <dir>
    std::vector<std::string> storedExtensions;  // -n <.ext;.ext>, upper-cased
    bool multidisk = false;                 // -!
    bool clearDisks = false;                // -&
    std::chrono::year_month_day since = kZipEarliestDate;  // -t ddmmyyyy
    std::string archive;
    std::vector<std::string> patterns;
    std::vector<std::string> includes;      // -i
    std::vector<std::string> excludes;      // -x
};

struct TUnzipRequest {
    std::string password;
    int first = 0;                          // -1<n>
    int second = -1;                        // -2<n>
    bool junkPaths = false;                 // -j
    bool multidisk = false;                 // -!
    TZipOverwriteMode overwrite = TZipOverwriteMode::zomAsk;  // -n never, -o always
    std::string archive;
    std::vector<std::string> patterns;
    std::vector<std::string> excludes;      // -x
    std::string extractDirectory;           // -d <dir>
};

// Decode Args into Request; false for an unknown option, a missing or bad
// value, or a vector without password or archive.
bool ParseZipArgs(const std::vector<std::string>& args, TZipRequest& request);
bool ParseUnzipArgs(const std::vector<std::string>& args, TUnzipRequest& request);

}  // namespace cv
