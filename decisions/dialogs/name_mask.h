#pragma once
// Name fields with a fixed beginning: brand names start with the market's
// initial and the firm's label, project names with "P" and the market's
// initial; the team fills a few positions after it, each a letter or a digit,
// shown in upper case. An unfilled position shows "_".

#include <QLineEdit>
#include <string>

namespace cv {

// Gives Field the mask of a name that starts with Fixed (kept as it stands)
// and has FreePositions positions for a letter or a digit, none of them
// required, and the text Name (cp1252 bytes). While the free positions are
// empty the caret waits at the first of them. The letters typed in one go,
// or those of a text pasted, are read as a name, whatever was selected and
// wherever the caret stood: with "MA" fixed, "MAXY" gives MAXY, "XY" gives
// MAXY and "MAMA" gives MAMA. A text pasted that gives no name ("ALBA")
// changes nothing, the selection included.
void SetNameMask(QLineEdit& field, const std::string& fixed, int freePositions, const std::string& name = {});

// The name in Field as it is shown, each unfilled position as a space: a name
// is complete when it holds no space.
std::string MaskedName(const QLineEdit& field);

}  // namespace cv
