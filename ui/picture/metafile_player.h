#pragma once
// Plays decoded metafile records on a QPainter, keeping the drawing state a
// metafile expects: window origin and extent mapped onto the target size,
// the object table of pens, brushes and fonts, text colour and alignment,
// background mode, fill mode, the current position and a stack of saved
// states. The painter is saved on construction and restored on destruction.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QSize>
#include <QTransform>
#include <optional>
#include <variant>
#include <vector>

#include "core/picture/metafile_reader.h"

class QPainter;

namespace cv {

class TMetafilePlayer {
public:
    TMetafilePlayer(QPainter& painter, std::uint16_t objectSlots, QSize target);
    ~TMetafilePlayer();
    TMetafilePlayer(const TMetafilePlayer&) = delete;
    TMetafilePlayer& operator=(const TMetafilePlayer&) = delete;

    void Play(const std::vector<TWmfRecord>& records);

private:
    using TObject = std::variant<QPen, QBrush, QFont>;

    struct TState {
        QPoint WindowOrg{0, 0};
        QSize WindowExt{1, 1};
        QPen Pen{Qt::black, 0};
        QBrush Brush{Qt::white};
        QFont Font;
        QColor TextColor{Qt::black};
        QColor BkColor{Qt::white};
        bool OpaqueBackground = true;
        int TextAlign = 0;
        Qt::FillRule FillRule = Qt::OddEvenFill;
        QPointF Position{0, 0};
    };

    void PlayRecord(const TWmfRecord& record);
    void ChangeState(const TWmfRecord& record);
    void Draw(const TWmfRecord& record);
    void CreateObject(TObject object);
    void SelectObject(int index);
    void RestoreState(int relative);
    void ApplyMapping();
    void DrawText(const TWmfRecord& record);

    QPainter& painter_;
    QSize target_;
    // The painter's own transform on entry, and the picture's window mapped
    // onto the target within it.
    QTransform base_;
    QTransform mapping_;
    std::vector<std::optional<TObject>> objects_;
    TState state_;
    std::vector<TState> saved_;
    // False while the window extent is empty: nothing can be mapped.
    bool mappable_ = true;
};

}  // namespace cv
