#include "tests/ui/support/typed_letters.h"

#include <QApplication>
#include <QTest>
#include <iterator>

namespace cv::test {

namespace {

QWidget* Focused() { return QApplication::focusWidget(); }

// One key event as the keyboard sends it, no other (QTest's own clicks add a
// Shift press of their own to a letter sent with Shift).
void SendKey(bool press, int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QTest::simulateEvent(Focused(), press, key, modifiers, text, false);
}

// A letter or digit typed with Modifiers held: its key (the code of its
// capital) with the character it types.
void TypeLetter(QChar character, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const int key = character.toUpper().unicode();
    SendKey(true, key, modifiers, character);
    SendKey(false, key, modifiers, character);
}

void PressShift() { SendKey(true, Qt::Key_Shift, Qt::NoModifier); }
void ReleaseShift() { SendKey(false, Qt::Key_Shift, Qt::ShiftModifier); }

// A key that types nothing pressed and released alone: a modifier, Caps Lock.
void ClickAlone(Qt::Key key) {
    SendKey(true, key, Qt::NoModifier);
    SendKey(false, key, Qt::NoModifier);
}

}  // namespace

void TypeLetters(const QString& name, TCapitals way) {
    const Qt::Key modifiersAlone[] = {Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr};
    if (way == TCapitals::ShiftHeld) PressShift();
    if (way == TCapitals::CapsLock) ClickAlone(Qt::Key_CapsLock);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar capital = name[i].toUpper();
        switch (way) {
        case TCapitals::Lower: TypeLetter(capital.toLower()); break;
        case TCapitals::ShiftHeld: TypeLetter(capital, Qt::ShiftModifier); break;
        case TCapitals::ShiftPerLetter:
            PressShift();
            TypeLetter(capital, Qt::ShiftModifier);
            ReleaseShift();
            break;
        // Caps Lock gives the capital with no modifier.
        case TCapitals::CapsLock: TypeLetter(capital); break;
        case TCapitals::ModifiersAlone:
            if (i > 0) ClickAlone(modifiersAlone[(i - 1) % std::size(modifiersAlone)]);
            TypeLetter(capital.toLower());
            break;
        }
    }
    if (way == TCapitals::ShiftHeld) ReleaseShift();
    if (way == TCapitals::CapsLock) ClickAlone(Qt::Key_CapsLock);
}

void PressKeys(const std::vector<QKeyCombination>& keys) {
    for (const QKeyCombination key : keys) QTest::keyClick(Focused(), key.key(), key.keyboardModifiers());
}

std::vector<std::vector<QKeyCombination>> CaretPlacings() {
    return {{Qt::Key_Home},
            {Qt::Key_End, Qt::Key_Left},
            {Qt::Key_End},
            {Qt::CTRL | Qt::Key_A},
            {Qt::Key_End, Qt::SHIFT | Qt::Key_Home}};
}

}  // namespace cv::test
