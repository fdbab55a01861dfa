#pragma once
// Whether the program has a display to show its windows on, asked before the
// toolkit starts: the toolkit ends the process with a message of its own and
// a core dump when it finds no display or the X server DISPLAY names does not
// answer. The program says so in its own words instead, and ends with 1.

#include <string>

namespace cv {

enum class TDisplayState { Reachable, NotSet, NotAnswering };

struct TDisplay {
    TDisplayState state = TDisplayState::Reachable;
    // The X display tried ("" when none was named).
    std::string name;
};

// The display the toolkit would show the program on. An X display named in
// DISPLAY is asked whether it answers; a platform other than X named in
// QT_QPA_PLATFORM, or a Wayland display, is left to the toolkit.
TDisplay FindDisplay();

// What the program says of a display that is not Reachable: the line of the
// language file beside ExeFileName, the display's name for "@1"; a built-in
// line when there is no language file to read.
std::string NoDisplayText(const TDisplay& display, const std::string& exeFileName);

}  // namespace cv
