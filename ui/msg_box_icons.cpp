#include "ui/msg_box_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace cv {
namespace {

constexpr int kSymbolSize = 44;

struct TIconLook {
    QColor Fill;
    QColor Sign;
    QString Symbol;
    bool Triangle;
};

TIconLook LookOf(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning: return {QColor(0xF2, 0xC2, 0x1B), Qt::black, QStringLiteral("!"), true};
        case TMsgDlgType::mtError: return {QColor(0xC8, 0x1E, 0x1E), Qt::white, QStringLiteral("\u00D7"), false};
        case TMsgDlgType::mtInformation: return {QColor(0x1E, 0x5A, 0xC8), Qt::white, QStringLiteral("i"), false};
        case TMsgDlgType::mtConfirmation: return {QColor(0x1E, 0x8C, 0x50), Qt::white, QStringLiteral("?"), false};
        case TMsgDlgType::mtCustom: break;
    }
    return {};
}

}  // namespace

QPixmap MessageIcon(TMsgDlgType type, int width, int height) {
    if (type == TMsgDlgType::mtCustom) return {};
    const TIconLook look = LookOf(type);
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area((width - kSymbolSize) / 2.0, (height - kSymbolSize) / 2.0, kSymbolSize, kSymbolSize);
    painter.setPen(QPen(look.Fill.darker(140), 1.5));
    painter.setBrush(look.Fill);
    if (look.Triangle) {
        QPainterPath triangle;
        triangle.moveTo(area.center().x(), area.top());
        triangle.lineTo(area.right(), area.bottom());
        triangle.lineTo(area.left(), area.bottom());
        triangle.closeSubpath();
        painter.drawPath(triangle);
    } else {
        painter.drawEllipse(area);
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kSymbolSize * 2 / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(look.Sign);
    const QRectF textArea = look.Triangle ? area.adjusted(0, kSymbolSize / 5.0, 0, 0) : area;
    painter.drawText(textArea, Qt::AlignCenter, look.Symbol);
    return pixmap;
}

}  // namespace cv
