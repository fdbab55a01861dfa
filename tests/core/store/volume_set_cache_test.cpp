// The volume cache: one read serves the volumes around the one asked for,
// within the 1 MiB limit, without hiding changed volumes or load dates.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using test::GetF64;
using test::Load;
using test::ManualClock;
using test::Payload;
using test::Store;
using test::TempDir;

constexpr std::int16_t kManyVolumes = 400;
constexpr std::uint16_t kVolumeSize = 4000;

char Fill(int key) { return static_cast<char>('A' + key % 26); }

// 400 volumes of 4,000 bytes in key order from offset 365: 1.6 MB of data,
// more than the cache holds.
std::string BuildLargeSet(const TempDir& dir) {
    const std::string file = dir / "large.vs";
    TVolSet set;
    set.Create(file, "Sig");
    set.AddKey("K", 1, kManyVolumes);
    for (std::int16_t key = 1; key <= kManyVolumes; ++key) Store(set, Payload(kVolumeSize, Fill(key)), {key});
    set.Close();
    return file;
}

// The file with every volume's bytes replaced by 'z', table and header kept.
void OverwriteVolumes(const std::string& file) {
    std::string bytes = test::ReadFileBytes(file);
    std::fill(bytes.begin() + 365, bytes.begin() + 365 + kManyVolumes * kVolumeSize, 'z');
    test::WriteFileBytes(file, bytes);
}

TEST(VolSetCache, OneReadServesTheVolumesAroundTheOneAskedFor) {
    TempDir dir;
    const std::string file = BuildLargeSet(dir);
    TVolSet set;
    set.OpenReadOnly(file);
    ASSERT_EQ(Load(set, {1}), Payload(kVolumeSize, Fill(1)));
    // The data area (1,600,000 bytes) exceeds the cache: the read takes the
    // 65,536 bytes from volume 1 on, which hold volumes 1..16 (64,000 bytes).
    EXPECT_EQ(set.BytesInMemory(), 65536u);

    // Volumes 2..16 come from that read; volume 17 runs past it and is read anew.
    OverwriteVolumes(file);
    for (std::int16_t key = 2; key <= 16; ++key) EXPECT_EQ(Load(set, {key}), Payload(kVolumeSize, Fill(key))) << key;
    EXPECT_EQ(Load(set, {17}), Payload(kVolumeSize, 'z'));
    EXPECT_EQ(set.BytesInMemory(), 2u * 65536u);
}

TEST(VolSetCache, WholeDataAreaIsOneReadWhenItFits) {
    TempDir dir;
    const std::string file = dir / "small.vs";
    {
        TVolSet set;
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        for (std::int16_t key = 1; key <= 9; ++key) Store(set, Payload(100u * key, Fill(key)), {key});
        set.Close();
    }
    TVolSet set;
    set.OpenReadOnly(file);
    EXPECT_EQ(Load(set, {5}), Payload(500, Fill(5)));
    // 100 x (1 + 2 + ... + 9) = 4,500 bytes, from 365 to the table at 4,865.
    EXPECT_EQ(set.Header().tableOffset, 4865);
    EXPECT_EQ(set.BytesInMemory(), 4500u);
    for (std::int16_t key = 1; key <= 9; ++key) EXPECT_EQ(Load(set, {key}), Payload(100u * key, Fill(key))) << key;
    EXPECT_EQ(set.BytesInMemory(), 4500u);
}

TEST(VolSetCache, ChangedVolumesWinOverTheFileAndTheLimitHolds) {
    TempDir dir;
    const std::string file = BuildLargeSet(dir);
    {
        TVolSet set;
        set.OpenReadWrite(file);
        // Volume 5 changes in memory only; the read for volume 1 also covers its old bytes.
        Store(set, Payload(kVolumeSize, '5'), {5});
        EXPECT_EQ(Load(set, {1}), Payload(kVolumeSize, Fill(1)));
        EXPECT_EQ(Load(set, {5}), Payload(kVolumeSize, '5'));

        // Every volume in a scattered order, reads and evictions mixed with
        // stores that move volumes to new space.
        std::vector<std::int16_t> keys(kManyVolumes);
        for (std::int16_t key = 1; key <= kManyVolumes; ++key) keys[static_cast<std::size_t>(key - 1)] = key;
        std::shuffle(keys.begin(), keys.end(), std::mt19937(3));
        for (std::int16_t key : keys) {
            const std::string expected = key == 5 ? Payload(kVolumeSize, '5') : Payload(kVolumeSize, Fill(key));
            ASSERT_EQ(Load(set, {key}), expected) << key;
            ASSERT_LE(set.BytesInMemory(), TVolSet::kMemoryLimit) << key;
            if (key % 7 == 0) Store(set, Payload(kVolumeSize / 2, '7'), {key});
        }
        set.Close();
    }
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    for (std::int16_t key = 1; key <= kManyVolumes; ++key) {
        std::string expected = Payload(kVolumeSize, Fill(key));
        if (key == 5) expected = Payload(kVolumeSize, '5');
        if (key % 7 == 0) expected = Payload(kVolumeSize / 2, '7');
        ASSERT_EQ(Load(reopened, {key}), expected) << key;
    }
}

TEST(VolSetCache, LoadDatesAreTheTimesTheVolumesWereAskedFor) {
    TempDir dir;
    ManualClock clock;
    const std::string file = dir / "dates.vs";
    {
        TVolSet set(clock.Function());
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        for (std::int16_t key = 1; key <= 3; ++key) Store(set, Payload(10, Fill(key)), {key});
        set.Close();
    }
    TVolSet set(clock.Function());
    set.OpenReadWrite(file);
    clock.now = 200;
    Load(set, {1});  // one read brings all three into memory
    clock.now = 300;
    Load(set, {2});
    EXPECT_EQ(set.Entry(0).loaded, 200);
    EXPECT_EQ(set.Entry(1).loaded, 300);
    EXPECT_EQ(set.Entry(2).loaded, 0);  // read along, never asked for
    EXPECT_EQ(set.Header().lastLoaded, 300);
    set.Close();
    // The new table went behind the old one (365 + 30 + 3 x 50 = 545): entries
    // of 50 bytes, the load date at 38.
    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_EQ(test::GetI32(bytes, 161), 545);
    EXPECT_EQ(GetF64(bytes, 545 + 38), 200);
    EXPECT_EQ(GetF64(bytes, 545 + 50 + 38), 300);
    EXPECT_EQ(GetF64(bytes, 545 + 100 + 38), 0);
    EXPECT_EQ(GetF64(bytes, 185), 300);
}

TEST(VolSetCache, AVolumeTheFileNoLongerHoldsRaisesAnError) {
    TempDir dir;
    const std::string file = dir / "shrunk.vs";
    {
        TVolSet set;
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        for (std::int16_t key = 1; key <= 9; ++key) Store(set, Payload(100, Fill(key)), {key});
        set.Close();
    }
    TVolSet set;
    set.OpenReadOnly(file);
    // Cut behind 4.5 volumes: 365 + 450 bytes remain.
    std::filesystem::resize_file(file, 365 + 450);
    EXPECT_EQ(Load(set, {2}), Payload(100, Fill(2)));
    EXPECT_EQ(Load(set, {4}), Payload(100, Fill(4)));
    const std::string message = test::ErrorText<EVolSetError>([&] { Load(set, {7}); });
    for (const char* part : {"volume (7)", "offset 965", "ends before it"}) EXPECT_PRED2(test::Contains, message, part);
    EXPECT_THROW(Load(set, {5}), EVolSetError);  // half of it is left
    // The first read (the data area, 900 bytes) stays; the failed ones hold nothing.
    EXPECT_EQ(set.BytesInMemory(), 900u);
    EXPECT_EQ(Load(set, {1}), Payload(100, Fill(1)));
}

}  // namespace
}  // namespace cv
