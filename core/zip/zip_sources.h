#pragma once
// The files that a zip request names: file patterns expanded (wildcards
// in the last component, directories, recursion), filtered by the include and
// exclude patterns, the hidden-file rule and the date, each with the entry name
// under which it is stored.

#include <filesystem>
#include <string>
#include <vector>

#include "core/zip/zip_args.h"

namespace cv {

struct TZipSource {
    std::filesystem::path path;
    std::string entryName;  // '/'-separated; a directory entry ends with '/'
    bool directory = false;
};

struct TZipSources {
    std::vector<TZipSource> files;
    // A pattern found nothing, a file was older than the request's date,
    // or a second file had the entry name of an earlier one: left out.
    bool someSkipped = false;
};

// Sources of Request, in pattern order and, inside a directory, in name
// order. The archive being written is never one of them.
TZipSources CollectZipSources(const TZipRequest& request);

}  // namespace cv
