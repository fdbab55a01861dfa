#pragma once
// Where a volume set may put new bytes without touching anything that the file
// on disk still refers to.
//
// The committed state is what the header on disk describes: the header, its
// volumes and its table. Until the next header is written, those bytes must
// stay as they are, so that a crash leaves a readable file. New and rewritten
// volumes therefore go to space outside the committed state: first a gap that
// is dead in it (an old copy of a relocated volume, an old table), otherwise
// the free end of the file. After each commit the map is rebuilt from the new
// state, so that dead space is reused and the file does not keep growing.

#include <cstdint>
#include <map>
#include <vector>

namespace cv {

struct TExtent {
    std::int64_t offset = 0;
    std::int64_t size = 0;
    std::int64_t End() const { return offset + size; }
};

class TVolSpace {
public:
    // Offsets are signed 32-bit in the file: no byte may lie at or beyond this.
    static constexpr std::int64_t kFileLimit = INT32_MAX;

    // Takes Live (the committed state's extents, any order; empty ones are
    // ignored) as the new committed state: the gaps between them become free,
    // and the free end is the end of the last one.
    void Rebuild(std::vector<TExtent> live);

    // The offset of Size bytes that nothing live uses, or -1 when the file
    // would grow beyond kFileLimit. An empty extent takes no space.
    std::int64_t Allocate(std::int64_t size);
    // Gives back an extent obtained from Allocate since the last Rebuild.
    void Release(TExtent extent);

    // Where the volume table goes when the volumes end at DataEnd: right there
    // unless that would overwrite a committed extent (the table now on disk, an
    // old volume copy), then beyond everything committed. -1 beyond kFileLimit.
    std::int64_t PlaceTable(std::int64_t dataEnd, std::int64_t size) const;

    bool OverlapsCommitted(TExtent extent) const;
    std::int64_t FreeEnd() const { return freeEnd_; }
    std::int64_t CommittedEnd() const { return committed_.empty() ? 0 : committed_.back().End(); }

private:
    std::map<std::int64_t, std::int64_t> gaps_;  // offset -> size, dead in the committed state, unused since
    std::vector<TExtent> committed_;             // sorted by offset, disjoint
    std::int64_t freeEnd_ = 0;
};

}  // namespace cv
