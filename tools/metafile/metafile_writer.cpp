#include "tools/metafile/metafile_writer.h"

#include <algorithm>

#include "core/picture/metafile_format.h"

namespace cv {
namespace {

using namespace wmf;

constexpr std::uint16_t kUnitsPerInch = 1440;
constexpr std::uint16_t kMetafileVersion = 0x0300;

std::uint16_t Word(int value) { return static_cast<std::uint16_t>(static_cast<std::int16_t>(value)); }

void PutWord(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void PutDword(std::string& out, std::uint32_t value) {
    PutWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint16_t> ColorWords(std::uint32_t color) {
    return {static_cast<std::uint16_t>(color & 0xFFFF), static_cast<std::uint16_t>(color >> 16)};
}

// Bytes packed two to a word, little-endian, padded with a zero.
void AppendBytes(std::vector<std::uint16_t>& words, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<std::uint8_t>(bytes[i]);
        const auto high = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : 0;
        words.push_back(static_cast<std::uint16_t>(low | (high << 8)));
    }
}

void AppendPoints(std::vector<std::uint16_t>& words, const std::vector<TMetafilePoint>& points) {
    for (const TMetafilePoint& point : points) {
        words.push_back(Word(point.X));
        words.push_back(Word(point.Y));
    }
}

}  // namespace

void TMetafileWriter::Record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    const auto size = static_cast<std::uint32_t>(kRecordHeaderWords + params.size());
    words_.push_back(static_cast<std::uint16_t>(size & 0xFFFF));
    words_.push_back(static_cast<std::uint16_t>(size >> 16));
    words_.push_back(function);
    words_.insert(words_.end(), params.begin(), params.end());
    maxRecordWords_ = std::max(maxRecordWords_, size);
}

void TMetafileWriter::SetWindow(int left, int top, int width, int height) {
    windowLeft_ = left;
    windowTop_ = top;
    windowWidth_ = width;
    windowHeight_ = height;
    Record(kSetWindowOrg, {Word(top), Word(left)});
    Record(kSetWindowExt, {Word(height), Word(width)});
}

void TMetafileWriter::SetBkMode(bool transparent) { Record(kSetBkMode, {Word(transparent ? 1 : 2)}); }
void TMetafileWriter::SetTextColor(std::uint32_t color) { Record(kSetTextColor, ColorWords(color)); }
void TMetafileWriter::SetTextAlign(int align) { Record(kSetTextAlign, {Word(align)}); }
void TMetafileWriter::SetPolyFillMode(bool winding) { Record(kSetPolyFillMode, {Word(winding ? 2 : 1)}); }
void TMetafileWriter::SaveDC() { Record(kSaveDC, {}); }
void TMetafileWriter::RestoreDC(int relative) { Record(kRestoreDC, {Word(relative)}); }

int TMetafileWriter::TakeSlot() {
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    if (free != slots_.end()) {
        *free = true;
        return static_cast<int>(free - slots_.begin());
    }
    slots_.push_back(true);
    return static_cast<int>(slots_.size() - 1);
}

int TMetafileWriter::CreatePen(int style, int width, std::uint32_t color) {
    const auto colorWords = ColorWords(color);
    Record(kCreatePen, {Word(style), Word(width), 0, colorWords[0], colorWords[1]});
    return TakeSlot();
}

int TMetafileWriter::CreateBrush(int style, std::uint32_t color, int hatch) {
    const auto colorWords = ColorWords(color);
    Record(kCreateBrush, {Word(style), colorWords[0], colorWords[1], Word(hatch)});
    return TakeSlot();
}

// Height (negative: character height), width 0, no escapement or
// orientation, weight, then the italic, underline, strike-out, character set,
// precision, clipping, quality and pitch bytes, then the face name.
int TMetafileWriter::CreateFont(int height, bool bold, bool italic, const std::string& face) {
    std::vector<std::uint16_t> params{Word(height), 0, 0, 0, Word(bold ? 700 : 400)};
    AppendBytes(params, std::string{static_cast<char>(italic ? 1 : 0), 0, 0, 0, 0, 0, 0, 0});
    std::string name = face.substr(0, kFaceNameBytes - 1);
    name.push_back('\0');
    AppendBytes(params, name);
    Record(kCreateFont, params);
    return TakeSlot();
}

void TMetafileWriter::SelectObject(int slot) { Record(kSelectObject, {Word(slot)}); }

void TMetafileWriter::DeleteObject(int slot) {
    Record(kDeleteObject, {Word(slot)});
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots_.size()) slots_[static_cast<std::size_t>(slot)] = false;
}

void TMetafileWriter::MoveTo(int x, int y) { Record(kMoveTo, {Word(y), Word(x)}); }
void TMetafileWriter::LineTo(int x, int y) { Record(kLineTo, {Word(y), Word(x)}); }

void TMetafileWriter::Rectangle(int left, int top, int right, int bottom) {
    Record(kRectangle, {Word(bottom), Word(right), Word(top), Word(left)});
}

void TMetafileWriter::Ellipse(int left, int top, int right, int bottom) {
    Record(kEllipse, {Word(bottom), Word(right), Word(top), Word(left)});
}

void TMetafileWriter::Polygon(const std::vector<TMetafilePoint>& points) {
    std::vector<std::uint16_t> params{Word(static_cast<int>(points.size()))};
    AppendPoints(params, points);
    Record(kPolygon, params);
}

void TMetafileWriter::Polyline(const std::vector<TMetafilePoint>& points) {
    std::vector<std::uint16_t> params{Word(static_cast<int>(points.size()))};
    AppendPoints(params, points);
    Record(kPolyline, params);
}

void TMetafileWriter::PolyPolygon(const std::vector<std::vector<TMetafilePoint>>& polygons) {
    std::vector<std::uint16_t> params{Word(static_cast<int>(polygons.size()))};
    for (const auto& polygon : polygons) params.push_back(Word(static_cast<int>(polygon.size())));
    for (const auto& polygon : polygons) AppendPoints(params, polygon);
    Record(kPolyPolygon, params);
}

void TMetafileWriter::TextOut(int x, int y, const std::string& text) {
    std::vector<std::uint16_t> params{Word(static_cast<int>(text.size()))};
    AppendBytes(params, text);
    params.push_back(Word(y));
    params.push_back(Word(x));
    Record(kTextOut, params);
}

std::string TMetafileWriter::PlaceableBytes() const {
    std::string placeable;
    PutDword(placeable, kPlaceableKey);
    PutWord(placeable, 0);  // handle
    PutWord(placeable, Word(windowLeft_));
    PutWord(placeable, Word(windowTop_));
    PutWord(placeable, Word(windowLeft_ + windowWidth_));
    PutWord(placeable, Word(windowTop_ + windowHeight_));
    PutWord(placeable, kUnitsPerInch);
    PutDword(placeable, 0);  // reserved
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < placeable.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(placeable[i]) |
                                               (static_cast<std::uint8_t>(placeable[i + 1]) << 8));
    PutWord(placeable, checksum);

    const auto totalWords = static_cast<std::uint32_t>(kHeaderWords + words_.size() + kRecordHeaderWords);
    PutWord(placeable, 1);  // in memory
    PutWord(placeable, kHeaderWords);
    PutWord(placeable, kMetafileVersion);
    PutDword(placeable, totalWords);
    PutWord(placeable, static_cast<std::uint16_t>(slots_.size()));
    PutDword(placeable, maxRecordWords_);
    PutWord(placeable, 0);
    for (std::uint16_t word : words_) PutWord(placeable, word);
    PutDword(placeable, kRecordHeaderWords);  // the end record
    PutWord(placeable, kEof);
    return placeable;
}

}  // namespace cv
