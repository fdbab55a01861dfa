#pragma once
// Conversion between the cp1252 bytes in which core keeps every text and the
// QStrings of the windows. Every window converts through here: Latin-1 is not
// the same code page (it lacks the euro sign, the typographic quotes and the
// other characters of 0x80..0x9F).

#include <QString>
#include <string>
#include <string_view>

namespace cv {

QString Cp1252ToQString(std::string_view bytes);

// The cp1252 bytes of Text. A character the code page lacks becomes '?', and
// Complete, when given, tells whether none did.
std::string QStringToCp1252(const QString& text, bool* complete = nullptr);

}  // namespace cv
