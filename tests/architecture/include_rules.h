#pragma once
// The table of which folder may include which, as docs/architecture.md states
// it, and the source files' includes checked against it.

#include <filesystem>
#include <string>
#include <vector>

namespace cv::test {

// One row: the files under Folder (the longest row that matches a file's
// path is its row) may include their row's own files, files under the
// folders MayInclude names, and Qt's headers where Qt is set.
struct TIncludeRule {
    std::string folder;
    std::vector<std::string> mayInclude;
    bool qt = false;
};

// The rows of the table under the heading "## Which folder may include which".
std::vector<TIncludeRule> ReadIncludeTable(const std::filesystem::path& architectureDoc);

// What breaks the table: an include it does not allow, or a source file in no
// row (Include empty then).
struct TIncludeBreach {
    std::string file;
    std::string include;
};

// Every breach among the .h and .cpp files under Root, read as a source tree:
// its tests/, bench/, build folders and hidden folders are left out.
std::vector<TIncludeBreach> IncludeBreaches(const std::vector<TIncludeRule>& table,
                                            const std::filesystem::path& root);

}  // namespace cv::test
