#pragma once
// The stored form of the language text file (docs/language_file.md): a volume
// set with the keys section (1..9) and part (1 the text pool, 2 the index).
// The writer lays out a section's entries; the reader walks an index without
// trusting it and never reads past the bytes it was given.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cv {

inline constexpr int kLangSectionCount = 9;
inline constexpr std::int16_t kLangPartPool = 1;
inline constexpr std::int16_t kLangPartIndex = 2;
// A reader takes at most this many words of an index.
inline constexpr std::size_t kLangMaxIndexWords = 32760;
// Pool offsets are 16-bit words, and a volume holds at most 65,535 bytes.
inline constexpr std::size_t kLangMaxPoolBytes = 65535;
inline constexpr const char* kLangSignature = "Quen*or VolSet - Corvantis3 Language Texts";

// The name of section 1..9 ("series" .. "Decs"); empty for another number.
std::string_view LangSectionName(int section);
// The number of the section called Name (ASCII case ignored), or -1.
int LangSectionIndex(std::string_view name);

// Whether A and B are equal when ASCII letters are compared without case.
bool SameTextAscii(std::string_view a, std::string_view b);

// One entry of a section: its name and its lines, as cp1252 bytes.
struct TLangEntry {
    std::string name;
    std::vector<std::string> lines;
};

// A section in its stored form: part 1 and part 2.
struct TLangSectionForm {
    std::vector<std::uint8_t> pool;
    std::vector<std::uint8_t> index;
};

// Lays out Entries in file order, each distinct text once in the pool. Raises
// EDataError, naming Section, when a text holds a zero byte or the section
// outgrows its form (a pool beyond 65,535 bytes, an index beyond 32,760 words).
TLangSectionForm EncodeLangSection(int section, const std::vector<TLangEntry>& entries);

// Writes FileName as a language file holding Sections (number -> entries); a
// section not given is absent from the file. The set is built beside the file
// and renamed over it, so an existing file is replaced whole or not at all.
// Raises EDataError or EVolSetError.
void WriteLanguageFile(const std::string& fileName, const std::map<int, std::vector<TLangEntry>>& sections);

// Walks the entries of one section's index in file order. A name or a line
// whose offset lies outside the pool, or whose text has no terminating zero,
// is refused; an index that ends inside an entry ends the walk. Fault() then
// describes the first such damage.
class TLangIndexReader {
public:
    TLangIndexReader(std::span<const std::uint8_t> pool, std::span<const std::uint8_t> index);

    // Moves to the next entry; false after the last, or when the index ends
    // before this entry does.
    bool Next();
    int LineCount() const { return lineCount_; }
    // The current entry's name; false when it cannot be read.
    bool Name(std::string_view& name);
    // Appends every line of the current entry to Lines; false, Lines
    // unchanged, when one of them cannot be read.
    bool AppendLines(std::vector<std::string>& lines);

    bool Faulty() const { return !fault_.empty(); }
    const std::string& Fault() const { return fault_; }

private:
    bool Word(std::size_t position, std::uint16_t& value) const;
    // The text at Offset of the pool; LineNo 0 names the entry's name in a fault.
    bool Text(std::uint16_t offset, int lineNo, std::string_view& text);
    void NoteFault(const std::string& fault);

    std::span<const std::uint8_t> pool_;
    std::span<const std::uint8_t> index_;
    std::size_t wordCount_;
    std::size_t entryCount_ = 0;
    std::size_t nextWord_ = 0;  // first word of the next entry
    int entryNumber_ = 0;
    std::uint16_t nameOffset_ = 0;
    int lineCount_ = 0;
    std::size_t firstLineWord_ = 0;
    std::string fault_;
};

}  // namespace cv
