// Saves interrupted at every write and sync of the file layer, and saves that
// meet a full disk: the file always reopens in its previous or its new state,
// and a failed save is reported, never taken for a success.

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using namespace test;

struct SimulatedCrash {};

// Before: volumes 1..4. The save grows 1, rewrites 2 at its size, shrinks 3,
// keeps 4 and adds 5 and 6.
const TVolumes kBefore = {{1, Payload(100, 'a')}, {2, Payload(200, 'b')}, {3, Payload(300, 'c')}, {4, Payload(50, 'd')}};
const TVolumes kAfter = {{1, Payload(900, 'A')}, {2, Payload(200, 'B')}, {3, Payload(30, 'C')},
                       {4, Payload(50, 'd')},  {5, Payload(400, 'E')}, {6, Payload(10, 'F')}};

std::string MakeBefore(const TempDir& dir) {
    const std::string file = dir / "crash.vs";
    TVolSet set;
    CreateWithOneKey(set, file);
    StoreAll(set, kBefore);
    set.Close();
    return file;
}

// Opens File, stores the volumes of Next that differ from Previous, and saves
// (Flush or Close); the Crash-th write, sync or truncate (counted from 0)
// throws. Answers whether it did.
bool SaveWithCrashAt(const std::string& file, const TVolumes& previous, const TVolumes& next, int crash, bool viaClose) {
    int calls = 0;
    SetVolFileFaultHook([&](TVolFileOp, std::int64_t, std::size_t) -> int {
        if (calls++ == crash) throw SimulatedCrash{};
        return 0;
    });
    bool crashed = false;
    try {
        TVolSet set;
        set.OpenReadWrite(file);
        Load(set, {4});
        for (const auto& [key, bytes] : next)
            if (!previous.contains(key) || previous.at(key) != bytes) Store(set, bytes, {key});
        viaClose ? set.Close() : set.Flush();
    } catch (const SimulatedCrash&) {
        crashed = true;  // the set is dropped without a further write, as a crash would leave it
    }
    SetVolFileFaultHook({});
    return crashed;
}

// The state after Previous: a few volumes change size or content, now and then one is added.
TVolumes NextState(const TVolumes& previous, std::mt19937& random) {
    TVolumes next = previous;
    for (auto& [key, bytes] : next)
        if (random() % 2) bytes = Payload(1 + random() % 600, static_cast<char>('A' + random() % 26));
    const auto added = static_cast<std::int16_t>(1 + random() % 9);
    if (!next.contains(added)) next[added] = Payload(1 + random() % 600, 'n');
    return next;
}

// Runs a series of saves; each one is first interrupted at every file call in
// turn, from the same starting file, and must leave the old or the new state.
void CheckEveryCrashPoint(bool viaClose) {
    TempDir dir;
    const std::string file = MakeBefore(dir);
    std::mt19937 random(viaClose ? 11 : 12);
    TVolumes previous = kBefore;
    for (int save = 0; save < 12; ++save) {
        const TVolumes next = save == 0 ? kAfter : NextState(previous, random);
        const std::string start = ReadFileBytes(file);
        int oldStates = 0;
        for (int crash = 0;; ++crash) {
            WriteFileBytes(file, start);
            const bool crashed = SaveWithCrashAt(file, previous, next, crash, viaClose);
            const TVolumes state = ReadVolumes(file);
            if (!crashed) {
                ASSERT_EQ(state, next) << "save " << save;
                break;
            }
            oldStates += state == previous;
            ASSERT_TRUE(state == previous || state == next) << "save " << save << ", crash at file call " << crash;
        }
        // Every call before the header is written (a volume, a sync, the table, a sync) keeps the old state.
        EXPECT_GE(oldStates, 4) << "save " << save;
        previous = next;
    }
}

TEST(VolSetCrash, FlushOrCloseInterruptedAnywhereLeavesTheOldOrTheNewState) {
    CheckEveryCrashPoint(false);
    CheckEveryCrashPoint(true);
}

TEST(VolSetCrash, FullDiskIsReportedAndTheSaveSucceedsOnceThereIsRoom) {
    TempDir dir;
    const std::string file = MakeBefore(dir);
    for (TVolFileOp failing : {TVolFileOp::Write, TVolFileOp::Sync}) {
        SetVolFileFaultHook([&](TVolFileOp op, std::int64_t, std::size_t) { return op == failing ? ENOSPC : 0; });
        TVolSet set;
        set.OpenReadWrite(file);
        StoreAll(set, kAfter);
        EXPECT_PRED2(Contains, ErrorText<EVolSetError>([&] { set.Close(); }), "No space left on device");
        EXPECT_TRUE(set.IsOpen());
        SetVolFileFaultHook({});
        EXPECT_EQ(ReadVolumes(file), kBefore);
        set.Close();  // the same set saves once the disk has room
        EXPECT_EQ(ReadVolumes(file), kAfter);
        MakeBefore(dir);
    }
}

TEST(VolSetCrash, FullDiskDuringEvictionLosesNothing) {
    TempDir dir;
    const std::string file = dir / "evict.vs";
    TVolSet set;
    CreateWithOneKey(set, file, 100);
    constexpr std::uint16_t kBig = 65535;
    for (std::int16_t v = 1; v <= 16; ++v) Store(set, Payload(kBig, static_cast<char>('a' + v)), {v});
    SetVolFileFaultHook([](TVolFileOp, std::int64_t, std::size_t) { return ENOSPC; });
    // The 17th needs room: the dirty victim cannot be written, so the store is refused.
    EXPECT_THROW(Store(set, Payload(kBig, 'z'), {17}), EVolSetError);
    SetVolFileFaultHook({});
    EXPECT_EQ(Load(set, {17}), "<none>");
    Store(set, Payload(kBig, 'z'), {17});
    set.Close();
    TVolumes expected{{17, Payload(kBig, 'z')}};
    for (std::int16_t v = 1; v <= 16; ++v) expected[v] = Payload(kBig, static_cast<char>('a' + v));
    EXPECT_EQ(ReadVolumes(file), expected);
}

}  // namespace
}  // namespace cv
