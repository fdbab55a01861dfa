#pragma once
// Where the words of a written PDF page lie, as pdftotext reads them back: a
// test can tell that a printed text reads whole, line after line, and that
// no text is printed over another.

#include <string>
#include <vector>

namespace cv::test {

// A word, or a line of words joined by single spaces, and its box in points
// from the page's top left corner.
struct TPdfText {
    std::string text;
    double left = 0, top = 0, right = 0, bottom = 0;

    double Middle() const { return (top + bottom) / 2; }
    bool Overlaps(const TPdfText& other, double tolerance) const;
};

// The words of Page (from 1) of the PDF file, in pdftotext's reading order.
std::vector<TPdfText> PdfWords(const std::string& path, int page);
// The same page's lines, each the words pdftotext reads as one line.
std::vector<TPdfText> PdfLines(const std::string& path, int page);
// The first of Texts whose text is Text; nullptr when none is.
const TPdfText* FindPdfText(const std::vector<TPdfText>& texts, const std::string& text);
// Reads Texts in order from Words: a text's first word is the leftmost word
// that reads so; each further word the next on the same line, or else the
// first of the line below under the text's words so far. Returns what was
// read of each text (a text cut or out of order reads short, or empty) and
// leaves in Words the words not read.
std::vector<std::string> ReadTexts(std::vector<TPdfText>& words, const std::vector<std::string>& texts);
// Each pair of Words printed over one another, described for a failure message.
std::vector<std::string> OverlappingWords(const std::vector<TPdfText>& words);

}  // namespace cv::test
