#include "tests/ui/support/typed_letters.h"

#include <QApplication>
#include <QTest>
#include <iterator>

namespace cv::test {

namespace {

QWidget* Focused() { return QApplication::focusWidget(); }

// The letter's key with its text; a capital with Shift held is sent with the Shift modifier.
void TypeLetter(QChar letter, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focused(), letter.toLatin1(), modifiers);
}

// A key that types no text: a modifier, Caps Lock.
void Send(QTest::KeyAction action, Qt::Key key) { QTest::sendKeyEvent(action, Focused(), key, QString(), Qt::NoModifier); }

}  // namespace

void TypeLetters(const QString& name, TCapitals way) {
    const Qt::Key modifiersAlone[] = {Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr};
    if (way == TCapitals::ShiftHeld) Send(QTest::Press, Qt::Key_Shift);
    if (way == TCapitals::CapsLock) Send(QTest::Click, Qt::Key_CapsLock);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar capital = name[i].toUpper();
        switch (way) {
        case TCapitals::Lower: TypeLetter(capital.toLower()); break;
        case TCapitals::ShiftHeld: TypeLetter(capital, Qt::ShiftModifier); break;
        case TCapitals::ShiftPerLetter:
            Send(QTest::Press, Qt::Key_Shift);
            TypeLetter(capital, Qt::ShiftModifier);
            Send(QTest::Release, Qt::Key_Shift);
            break;
        // Caps Lock gives the capital with no modifier.
        case TCapitals::CapsLock: TypeLetter(capital); break;
        case TCapitals::ModifiersAlone:
            if (i > 0) Send(QTest::Click, modifiersAlone[(i - 1) % std::size(modifiersAlone)]);
            TypeLetter(capital.toLower());
            break;
        }
    }
    if (way == TCapitals::ShiftHeld) Send(QTest::Release, Qt::Key_Shift);
    if (way == TCapitals::CapsLock) Send(QTest::Click, Qt::Key_CapsLock);
}

}  // namespace cv::test
