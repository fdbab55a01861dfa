#include "ui/picture/metafile_player.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "ui/cp1252.h"
#include "ui/platform_color.h"

namespace cv {
namespace {

// Pen styles, brush styles and hatches of the metafile format.
constexpr int kPenNull = 5;
constexpr int kBrushSolid = 0;
constexpr int kBrushNull = 1;
constexpr int kBrushHatched = 2;
constexpr int kBkTransparent = 1;
constexpr int kFillWinding = 2;
constexpr int kFontWeightBold = 600;
// Text alignment flags.
constexpr int kAlignRight = 2;
constexpr int kAlignCenter = 6;
constexpr int kAlignBottom = 8;
constexpr int kAlignBaseline = 24;
// Text whose font is larger than this on the target, across or down, or
// stretched more than this much further one way than the other, is not drawn:
// no picture needs it, and a damaged font height or window extent must not
// make the font engine render giant or hair-thin glyphs (it fails on them
// and reads through the glyph it did not get).
constexpr double kMaxTextPixels = 2048;
constexpr double kMaxTextStretch = 16;
constexpr std::size_t kMaxSavedStates = 256;

Qt::PenStyle PenStyle(int style) {
    switch (style) {
        case 1: return Qt::DashLine;
        case 2: return Qt::DotLine;
        case 3: return Qt::DashDotLine;
        case 4: return Qt::DashDotDotLine;
        case kPenNull: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle HatchStyle(int hatch) {
    switch (hatch) {
        case 0: return Qt::HorPattern;
        case 1: return Qt::VerPattern;
        case 2: return Qt::FDiagPattern;
        case 3: return Qt::BDiagPattern;
        case 4: return Qt::CrossPattern;
        default: return Qt::DiagCrossPattern;
    }
}

QPen MakePen(const TWmfRecord& record) {
    QPen pen(PlatformColor(record.Color));
    pen.setStyle(PenStyle(record.Args[0] & 0x0F));
    pen.setWidth(std::max(0, record.Args[1]));  // 0: one device pixel, whatever the scale
    return pen;
}

QBrush MakeBrush(const TWmfRecord& record) {
    switch (record.Args[0]) {
        case kBrushSolid: return QBrush(PlatformColor(record.Color));
        case kBrushHatched: return QBrush(PlatformColor(record.Color), HatchStyle(record.Args[1]));
        case kBrushNull:
        default: return QBrush(Qt::NoBrush);
    }
}

// A font height below zero is the character height, above zero the cell
// height; both are taken as the pixel size in window units.
QFont MakeFont(const TWmfRecord& record) {
    QFont font(record.Text.empty() ? QStringLiteral("Arial") : Cp1252ToQString(record.Text));
    font.setPixelSize(std::max(1, std::abs(record.Args[0])));
    font.setBold(record.Args[1] >= kFontWeightBold);
    font.setItalic(record.Args[2] != 0);
    font.setUnderline(record.Args[3] != 0);
    return font;
}

QPointF Point(const TWmfPoint& point) { return QPointF(point.X, point.Y); }

QPolygonF Polygon(const std::vector<TWmfPoint>& points, std::size_t first, std::size_t count) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = first; i < first + count; ++i) polygon << Point(points[i]);
    return polygon;
}

}  // namespace

TMetafilePlayer::TMetafilePlayer(QPainter& painter, std::uint16_t objectSlots, QSize target)
    : painter_(painter), target_(target), objects_(objectSlots) {
    painter_.save();
    base_ = painter_.worldTransform();
    painter_.setClipRect(QRect(QPoint(0, 0), target_), Qt::IntersectClip);
    state_.Font = QFont(QStringLiteral("Arial"));
    state_.Font.setPixelSize(12);
    ApplyMapping();
}

TMetafilePlayer::~TMetafilePlayer() { painter_.restore(); }

void TMetafilePlayer::Play(const std::vector<TWmfRecord>& records) {
    if (target_.isEmpty()) return;
    for (const TWmfRecord& record : records) PlayRecord(record);
}

// The window extent is stretched onto the target, anisotropically.
void TMetafilePlayer::ApplyMapping() {
    mappable_ = state_.WindowExt.width() != 0 && state_.WindowExt.height() != 0;
    if (!mappable_) return;
    const double scaleX = static_cast<double>(target_.width()) / state_.WindowExt.width();
    const double scaleY = static_cast<double>(target_.height()) / state_.WindowExt.height();
    mapping_ = QTransform(scaleX, 0, 0, scaleY, -state_.WindowOrg.x() * scaleX, -state_.WindowOrg.y() * scaleY);
    painter_.setWorldTransform(mapping_ * base_);
}

void TMetafilePlayer::PlayRecord(const TWmfRecord& record) {
    switch (record.Op) {
        case TWmfOp::CreatePen: CreateObject(MakePen(record)); return;
        case TWmfOp::CreateBrush: CreateObject(MakeBrush(record)); return;
        case TWmfOp::CreateFont: CreateObject(MakeFont(record)); return;
        case TWmfOp::SelectObject: SelectObject(record.Args[0]); return;
        case TWmfOp::DeleteObject:
            if (record.Args[0] >= 0 && static_cast<std::size_t>(record.Args[0]) < objects_.size())
                objects_[static_cast<std::size_t>(record.Args[0])].reset();
            return;
        case TWmfOp::SaveDC:
            if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
            return;
        case TWmfOp::RestoreDC: RestoreState(record.Args[0]); return;
        case TWmfOp::MoveTo: state_.Position = QPointF(record.Args[0], record.Args[1]); return;
        default: break;
    }
    ChangeState(record);
    if (mappable_) Draw(record);
}

void TMetafilePlayer::ChangeState(const TWmfRecord& record) {
    switch (record.Op) {
        case TWmfOp::SetWindowOrg:
            state_.WindowOrg = QPoint(record.Args[0], record.Args[1]);
            ApplyMapping();
            return;
        case TWmfOp::SetWindowExt:
            state_.WindowExt = QSize(record.Args[0], record.Args[1]);
            ApplyMapping();
            return;
        case TWmfOp::SetBkMode: state_.OpaqueBackground = record.Args[0] != kBkTransparent; return;
        case TWmfOp::SetBkColor: state_.BkColor = PlatformColor(record.Color); return;
        case TWmfOp::SetTextColor: state_.TextColor = PlatformColor(record.Color); return;
        case TWmfOp::SetTextAlign: state_.TextAlign = record.Args[0]; return;
        case TWmfOp::SetPolyFillMode:
            state_.FillRule = record.Args[0] == kFillWinding ? Qt::WindingFill : Qt::OddEvenFill;
            return;
        default: return;
    }
}

void TMetafilePlayer::Draw(const TWmfRecord& record) {
    painter_.setPen(state_.Pen);
    painter_.setBrush(state_.Brush);
    const auto& a = record.Args;
    switch (record.Op) {
        case TWmfOp::LineTo: {
            const QPointF to(a[0], a[1]);
            painter_.drawLine(state_.Position, to);
            state_.Position = to;
            return;
        }
        case TWmfOp::Rectangle: painter_.drawRect(QRectF(QPointF(a[0], a[1]), QPointF(a[2], a[3]))); return;
        case TWmfOp::Ellipse: painter_.drawEllipse(QRectF(QPointF(a[0], a[1]), QPointF(a[2], a[3]))); return;
        case TWmfOp::Polygon:
            painter_.drawPolygon(Polygon(record.Points, 0, record.Points.size()), state_.FillRule);
            return;
        case TWmfOp::Polyline: painter_.drawPolyline(Polygon(record.Points, 0, record.Points.size())); return;
        case TWmfOp::PolyPolygon: {
            // One path, so that the fill rule decides holes between polygons.
            QPainterPath path;
            path.setFillRule(state_.FillRule);
            std::size_t first = 0;
            for (std::uint16_t size : record.PolygonSizes) {
                QPolygonF polygon = Polygon(record.Points, first, size);
                if (!polygon.isEmpty()) polygon << polygon.first();
                path.addPolygon(polygon);
                first += size;
            }
            painter_.drawPath(path);
            return;
        }
        case TWmfOp::TextOut: DrawText(record); return;
        default: return;
    }
}

// Text stays upright even when an extent is negative: only its anchor point
// is mapped with the picture, its size follows the extent's magnitude. The
// extents may stretch it unevenly, and the painter may scale it further.
void TMetafilePlayer::DrawText(const TWmfRecord& record) {
    const QPointF anchor = mapping_.map(QPointF(record.Args[0], record.Args[1]));
    const QTransform placed =
        QTransform(std::abs(mapping_.m11()), 0, 0, std::abs(mapping_.m22()), anchor.x(), anchor.y()) * base_;
    const double across = std::hypot(placed.m11(), placed.m12());
    const double down = std::hypot(placed.m21(), placed.m22());
    const double larger = std::max(across, down);
    if (state_.Font.pixelSize() * larger > kMaxTextPixels || larger > kMaxTextStretch * std::min(across, down)) return;
    const QString text = Cp1252ToQString(record.Text);
    const QFontMetricsF metrics(state_.Font);
    const double width = metrics.horizontalAdvance(text);
    double x = 0;
    if ((state_.TextAlign & kAlignCenter) == kAlignCenter) x = -width / 2;
    else if (state_.TextAlign & kAlignRight) x = -width;
    double top = 0;
    if ((state_.TextAlign & kAlignBaseline) == kAlignBaseline) top = -metrics.ascent();
    else if (state_.TextAlign & kAlignBottom) top = -metrics.height();

    painter_.setWorldTransform(placed);
    const QRectF box(x, top, width, metrics.height());
    if (state_.OpaqueBackground) painter_.fillRect(box, state_.BkColor);
    painter_.setFont(state_.Font);
    painter_.setPen(state_.TextColor);
    painter_.drawText(QPointF(x, top + metrics.ascent()), text);
    painter_.setWorldTransform(mapping_ * base_);
}

// A new object takes the lowest free slot; with none free it is dropped, as
// the format's own player would fail to create it.
void TMetafilePlayer::CreateObject(TObject object) {
    for (auto& slot : objects_) {
        if (!slot) {
            slot = std::move(object);
            return;
        }
    }
}

void TMetafilePlayer::SelectObject(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= objects_.size()) return;
    const auto& slot = objects_[static_cast<std::size_t>(index)];
    if (!slot) return;
    if (const auto* pen = std::get_if<QPen>(&*slot)) state_.Pen = *pen;
    else if (const auto* brush = std::get_if<QBrush>(&*slot)) state_.Brush = *brush;
    else state_.Font = std::get<QFont>(*slot);
}

// Below zero: that many states back; above zero: the state saved as number
// Relative (from 1). Anything out of range is ignored.
void TMetafilePlayer::RestoreState(int relative) {
    const long depth = static_cast<long>(saved_.size());
    const long keep = relative < 0 ? depth + relative : static_cast<long>(relative) - 1;
    if (relative == 0 || keep < 0 || keep >= depth) return;
    state_ = saved_[static_cast<std::size_t>(keep)];
    saved_.resize(static_cast<std::size_t>(keep));
    ApplyMapping();
}

}  // namespace cv
