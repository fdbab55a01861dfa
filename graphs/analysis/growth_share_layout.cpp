#include "graphs/analysis/growth_share_layout.h"

#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"

namespace cv {

namespace {

constexpr double ShareAxisMin = 0.1;
constexpr double MinPairShare = 0.05;
constexpr double GrowthStep = 0.05;
constexpr double ShareStep = 5;
constexpr double EmptyShareMax = 10;
constexpr double EmptyGrowthHalfRange = 0.1;
constexpr double LabelSideOffset = 0.25;
constexpr std::size_t MaxLabelLength = 16;

}  // namespace

double TGspLayout::LogScale(double x, double lo, double hi) {
    if (lo <= 0 || hi <= lo || x <= 0) return 0;
    return std::log10(x / lo) / std::log10(hi / lo);
}

std::string TGspLayout::PairLabel(std::string_view brandName, std::string_view segmentInitial) {
    std::string label(brandName);
    label += '-';
    label += segmentInitial;
    if (label.size() > MaxLabelLength) label.resize(MaxLabelLength);
    return label;
}

void TGspLayout::AddSegmentGrowth(double growth) {
    growthMin_ = std::min(growthMin_, growth);
    growthMax_ = std::max(growthMax_, growth);
}

bool TGspLayout::AddPair(std::string label, double share, double largestRivalShare, double segmentValue, double growth,
                         int market) {
    const double relative = SafeDiv(share, largestRivalShare, NoRivalShare);
    if (relative <= ShareAxisMin || share <= MinPairShare || BubbleCount() >= MaxGspBubbles) return false;
    pairs_.push_back({std::move(label), segmentValue * share, growth, relative, market});
    if (relative != NoRivalShare && relative > shareMax_) shareMax_ = relative;
    return true;
}

TGspAxes TGspLayout::Axes() const {
    TGspAxes axes{growthMin_, growthMax_, ShareAxisMin, shareMax_};
    if (pairs_.empty()) {
        axes.growthMin = -EmptyGrowthHalfRange;
        axes.growthMax = EmptyGrowthHalfRange;
        axes.shareMax = EmptyShareMax;
    }
    // Bubbles whose brands all lack a rival leave no share maximum: the empty
    // chart's range then, rather than an axis that ends below its start.
    if (axes.shareMax < 1) axes.shareMax = EmptyShareMax;

    const double margin = (axes.growthMax - axes.growthMin) * 0.1;
    axes.growthMin = RoundToStepDir(axes.growthMin - margin, -GrowthStep);
    axes.growthMax = RoundToStepDir(axes.growthMax + margin, GrowthStep);
    // One growth on a multiple of the step would give an axis of no height.
    if (axes.growthMax <= axes.growthMin) {
        axes.growthMin -= GrowthStep;
        axes.growthMax += GrowthStep;
    }
    axes.shareMax = RoundToStepDir(axes.shareMax, ShareStep);
    return axes;
}

std::vector<TGspBubble> TGspLayout::Bubbles(const TGspAxes& axes) const {
    const double middleGrowth = axes.growthMin + (axes.growthMax - axes.growthMin) * 0.5;
    const double shareSpan = axes.shareMax - axes.shareMin;
    std::vector<TGspBubble> bubbles;
    bubbles.reserve(pairs_.size());
    for (const TPair& pair : pairs_) {
        TGspBubble bubble;
        bubble.label = pair.label;
        bubble.x = pair.relative == NoRivalShare ? 1.0 : LogScale(pair.relative, axes.shareMin, axes.shareMax);
        bubble.growth = pair.growth;
        bubble.size = pair.size;
        bubble.market = pair.market;
        // Labels of the lower half go above their bubbles, the others below;
        // near the ends of the share axis they lean inwards. Where labels
        // would meet, the chart moves them apart beside their own bubbles.
        bubble.labelPosition = pair.growth < middleGrowth ? 1 : 2;
        if (pair.relative < axes.shareMin + shareSpan * 0.2) bubble.labelDx = -LabelSideOffset;
        else if (pair.relative > axes.shareMin + shareSpan * 0.8) bubble.labelDx = LabelSideOffset;
        bubbles.push_back(std::move(bubble));
    }
    return bubbles;
}

std::array<TGspAxisMarker, 3> TGspLayout::AxisMarkers(const TGspAxes& axes) const {
    return {TGspAxisMarker{1.0, axes.shareMax}, TGspAxisMarker{LogScale(1.0, axes.shareMin, axes.shareMax), 1.0},
            TGspAxisMarker{0.0, axes.shareMin}};
}

}  // namespace cv
