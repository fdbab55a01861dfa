#pragma once
// A report screen shown in a dialog's frame: its table is laid out again for
// the frame's size, drawn smaller where it would not show whole (the screen is
// made with kWholeWindowLayout).

namespace cv {

class TCVScreen;

// Nothing without a screen or a table.
void RefitScreen(TCVScreen* screen);

}  // namespace cv
