#pragma once
// A text pasted into a focused field as a person pastes it: by the keys, by
// the field's context menu, or by the middle button from the selection.

#include <QString>
#include <vector>

class QWidget;

namespace cv::test {

enum class TPasteWay {
    CtrlV,         // Ctrl+V
    ShiftInsert,   // Shift+Insert
    ContextMenu,   // a right click, then Paste chosen by its underlined letter
    MiddleButton,  // the text selected elsewhere, then a middle click in the field
};

std::vector<TPasteWay> PasteWays();

// Puts Text where Way pastes from and pastes it into Field, which has the
// focus; waits for the context menu to open and to close.
void PasteText(QWidget& field, const QString& text, TPasteWay way);

}  // namespace cv::test
