#include "tests/ui/support/pasted_text.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWindow>

#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {

std::vector<TPasteWay> PasteWays() {
    return {TPasteWay::CtrlV, TPasteWay::ShiftInsert, TPasteWay::ContextMenu, TPasteWay::MiddleButton};
}

void PasteText(QWidget& field, const QString& text, TPasteWay way) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    clipboard.setText(text, way == TPasteWay::MiddleButton ? QClipboard::Selection : QClipboard::Clipboard);
    switch (way) {
    case TPasteWay::CtrlV: QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier); break;
    case TPasteWay::ShiftInsert: QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier); break;
    case TPasteWay::ContextMenu:
        // Through the window, as the server's click comes: the toolkit makes
        // the context-menu event of a window's right click.
        QTest::mouseClick(field.window()->windowHandle(), Qt::RightButton, {},
                          field.mapTo(field.window(), field.rect().center()));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        break;
    case TPasteWay::MiddleButton: QTest::mouseClick(&field, Qt::MiddleButton, {}, field.rect().center()); break;
    }
}

}  // namespace cv::test
