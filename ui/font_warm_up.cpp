#include "ui/font_warm_up.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <string>

#include "ui/cp1252.h"

namespace cv {
namespace {

// The characters are drawn in lines this wide.
constexpr int kLineWidth = 512;

const QString& CodePageCharacters() {
    static const QString characters = [] {
        std::string bytes;
        for (int byte = 0x20; byte <= 0xFF; ++byte) bytes.push_back(static_cast<char>(byte));
        QString printable;
        for (const QChar character : Cp1252ToQString(bytes))
            if (character.isPrint()) printable.append(character);
        return printable;
    }();
    return characters;
}

}  // namespace

void WarmUpFont(const QFont& font, int position) {
    const QString& characters = CodePageCharacters();
    const QFontMetricsF metrics(font);
    const QRectF lines = metrics.boundingRect(QRectF(0, 0, kLineWidth, 0), Qt::TextWrapAnywhere, characters);
    // Opaque, like the windows' backing store, so that the same glyph pictures are cached.
    QImage image(kLineWidth + 1, static_cast<int>(std::ceil(lines.height())) + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QRectF(static_cast<double>(position) / kGlyphPositions, 0, kLineWidth, lines.height()),
                     Qt::TextWrapAnywhere, characters);
}

}  // namespace cv
