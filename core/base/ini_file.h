#pragma once
// Settings files in the Windows ini form, read and written as Windows does:
//
//   [Section]        section and key names compare ignoring ASCII letter case;
//   Key=Value        the first section and the first key of a name count;
//   ; comment        spaces and tabs around names and values are dropped, and a
//                    value wrapped in matching single or double quotes loses them;
//                    no escapes. Lines end in LF, with or without CRs before it.
//
// Every operation reads the file afresh, so two objects on one file (or a file
// changed by another program) never disagree. A write changes only its own line:
// every other line, comment and blank line stays as it was, in its order, and the
// file keeps its line ends (CR LF for a new file; a last line that ends in bare
// CRs gains the LF it lacks when a line is added after it). A write replaces the file
// atomically (temporary file, sync, rename); it never replaces a file it may not
// write or could not read, and then raises EIniFileError instead. Before it
// saves, it removes the temporaries that killed saves left in the directory.
// Texts are single-byte Western code page bytes and pass through unchanged.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/base/errors.h"

namespace cv {

// A write to an ini file failed, or was refused; the message names the file.
class EIniFileError : public ECvError {
public:
    using ECvError::ECvError;
};

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // The value of Key in Section; Default when the file, the section or the key
    // is missing or the file cannot be read. A key without a value gives "".
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // The value as a signed 32-bit integer: decimal, or hexadecimal after "$" or
    // "0x", with an optional sign; Default when it is missing, not a whole
    // number or out of range.
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    // Sets Key to Value, adding the key at the end of its section, or the section
    // at the end of the file. Always writes the file, even when the value is
    // unchanged, so that a write tells whether the file can be written. A name or
    // value that would break the line structure (a line break, "=" in a key, "]"
    // in a section, an empty name) raises EIniFileError and changes nothing.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Whether a write could replace the file now, without writing: the file
    // exists and can be read, is not read-only, and its directory takes the
    // temporary file and the rename. A full disk still shows only at a write.
    bool CanBeReplaced() const;
    // Removes Key from Section; nothing happens when it is not there.
    void EraseKey(const std::string& section, const std::string& key);
    // The names of the keys of Section / of the sections, as spelled in the file,
    // in file order, each name once.
    std::vector<std::string> ReadSection(const std::string& section) const;
    std::vector<std::string> ReadSections() const;

private:
    std::string fileName_;
};

}  // namespace cv
