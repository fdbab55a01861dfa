#pragma once
// TCVScreen: the base of every report screen (result reports, budget screens,
// newsletter pages, market studies, the marketing-plan sheet). A screen is
// built either for a page window (it builds at once) or for a document (mode
// 2: built when the document asks). The base keeps the data context, the
// screen's text lines, the unit and miscellaneous labels, and the layout
// values its tables are placed with, and writes a table's caption lines.
//
// Create screens with TCVScreen::Create<Screen>(...), which runs the
// descendant's Build unless the screen is for a document.

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "ui/report/qn_table.h"
#include "ui/report/screen_layout.h"

namespace cv {

class TCvPerData;

class TCVScreen {
public:
    virtual ~TCVScreen();
    TCVScreen(const TCVScreen&) = delete;
    TCVScreen& operator=(const TCVScreen&) = delete;

    // Constructs a screen and builds it unless its layout (the last
    // constructor argument every screen takes through to this base) is the
    // document layout.
    template <typename Screen, typename... Args>
    static std::unique_ptr<Screen> Create(Args&&... args) {
        auto screen = std::make_unique<Screen>(std::forward<Args>(args)...);
        if (screen->Mode() != kDocumentMode) screen->Build(screen->Context());
        return screen;
    }

    // Copies the context, sets the document flag, clears the empty flag, sets
    // the quick-help key and binds the data sets of the context's periods.
    virtual void Build(const TDataContext& context);

    // Replaces the text lines by the lines of Key in Section.
    void LoadLines(int section, const std::string& key);
    // Line N (from 1); "bad line number <n>" outside the loaded lines.
    std::string GetLine(int lineNo) const;
    std::string GetMiscText(int lineNo) const;
    std::string GetUnitsText(int lineNo) const;
    // Text with its @-tokens replaced from the screen's context.
    std::string FormatValue(const std::string& text) const;
    // Text with its first "@NL" replaced by a line break, or by a blank.
    static std::string ReplaceNewLine(std::string text, bool lineBreak);
    // Writes the caption lines of Table: each line number above 0 gives a
    // line (tokens expanded), at most 33 per list; a document gets one more
    // blank row after the caption.
    void FillTable(TQNTable& table, const std::vector<int>& titleLineNumbers, const std::vector<int>& noteLineNumbers,
                   int rowsBefore, int rowsBetween, int rowsAfter, int alignment) const;

    int Mode() const { return layout_.mode; }
    bool IsDocument() const { return documentFlag_; }
    bool IsEmpty() const { return empty_; }
    const TDataContext& Context() const { return context_; }
    TQNTable* Table() const { return table_.get(); }
    const TScreenLayout& Layout() const { return layout_; }
    // The unit labels ("Units" lines 1, 2, 3, 4, 6, 7) and "MISC" lines 1..3.
    const std::array<std::string, 6>& UnitLabels() const { return unitLabels_; }
    const std::array<std::string, 3>& MiscLabels() const { return miscLabels_; }
    const std::array<std::string, 2>& DefaultTexts() const { return defaultTexts_; }

protected:
    TCVScreen(QWidget* owner, const TDataContext& context, const TScreenLayout& layout);

    // Creates the table on the first build (sheet SheetName, the document
    // type for a document, WindowType otherwise), keeps it on later ones.
    TQNTable& EnsureTable(TTableType windowType, const std::string& sheetName);
    // A document's table is laid out, a window's is shown.
    void Present();
    // The format of a change against another period: signed, with a fall in
    // red, on screen; a plain percentage in a document.
    TNumberFormat ChangeFormat() const;

    QWidget* owner_;
    bool documentFlag_ = false;
    TCvPerData* previousResults_ = nullptr;
    TCvPerData* currentResults_ = nullptr;
    TCvPerData* decisions_ = nullptr;
    std::unique_ptr<TQNTable> table_;
    TDataContext context_;
    std::vector<std::string> lines_;
    bool empty_ = false;

private:
    TScreenLayout layout_;
    std::array<std::string, 6> unitLabels_;
    std::array<std::string, 3> miscLabels_;
    std::array<std::string, 2> defaultTexts_;
};

}  // namespace cv
