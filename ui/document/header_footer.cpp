#include "ui/document/header_footer.h"

#include <cctype>

namespace cv {
namespace {

constexpr char kHeaderFont[] = "&\"Arial\"&08&B";
constexpr char kFooterFont[] = "&\"Arial\"&08";

std::string ThreeParts(const char* font, const std::string& left, const std::string& centre,
                       const std::string& right) {
    return std::string("&L") + font + left + "&C" + font + centre + "&R" + font + right;
}

int PartIndex(char code) { return code == 'L' ? 0 : code == 'C' ? 1 : 2; }

}  // namespace

std::string HeaderText(const std::string& left, const std::string& centre, const std::string& right) {
    return ThreeParts(kHeaderFont, left, centre, right);
}

std::string FooterText(const std::string& left, const std::string& centre, const std::string& right,
                       const std::string& holderLine) {
    return ThreeParts(kFooterFont, left.empty() ? "&D" : left, centre.empty() ? holderLine : centre,
                      right.empty() ? "&P/&N" : right);
}

std::array<TPagePart, 3> ExpandPageParts(const std::string& codes, const TPageFields& fields) {
    std::array<TPagePart, 3> parts;
    TPagePart* part = &parts[1];  // text before any part code is centred
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] != '&' || i + 1 == codes.size()) {
            part->text += codes[i];
            continue;
        }
        const char code = codes[++i];
        if (code == 'L' || code == 'C' || code == 'R') {
            part = &parts[static_cast<std::size_t>(PartIndex(code))];
        } else if (code == '"') {
            const std::size_t end = codes.find('"', i + 1);
            if (end == std::string::npos) break;
            part->font.name = codes.substr(i + 1, end - i - 1);
            i = end;
        } else if (std::isdigit(static_cast<unsigned char>(code))) {
            std::size_t end = i;
            while (end < codes.size() && std::isdigit(static_cast<unsigned char>(codes[end]))) ++end;
            part->font.size = std::stod(codes.substr(i, end - i));
            i = end - 1;
        } else if (code == 'B') {
            part->font.bold = !part->font.bold;
        } else if (code == 'I') {
            part->font.italic = !part->font.italic;
        } else if (code == 'D') {
            part->text += fields.date;
        } else if (code == 'P') {
            part->text += std::to_string(fields.page);
        } else if (code == 'N') {
            part->text += std::to_string(fields.pageCount);
        } else if (code == '&') {
            part->text += '&';
        }
    }
    return parts;
}

}  // namespace cv
