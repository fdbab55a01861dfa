#pragma once
// TGspGraph: the growth-share portfolio of one firm. One bubble per pair of
// a brand of the firm and a segment it sells in: across, the brand's value
// share relative to its strongest rival there (logarithmic), up, the growth
// the market study expects for the segment, the size its value sales. The
// plot lies over the quadrant picture of the screen's size.

#include "graphs/analysis/growth_share_layout.h"
#include "graphs/charts/anal_graph.h"

namespace cv {

class TGspGraph : public TCVChart {
public:
    TGspGraph(QWidget* owner, const TChartPlace& place, const TDataContext& context);
    void Build(const TDataContext& context) override;

    const TGspAxes& Axes() const { return axes_; }
    int BubbleCount() const { return bubbleCount_; }
    // The backdrop picture's file name for a screen Width pixels wide.
    static const char* PictureName(int screenWidth);

private:
    void Collect(TGspLayout& layout) const;

    TGspAxes axes_;
    int bubbleCount_ = 0;
};

}  // namespace cv
