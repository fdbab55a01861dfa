#pragma once
// The bar's control places worked out by hand for the two screens the tests
// run on. 1024 x 768: scale 1.6 both ways, bar height Round(92.8) + 27 = 120;
// page buttons keep top 4 and width 93, left Round(left x 1.6), height
// Round(52.8) = 53; tool buttons move 1024 - 640 = 384 to the right, top
// 120 - 24 - 2 = 94; the close button is 45 wide, Round(52.8) = 53 high at top
// 4, its right edge on the about button's: 996 + 24 - 45 = 975.
// 640 x 480: bar height 85; page buttons at top 1, design left and height;
// tool buttons at design left, top 85 - 24 = 61; the close button at top 0,
// 33 + 2 = 35 high, left 612 + 24 - 45 = 591.

#include <QRect>
#include <QSize>
#include <string>
#include <vector>

namespace cv::test {

struct TExpectedPlace {
    std::string name;
    QRect place;
};

inline std::vector<TExpectedPlace> ExpectedBarPlaces(QSize screen) {
    if (screen == QSize(640, 480))
        return {{"SpBDec", {4, 1, 93, 33}},        {"SpBResult", {100, 1, 93, 33}},
                {"SpBNLetter", {196, 1, 93, 33}},  {"SpBStudies", {292, 1, 93, 33}},
                {"SpBGraph", {388, 1, 93, 33}},    {"SpBInterface", {484, 1, 93, 33}},
                {"SbCopyToClip", {256, 61, 24, 24}}, {"sbPrint", {288, 61, 20, 24}},
                {"sbPrevPage", {204, 61, 24, 24}}, {"sbNextPage", {228, 61, 24, 24}},
                {"sbDateTime", {312, 61, 241, 24}}, {"sbConfig", {556, 61, 24, 24}},
                {"sbHelp", {584, 61, 24, 24}},     {"sbAbout", {612, 61, 24, 24}},
                {"sbCloseApp", {591, 0, 45, 35}}};
    return {{"SpBDec", {6, 4, 93, 53}},          {"SpBResult", {160, 4, 93, 53}},
            {"SpBNLetter", {314, 4, 93, 53}},    {"SpBStudies", {467, 4, 93, 53}},
            {"SpBGraph", {621, 4, 93, 53}},      {"SpBInterface", {774, 4, 93, 53}},
            {"SbCopyToClip", {640, 94, 24, 24}}, {"sbPrint", {672, 94, 20, 24}},
            {"sbPrevPage", {588, 94, 24, 24}},   {"sbNextPage", {612, 94, 24, 24}},
            {"sbDateTime", {696, 94, 241, 24}},  {"sbConfig", {940, 94, 24, 24}},
            {"sbHelp", {968, 94, 24, 24}},       {"sbAbout", {996, 94, 24, 24}},
            {"sbCloseApp", {975, 4, 45, 53}}};
}

}  // namespace cv::test
