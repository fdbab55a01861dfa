#pragma once
// Reading written documents back with independent tools: a Python script
// over a spreadsheet file (openpyxl), the page count of a PDF (pdfinfo) and
// a page rendered to PNG under build/screenshots (pdftoppm).

#include <QImage>
#include <string>

namespace cv::test {

// Runs Command in a shell; its standard output.
std::string RunCommand(const std::string& command);
// Runs the Python Script with Argument (the system's python3, whose openpyxl
// the packages install); its standard output and errors.
std::string RunPython(const std::string& script, const std::string& argument);
// Lines of Python that print "sums True []" when the sheet ws (its formulas)
// holds SUM formulas and each holds, in vs (the same sheet's values), the sum
// of the numbers in its range; the cells that do not are listed.
extern const char kSumFormulasCheck[];
// The number of pages of the PDF file; 0 when it cannot be read.
int PdfPageCount(const std::string& path);
// Page (from 1) of the PDF drawn at Dpi (70 unless given) into build/screenshots/<ShotName>-<Page>.png.
QImage RenderPdfPage(const std::string& path, int page, const std::string& shotName, int dpi = 70);

}  // namespace cv::test
