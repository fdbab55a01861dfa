#pragma once
// TTranslate: the reader of the language text file "STRSTD." + language code.
// Every visible text of the program is looked up here by section and key, and
// for one line by line number. The file is a read-only volume set of nine
// sections, each a text pool and an index (docs/language_file.md).
//
// A look-up never fails: a missing section gives the one line
// "Unknown section : <n>" (silence for the menus section), a missing key gives
// no lines, and a damaged entry (an offset outside the pool, an index cut
// short, an unterminated text) counts as missing, with one log line.
//
// Translating a window by its components' names needs Qt and lives in
// ui/translate_component.h (TranslateComponent, SetTexts).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cv {

class TVolSet;

// The sections of the language file.
inline constexpr int kSectionSeries = 1;
inline constexpr int kSectionControls = 2;
inline constexpr int kSectionMessages = 3;
inline constexpr int kSectionStudies = 4;
inline constexpr int kSectionHelp = 5;
inline constexpr int kSectionMenus = 6;
inline constexpr int kSectionGlobals = 7;
inline constexpr int kSectionResults = 8;
inline constexpr int kSectionDecs = 9;

class TTranslate {
public:
    // CachedSection when no entry is cached.
    static constexpr int kNoSection = 32767;

    TTranslate();
    TTranslate(const TTranslate&) = delete;
    TTranslate& operator=(const TTranslate&) = delete;
    virtual ~TTranslate();

    // Opens FileName read-only and empties the line cache. A file that cannot
    // be opened or is not a volume set raises EVolSetError and leaves the
    // translator closed; a closed translator answers every section as missing.
    void Open(const std::string& fileName);
    // Closes the file and empties the line cache; may be followed by Open.
    void Close();
    bool IsOpen() const;

    // Replaces Lines by the lines of the entries named Key (ASCII case
    // ignored), in file order; the entries named Key + VersionSuffix instead,
    // when there are any.
    void GetLines(int section, const std::string& key, std::vector<std::string>& lines);
    // Line LineNo (from 1) of the entry, through a one-entry cache; "bad line
    // number <n>" when the entry has no such line.
    void GetLine(int section, const std::string& key, int lineNo, std::string& text);
    std::string GetLine(int section, const std::string& key, int lineNo);

    // GetLine for one section.
    void SeriesLine(const std::string& key, int lineNo, std::string& text);
    void ControlsLine(const std::string& key, int lineNo, std::string& text);
    void MessagesLine(const std::string& key, int lineNo, std::string& text);
    void GlobalsLine(const std::string& key, int lineNo, std::string& text);
    void DecsLine(const std::string& key, int lineNo, std::string& text);

    // Replaces List by the names of all entries of Section in file order,
    // duplicates included; "Unknown section : <n>" for a missing section (the
    // menus section too).
    void GetKeys(int section, std::vector<std::string>& list);

    // The number 1..9 of the section called Name (ASCII case ignored), or -1.
    static int SectionIndex(const std::string& name);

    int CachedSection() const { return cachedSection_; }
    const std::string& CachedKey() const { return cachedKey_; }

private:
    // Copies the two volumes of Section into pool_ and index_; false when
    // either is missing.
    bool ReadSection(int section);
    // Appends to Lines the lines of every readable entry called Name; the
    // first damage met goes to Fault unless it already holds one.
    void CollectLines(const std::string& name, std::vector<std::string>& lines, std::string& fault) const;
    void LogFault(int section, const std::string& fault) const;
    void ResetCache();

    std::unique_ptr<TVolSet> volSet_;
    std::vector<std::string> lineCache_;
    int cachedSection_ = kNoSection;
    std::string cachedKey_;
    std::vector<std::uint8_t> pool_;
    std::vector<std::uint8_t> index_;
};

// The one translator of the program: empty until the main window opens it.
extern std::unique_ptr<TTranslate> Translator;

// Tried as a suffix of every key before the plain key; read once at start.
extern std::string VersionSuffix;

// The version suffix file, looked for in the current directory.
inline constexpr const char* kVersionFileName = "Version.txt";

// Sets VersionSuffix to the first line of "Version.txt" in the current
// directory (without its line end), or to empty when there is no such file.
void ReadVersionSuffix();

}  // namespace cv
