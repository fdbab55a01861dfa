#pragma once
// The bar's control places worked out by hand for the rooms the tests meet:
// the two screens without a window manager, and the same screens less a frame
// of 1 pixel at the left, right and bottom and 20 at the top (the title bar).
//
// 1024 x 768: scale 1.6 both ways, bar height Round(92.8) + 27 = 120;
// page buttons keep top 4 and width 93, left Round(left x 1.6), height
// Round(52.8) = 53; tool buttons move 1024 - 640 = 384 to the right, top
// 120 - 24 - 2 = 94; the close button is 45 wide, Round(52.8) = 53 high at top
// 4, its right edge on the about button's: 996 + 24 - 45 = 975.
// 640 x 480: bar height 85; page buttons at top 1, design left and height;
// tool buttons at design left, top 85 - 24 = 61; the close button at top 0,
// 33 + 2 = 35 high, left 612 + 24 - 45 = 591.
// 1022 x 747: scale 1.596875 across, 1.55625 down; bar height
// Round(90.2625) + 27 = 117; page buttons at top 4, Round(51.356) = 51 high,
// lefts 6.39, 159.69, 312.99, 466.29, 619.59, 772.89 rounded; tool buttons
// 382 to the right at top 117 - 24 - 2 = 91; the close button 51 high at top 4,
// left 994 + 24 - 45 = 973.
// 638 x 459: scale 0.996875 across, 0.95625 down (not 1: no design-screen
// tops); bar height Round(55.4625) + 27 = 82; page buttons at top 4,
// Round(31.556) = 32 high, lefts 3.99, 99.69, 195.39, 291.09, 386.79, 482.49
// rounded; tool buttons 2 to the left at top 82 - 24 - 2 = 56; the close button
// 32 high at top 4, left 610 + 24 - 45 = 589.

#include <QRect>
#include <QSize>
#include <string>
#include <vector>

namespace cv::test {

struct TExpectedPlace {
    std::string name;
    QRect place;
};

struct TExpectedBar {
    QSize room;
    int height;
    std::vector<TExpectedPlace> places;
};

inline const std::vector<TExpectedBar>& ExpectedBars() {
    static const std::vector<TExpectedBar> bars{
        {{640, 480},
         85,
         {{"SpBDec", {4, 1, 93, 33}},          {"SpBResult", {100, 1, 93, 33}},
          {"SpBNLetter", {196, 1, 93, 33}},    {"SpBStudies", {292, 1, 93, 33}},
          {"SpBGraph", {388, 1, 93, 33}},      {"SpBInterface", {484, 1, 93, 33}},
          {"SbCopyToClip", {256, 61, 24, 24}}, {"sbPrint", {288, 61, 20, 24}},
          {"sbPrevPage", {204, 61, 24, 24}},   {"sbNextPage", {228, 61, 24, 24}},
          {"sbDateTime", {312, 61, 241, 24}},  {"sbConfig", {556, 61, 24, 24}},
          {"sbHelp", {584, 61, 24, 24}},       {"sbAbout", {612, 61, 24, 24}},
          {"sbCloseApp", {591, 0, 45, 35}}}},
        {{1024, 768},
         120,
         {{"SpBDec", {6, 4, 93, 53}},          {"SpBResult", {160, 4, 93, 53}},
          {"SpBNLetter", {314, 4, 93, 53}},    {"SpBStudies", {467, 4, 93, 53}},
          {"SpBGraph", {621, 4, 93, 53}},      {"SpBInterface", {774, 4, 93, 53}},
          {"SbCopyToClip", {640, 94, 24, 24}}, {"sbPrint", {672, 94, 20, 24}},
          {"sbPrevPage", {588, 94, 24, 24}},   {"sbNextPage", {612, 94, 24, 24}},
          {"sbDateTime", {696, 94, 241, 24}},  {"sbConfig", {940, 94, 24, 24}},
          {"sbHelp", {968, 94, 24, 24}},       {"sbAbout", {996, 94, 24, 24}},
          {"sbCloseApp", {975, 4, 45, 53}}}},
        {{1022, 747},
         117,
         {{"SpBDec", {6, 4, 93, 51}},          {"SpBResult", {160, 4, 93, 51}},
          {"SpBNLetter", {313, 4, 93, 51}},    {"SpBStudies", {466, 4, 93, 51}},
          {"SpBGraph", {620, 4, 93, 51}},      {"SpBInterface", {773, 4, 93, 51}},
          {"SbCopyToClip", {638, 91, 24, 24}}, {"sbPrint", {670, 91, 20, 24}},
          {"sbPrevPage", {586, 91, 24, 24}},   {"sbNextPage", {610, 91, 24, 24}},
          {"sbDateTime", {694, 91, 241, 24}},  {"sbConfig", {938, 91, 24, 24}},
          {"sbHelp", {966, 91, 24, 24}},       {"sbAbout", {994, 91, 24, 24}},
          {"sbCloseApp", {973, 4, 45, 51}}}},
        {{638, 459},
         82,
         {{"SpBDec", {4, 4, 93, 32}},          {"SpBResult", {100, 4, 93, 32}},
          {"SpBNLetter", {195, 4, 93, 32}},    {"SpBStudies", {291, 4, 93, 32}},
          {"SpBGraph", {387, 4, 93, 32}},      {"SpBInterface", {482, 4, 93, 32}},
          {"SbCopyToClip", {254, 56, 24, 24}}, {"sbPrint", {286, 56, 20, 24}},
          {"sbPrevPage", {202, 56, 24, 24}},   {"sbNextPage", {226, 56, 24, 24}},
          {"sbDateTime", {310, 56, 241, 24}},  {"sbConfig", {554, 56, 24, 24}},
          {"sbHelp", {582, 56, 24, 24}},       {"sbAbout", {610, 56, 24, 24}},
          {"sbCloseApp", {589, 4, 45, 32}}}},
    };
    return bars;
}

}  // namespace cv::test
