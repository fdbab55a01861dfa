#pragma once
// Whether the program has a display to show its windows on, asked before the
// toolkit starts: the toolkit ends the process with a message of its own and
// a core dump when it finds no display or the X server DISPLAY names does not
// answer, and waits for ever on one that takes the connection and never
// replies. The program says so in its own words instead, and ends with 1.

#include <string>

namespace cv {

enum class TDisplayState { Reachable, NotSet, NotAnswering };

struct TDisplay {
    TDisplayState state = TDisplayState::Reachable;
    // The X display tried ("" when none was named).
    std::string name;
    // The toolkit's platform the program runs on: "" leaves the one named in
    // QT_QPA_PLATFORM; otherwise X, which FindDisplay asked.
    std::string platform;
};

// The display the program will show on. The program has no Wayland support:
// the toolkit shows it on the X display named in DISPLAY (asked whether it
// answers within a few seconds), whatever the Wayland display or a Wayland
// platform in QT_QPA_PLATFORM say; another platform named there (no display
// of a server, such as offscreen) is left to the toolkit.
TDisplay FindDisplay();

// Makes the toolkit, created next, use Display's platform.
void UseDisplayPlatform(const TDisplay& display);

// What the program says of a display that is not Reachable: the line of the
// language file beside ExeFileName, the display's name for "@1"; a built-in
// line when there is no language file to read.
std::string NoDisplayText(const TDisplay& display, const std::string& exeFileName);

}  // namespace cv
