#include "tests/architecture/include_rules.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kTableHeading[] = "## Which folder may include which";

const TIncludeRule* RowOf(const std::vector<TIncludeRule>& table, const std::string& path) {
    const TIncludeRule* row = nullptr;
    for (const TIncludeRule& rule : table)
        if (path.starts_with(rule.folder) && (!row || rule.folder.size() > row->folder.size())) row = &rule;
    return row;
}

bool Allowed(const std::vector<TIncludeRule>& table, const TIncludeRule& row, const std::string& include) {
    if (RowOf(table, include) == &row) return true;
    return std::any_of(row.mayInclude.begin(), row.mayInclude.end(),
                       [&include](const std::string& folder) { return include.starts_with(folder); });
}

bool LeftOut(const fs::path& relative) {
    const std::string top = relative.begin()->string();
    return top == "tests" || top == "bench" || top.starts_with("build") || top.starts_with(".");
}

}  // namespace

std::vector<TIncludeRule> ReadIncludeTable(const fs::path& architectureDoc) {
    std::ifstream doc(architectureDoc);
    if (!doc) throw std::runtime_error("cannot read " + architectureDoc.string());
    std::vector<TIncludeRule> table;
    const std::regex row(R"(^\| `([^`]+)` \|(.*)\|\s*$)");
    const std::regex folder("`([^`]+)`");
    bool inTable = false;
    for (std::string line; std::getline(doc, line);) {
        if (line.starts_with("#")) inTable = line == kTableHeading;
        std::smatch match;
        if (!inTable || !std::regex_match(line, match, row)) continue;
        TIncludeRule rule{match[1].str(), {}, false};
        const std::string allowed = match[2].str();
        for (auto it = std::sregex_iterator(allowed.begin(), allowed.end(), folder); it != std::sregex_iterator(); ++it)
            rule.mayInclude.push_back((*it)[1].str());
        rule.qt = std::regex_search(allowed, std::regex(R"(\bQt\b)"));
        table.push_back(rule);
    }
    return table;
}

std::vector<TIncludeBreach> IncludeBreaches(const std::vector<TIncludeRule>& table, const fs::path& root) {
    const std::regex projectInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    const std::regex qtInclude(R"(^\s*#\s*include\s*<(Q[^>]*)>)");
    std::vector<TIncludeBreach> breaches;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = fs::relative(it->path(), root);
        if (it->is_directory() && LeftOut(relative)) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string extension = it->path().extension().string();
        if (!it->is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        const std::string file = relative.generic_string();
        const TIncludeRule* row = RowOf(table, file);
        if (!row) {
            breaches.push_back({file, ""});
            continue;
        }
        std::ifstream source(it->path());
        for (std::string line; std::getline(source, line);) {
            std::smatch match;
            if (std::regex_search(line, match, projectInclude) && !Allowed(table, *row, match[1].str()))
                breaches.push_back({file, match[1].str()});
            else if (std::regex_search(line, match, qtInclude) && !row->qt)
                breaches.push_back({file, "<" + match[1].str() + ">"});
        }
    }
    std::sort(breaches.begin(), breaches.end(),
              [](const auto& a, const auto& b) { return std::tie(a.file, a.include) < std::tie(b.file, b.include); });
    return breaches;
}

}  // namespace cv::test
