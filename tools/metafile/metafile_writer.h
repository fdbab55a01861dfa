#pragma once
// Writing placeable metafiles: the records our pictures use, with the object
// table managed as the format's player manages it (a new object takes the
// lowest free slot). The build draws the program's pictures with it, and the
// picture tests build their inputs with it.

#include <cstdint>
#include <string>
#include <vector>

namespace cv {

struct TMetafilePoint {
    std::int16_t X;
    std::int16_t Y;
};

class TMetafileWriter {
public:
    // Colours are platform colour values, 0x00BBGGRR.
    static constexpr std::uint32_t Rgb(int red, int green, int blue) {
        return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
               (static_cast<std::uint32_t>(blue) << 16);
    }

    void SetWindow(int left, int top, int width, int height);
    void SetBkMode(bool transparent);
    void SetTextColor(std::uint32_t color);
    void SetTextAlign(int align);
    void SetPolyFillMode(bool winding);
    void SaveDC();
    void RestoreDC(int relative);

    // Each returns the slot of the new object.
    int CreatePen(int style, int width, std::uint32_t color);
    int CreateBrush(int style, std::uint32_t color, int hatch = 0);
    int CreateFont(int height, bool bold, bool italic, const std::string& face);
    void SelectObject(int slot);
    void DeleteObject(int slot);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<TMetafilePoint>& points);
    void Polyline(const std::vector<TMetafilePoint>& points);
    void PolyPolygon(const std::vector<std::vector<TMetafilePoint>>& polygons);
    // Text is cp1252 bytes.
    void TextOut(int x, int y, const std::string& text);

    // A record of any function with the given parameter words, as is.
    void Record(std::uint16_t function, const std::vector<std::uint16_t>& params);

    // The whole file: placeable header (bounding box of the window, 1440
    // units per inch, checksum), metafile header, records, end record.
    std::string PlaceableBytes() const;

private:
    int TakeSlot();

    std::vector<std::uint16_t> words_;
    std::vector<bool> slots_;
    std::uint32_t maxRecordWords_ = 3;  // the end record
    int windowLeft_ = 0;
    int windowTop_ = 0;
    int windowWidth_ = 1;
    int windowHeight_ = 1;
};

}  // namespace cv
