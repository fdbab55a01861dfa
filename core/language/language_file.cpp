#include "core/language/language_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "core/store/volume_set.h"
#include "core/base/errors.h"

namespace cv {

namespace {

constexpr std::array<std::string_view, kLangSectionCount> kSectionNames = {
    "series", "controls", "messages", "studies", "help", "menus", "globals", "results", "Decs"};

// Key bounds of the files we write; a reader relies only on the key order.
constexpr std::int16_t kFirstSection = 1;
constexpr std::int16_t kFirstPart = kLangPartPool;
constexpr std::int16_t kLastPart = kLangPartIndex;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Builds a section's pool and index word by word.
class TSectionLayout {
public:
    explicit TSectionLayout(int section) : section_(section) {}

    void AddWord(std::size_t value, const char* what) {
        if (value > 0xFFFF) Fail(std::string(what) + " " + std::to_string(value) + " does not fit a 16-bit word");
        if (words_.size() >= kLangMaxIndexWords)
            Fail("the index needs more than " + std::to_string(kLangMaxIndexWords) + " words");
        words_.push_back(static_cast<std::uint16_t>(value));
    }

    // The pool offset of Text, added on first use.
    std::size_t PlaceText(const std::string& text) {
        if (text.find('\0') != std::string::npos)
            Fail("a text holds a zero byte: \"" + std::string(text.c_str()) + "...\"");
        const auto found = placed_.find(text);
        if (found != placed_.end()) return found->second;
        const std::size_t offset = pool_.size();
        if (offset + text.size() + 1 > kLangMaxPoolBytes)
            Fail("the text pool needs more than " + std::to_string(kLangMaxPoolBytes) + " bytes");
        pool_.insert(pool_.end(), text.begin(), text.end());
        pool_.push_back(0);
        placed_.emplace(text, offset);
        return offset;
    }

    TLangSectionForm Finish() {
        TLangSectionForm form;
        form.pool = std::move(pool_);
        form.index.reserve(words_.size() * 2);
        for (const std::uint16_t word : words_) {
            form.index.push_back(static_cast<std::uint8_t>(word & 0xFF));
            form.index.push_back(static_cast<std::uint8_t>(word >> 8));
        }
        return form;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EDataError("Language section " + std::string(LangSectionName(section_)) + ": " + what);
    }

    int section_;
    std::vector<std::uint8_t> pool_;
    std::vector<std::uint16_t> words_;
    std::unordered_map<std::string, std::size_t> placed_;
};

void StoreSection(TVolSet& set, int section, const TLangSectionForm& form) {
    const auto sectionKey = static_cast<std::int16_t>(section);
    set.VolumeSet(form.pool.data(), static_cast<std::uint16_t>(form.pool.size()), {sectionKey, kLangPartPool});
    set.VolumeSet(form.index.data(), static_cast<std::uint16_t>(form.index.size()), {sectionKey, kLangPartIndex});
}

}  // namespace

std::string_view LangSectionName(int section) {
    if (section < 1 || section > kLangSectionCount) return {};
    return kSectionNames[static_cast<std::size_t>(section - 1)];
}

int LangSectionIndex(std::string_view name) {
    for (int section = 1; section <= kLangSectionCount; ++section)
        if (SameTextAscii(name, LangSectionName(section))) return section;
    return -1;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

TLangSectionForm EncodeLangSection(int section, const std::vector<TLangEntry>& entries) {
    TSectionLayout layout(section);
    layout.AddWord(entries.size(), "the entry count");
    for (const TLangEntry& entry : entries) {
        layout.AddWord(layout.PlaceText(entry.name), "a name offset");
        layout.AddWord(entry.lines.size(), "the line count of an entry");
        for (const std::string& line : entry.lines) layout.AddWord(layout.PlaceText(line), "a line offset");
    }
    return layout.Finish();
}

void WriteLanguageFile(const std::string& fileName, const std::map<int, std::vector<TLangEntry>>& sections) {
    std::vector<std::pair<int, TLangSectionForm>> forms;
    for (const auto& [section, entries] : sections) {
        if (LangSectionName(section).empty())
            throw EDataError("Language file " + fileName + ": no section " + std::to_string(section));
        forms.emplace_back(section, EncodeLangSection(section, entries));
    }
    const std::string buildName = fileName + ".tmp";
    try {
        TVolSet set;
        set.Create(buildName, kLangSignature);
        set.AddKey("Section", kFirstSection, kLangSectionCount);
        set.AddKey("Part", kFirstPart, kLastPart);
        for (const auto& [section, form] : forms) StoreSection(set, section, form);
        set.Close();
        std::error_code error;
        std::filesystem::rename(buildName, fileName, error);
        if (error) throw EVolSetError("Language file " + fileName + ": cannot be moved into place: " + error.message());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(buildName, ignored);
        throw;
    }
}

TLangIndexReader::TLangIndexReader(std::span<const std::uint8_t> pool, std::span<const std::uint8_t> index)
    : pool_(pool), index_(index), wordCount_(std::min(index.size() / 2, kLangMaxIndexWords)) {
    std::uint16_t count = 0;
    if (!Word(0, count)) {
        NoteFault("the index holds no entry count");
        return;
    }
    entryCount_ = count;
    nextWord_ = 1;
}

bool TLangIndexReader::Word(std::size_t position, std::uint16_t& value) const {
    if (position >= wordCount_) return false;
    value = static_cast<std::uint16_t>(index_[position * 2] | (index_[position * 2 + 1] << 8));
    return true;
}

bool TLangIndexReader::Next() {
    if (static_cast<std::size_t>(entryNumber_) >= entryCount_ || nextWord_ == 0) return false;
    const int number = entryNumber_ + 1;
    std::uint16_t nameOffset = 0;
    std::uint16_t lineCount = 0;
    const bool headerRead = Word(nextWord_, nameOffset) && Word(nextWord_ + 1, lineCount);
    if (!headerRead || nextWord_ + 2 + lineCount > wordCount_) {
        NoteFault("entry " + std::to_string(number) + " of " + std::to_string(entryCount_) + " runs past the " +
                  std::to_string(wordCount_) + " words of the index");
        nextWord_ = 0;
        return false;
    }
    entryNumber_ = number;
    nameOffset_ = nameOffset;
    lineCount_ = lineCount;
    firstLineWord_ = nextWord_ + 2;
    nextWord_ = firstLineWord_ + lineCount;
    return true;
}

bool TLangIndexReader::Text(std::uint16_t offset, int lineNo, std::string_view& text) {
    const bool inPool = offset < pool_.size();
    const auto begin = pool_.begin() + (inPool ? offset : 0);
    const auto end = inPool ? std::find(begin, pool_.end(), std::uint8_t{0}) : pool_.end();
    if (inPool && end != pool_.end()) {
        text = std::string_view(reinterpret_cast<const char*>(pool_.data()) + offset,
                                static_cast<std::size_t>(end - begin));
        return true;
    }
    const std::string what = lineNo == 0 ? "the name" : "line " + std::to_string(lineNo);
    NoteFault("entry " + std::to_string(entryNumber_) + ": " + what + " at offset " + std::to_string(offset) +
              (inPool ? " has no terminating zero"
                      : " lies outside the text pool of " + std::to_string(pool_.size()) + " bytes"));
    return false;
}

bool TLangIndexReader::Name(std::string_view& name) { return Text(nameOffset_, 0, name); }

bool TLangIndexReader::AppendLines(std::vector<std::string>& lines) {
    const std::size_t firstNew = lines.size();
    for (int i = 0; i < lineCount_; ++i) {
        std::uint16_t offset = 0;
        std::string_view text;
        Word(firstLineWord_ + static_cast<std::size_t>(i), offset);
        if (!Text(offset, i + 1, text)) {
            lines.resize(firstNew);
            return false;
        }
        lines.emplace_back(text);
    }
    return true;
}

void TLangIndexReader::NoteFault(const std::string& fault) {
    if (fault_.empty()) fault_ = fault;
}

}  // namespace cv
