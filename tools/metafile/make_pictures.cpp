// Draws the program's pictures as placeable metafiles into a directory: the
// splash and about bands, the team page's backgrounds, the document logos and
// the button pictures, the R&D dialog's characteristic pictures of the sample
// industry. Simple shapes and the program's name only.
//   make_pictures <output directory>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "tools/metafile/metafile_writer.h"

namespace {

using cv::TMetafilePoint;
using cv::TMetafileWriter;

constexpr int kPenSolid = 0;
constexpr int kPenNull = 5;
constexpr int kBrushSolid = 0;
constexpr int kBrushNull = 1;
constexpr int kAlignCenterBaseline = 6 | 24;

constexpr std::uint32_t kNavy = TMetafileWriter::Rgb(16, 42, 92);
constexpr std::uint32_t kBlue = TMetafileWriter::Rgb(40, 98, 170);
constexpr std::uint32_t kSky = TMetafileWriter::Rgb(150, 190, 230);
constexpr std::uint32_t kPale = TMetafileWriter::Rgb(232, 240, 250);
constexpr std::uint32_t kGold = TMetafileWriter::Rgb(235, 175, 40);
constexpr std::uint32_t kGreen = TMetafileWriter::Rgb(40, 140, 80);
constexpr std::uint32_t kRed = TMetafileWriter::Rgb(200, 60, 50);
constexpr std::uint32_t kWhite = TMetafileWriter::Rgb(255, 255, 255);
constexpr std::uint32_t kGrey = TMetafileWriter::Rgb(90, 96, 110);

// Fills a rectangle in one colour without an outline; objects are freed again
// so that the object table stays small.
void Fill(TMetafileWriter& w, std::uint32_t color, int left, int top, int right, int bottom, bool ellipse = false) {
    const int pen = w.CreatePen(kPenNull, 0, 0);
    const int brush = w.CreateBrush(kBrushSolid, color);
    w.SelectObject(pen);
    w.SelectObject(brush);
    if (ellipse) w.Ellipse(left, top, right, bottom);
    else w.Rectangle(left, top, right, bottom);
    w.DeleteObject(pen);
    w.DeleteObject(brush);
}

void FillPolygon(TMetafileWriter& w, std::uint32_t color, const std::vector<TMetafilePoint>& points) {
    const int pen = w.CreatePen(kPenNull, 0, 0);
    const int brush = w.CreateBrush(kBrushSolid, color);
    w.SelectObject(pen);
    w.SelectObject(brush);
    w.Polygon(points);
    w.DeleteObject(pen);
    w.DeleteObject(brush);
}

void Stroke(TMetafileWriter& w, std::uint32_t color, int width, const std::vector<TMetafilePoint>& points) {
    const int pen = w.CreatePen(kPenSolid, width, color);
    w.SelectObject(pen);
    w.Polyline(points);
    w.DeleteObject(pen);
}

void Text(TMetafileWriter& w, int x, int y, int height, bool bold, std::uint32_t color, const std::string& text) {
    w.SaveDC();
    const int font = w.CreateFont(-height, bold, false, "Arial");
    w.SelectObject(font);
    w.SetBkMode(true);
    w.SetTextColor(color);
    w.SetTextAlign(kAlignCenterBaseline);
    w.TextOut(x, y, text);
    w.RestoreDC(-1);
    w.DeleteObject(font);
}

// Horizontal bands from one colour to another, top to bottom.
void Gradient(TMetafileWriter& w, std::uint32_t from, std::uint32_t to, int left, int top, int right, int bottom) {
    constexpr int kBands = 24;
    auto channel = [](std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); };
    for (int band = 0; band < kBands; ++band) {
        auto mix = [&](int shift) { return channel(from, shift) + (channel(to, shift) - channel(from, shift)) * band / (kBands - 1); };
        const int bandTop = top + (bottom - top) * band / kBands;
        const int bandBottom = top + (bottom - top) * (band + 1) / kBands + 1;
        Fill(w, TMetafileWriter::Rgb(mix(0), mix(8), mix(16)), left, bandTop, right, bandBottom);
    }
}

// The program's emblem: a ring (two circles as one poly-polygon, filled
// alternately) around a rising arrow.
void Emblem(TMetafileWriter& w, int cx, int cy, int radius, std::uint32_t ring, std::uint32_t arrow) {
    auto circle = [&](int r) {
        std::vector<TMetafilePoint> points;
        for (int i = 0; i < 48; ++i) {
            const double angle = 2 * std::numbers::pi * i / 48;
            points.push_back({static_cast<std::int16_t>(cx + r * std::cos(angle)), static_cast<std::int16_t>(cy + r * std::sin(angle))});
        }
        return points;
    };
    const int pen = w.CreatePen(kPenNull, 0, 0);
    const int brush = w.CreateBrush(kBrushSolid, ring);
    w.SelectObject(pen);
    w.SelectObject(brush);
    w.SetPolyFillMode(false);
    w.PolyPolygon({circle(radius), circle(radius * 4 / 5)});
    w.DeleteObject(pen);
    w.DeleteObject(brush);
    const int r = radius / 2;
    Stroke(w, arrow, std::max(2, radius / 8), {{static_cast<std::int16_t>(cx - r), static_cast<std::int16_t>(cy + r / 2)},
                                                 {static_cast<std::int16_t>(cx - r / 3), static_cast<std::int16_t>(cy)},
                                                 {static_cast<std::int16_t>(cx + r / 6), static_cast<std::int16_t>(cy + r / 4)},
                                                 {static_cast<std::int16_t>(cx + r), static_cast<std::int16_t>(cy - r / 2)}});
    FillPolygon(w, arrow, {{static_cast<std::int16_t>(cx + r + r / 4), static_cast<std::int16_t>(cy - r * 3 / 4)},
                           {static_cast<std::int16_t>(cx + r / 2), static_cast<std::int16_t>(cy - r * 3 / 4)},
                           {static_cast<std::int16_t>(cx + r + r / 4), static_cast<std::int16_t>(cy)}});
}

// A small bar chart with a trend line, in a frame.
void Chart(TMetafileWriter& w, int left, int top, int right, int bottom) {
    Fill(w, kWhite, left, top, right, bottom);
    const int frame = w.CreatePen(kPenSolid, 2, kGrey);
    const int hollow = w.CreateBrush(kBrushNull, 0);
    w.SelectObject(frame);
    w.SelectObject(hollow);
    w.Rectangle(left, top, right, bottom);
    w.DeleteObject(frame);
    w.DeleteObject(hollow);
    const int heights[] = {30, 45, 40, 62, 70, 85};
    const int slot = (right - left) / 7;
    std::vector<TMetafilePoint> trend;
    for (int i = 0; i < 6; ++i) {
        const int x = left + slot / 2 + i * slot + slot / 4;
        const int barTop = bottom - (bottom - top) * heights[i] / 100;
        Fill(w, i % 2 ? kBlue : kSky, x, barTop, x + slot * 2 / 3, bottom - 2);
        trend.push_back({static_cast<std::int16_t>(x + slot / 3), static_cast<std::int16_t>(barTop - 12)});
    }
    Stroke(w, kGold, 4, trend);
}

// A person: a head and shoulders.
void Person(TMetafileWriter& w, int cx, int base, int size, std::uint32_t color) {
    Fill(w, color, cx - size / 4, base - size, cx + size / 4, base - size / 2, true);
    Fill(w, color, cx - size / 2, base - size / 2 + size / 12, cx + size / 2, base + size / 2, true);
}

// The title band of the about window: two thirds of the screen's height
// above the program band, about 2.2 : 1.
void Splash(TMetafileWriter& w) {
    w.SetWindow(0, 0, 1100, 500);
    Gradient(w, kNavy, kBlue, 0, 0, 1100, 500);
    Emblem(w, 220, 250, 140, kGold, kWhite);
    Text(w, 740, 275, 120, true, kWhite, "Corvantis3");
    Text(w, 740, 370, 44, false, kPale, "Marketing strategy simulation");
}

// The program band below the title: the last third, about 4.4 : 1.
void SplashProgram(TMetafileWriter& w) {
    w.SetWindow(0, 0, 1100, 250);
    Gradient(w, kPale, kSky, 0, 0, 1100, 250);
    Chart(w, 80, 30, 440, 220);
    Text(w, 780, 150, 56, true, kNavy, "Team workstation");
}

// The other views fill the whole band, about 1.5 : 1 (drawn on 1.6 : 1).
void SplashAuthors(TMetafileWriter& w) {
    w.SetWindow(0, 0, 800, 500);
    Gradient(w, kPale, kWhite, 0, 0, 800, 500);
    Fill(w, kSky, 190, 90, 450, 350, true);
    Fill(w, kGold, 350, 90, 610, 350, true);
    Fill(w, kGreen, 270, 200, 530, 460, true);
    Emblem(w, 400, 250, 60, kNavy, kNavy);
}

void SplashMaker(TMetafileWriter& w) {
    w.SetWindow(0, 0, 800, 500);
    Gradient(w, kNavy, kBlue, 0, 0, 800, 500);
    const int pen = w.CreatePen(kPenSolid, 3, kSky);
    const int hollow = w.CreateBrush(kBrushNull, 0);
    w.SelectObject(pen);
    w.SelectObject(hollow);
    w.Ellipse(250, 100, 550, 400);
    w.Ellipse(330, 100, 470, 400);
    w.Ellipse(250, 190, 550, 310);
    w.MoveTo(250, 250);
    w.LineTo(550, 250);
    w.MoveTo(400, 100);
    w.LineTo(400, 400);
    w.DeleteObject(pen);
    w.DeleteObject(hollow);
    Text(w, 400, 460, 30, true, kWhite, "Corvantis3");
}

void SplashTeam(TMetafileWriter& w) {
    w.SetWindow(0, 0, 800, 500);
    Gradient(w, kWhite, kPale, 0, 0, 800, 500);
    const std::uint32_t colors[] = {kBlue, kGreen, kGold, kRed, kNavy};
    for (int i = 0; i < 5; ++i) Person(w, 160 + i * 120, 300 + (i % 2) * 40, 140, colors[i]);
}

void TeamPageWithoutIndustry(TMetafileWriter& w) {
    w.SetWindow(0, 0, 1000, 700);
    Gradient(w, kPale, kSky, 0, 0, 1000, 700);
    Emblem(w, 500, 300, 180, kWhite, kBlue);
    Text(w, 500, 600, 60, true, kNavy, "Corvantis3");
}

void TeamPageWithIndustry(TMetafileWriter& w) {
    w.SetWindow(0, 0, 1000, 300);
    Gradient(w, kSky, kPale, 0, 0, 1000, 300);
    const int heights[] = {110, 160, 90, 190, 140, 180, 100, 150, 120, 170};
    for (int i = 0; i < 10; ++i) {
        const int left = 40 + i * 94;
        Fill(w, i % 3 == 0 ? kNavy : (i % 3 == 1 ? kBlue : kGrey), left, 300 - heights[i], left + 80, 300);
        for (int row = 300 - heights[i] + 14; row < 290; row += 26) Fill(w, kGold, left + 14, row, left + 30, row + 10);
    }
    Text(w, 500, 72, 56, true, kNavy, "Corvantis3");
}

std::vector<TMetafilePoint> Points(std::initializer_list<std::pair<int, int>> list) {
    std::vector<TMetafilePoint> points;
    for (const auto& [x, y] : list) points.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
    return points;
}

// The pictures above the decisions page's area buttons: scenes of 400 x 220.
void AreaScene(TMetafileWriter& w, std::uint32_t sky) {
    w.SetWindow(0, 0, 400, 220);
    Gradient(w, kWhite, sky, 0, 0, 400, 220);
}

void BrandPortfolioScene(TMetafileWriter& w) {  // boxes of three brands on a shelf
    AreaScene(w, kPale);
    Fill(w, kGrey, 40, 180, 360, 192);
    const std::uint32_t colors[] = {kRed, kBlue, kGold};
    for (int i = 0; i < 3; ++i) Fill(w, colors[i], 70 + i * 100, 80 - i * 15, 140 + i * 100, 180);
}

void MarketingMixScene(TMetafileWriter& w) {  // a price tag and a megaphone
    AreaScene(w, kSky);
    FillPolygon(w, kGold, Points({{60, 60}, {170, 60}, {200, 110}, {170, 160}, {60, 160}}));
    Fill(w, kWhite, 75, 100, 95, 120, true);
    FillPolygon(w, kRed, Points({{240, 100}, {340, 50}, {340, 170}, {240, 120}}));
    Fill(w, kNavy, 220, 95, 245, 125);
}

void DistributionScene(TMetafileWriter& w) {  // a lorry on the road
    AreaScene(w, kPale);
    Fill(w, kGrey, 0, 170, 400, 190);
    Fill(w, kBlue, 70, 80, 250, 160);
    Fill(w, kNavy, 250, 105, 320, 160);
    Fill(w, kNavy, 100, 150, 140, 190, true);
    Fill(w, kNavy, 260, 150, 300, 190, true);
}

void StudiesScene(TMetafileWriter& w) {  // a chart under a magnifier
    AreaScene(w, kSky);
    Chart(w, 40, 40, 260, 190);
    Fill(w, kNavy, 250, 60, 350, 160, true);
    Fill(w, kPale, 262, 72, 338, 148, true);
    Stroke(w, kNavy, 12, Points({{335, 150}, {375, 195}}));
}

void RnDScene(TMetafileWriter& w) {  // a flask and a cog
    AreaScene(w, kPale);
    FillPolygon(w, kGreen, Points({{150, 50}, {190, 50}, {190, 100}, {240, 190}, {100, 190}, {150, 100}}));
    Emblem(w, 300, 110, 60, kGrey, kNavy);
}

void Logo(TMetafileWriter& w, const std::string& title) {
    w.SetWindow(0, 0, 1000, 300);
    Fill(w, kWhite, 0, 0, 1000, 300);
    Emblem(w, 150, 150, 110, kNavy, kGold);
    Text(w, 600, 140, 70, true, kNavy, "Corvantis3");
    Text(w, 600, 230, 46, false, kBlue, title);
}

// Button pictures: shapes only, on a square of 24 design units, or of 240
// for the round and detailed ones.
// The growth-share plot's backdrop: four pale quadrants (high growth above,
// strong share to the right, as the chart's axes run); the chart draws its
// own axis line where the relative share is 1. Width and height in picture units.
void GrowthShareQuadrants(TMetafileWriter& w, int width, int height) {
    w.SetWindow(0, 0, width, height);
    const int midX = width / 2, midY = height / 2;
    Fill(w, TMetafileWriter::Rgb(255, 246, 214), 0, 0, midX, midY);            // growing segment, weak share
    Fill(w, TMetafileWriter::Rgb(222, 242, 222), midX, 0, width, midY);        // growing segment, strong share
    Fill(w, TMetafileWriter::Rgb(244, 226, 226), 0, midY, midX, height);       // slow segment, weak share
    Fill(w, TMetafileWriter::Rgb(220, 232, 248), midX, midY, width, height);   // slow segment, strong share
}

using TGlyph = std::function<void(TMetafileWriter&)>;

struct TButtonPicture {
    std::string Name;
    int Units;
    TGlyph Glyph;
};


const std::vector<TButtonPicture>& ButtonPictures() {
    static const std::vector<TButtonPicture> pictures{
        {"SPBDEC", 24, [](TMetafileWriter& w) {  // decisions: a pen over a sheet
             Fill(w, kWhite, 4, 3, 17, 21);
             Stroke(w, kGrey, 1, Points({{6, 8}, {15, 8}}));
             Stroke(w, kGrey, 1, Points({{6, 12}, {15, 12}}));
             FillPolygon(w, kBlue, Points({{20, 4}, {22, 6}, {12, 18}, {9, 19}, {10, 16}}));
         }},
        {"SPBRESULT", 240, [](TMetafileWriter& w) { Chart(w, 20, 40, 220, 210); }},
        {"SPBNLETTER", 24, [](TMetafileWriter& w) {  // newsletter: a folded paper with columns
             Fill(w, kWhite, 3, 3, 21, 21);
             Fill(w, kNavy, 5, 5, 19, 8);
             for (int y = 10; y < 20; y += 3) {
                 Stroke(w, kGrey, 1, Points({{5, y}, {11, y}}));
                 Stroke(w, kGrey, 1, Points({{13, y}, {19, y}}));
             }
         }},
        {"SPBSTUDIES", 24, [](TMetafileWriter& w) {  // studies: a magnifier
             Fill(w, kBlue, 3, 3, 15, 15, true);
             Fill(w, kPale, 5, 5, 13, 13, true);
             Stroke(w, kNavy, 3, Points({{13, 13}, {21, 21}}));
         }},
        {"SPBGRAPH", 24, [](TMetafileWriter& w) {  // graphs: axes and a curve
             Stroke(w, kNavy, 2, Points({{3, 3}, {3, 21}, {21, 21}}));
             Stroke(w, kRed, 2, Points({{4, 18}, {9, 12}, {13, 14}, {20, 5}}));
         }},
        {"SPBINTERFACE", 240, [](TMetafileWriter& w) { Emblem(w, 120, 120, 100, kNavy, kGold); }},
        {"SBPRINT", 24, [](TMetafileWriter& w) {
             Fill(w, kWhite, 6, 2, 18, 10);
             Fill(w, kGrey, 2, 9, 22, 18);
             Fill(w, kWhite, 6, 15, 18, 22);
         }},
        {"SBHELP", 24, [](TMetafileWriter& w) {
             Fill(w, kBlue, 2, 2, 22, 22, true);
             Text(w, 12, 18, 15, true, kWhite, "?");
         }},
        {"SBQUICKHELP", 24, [](TMetafileWriter& w) {
             Fill(w, kGold, 2, 2, 22, 22, true);
             Text(w, 12, 18, 15, true, kNavy, "?");
         }},
        {"SBCOPYTOCLIP", 24, [](TMetafileWriter& w) {
             Fill(w, kGrey, 3, 3, 14, 16);
             Fill(w, kWhite, 4, 4, 13, 15);
             Fill(w, kBlue, 9, 8, 21, 21);
             Fill(w, kWhite, 10, 9, 20, 20);
         }},
        {"SBCONFIG", 240, [](TMetafileWriter& w) {  // a cog: a star polygon with a hole drawn over it
             std::vector<TMetafilePoint> teeth;
             for (int i = 0; i < 16; ++i) {
                 const double angle = 2 * std::numbers::pi * i / 16;
                 const double r = i % 2 ? 70 : 100;
                 teeth.push_back({static_cast<std::int16_t>(std::lround(120 + r * std::cos(angle))),
                                  static_cast<std::int16_t>(std::lround(120 + r * std::sin(angle)))});
             }
             FillPolygon(w, kGrey, teeth);
             Fill(w, kPale, 90, 90, 150, 150, true);
         }},
        {"SBPREVPAGE", 24, [](TMetafileWriter& w) { FillPolygon(w, kNavy, Points({{16, 4}, {16, 20}, {6, 12}})); }},
        {"SBNEXTPAGE", 24, [](TMetafileWriter& w) { FillPolygon(w, kNavy, Points({{8, 4}, {8, 20}, {18, 12}})); }},
        {"SBCLOSEAPP", 24, [](TMetafileWriter& w) {
             Fill(w, kRed, 2, 2, 22, 22);
             Stroke(w, kWhite, 3, Points({{7, 7}, {17, 17}}));
             Stroke(w, kWhite, 3, Points({{17, 7}, {7, 17}}));
         }},
        {"SBABOUT", 24, [](TMetafileWriter& w) {
             Fill(w, kGreen, 2, 2, 22, 22, true);
             Text(w, 12, 18, 15, true, kWhite, "i");
         }},
    };
    return pictures;
}

// The R&D dialog's pictures of the physical characteristics of the sample
// industry's markets: "TEC", the market label's initial and the dimension's
// short label. Shapes on a square of 240.
const std::vector<TButtonPicture>& CharacteristicPictures() {
    static const std::vector<TButtonPicture> pictures{
        {"TECMWGT", 240, [](TMetafileWriter& w) {  // weight: a kettlebell
             Fill(w, kGrey, 85, 30, 155, 100, true);
             Fill(w, kPale, 105, 50, 135, 85, true);
             Fill(w, kNavy, 50, 80, 190, 215, true);
         }},
        {"TECMPWR", 240, [](TMetafileWriter& w) {  // power: a flash
             FillPolygon(w, kGold, Points({{140, 20}, {60, 130}, {115, 130}, {95, 220}, {180, 100}, {125, 100}}));
         }},
        {"TECMDSG", 240, [](TMetafileWriter& w) {  // design: a cut gem
             FillPolygon(w, kSky, Points({{60, 40}, {180, 40}, {220, 90}, {120, 210}, {20, 90}}));
             Stroke(w, kBlue, 6, Points({{20, 90}, {220, 90}}));
             Stroke(w, kBlue, 6, Points({{90, 40}, {120, 210}, {150, 40}}));
         }},
        {"TECMNOI", 240, [](TMetafileWriter& w) {  // noise: a loudspeaker and its waves
             Fill(w, kNavy, 30, 90, 70, 150);
             FillPolygon(w, kNavy, Points({{70, 90}, {130, 40}, {130, 200}, {70, 150}}));
             Stroke(w, kBlue, 8, Points({{155, 90}, {165, 120}, {155, 150}}));
             Stroke(w, kBlue, 8, Points({{180, 65}, {200, 120}, {180, 175}}));
         }},
        {"TECMRNG", 240, [](TMetafileWriter& w) {  // range: a road to the horizon
             FillPolygon(w, kGrey, Points({{100, 40}, {140, 40}, {220, 220}, {20, 220}}));
             for (int y = 60; y < 210; y += 50) Fill(w, kWhite, 114, y, 126, y + 25);
         }},
        {"TECMSIZ", 240, [](TMetafileWriter& w) {  // size: nested squares
             Fill(w, kSky, 20, 20, 220, 220);
             Fill(w, kBlue, 60, 60, 180, 180);
             Fill(w, kNavy, 95, 95, 145, 145);
         }},
        {"TECMSPD", 240, [](TMetafileWriter& w) {  // speed: an arrow with speed lines
             FillPolygon(w, kRed, Points({{120, 60}, {220, 120}, {120, 180}}));
             for (int y = 80; y <= 160; y += 40) Stroke(w, kRed, 10, Points({{20, y}, {110, y}}));
         }},
        {"TECMGRP", 240, [](TMetafileWriter& w) {  // grip: a tyre
             Fill(w, kNavy, 20, 20, 220, 220, true);
             Fill(w, kGrey, 70, 70, 170, 170, true);
             Fill(w, kPale, 100, 100, 140, 140, true);
         }},
        {"TECMVOL", 240, [](TMetafileWriter& w) {  // volume: a can
             Fill(w, kBlue, 50, 50, 190, 210);
             Fill(w, kSky, 50, 30, 190, 70, true);
             Fill(w, kBlue, 50, 190, 190, 230, true);
         }},
        {"TECMAUT", 240, [](TMetafileWriter& w) {  // autonomy: a charged battery
             Fill(w, kNavy, 30, 70, 200, 170);
             Fill(w, kNavy, 200, 100, 220, 140);
             Fill(w, kWhite, 40, 80, 190, 160);
             for (int x = 45; x < 180; x += 35) Fill(w, kGreen, x, 85, x + 28, 155);
         }},
    };
    return pictures;
}

bool Write(const std::filesystem::path& directory, const std::string& name, const std::function<void(TMetafileWriter&)>& draw) {
    TMetafileWriter writer;
    draw(writer);
    const std::filesystem::path target = directory / name;
    const std::filesystem::path temporary = directory / (name + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary);
        out << writer.PlaceableBytes();
        if (!out.flush()) {
            std::cerr << "cannot write " << temporary << '\n';
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) std::cerr << "cannot replace " << target << ": " << error.message() << '\n';
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pictures <output directory>\n";
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    bool ok = !error;
    const std::vector<std::pair<std::string, std::function<void(TMetafileWriter&)>>> pictures{
        {"SPLASH.WMF", Splash},
        {"SPLASH1.WMF", SplashProgram},
        {"SPLASH2.WMF", SplashAuthors},
        {"SPLASH3.WMF", SplashMaker},
        {"SPLASH4.WMF", SplashTeam},
        {"MAINNIND.WMF", TeamPageWithoutIndustry},
        {"MAININD.WMF", TeamPageWithIndustry},
        {"LOGOCR.WMF", [](TMetafileWriter& w) { Logo(w, "Company report"); }},
        {"LOGONL.WMF", [](TMetafileWriter& w) { Logo(w, "Newsletter"); }},
        {"LOGOCV.WMF", [](TMetafileWriter& w) { Logo(w, "Market research studies"); }},
        {"LOGODEC.WMF", [](TMetafileWriter& w) { Logo(w, "Decisions"); }},
        {"LOGOBGT.WMF", [](TMetafileWriter& w) { Logo(w, "Budget"); }},
        {"LOGOPLAN.WMF", [](TMetafileWriter& w) { Logo(w, "Marketing plan"); }},
        {"BBBRDPF.WMF", BrandPortfolioScene},
        {"BBMKTMIX.WMF", MarketingMixScene},
        {"BBDISTR.WMF", DistributionScene},
        {"BBSTUDY.WMF", StudiesScene},
        {"BBRND.WMF", RnDScene},
        {"GSPVGA.WMF", [](TMetafileWriter& w) { GrowthShareQuadrants(w, 640, 400); }},
        {"GSPSVGA.WMF", [](TMetafileWriter& w) { GrowthShareQuadrants(w, 1024, 640); }},
    };
    for (const auto& [name, draw] : pictures) ok = Write(directory, name, draw) && ok;
    for (const auto* square : {&ButtonPictures(), &CharacteristicPictures()}) {
        for (const TButtonPicture& picture : *square) {
            ok = Write(directory, picture.Name + ".WMF", [&picture](TMetafileWriter& w) {
                     w.SetWindow(0, 0, picture.Units, picture.Units);
                     picture.Glyph(w);
                 }) && ok;
        }
    }
    return ok ? 0 : 1;
}
