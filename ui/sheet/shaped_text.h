#pragma once
// A cell's text shaped and laid out once, then drawn at every paint without
// shaping it again. It is laid out and placed exactly as
// QPainter::drawText(rect, flags, text) lays out and places a text: the same
// line breaks, whole-pixel line positions, alignment and clipping, so that a
// kept text looks the same as one drawn afresh. TShapedTextCache keeps the
// texts a sheet view painted, keyed by everything the shaping depends on.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class QPainter;

namespace cv {

class TShapedText {
public:
    // Text laid out with Font (the painter's, as set for its device) in a
    // room of RoomSize, by the alignment and wrap flags of drawText.
    TShapedText(const QString& text, const QFont& font, int flags, QSizeF roomSize, Qt::LayoutDirection direction);
    TShapedText(const TShapedText&) = delete;
    TShapedText& operator=(const TShapedText&) = delete;

    // Draws the text in Room, which has the size it was laid out for.
    void Draw(QPainter& painter, const QRectF& room) const;

private:
    QTextLayout layout_;
    int flags_;
    double width_ = 0.0;
    double height_ = 0.0;
};

class TShapedTextCache {
public:
    // Makes the text a cell shows (Bytes fitted to its room) on a miss.
    using TFitText = std::function<QString()>;

    // The shaped text of a cell's Bytes painted with the painter's font in a
    // room of RoomSize; Fit gives the text to shape the first time.
    const TShapedText& Shaped(const QPainter& painter, std::string_view bytes, int flags, bool isNumber,
                              QSizeF roomSize, const TFitText& fit);
    std::size_t Size() const { return texts_.size(); }

private:
    std::unordered_map<std::string, TShapedText> texts_;
};

}  // namespace cv
