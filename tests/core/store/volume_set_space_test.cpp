#include "core/store/volume_set_space.h"

#include <gtest/gtest.h>

#include <vector>

namespace cv {
namespace {

using TOffsets = std::vector<std::int64_t>;

// Committed: header 0..365, a volume 365..400, dead 400..500, a volume 500..520, table 520..620.
TVolSpace SampleSpace() {
    TVolSpace space;
    space.Rebuild({{520, 100}, {0, 365}, {500, 20}, {365, 35}, {700, 0}});
    return space;
}

TEST(VolSetSpace, ReleasedExtentsMergeAndGiveBackTheEnd) {
    TVolSpace space = SampleSpace();
    const std::int64_t a = space.Allocate(30);   // 400..430
    const std::int64_t b = space.Allocate(70);   // 430..500
    const std::int64_t c = space.Allocate(10);   // 620..630
    const std::int64_t d = space.Allocate(10);   // 630..640
    EXPECT_EQ(b, 430);
    space.Release({a, 30});
    space.Release({b, 70});
    EXPECT_EQ(space.Allocate(100), 400);  // both merged into 400..500 again
    space.Release({d, 10});
    EXPECT_EQ(space.FreeEnd(), 630);
    space.Release({c, 10});
    EXPECT_EQ(space.FreeEnd(), 620);
}

// Gaps that do not touch stay apart whichever is released first: 400..430 and
// 470..500 around a live 430..470 never make a gap of 60.
TEST(VolSetSpace, GapsThatDoNotTouchAreNotMerged) {
    for (const bool lowerFirst : {true, false}) {
        TVolSpace space = SampleSpace();
        const TExtent lower{space.Allocate(30), 30};
        ASSERT_EQ(space.Allocate(40), 430);
        const TExtent upper{space.Allocate(30), 30};
        space.Release(lowerFirst ? lower : upper);
        space.Release(lowerFirst ? upper : lower);
        EXPECT_EQ((TOffsets{space.Allocate(60), space.Allocate(30), space.Allocate(30)}), (TOffsets{620, 400, 470}))
            << lowerFirst;
    }
}

TEST(VolSetSpace, ARebuildKeepsEveryGapBetweenLiveExtents) {
    TVolSpace space;
    space.Rebuild({{0, 365}, {366, 10}, {378, 2}});  // gaps of 1 at 365 and 2 at 376
    EXPECT_EQ((TOffsets{space.Allocate(1), space.Allocate(2), space.Allocate(1)}), (TOffsets{365, 376, 380}));
}

// The offsets are 32 bits: neither a volume nor the table may end past kFileLimit.
TEST(VolSetSpace, FileNeverGrowsBeyondTheOffsetRange) {
    TVolSpace space;
    space.Rebuild({{0, TVolSpace::kFileLimit - 100}});
    EXPECT_EQ((TOffsets{space.Allocate(101), space.Allocate(100), space.FreeEnd()}),
              (TOffsets{-1, TVolSpace::kFileLimit - 100, TVolSpace::kFileLimit}));
    // A table behind data that ends 50 bytes before the limit fits 50 bytes, not 51.
    const std::int64_t dataEnd = TVolSpace::kFileLimit - 50;
    EXPECT_EQ((TOffsets{TVolSpace{}.PlaceTable(dataEnd, 50), TVolSpace{}.PlaceTable(dataEnd, 51)}),
              (TOffsets{dataEnd, -1}));
}

}  // namespace
}  // namespace cv
