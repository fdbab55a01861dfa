#include "core/zip/zip_args.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace cv {
namespace {

bool IsOption(const std::string& arg) { return !arg.empty() && arg[0] == '-'; }

// The value that follows the option at Index; false when the vector ends there.
bool TakeValue(const std::vector<std::string>& args, std::size_t& index, std::string& value) {
    if (index + 1 >= args.size()) return false;
    value = args[++index];
    return true;
}

// The first operand names the archive, the others join the current list.
void AddOperand(const std::string& arg, std::string& archive, std::vector<std::string>& list) {
    if (arg.empty()) return;
    if (archive.empty())
        archive = arg;
    else
        list.push_back(arg);
}

bool ParseInteger(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "ddmmyyyy" as a valid calendar date.
bool ParseDate(const std::string& text, std::chrono::year_month_day& date) {
    constexpr std::size_t kDateLength = 8;
    if (text.size() != kDateLength || !std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return std::isdigit(c) != 0;
        }))
        return false;
    int day = 0, month = 0, year = 0;
    ParseInteger(std::string_view(text).substr(0, 2), day);
    ParseInteger(std::string_view(text).substr(2, 2), month);
    ParseInteger(std::string_view(text).substr(4, 4), year);
    date = std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok();
}

// ".ZIP;.lzh" as {".ZIP", ".LZH"}: extensions compare without regard to case.
std::vector<std::string> SplitExtensions(const std::string& text) {
    std::vector<std::string> extensions;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string extension = text.substr(start, end - start);
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (!extension.empty()) extensions.push_back(extension);
        start = end + 1;
    }
    return extensions;
}

bool ParseZipOption(const std::vector<std::string>& args, std::size_t& index, TZipRequest& request) {
    static const std::map<std::string, bool TZipRequest::*> kFlags{
        {"-e", &TZipRequest::encrypt},          {"-m", &TZipRequest::moveFiles},
        {"-S", &TZipRequest::includeHidden},    {"-D", &TZipRequest::directoryEntries},
        {"-$", &TZipRequest::volumeLabel},      {"-r", &TZipRequest::recurse},
        {"-j", &TZipRequest::junkPaths},        {"-g", &TZipRequest::noTempFile},
        {"-!", &TZipRequest::multidisk},        {"-&", &TZipRequest::clearDisks},
    };
    const std::string& arg = args[index];
    if (const auto flag = kFlags.find(arg); flag != kFlags.end()) {
        request.*(flag->second) = true;
        return true;
    }
    if (arg.size() == 2 && std::isdigit(static_cast<unsigned char>(arg[1]))) {
        request.level = arg[1] - '0';
        return true;
    }
    std::string value;
    if (arg == "-W") return true;
    if (arg == "-b") return TakeValue(args, index, request.tempPath);
    if (arg == "-t") return TakeValue(args, index, value) && ParseDate(value, request.since);
    if (arg == "-n") {
        if (!TakeValue(args, index, value)) return false;
        request.storedExtensions = SplitExtensions(value);
        return true;
    }
    return false;
}

bool ParseUnzipOption(const std::vector<std::string>& args, std::size_t& index, TUnzipRequest& request) {
    const std::string& arg = args[index];
    if (arg == "-j") request.junkPaths = true;
    else if (arg == "-!") request.multidisk = true;
    else if (arg == "-n") request.overwrite = TZipOverwriteMode::zomNever;
    else if (arg == "-o") request.overwrite = TZipOverwriteMode::zomAlways;
    else if (arg == "-d") return TakeValue(args, index, request.extractDirectory);
    else if (arg.starts_with("-1")) return ParseInteger(std::string_view(arg).substr(2), request.first);
    else if (arg.starts_with("-2")) return ParseInteger(std::string_view(arg).substr(2), request.second);
    else return false;
    return true;
}

// The walk both vectors share: the password, then operands and options in turn. The first operand names
// the archive, later ones join the list the last "-i" or "-x" chose; Includes is null where "-i" is not an
// option (it then goes to ParseOption, which refuses it).
template <typename TRequest>
bool ParseRequest(const std::vector<std::string>& args, TRequest& request, std::vector<std::string> TRequest::*includes,
                  bool (*parseOption)(const std::vector<std::string>&, std::size_t&, TRequest&)) {
    if (args.empty()) return false;
    request = TRequest{};
    request.password = args[0];
    std::vector<std::string>* list = &request.patterns;
    for (std::size_t index = 1; index < args.size(); ++index) {
        const std::string& arg = args[index];
        if (!IsOption(arg))
            AddOperand(arg, request.archive, *list);
        else if (arg == "-i" && includes)
            list = &(request.*includes);
        else if (arg == "-x")
            list = &request.excludes;
        else if (!parseOption(args, index, request))
            return false;
    }
    return !request.archive.empty();
}

}  // namespace

bool ParseZipArgs(const std::vector<std::string>& args, TZipRequest& request) {
    return ParseRequest(args, request, &TZipRequest::includes, ParseZipOption);
}

bool ParseUnzipArgs(const std::vector<std::string>& args, TUnzipRequest& request) {
    return ParseRequest<TUnzipRequest>(args, request, nullptr, ParseUnzipOption);
}

}  // namespace cv
