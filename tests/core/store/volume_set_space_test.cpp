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

TEST(VolSetSpace, AllocatesDeadGapsFirstThenTheFreeEnd) {
    TVolSpace space = SampleSpace();
    EXPECT_EQ((TOffsets{space.CommittedEnd(), space.FreeEnd()}), (TOffsets{620, 620}));
    // 60 fits the first gap 400..500; 50 does not fit the rest, 460..500; 40 takes exactly
    // the rest; an empty volume takes nothing. The braces call in order.
    EXPECT_EQ((TOffsets{space.Allocate(60), space.Allocate(50), space.Allocate(40), space.Allocate(1), space.FreeEnd(),
                        space.Allocate(0), space.FreeEnd()}),
              (TOffsets{400, 620, 460, 670, 671, 671, 671}));
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

TEST(VolSetSpace, TableNeverOverlapsCommittedBytes) {
    TVolSpace space = SampleSpace();
    EXPECT_EQ((std::vector<bool>{space.OverlapsCommitted({399, 2}), space.OverlapsCommitted({400, 100}),
                                 space.OverlapsCommitted({450, 51}), space.OverlapsCommitted({620, 1000}),
                                 space.OverlapsCommitted({500, 0})}),
              (std::vector<bool>{true, false, true, false, false}));
    // Data ending at 400: a table of 100 fits the dead gap; one of 101 would hit the
    // volume at 500 and goes beyond everything committed instead.
    EXPECT_EQ((TOffsets{space.PlaceTable(400, 100), space.PlaceTable(400, 101), space.PlaceTable(700, 50),
                        space.PlaceTable(TVolSpace::kFileLimit - 10, 50)}),
              (TOffsets{400, 620, 700, -1}));
}

TEST(VolSetSpace, ARebuildKeepsEveryGapBetweenLiveExtents) {
    TVolSpace space;
    space.Rebuild({{0, 365}, {366, 10}, {378, 2}});  // gaps of 1 at 365 and 2 at 376
    EXPECT_EQ((TOffsets{space.Allocate(1), space.Allocate(2), space.Allocate(1)}), (TOffsets{365, 376, 380}));
}

TEST(VolSetSpace, FileNeverGrowsBeyondTheOffsetRange) {
    TVolSpace space;
    space.Rebuild({{0, TVolSpace::kFileLimit - 100}});
    EXPECT_EQ((TOffsets{space.Allocate(101), space.Allocate(100)}), (TOffsets{-1, TVolSpace::kFileLimit - 100}));
}

}  // namespace
}  // namespace cv
