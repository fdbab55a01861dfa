#pragma once
// Language files for the translator tests, built in a temporary directory from
// source texts or from hand-made section volumes, and the log they write to.

#include <map>
#include <string>
#include <vector>

#include "core/store/volume_set.h"
#include "core/language/language_file.h"
#include "core/base/log_file.h"
#include "core/language/text_source.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

// Dir/Name compiled from Sources.
inline std::string CompileTexts(const TempDir& dir, const std::vector<TTextSource>& sources,
                                const std::string& name = "STRSTD.enu") {
    const std::string file = dir / name;
    CompileLanguageFile(sources, file);
    return file;
}

// Dir/Name holding the given volumes of each section as they stand, so that a
// test can hand the reader any bytes it likes.
inline std::string WriteRawLanguageFile(const TempDir& dir, const std::map<int, TLangSectionForm>& sections,
                                        const std::string& name = "RAW.enu") {
    const std::string file = dir / name;
    TVolSet set;
    set.Create(file, kLangSignature);
    set.AddKey("Section", 1, kLangSectionCount);
    set.AddKey("Part", 1, 2);
    for (const auto& [section, form] : sections) {
        const auto key = static_cast<std::int16_t>(section);
        set.VolumeSet(form.pool.data(), static_cast<std::uint16_t>(form.pool.size()), {key, kLangPartPool});
        set.VolumeSet(form.index.data(), static_cast<std::uint16_t>(form.index.size()), {key, kLangPartIndex});
    }
    set.Close();
    return file;
}

// An index from its 16-bit words.
inline std::vector<std::uint8_t> IndexWords(const std::vector<std::uint16_t>& words) {
    std::vector<std::uint8_t> bytes;
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

// Opens the log Dir/"TRLOG00.TXT" at debug level 0 for its lifetime; Lines()
// closes it and gives the lines written after the header.
class LogCapture {
public:
    explicit LogCapture(const TempDir& dir) : file_(dir / "TRLOG00.TXT") { LogOpen(dir / "TRLOG", 0); }
    ~LogCapture() { LogClose(); }

    std::vector<std::string> LinesMentioning(const std::string& text) {
        LogClose();
        std::vector<std::string> found;
        for (const std::string& line : ReadFileLines(file_))
            if (line.find(text) != std::string::npos) found.push_back(line);
        return found;
    }

private:
    std::string file_;
};

}  // namespace cv::test
