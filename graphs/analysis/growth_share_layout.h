#pragma once
// The figures of the growth-share portfolio chart: which brand-segment pairs
// of a firm become bubbles, the ranges of the two axes, each bubble's place on
// the logarithmic share axis and where its label goes.
//
// Display-free: the chart feeds it the segments and pairs of the markets it
// shows and draws what it answers.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cv {

// Relative share of a brand with no rival in the segment.
inline constexpr double NoRivalShare = 2147483647.0;
// The chart holds this many bubbles; further pairs are left out.
inline constexpr int MaxGspBubbles = 75;

struct TGspAxes {
    double growthMin = 0;
    double growthMax = 0;
    double shareMin = 0;
    double shareMax = 0;
};

struct TGspBubble {
    std::string label;
    double x = 0;       // 0..1 along the logarithmic share axis
    double growth = 0;
    double size = 0;
    int market = 0;
    int labelPosition = 0;  // 1 above, 2 below
    double labelDx = 0;
};

// A label under the share axis: x, and the share it names.
struct TGspAxisMarker {
    double x = 0;
    double share = 0;
};

class TGspLayout {
public:
    // Position of x on a logarithmic axis from lo (0) to hi (1); 0 when
    // lo <= 0, hi <= lo or x <= 0.
    static double LogScale(double x, double lo, double hi);

    // Brand name, "-", the segment's initial, cut to 16 characters.
    static std::string PairLabel(std::string_view brandName, std::string_view segmentInitial);

    // Every segment of the markets shown widens the growth range, bubbles or not.
    void AddSegmentGrowth(double growth);

    // A pair of one of the firm's brands and a segment: share of the segment's
    // value and the largest rival share (0 when no rival sells there). Returns
    // whether it became a bubble: relative share above the axis minimum and a
    // share above 5 %.
    bool AddPair(std::string label, double share, double largestRivalShare, double segmentValue, double growth,
                 int market);

    int BubbleCount() const { return static_cast<int>(pairs_.size()); }

    TGspAxes Axes() const;
    std::vector<TGspBubble> Bubbles(const TGspAxes& axes) const;
    // The share maximum, 1.0 and the share minimum.
    std::array<TGspAxisMarker, 3> AxisMarkers(const TGspAxes& axes) const;

private:
    struct TPair {
        std::string label;
        double size;
        double growth;
        double relative;
        int market;
    };

    std::vector<TPair> pairs_;
    double growthMin_ = 2147483647.0;
    double growthMax_ = -2147483647.0;
    double shareMax_ = -2147483647.0;
};

}  // namespace cv
