#pragma once
// A name typed into the focused control as a keyboard gives it: a capital
// comes with the Shift key or under Caps Lock, never as a bare upper-case
// letter (QTest::keyClicks sends no Shift).

#include <QKeyCombination>
#include <QString>
#include <vector>

namespace cv::test {

enum class TCapitals {
    Lower,           // in lower case
    ShiftHeld,       // Shift pressed before the first letter, released after the last
    ShiftPerLetter,  // Shift pressed and released around each letter
    CapsLock,        // Caps Lock on before the first letter, off after the last
    ModifiersAlone,  // in lower case, Ctrl, Alt and AltGr pressed alone between the letters
};

// Types the letters of Name, in capitals or not as Way gives them, into the
// control that has the focus. A digit is typed as it stands: keep digits to
// the ways without Shift.
void TypeLetters(const QString& name, TCapitals way);

// Presses and releases each of Keys, its modifiers held, in the focused control.
void PressKeys(const std::vector<QKeyCombination>& keys);

// The keys that put the caret of a line of text at its start, in its middle
// (before its last character), at its end, and that select the whole line
// with the caret at its end or at its start.
std::vector<std::vector<QKeyCombination>> CaretPlacings();

}  // namespace cv::test
