#pragma once
// TCjaUtilsGraph: the conjoint utilities of one segment. Each conjoint
// attribute a (1..4) is a block of four points at x (a - 1) x 5 + 1..4, one
// per level, up to the level's utility (0..1), each labelled with the level's
// value; the block is named after the semantic scale that stands for it.

#include "ui/chart/cv_chart.h"

namespace cv {

class TCjaUtilsGraph : public TCVChart {
public:
    static constexpr int kAttributes = 4;
    static constexpr int kLevels = 4;

    // The segment is the context's (SelSegment).
    TCjaUtilsGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset, int yOffset, int width,
                   int height, int mode);
    void Build(const TDataContext& context) override;

    int Segment() const { return segment_; }
    // Where level Level of attribute Attribute stands across the chart.
    static int LevelX(int attribute, int level) { return (attribute - 1) * (kLevels + 1) + level; }

private:
    void DrawAttribute(int scale, int attribute);

    int segment_ = 1;
};

}  // namespace cv
