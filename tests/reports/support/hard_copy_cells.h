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
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/document_files.h"

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

}  // namespace cv::test
