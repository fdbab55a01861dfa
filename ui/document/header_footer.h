#pragma once
// Page headers and footers in the spreadsheet form: "&L", "&C" and "&R" open
// the left, centre and right parts; "&"Name"" sets the font, "&08" its size
// in points, "&B" and "&I" bold and italic; "&D" is the date, "&P" the page,
// "&N" the page count and "&&" an ampersand.

#include <array>
#include <string>

#include "ui/sheet/cell_format.h"

namespace cv {

// The header of three parts in Arial 8 bold.
std::string HeaderText(const std::string& left, const std::string& centre, const std::string& right);
// The footer of three parts in Arial 8; empty parts become the date, the
// holder line and "page/pages".
std::string FooterText(const std::string& left, const std::string& centre, const std::string& right,
                       const std::string& holderLine);

struct TPageFields {
    std::string date;
    int page = 1;
    int pageCount = 1;
};

struct TPagePart {
    std::string text;
    TCellFont font;
};

// The left, centre and right parts of a header or footer with their fields filled.
std::array<TPagePart, 3> ExpandPageParts(const std::string& codes, const TPageFields& fields);

}  // namespace cv
