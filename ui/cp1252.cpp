#include "ui/cp1252.h"

#include <QList>

#include "core/base/cp1252_codec.h"

namespace cv {

namespace {

constexpr char kReplacement = '?';

}  // namespace

QString Cp1252ToQString(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<std::uint8_t>(byte))));
    return text;
}

std::string QStringToCp1252(const QString& text, bool* complete) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    bool allMapped = true;
    for (const char32_t codePoint : text.toUcs4()) {
        std::uint8_t byte = 0;
        if (UnicodeToCp1252(codePoint, byte)) {
            bytes.push_back(static_cast<char>(byte));
        } else {
            bytes.push_back(kReplacement);
            allMapped = false;
        }
    }
    if (complete) *complete = allMapped;
    return bytes;
}

}  // namespace cv
