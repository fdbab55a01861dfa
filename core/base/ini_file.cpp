#include "core/base/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>

#include "core/base/file_routines.h"

namespace cv {
namespace {

constexpr const char* kBlanks = " \t";
constexpr const char* kCrLf = "\r\n";
constexpr const char* kLf = "\n";
constexpr size_t kNotFound = std::string::npos;
constexpr size_t kReadChunk = 65536;

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string name;
    std::string value;
};

// A line as read: its text without the line end, and the end's own bytes (any
// run of CRs and the LF, nothing on a last line without one), written back as
// they came so that a write never touches another line's bytes.
struct IniLine {
    std::string text;
    std::string end;
};

// The file as lines, and the line end of lines it adds (that of its first line).
struct IniDocument {
    std::vector<IniLine> lines;
    std::string lineEnd = kCrLf;
};

enum class LoadResult { Loaded, Missing, Failed };

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == kNotFound) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string Unquote(const std::string& value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

ParsedLine ParseLine(const std::string& line) {
    ParsedLine parsed;
    const std::string text = Trim(line);
    if (text.empty() || text.front() == ';') return parsed;
    if (text.front() == '[') {
        parsed.kind = LineKind::Section;
        parsed.name = Trim(text.substr(1, text.find(']') == kNotFound ? kNotFound : text.find(']') - 1));
        return parsed;
    }
    const size_t equals = text.find('=');
    if (equals == kNotFound || equals == 0) return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = Trim(text.substr(0, equals));
    parsed.value = Unquote(Trim(text.substr(equals + 1)));
    return parsed;
}

IniDocument SplitLines(const std::string& bytes) {
    IniDocument document;
    const size_t firstEnd = bytes.find('\n');
    if (firstEnd != kNotFound && (firstEnd == 0 || bytes[firstEnd - 1] != '\r')) document.lineEnd = kLf;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t lineFeed = bytes.find('\n', start);
        const size_t next = lineFeed == kNotFound ? bytes.size() : lineFeed + 1;
        size_t textEnd = lineFeed == kNotFound ? bytes.size() : lineFeed;
        while (textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
        document.lines.push_back({bytes.substr(start, textEnd - start), bytes.substr(textEnd, next - textEnd)});
        start = next;
    }
    return document;
}

std::string JoinLines(const IniDocument& document) {
    std::string bytes;
    for (const IniLine& line : document.lines) bytes += line.text + line.end;
    return bytes;
}

// A line added to Document. A last line whose end has no LF (none at all, or
// bare CRs) gains one first: the added line would otherwise be glued to it.
void InsertLine(IniDocument& document, size_t at, std::string text) {
    if (at == document.lines.size() && at > 0) {
        std::string& end = document.lines.back().end;
        if (end.empty())
            end = document.lineEnd;
        else if (end.back() != '\n')
            end += kLf;
    }
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(at),
                          {std::move(text), document.lineEnd});
}

LoadResult ReadWholeFile(const std::string& fileName, std::string& bytes) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? LoadResult::Missing : LoadResult::Failed;
    char chunk[kReadChunk];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            ::close(fd);
            return count == 0 ? LoadResult::Loaded : LoadResult::Failed;
        }
        bytes.append(chunk, static_cast<size_t>(count));
    }
}

IniDocument Load(const std::string& fileName) {
    std::string bytes;
    if (ReadWholeFile(fileName, bytes) != LoadResult::Loaded) return {};
    return SplitLines(bytes);
}

size_t FindSection(const IniDocument& document, const std::string& section) {
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind == LineKind::Section && SameName(parsed.name, section)) return i;
    }
    return kNotFound;
}

// The index of the first line after the section that starts at Header.
size_t SectionEnd(const IniDocument& document, size_t header) {
    size_t end = header + 1;
    while (end < document.lines.size() && ParseLine(document.lines[end].text).kind != LineKind::Section) ++end;
    return end;
}

size_t FindKey(const IniDocument& document, size_t header, const std::string& key) {
    if (header == kNotFound) return kNotFound;
    for (size_t i = header + 1, end = SectionEnd(document, header); i < end; ++i) {
        const ParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) return i;
    }
    return kNotFound;
}

// Where a new key of the section goes: after its last non-blank line, so that
// the blank line before the next section stays where it is.
size_t KeyInsertionPoint(const IniDocument& document, size_t header) {
    size_t at = SectionEnd(document, header);
    while (at > header + 1 && Trim(document.lines[at - 1].text).empty()) --at;
    return at;
}

void AppendUnique(std::vector<std::string>& names, const std::string& name) {
    if (std::none_of(names.begin(), names.end(), [&](const std::string& known) { return SameName(known, name); }))
        names.push_back(name);
}

bool HasLineBreak(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != kNotFound; }

int DigitValue(char c, int base) {
    const int lower = std::tolower(static_cast<unsigned char>(c));
    if (lower >= '0' && lower <= '9') return lower - '0';
    if (base == 16 && lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// A whole number with an optional sign, decimal or hexadecimal after "$" or
// "0x"; false when Text is anything else or outside the 32-bit range.
bool ParseInteger(const std::string& text, std::int32_t& value) {
    size_t pos = 0;
    const bool negative = text.compare(0, 1, "-") == 0;
    if (negative || text.compare(0, 1, "+") == 0) ++pos;
    int base = 10;
    if (text.compare(pos, 1, "$") == 0) {
        base = 16;
        pos += 1;
    } else if (SameName(text.substr(pos, 2), "0x")) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) return false;
    const long long limit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// A name must read back as itself: no line break, no blanks around it, and
// nothing that would make its line another kind of line.
bool IsValidName(const std::string& name, char forbidden) {
    return !name.empty() && !HasLineBreak(name) && Trim(name) == name && name.find(forbidden) == kNotFound &&
           name.front() != '[' && name.front() != ';';
}

void CheckEntry(const std::string& fileName, const std::string& section, const std::string& key,
                const std::string& value) {
    if (!IsValidName(section, ']') || !IsValidName(key, '=') || HasLineBreak(value))
        throw EIniFileError("Invalid entry [" + section + "] " + key + " for " + fileName);
}

// A file without any write permission counts as read-only even for a user whom
// the system would let write it, as a read-only file does on Windows.
bool IsReadOnly(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return false;
    return ::access(fileName.c_str(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The file for a change; an unreadable file is never replaced (its content
// would be lost), so it raises the error.
IniDocument LoadForUpdate(const std::string& fileName) {
    std::string bytes;
    if (ReadWholeFile(fileName, bytes) == LoadResult::Failed)
        throw EIniFileError("Unable to read " + fileName + ": " + std::strerror(errno));
    return SplitLines(bytes);
}

void Save(const std::string& fileName, const IniDocument& document) {
    if (IsReadOnly(fileName)) throw EIniFileError("Unable to write to " + fileName + ": the file is read-only");
    if (!WriteFileAtomically(fileName, JoinLines(document)))
        throw EIniFileError("Unable to write to " + fileName + ": " + std::strerror(errno));
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    const IniDocument document = Load(fileName_);
    const size_t at = FindKey(document, FindSection(document, section), key);
    return at == kNotFound ? defaultValue : ParseLine(document.lines[at].text).value;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
    std::int32_t value = 0;
    return ParseInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    CheckEntry(fileName_, section, key, value);
    IniDocument document = LoadForUpdate(fileName_);
    const size_t header = FindSection(document, section);
    const size_t at = FindKey(document, header, key);
    if (at != kNotFound) {
        document.lines[at].text = ParseLine(document.lines[at].text).name + "=" + value;
    } else if (header != kNotFound) {
        InsertLine(document, KeyInsertionPoint(document, header), key + "=" + value);
    } else {
        if (!document.lines.empty() && !Trim(document.lines.back().text).empty())
            InsertLine(document, document.lines.size(), "");
        InsertLine(document, document.lines.size(), "[" + section + "]");
        InsertLine(document, document.lines.size(), key + "=" + value);
    }
    Save(fileName_, document);
}

bool TIniFile::CanBeReplaced() const {
    const std::string dir = std::filesystem::path(fileName_).parent_path().string();
    return ::access(fileName_.c_str(), R_OK) == 0 && !IsReadOnly(fileName_) &&
           ::access(dir.empty() ? "." : dir.c_str(), W_OK | X_OK) == 0;
}

void TIniFile::EraseKey(const std::string& section, const std::string& key) {
    IniDocument document = LoadForUpdate(fileName_);
    const size_t at = FindKey(document, FindSection(document, section), key);
    if (at == kNotFound) return;
    document.lines.erase(document.lines.begin() + at);
    Save(fileName_, document);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    const IniDocument document = Load(fileName_);
    std::vector<std::string> keys;
    const size_t header = FindSection(document, section);
    if (header == kNotFound) return keys;
    for (size_t i = header + 1, end = SectionEnd(document, header); i < end; ++i) {
        const ParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind == LineKind::Key) AppendUnique(keys, parsed.name);
    }
    return keys;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> sections;
    for (const IniLine& line : Load(fileName_).lines) {
        const ParsedLine parsed = ParseLine(line.text);
        if (parsed.kind == LineKind::Section) AppendUnique(sections, parsed.name);
    }
    return sections;
}

}  // namespace cv
