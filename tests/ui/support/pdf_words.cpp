#include "tests/ui/support/pdf_words.h"

#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <tuple>

#include "tests/ui/support/document_files.h"

namespace cv::test {
namespace {

// pdftotext -tsv: one record a line, tab-separated: level, page, paragraph,
// block, line, word, left, top, width, height, confidence, text. Words are
// level 5; the other levels frame pages, flows and lines.
constexpr int kWordLevel = 5;
// Glyph boxes of neighbouring lines may touch by rounding: a tenth of a point.
constexpr double kTouching = 0.1;

struct TTsvWord {
    std::tuple<int, int, int> line;  // paragraph, block, line
    TPdfText word;
};

std::vector<TTsvWord> ReadTsv(const std::string& path, int page) {
    const std::string number = std::to_string(page);
    std::istringstream tsv(
        RunCommand("pdftotext -tsv -f " + number + " -l " + number + " '" + path + "' - 2>/dev/null"));
    std::vector<TTsvWord> words;
    std::string record;
    std::getline(tsv, record);  // the column names
    while (std::getline(tsv, record)) {
        std::istringstream fields(record);
        int level = 0, pageNumber = 0, paragraph = 0, block = 0, line = 0, wordNumber = 0;
        double left = 0, top = 0, width = 0, height = 0, confidence = 0;
        fields >> level >> pageNumber >> paragraph >> block >> line >> wordNumber >> left >> top >> width >> height >>
            confidence;
        std::string text;
        fields.ignore(1);
        std::getline(fields, text);
        if (!fields.fail() && level == kWordLevel)
            words.push_back({{paragraph, block, line}, {text, left, top, left + width, top + height}});
    }
    return words;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::istringstream parts(text);
    std::vector<std::string> words;
    for (std::string word; parts >> word;) words.push_back(word);
    return words;
}

// Where the next word of a text may be: after Last on its line, or at the
// start of the line below, under the text's words so far (Left .. Right).
bool FollowsOnTheLine(const TPdfText& word, const TPdfText& last) {
    const double height = last.bottom - last.top;
    return std::abs(word.top - last.top) < height / 2 && word.left >= last.right - kTouching &&
           word.left < last.right + height;
}

bool StartsTheLineBelow(const TPdfText& word, const TPdfText& last, double left, double right) {
    const double height = last.bottom - last.top;
    return word.top >= last.bottom - kTouching && word.top < last.bottom + height / 2 && word.left < right &&
           left < word.right;
}

}  // namespace

bool TPdfText::Overlaps(const TPdfText& other, double tolerance) const {
    return left + tolerance < other.right && other.left + tolerance < right && top + tolerance < other.bottom &&
           other.top + tolerance < bottom;
}

std::vector<TPdfText> PdfWords(const std::string& path, int page) {
    std::vector<TPdfText> words;
    for (const TTsvWord& word : ReadTsv(path, page)) words.push_back(word.word);
    return words;
}

std::vector<TPdfText> PdfLines(const std::string& path, int page) {
    std::vector<TPdfText> lines;
    std::map<std::tuple<int, int, int>, std::size_t> lineIndex;
    for (const TTsvWord& word : ReadTsv(path, page)) {
        const auto [at, added] = lineIndex.try_emplace(word.line, lines.size());
        if (added) {
            lines.push_back(word.word);
            continue;
        }
        TPdfText& line = lines[at->second];
        line.text += " " + word.word.text;
        line.left = std::min(line.left, word.word.left);
        line.top = std::min(line.top, word.word.top);
        line.right = std::max(line.right, word.word.right);
        line.bottom = std::max(line.bottom, word.word.bottom);
    }
    return lines;
}

const TPdfText* FindPdfText(const std::vector<TPdfText>& texts, const std::string& text) {
    for (const TPdfText& candidate : texts)
        if (candidate.text == text) return &candidate;
    return nullptr;
}

std::vector<std::string> ReadTexts(std::vector<TPdfText>& words, const std::vector<std::string>& texts) {
    std::vector<std::string> read;
    for (const std::string& text : texts) {
        std::string reading;
        std::optional<TPdfText> last;
        double left = 0, right = 0;
        for (const std::string& wanted : SplitWords(text)) {
            auto next = words.end();
            for (auto word = words.begin(); word != words.end(); ++word) {
                if (word->text != wanted) continue;
                if (!last) {
                    if (next == words.end() || word->left < next->left) next = word;
                } else if (FollowsOnTheLine(*word, *last) ||
                           (StartsTheLineBelow(*word, *last, left, right) &&
                            (next == words.end() || !FollowsOnTheLine(*next, *last)))) {
                    next = word;
                }
            }
            if (next == words.end()) break;
            left = last ? std::min(left, next->left) : next->left;
            right = last ? std::max(right, next->right) : next->right;
            reading += (last ? " " : "") + next->text;
            last = *next;
            words.erase(next);
        }
        read.push_back(reading);
    }
    return read;
}

std::vector<std::string> OverlappingWords(const std::vector<TPdfText>& words) {
    std::vector<std::string> overlaps;
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j)
            if (words[i].Overlaps(words[j], kTouching))
                overlaps.push_back("\"" + words[i].text + "\" over \"" + words[j].text + "\"");
    return overlaps;
}

}  // namespace cv::test
