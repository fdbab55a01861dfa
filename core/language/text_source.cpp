#include "core/language/text_source.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <filesystem>
#include <map>

#include "core/base/cp1252_codec.h"
#include "core/base/errors.h"

namespace cv {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCommentStart = "##";
constexpr std::string_view kSourceExtension = ".txt";
constexpr char32_t kTab = U'\t';
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kLastControl = 0x9F;

// Reads a source line by line and raises errors that name the file and the line.
class TSourceParser {
public:
    TSourceParser(const std::string& fileName, std::string_view text) : fileName_(fileName), text_(text) {
        if (text_.starts_with(kUtf8ByteOrderMark)) text_.remove_prefix(kUtf8ByteOrderMark.size());
    }

    std::vector<TLangEntry> Parse() {
        std::string_view line;
        while (NextLine(line)) {
            if (line.starts_with(kCommentStart)) continue;
            if (IsHeader(line)) {
                StartEntry(line.substr(1, line.size() - 2));
            } else if (entries_.empty()) {
                if (!line.empty()) Fail("text outside an entry (an entry starts with a line \"[Key]\")");
            } else {
                entries_.back().lines.push_back(ToCp1252(line));
            }
        }
        DropTrailingEmptyLines();
        return std::move(entries_);
    }

private:
    static bool IsHeader(std::string_view line) {
        return line.size() >= 2 && line.front() == '[' && line.back() == ']';
    }

    bool NextLine(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(position_, end - position_);
        if (line.ends_with('\r')) line.remove_suffix(1);
        position_ = end + 1;
        ++lineNo_;
        return true;
    }

    void StartEntry(std::string_view key) {
        if (key.empty()) Fail("an entry without a key");
        DropTrailingEmptyLines();
        entries_.push_back({ToCp1252(key), {}});
    }

    void DropTrailingEmptyLines() {
        if (entries_.empty()) return;
        auto& lines = entries_.back().lines;
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
    }

    std::string ToCp1252(std::string_view utf8) const {
        std::string bytes;
        bytes.reserve(utf8.size());
        for (std::size_t pos = 0; pos < utf8.size();) {
            char32_t codePoint = 0;
            if (!DecodeUtf8(utf8, pos, codePoint)) Fail("bytes that are not UTF-8");
            if (IsControl(codePoint)) Fail("the control character " + CodePointText(codePoint));
            std::uint8_t byte = 0;
            if (!UnicodeToCp1252(codePoint, byte))
                Fail("the character " + CodePointText(codePoint) + " has no place in the Western code page (cp1252)");
            bytes.push_back(static_cast<char>(byte));
        }
        return bytes;
    }

    // Controls other than the tab have no business in a visible text.
    static bool IsControl(char32_t codePoint) {
        return (codePoint < U' ' && codePoint != kTab) || (codePoint >= kDelete && codePoint <= kLastControl);
    }

    static std::string CodePointText(char32_t codePoint) {
        char text[16];
        std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
        return text;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw EDataError(fileName_ + ":" + std::to_string(lineNo_) + ": " + what);
    }

    const std::string& fileName_;
    std::string_view text_;
    std::size_t position_ = 0;
    int lineNo_ = 0;
    std::vector<TLangEntry> entries_;
};

}  // namespace

std::vector<TLangEntry> ParseTextSource(const std::string& fileName, std::string_view text) {
    return TSourceParser(fileName, text).Parse();
}

int TextSourceSection(const std::string& fileName) {
    const std::filesystem::path path(fileName);
    if (path.extension() != kSourceExtension) return -1;
    const std::string stem = path.stem().string();
    return LangSectionIndex(stem.substr(0, stem.find(kTopicSeparator)));
}

void CompileLanguageFile(const std::vector<TTextSource>& sources, const std::string& outFile) {
    // Sources of one section are read in the order of their file names, so that
    // the order of repeated keys does not depend on the order of the arguments.
    std::vector<const TTextSource*> ordered;
    for (const TTextSource& source : sources) ordered.push_back(&source);
    std::stable_sort(ordered.begin(), ordered.end(), [](const TTextSource* a, const TTextSource* b) {
        return std::filesystem::path(a->fileName).filename() < std::filesystem::path(b->fileName).filename();
    });
    std::map<int, std::vector<TLangEntry>> sections;
    for (const TTextSource* source : ordered) {
        const int section = TextSourceSection(source->fileName);
        if (section < 0)
            throw EDataError(source->fileName + ": the file name names no section of the language file");
        std::vector<TLangEntry> entries = ParseTextSource(source->fileName, source->text);
        std::vector<TLangEntry>& target = sections[section];
        target.insert(target.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    }
    WriteLanguageFile(outFile, sections);
}

}  // namespace cv
