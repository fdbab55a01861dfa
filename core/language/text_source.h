#pragma once
// The readable sources of the language file (texts/README.md): one UTF-8 file
// per section, named after it, holding entries "[Key]" followed by their
// lines. Compiled to cp1252 bytes and written as a language file.

#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_file.h"

namespace cv {

// One source: its file name (the base name without ".txt" names the section)
// and its whole text.
struct TTextSource {
    std::string fileName;
    std::string text;
};

// The entries of Text in file order, keys and lines in cp1252. Raises
// EDataError naming FileName and the line for text outside an entry, an empty
// key, bytes that are not UTF-8, control characters and characters the code
// page lacks.
std::vector<TLangEntry> ParseTextSource(const std::string& fileName, std::string_view text);

// A section may be split over several sources by topic: "messages-zip.txt"
// holds entries of the section "messages".
inline constexpr char kTopicSeparator = '-';

// The section named by FileName's base name up to its topic ("texts/Decs.txt"
// and "texts/decs-brands.txt" give 9); -1 when it names none.
int TextSourceSection(const std::string& fileName);

// Parses every source and writes OutFile as a language file holding their
// sections; the sources of one section follow each other in the order of their
// file names. Raises EDataError for a source that names no section or cannot be
// parsed; OutFile is then left as it was.
void CompileLanguageFile(const std::vector<TTextSource>& sources, const std::string& outFile);

}  // namespace cv
