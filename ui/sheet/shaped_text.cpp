#include "ui/sheet/shaped_text.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace cv {
namespace {

// drawText's line width for a text that does not wrap: wider than any line.
constexpr double kUnwrappedLineWidth = 0x01000000;
// A sheet view shows a few hundred cells at a time; beyond this many texts
// (some megabytes of layouts) the cache starts again rather than grow
// without end.
constexpr std::size_t kMostKeptTexts = 4096;

// What drawText does to a text before laying it out: a carriage return or a
// tab (tabs are not expanded) becomes a space, a line feed a line separator.
QString PreparedText(QString text) {
    for (QChar& character : text) {
        if (character == u'\r' || character == u'\t') character = u' ';
        else if (character == u'\n') character = QChar::LineSeparator;
    }
    return text;
}

template <typename T>
void AppendBytes(std::string& key, const T& value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof value);
}

}  // namespace

TShapedText::TShapedText(const QString& text, const QFont& font, int flags, QSizeF roomSize,
                         Qt::LayoutDirection direction)
    : layout_(PreparedText(text), font), flags_(flags) {
    if (text.isEmpty()) return;
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft);  // lines are aligned when drawn
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    const double lineWidth = (flags & Qt::TextWordWrap) ? std::max(0.0, roomSize.width()) : kUnwrappedLineWidth;
    const double leading = QFontMetricsF(font).leading();
    height_ = -leading;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(lineWidth);
        // Lines start on whole pixels.
        height_ = std::ceil(height_ + leading);
        line.setPosition(QPointF(0.0, height_));
        height_ += line.ascent() + line.descent() + (line.leadingIncluded() ? std::max(0.0, line.leading()) : 0.0);
        width_ = std::max(width_, line.naturalTextWidth());
        // Lines below the room would not show.
        if (height_ >= roomSize.height()) break;
    }
    layout_.endLayout();
}

void TShapedText::Draw(QPainter& painter, const QRectF& room) const {
    if (room.isEmpty() || layout_.lineCount() == 0) return;
    double top = 0.0, left = 0.0;
    if (flags_ & Qt::AlignBottom) top = room.height() - height_;
    else if (flags_ & Qt::AlignVCenter) top = (room.height() - height_) / 2;
    if (flags_ & Qt::AlignRight) left = room.width() - width_;
    else if (flags_ & Qt::AlignHCenter) left = (room.width() - width_) / 2;
    // A text that overflows its room is cut at the room's edges.
    const bool clip = !room.contains(QRectF(room.x() + left, room.y() + top, width_, height_));
    if (clip) {
        painter.save();
        painter.setClipRect(room, Qt::IntersectClip);
    }
    for (int index = 0; index < layout_.lineCount(); ++index) {
        const QTextLine line = layout_.lineAt(index);
        double lineLeft = 0.0;
        if (flags_ & Qt::AlignRight) lineLeft = room.width() - line.horizontalAdvance();
        else if (flags_ & Qt::AlignHCenter) lineLeft = (room.width() - line.horizontalAdvance()) / 2;
        line.draw(&painter, QPointF(room.x() + lineLeft, room.y() + top));
    }
    if (clip) painter.restore();
}

const TShapedText& TShapedTextCache::Shaped(const QPainter& painter, std::string_view bytes, int flags, bool isNumber,
                                            QSizeF roomSize, const TFitText& fit) {
    const QFont& font = painter.font();
    std::string key = font.key().toStdString();
    AppendBytes(key, painter.device() ? painter.device()->logicalDpiY() : 0);
    AppendBytes(key, painter.layoutDirection());
    AppendBytes(key, flags);
    AppendBytes(key, isNumber);
    AppendBytes(key, roomSize.width());
    AppendBytes(key, roomSize.height());
    key.append(bytes);
    if (const auto kept = texts_.find(key); kept != texts_.end()) return kept->second;
    if (texts_.size() >= kMostKeptTexts) texts_.clear();
    return texts_
        .try_emplace(std::move(key), fit(), font, flags, roomSize, painter.layoutDirection())
        .first->second;
}

}  // namespace cv
