#pragma once
// Reading a standard metafile (the records after the 22-byte placeable
// header) into the drawing records our pictures use: window origin and
// extent, pens, brushes, fonts, lines, rectangles, ellipses, polygons,
// poly-polygons, text, and saving and restoring the drawing state.
//
// The reader never trusts its input: every record is checked against the
// bytes it was given. At the first damage (a record cut short, a size that
// runs past the end, a point count larger than its record) it stops and
// keeps what it decoded before, with a fault naming the record and offset.
// Records of other kinds are skipped. Needs no display.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/picture/metafile_format.h"

namespace cv {

enum class TWmfOp : std::uint8_t {
    SetWindowOrg,
    SetWindowExt,
    SetBkMode,
    SetBkColor,
    SetTextColor,
    SetTextAlign,
    SetPolyFillMode,
    SaveDC,
    RestoreDC,
    CreatePen,
    CreateBrush,
    CreateFont,
    SelectObject,
    DeleteObject,
    MoveTo,
    LineTo,
    Rectangle,
    Ellipse,
    Polygon,
    Polyline,
    PolyPolygon,
    TextOut,
};

struct TWmfPoint {
    std::int16_t X = 0;
    std::int16_t Y = 0;
};

// One decoded record. Args hold the numbers in reading order (x before y,
// left-top before right-bottom), whatever the file's order:
//   SetWindowOrg/Ext, MoveTo, LineTo, TextOut: x, y
//   Rectangle, Ellipse: left, top, right, bottom
//   SetBkMode, SetTextAlign, SetPolyFillMode, SelectObject, DeleteObject,
//   RestoreDC: the one value
//   CreatePen: style, width; CreateBrush: style, hatch
//   CreateFont: height, weight, italic, underline
// Color is the COLORREF of SetBkColor, SetTextColor, CreatePen, CreateBrush.
// Text is the string of TextOut and the face name of CreateFont (cp1252).
struct TWmfRecord {
    TWmfOp Op{};
    std::array<std::int32_t, 4> Args{};
    std::uint32_t Color = 0;
    std::vector<TWmfPoint> Points;
    std::vector<std::uint16_t> PolygonSizes;
    std::string Text;
};

struct TMetafile {
    // Slots of the object table that the header asks for, capped.
    std::uint16_t ObjectSlots = 0;
    std::vector<TWmfRecord> Records;
    // Empty when the records were read to the end record.
    std::string Fault;
};

// Object slots beyond this are refused: no picture of ours needs more.
inline constexpr std::uint16_t kMaxMetafileObjects = 1024;

// Decodes Bytes, a standard metafile (header and records).
TMetafile ReadMetafile(std::span<const std::uint8_t> bytes);

// The size of the placeable header that precedes a standard metafile.
inline constexpr std::size_t kPlaceableHeaderSize = wmf::kPlaceableHeaderBytes;

}  // namespace cv
