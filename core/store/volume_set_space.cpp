#include "core/store/volume_set_space.h"

#include <algorithm>
#include <iterator>

namespace cv {

void TVolSpace::Rebuild(std::vector<TExtent> live) {
    std::erase_if(live, [](const TExtent& e) { return e.size <= 0; });
    std::sort(live.begin(), live.end(), [](const TExtent& a, const TExtent& b) { return a.offset < b.offset; });
    committed_.clear();
    gaps_.clear();
    std::int64_t end = 0;
    for (const TExtent& extent : live) {
        if (extent.offset > end) gaps_[end] = extent.offset - end;
        // Extents of a sound state never overlap; merging keeps the map sound anyway.
        if (!committed_.empty() && extent.offset < committed_.back().End())
            committed_.back().size = std::max(committed_.back().End(), extent.End()) - committed_.back().offset;
        else
            committed_.push_back(extent);
        end = std::max(end, extent.End());
    }
    freeEnd_ = end;
}

std::int64_t TVolSpace::Allocate(std::int64_t size) {
    if (size <= 0) return freeEnd_;
    for (auto gap = gaps_.begin(); gap != gaps_.end(); ++gap) {
        if (gap->second < size) continue;
        const std::int64_t offset = gap->first;
        const std::int64_t rest = gap->second - size;
        gaps_.erase(gap);
        if (rest > 0) gaps_[offset + size] = rest;
        return offset;
    }
    if (freeEnd_ + size > kFileLimit) return -1;
    const std::int64_t offset = freeEnd_;
    freeEnd_ += size;
    return offset;
}

void TVolSpace::Release(TExtent extent) {
    if (extent.size <= 0) return;
    auto next = gaps_.lower_bound(extent.offset);
    if (next != gaps_.begin()) {
        auto previous = std::prev(next);
        if (previous->first + previous->second == extent.offset) {
            extent = {previous->first, previous->second + extent.size};
            gaps_.erase(previous);
        }
    }
    if (next != gaps_.end() && next->first == extent.End()) {
        extent.size += next->second;
        gaps_.erase(next);
    }
    if (extent.End() == freeEnd_)
        freeEnd_ = extent.offset;
    else
        gaps_[extent.offset] = extent.size;
}

bool TVolSpace::OverlapsCommitted(TExtent extent) const {
    if (extent.size <= 0) return false;
    // The first committed extent that ends after the start of Extent.
    auto it = std::upper_bound(committed_.begin(), committed_.end(), extent.offset,
                               [](std::int64_t offset, const TExtent& e) { return offset < e.End(); });
    return it != committed_.end() && it->offset < extent.End();
}

std::int64_t TVolSpace::PlaceTable(std::int64_t dataEnd, std::int64_t size) const {
    std::int64_t offset = dataEnd;
    if (OverlapsCommitted({offset, size})) offset = std::max(offset, CommittedEnd());
    return offset + size > kFileLimit ? -1 : offset;
}

}  // namespace cv
