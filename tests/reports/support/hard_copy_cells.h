#pragma once
// The hard copy of every table screen of a page's menu, written as a PDF file
// without a printer: each cell's text prints whole, never cut with an ellipsis.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "shell/page_window.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/document_files.h"
#include "tests/ui/support/pdf_words.h"

namespace cv::test {

// The items of a menu bar that choose something, menus within menus included.
inline std::vector<QAction*> MenuItems(QMenuBar& bar) {
    std::vector<QAction*> items;
    std::vector<QMenu*> menus;
    for (QAction* action : bar.actions())
        if (action->menu()) menus.push_back(action->menu());
    while (!menus.empty()) {
        QMenu* menu = menus.back();
        menus.pop_back();
        for (QAction* action : menu->actions()) {
            if (action->menu())
                menus.push_back(action->menu());
            else if (!action->objectName().isEmpty())
                items.push_back(action);
        }
    }
    return items;
}

// Chooses each usable item of Page's menu; each that shows a table screen is
// printed through Print into File, whose text must hold no "…". Returns how
// many screens were printed; Shots names the items whose first page is rendered.
template <class Page, class PrintClick>
int ExpectEveryScreensHardCopyWhole(Page& page, PrintClick print, const std::string& file,
                                    const std::vector<std::string>& shots) {
    int printed = 0;
    for (QAction* item : MenuItems(*page.PageMenuBar())) {
        const std::string name = item->objectName().toStdString();
        if (!item->isEnabled() || !item->isVisible()) continue;
        item->trigger();
        const TCVScreen* screen = page.Display().Screen();
        if (page.Display().Chart() || !screen || !screen->Table()) continue;
        ScriptedPrinter none(std::nullopt);
        none.pdfAnswer = file;
        std::filesystem::remove(file);
        print();
        EXPECT_TRUE(std::filesystem::exists(file)) << name;
        const std::string text = RunCommand("pdftotext '" + file + "' -");
        EXPECT_EQ(text.find("\u2026"), std::string::npos) << name << ":\n" << text;
        for (const std::string& shot : shots)
            if (shot == name) RenderPdfPage(file, 1, "HardCopyCells_" + name);
        ++printed;
    }
    return printed;
}

// A cell's text without the spaces that indent it.
inline std::string TrimmedCellText(const TQNTable& table, int row, int column) {
    const std::string text = CellText(table, row, column);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Expects the row of Table headed Heading to print whole on the first page of
// the hard copy Pdf: right of its heading, the texts of its cells read in
// order, each text's lines one under the other; none reaches into the rows
// headed Above and Below; no word of the page is printed over another.
inline void ExpectPrintedRowWhole(const std::string& pdf, const TQNTable& table, const std::string& above,
                                  const std::string& heading, const std::string& below) {
    std::vector<std::string> expected;
    for (int row = 1; row <= table.Sheet().Model().MaxRow(); ++row) {
        if (TrimmedCellText(table, row, 1) != heading) continue;
        for (int column = 2; column <= table.Sheet().Model().MaxCol(); ++column)
            if (!TrimmedCellText(table, row, column).empty()) expected.push_back(TrimmedCellText(table, row, column));
    }
    ASSERT_FALSE(expected.empty()) << heading;
    const std::vector<TPdfText> lines = PdfLines(pdf, 1);
    const TPdfText* upper = FindPdfText(lines, above);
    const TPdfText* label = FindPdfText(lines, heading);
    const TPdfText* lower = FindPdfText(lines, below);
    ASSERT_TRUE(upper && label && lower) << above << " / " << heading << " / " << below;
    const std::vector<TPdfText> words = PdfWords(pdf, 1);
    std::vector<TPdfText> row;
    for (const TPdfText& word : words) {
        if (word.left < label->right || word.Middle() <= upper->Middle() || word.Middle() >= lower->Middle()) continue;
        EXPECT_GE(word.top, upper->bottom) << word.text << " reaches into the row of " << above;
        EXPECT_LE(word.bottom, lower->top) << word.text << " reaches into the row of " << below;
        row.push_back(word);
    }
    EXPECT_EQ(ReadTexts(row, expected), expected) << heading;
    EXPECT_TRUE(row.empty()) << row.size() << " words of the row of " << heading << " read out of order";
    EXPECT_EQ(OverlappingWords(words), std::vector<std::string>{}) << heading;
}

}  // namespace cv::test
