#include "core/picture/metafile_reader.h"

#include <algorithm>

#include "core/picture/metafile_format.h"

namespace cv {
namespace {

using namespace wmf;

// The parameters of one record: little-endian 16-bit words, read with bounds.
class TParams {
public:
    explicit TParams(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Words() const { return bytes_.size() / 2; }
    bool Has(std::size_t words) const { return words <= Words(); }
    std::uint16_t Word(std::size_t index) const {
        return static_cast<std::uint16_t>(bytes_[2 * index] | (bytes_[2 * index + 1] << 8));
    }
    std::int16_t Int(std::size_t index) const { return static_cast<std::int16_t>(Word(index)); }
    std::uint32_t Color(std::size_t index) const {
        return (Word(index) | (static_cast<std::uint32_t>(Word(index + 1)) << 16)) & 0x00FFFFFFu;
    }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::span<const std::uint8_t> bytes_;
};

// Points X, Y from word First on; false when the record holds fewer.
bool ReadPoints(const TParams& params, std::size_t first, std::size_t count, std::vector<TWmfPoint>& points) {
    if (!params.Has(first + 2 * count)) return false;
    points.reserve(points.size() + count);
    for (std::size_t i = 0; i < count; ++i) points.push_back({params.Int(first + 2 * i), params.Int(first + 2 * i + 1)});
    return true;
}

// Words of a fixed-size record, or 0 for the records sized by their contents.
std::size_t FixedWords(std::uint16_t function) {
    switch (function) {
        case kSaveDC: return 0;
        case kSetBkMode:
        case kSetPolyFillMode:
        case kSetTextAlign:
        case kRestoreDC:
        case kSelectObject:
        case kDeleteObject: return 1;
        case kSetBkColor:
        case kSetTextColor:
        case kSetWindowOrg:
        case kSetWindowExt:
        case kLineTo:
        case kMoveTo: return 2;
        case kCreateBrush:
        case kRectangle:
        case kEllipse: return 4;
        case kCreatePen: return 5;
        default: return 0;
    }
}

// Decodes one record of a known kind into Record; false when its parameters
// are cut short or contradict its size.
bool DecodeRecord(std::uint16_t function, const TParams& p, TWmfRecord& record) {
    if (!p.Has(FixedWords(function))) return false;
    switch (function) {
        case kSaveDC: record.Op = TWmfOp::SaveDC; return true;
        case kRestoreDC: record.Op = TWmfOp::RestoreDC; record.Args[0] = p.Int(0); return true;
        case kSetBkMode: record.Op = TWmfOp::SetBkMode; record.Args[0] = p.Word(0); return true;
        case kSetPolyFillMode: record.Op = TWmfOp::SetPolyFillMode; record.Args[0] = p.Word(0); return true;
        case kSetTextAlign: record.Op = TWmfOp::SetTextAlign; record.Args[0] = p.Word(0); return true;
        case kSelectObject: record.Op = TWmfOp::SelectObject; record.Args[0] = p.Word(0); return true;
        case kDeleteObject: record.Op = TWmfOp::DeleteObject; record.Args[0] = p.Word(0); return true;
        case kSetBkColor: record.Op = TWmfOp::SetBkColor; record.Color = p.Color(0); return true;
        case kSetTextColor: record.Op = TWmfOp::SetTextColor; record.Color = p.Color(0); return true;
        // The points of these records are stored y first.
        case kSetWindowOrg:
        case kSetWindowExt:
        case kLineTo:
        case kMoveTo:
            record.Op = function == kSetWindowOrg ? TWmfOp::SetWindowOrg
                        : function == kSetWindowExt ? TWmfOp::SetWindowExt
                        : function == kLineTo       ? TWmfOp::LineTo
                                                    : TWmfOp::MoveTo;
            record.Args = {p.Int(1), p.Int(0), 0, 0};
            return true;
        // Stored bottom, right, top, left.
        case kRectangle:
        case kEllipse:
            record.Op = function == kRectangle ? TWmfOp::Rectangle : TWmfOp::Ellipse;
            record.Args = {p.Int(3), p.Int(2), p.Int(1), p.Int(0)};
            return true;
        case kCreatePen:
            record.Op = TWmfOp::CreatePen;
            record.Args = {p.Word(0), p.Int(1), 0, 0};
            record.Color = p.Color(3);
            return true;
        case kCreateBrush:
            record.Op = TWmfOp::CreateBrush;
            record.Args = {p.Word(0), p.Word(3), 0, 0};
            record.Color = p.Color(1);
            return true;
        case kCreateFont: {
            const auto bytes = p.Bytes();
            if (bytes.size() < kFontFixedBytes) return false;
            record.Op = TWmfOp::CreateFont;
            record.Args = {p.Int(0), p.Int(4), bytes[10], bytes[11]};
            const auto face = bytes.subspan(kFontFixedBytes, std::min(kFaceNameBytes, bytes.size() - kFontFixedBytes));
            record.Text.assign(face.begin(), std::find(face.begin(), face.end(), std::uint8_t{0}));
            return true;
        }
        case kPolygon:
        case kPolyline:
            if (!p.Has(1)) return false;
            record.Op = function == kPolygon ? TWmfOp::Polygon : TWmfOp::Polyline;
            return ReadPoints(p, 1, p.Word(0), record.Points);
        case kPolyPolygon: {
            if (!p.Has(1)) return false;
            const std::size_t polygons = p.Word(0);
            if (!p.Has(1 + polygons)) return false;
            std::size_t total = 0;
            for (std::size_t i = 0; i < polygons; ++i) {
                record.PolygonSizes.push_back(p.Word(1 + i));
                total += p.Word(1 + i);
            }
            record.Op = TWmfOp::PolyPolygon;
            return ReadPoints(p, 1 + polygons, total, record.Points);
        }
        case kTextOut: {
            if (!p.Has(1)) return false;
            const std::size_t length = p.Word(0);
            const std::size_t textWords = (length + 1) / 2;
            if (!p.Has(1 + textWords + 2)) return false;
            record.Op = TWmfOp::TextOut;
            const auto text = p.Bytes().subspan(2, length);
            record.Text.assign(text.begin(), text.end());
            record.Args = {p.Int(1 + textWords + 1), p.Int(1 + textWords), 0, 0};
            return true;
        }
        default: return false;
    }
}

bool IsKnown(std::uint16_t function) {
    switch (function) {
        case kSaveDC: case kRestoreDC: case kSetBkMode: case kSetPolyFillMode: case kSetTextAlign:
        case kSelectObject: case kDeleteObject: case kSetBkColor: case kSetTextColor: case kSetWindowOrg:
        case kSetWindowExt: case kLineTo: case kMoveTo: case kRectangle: case kEllipse: case kCreatePen:
        case kCreateBrush: case kCreateFont: case kPolygon: case kPolyline: case kPolyPolygon: case kTextOut:
            return true;
        default: return false;
    }
}

std::string FaultAt(const char* what, std::size_t offset) {
    return std::string(what) + " at offset " + std::to_string(offset);
}

}  // namespace

TMetafile ReadMetafile(std::span<const std::uint8_t> bytes) {
    TMetafile picture;
    if (bytes.size() < kHeaderBytes) {
        picture.Fault = "metafile header cut short";
        return picture;
    }
    const TParams header(bytes.first(kHeaderBytes));
    if ((header.Word(0) != 1 && header.Word(0) != 2) || header.Word(1) != kHeaderWords) {
        picture.Fault = "not a standard metafile header";
        return picture;
    }
    picture.ObjectSlots = std::min(header.Word(5), kMaxMetafileObjects);  // words 3-4 hold the size

    std::size_t offset = kHeaderBytes;
    while (true) {
        if (bytes.size() - offset < kRecordHeaderBytes) {
            picture.Fault = FaultAt("record cut short", offset);
            return picture;
        }
        const TParams recordHeader(bytes.subspan(offset, kRecordHeaderBytes));
        const std::uint64_t sizeWords = recordHeader.Word(0) | (static_cast<std::uint64_t>(recordHeader.Word(1)) << 16);
        const std::uint16_t function = recordHeader.Word(2);
        if (sizeWords * 2 < kRecordHeaderBytes || sizeWords * 2 > bytes.size() - offset) {
            picture.Fault = FaultAt("record size out of range", offset);
            return picture;
        }
        if (function == kEof) return picture;
        if (IsKnown(function)) {
            TWmfRecord record;
            const TParams params(bytes.subspan(offset + kRecordHeaderBytes, sizeWords * 2 - kRecordHeaderBytes));
            if (!DecodeRecord(function, params, record)) {
                picture.Fault = FaultAt("record parameters cut short", offset);
                return picture;
            }
            picture.Records.push_back(std::move(record));
        }
        offset += sizeWords * 2;
    }
}

}  // namespace cv
