#pragma once
// Numbers of the standard metafile format shared by its reader and writer:
// the record function numbers of the records our pictures use, and the
// sizes of the headers. docs/metafile_pictures.md describes the layout.

#include <cstddef>
#include <cstdint>

namespace cv::wmf {

constexpr std::uint16_t kEof = 0x0000;
constexpr std::uint16_t kSaveDC = 0x001E;
constexpr std::uint16_t kSetBkColor = 0x0201;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kSetPolyFillMode = 0x0106;
constexpr std::uint16_t kSetTextAlign = 0x012E;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kRestoreDC = 0x0127;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kLineTo = 0x0213;
constexpr std::uint16_t kMoveTo = 0x0214;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kPolyPolygon = 0x0538;

// The placeable header that precedes the standard metafile in a file.
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
// The standard header: 9 words.
constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint16_t kHeaderWords = 9;
// A record: its size in words (32 bits) and its function (16 bits), then
// its parameters.
constexpr std::size_t kRecordHeaderBytes = 6;
constexpr std::uint16_t kRecordHeaderWords = 3;
// A font record: 18 fixed bytes, then a face name of at most 32 bytes.
constexpr std::size_t kFontFixedBytes = 18;
constexpr std::size_t kFaceNameBytes = 32;

}  // namespace cv::wmf
