// The volume cache: one read serves the volumes around the one asked for,
// within the 1 MiB limit, without hiding changed volumes or load dates; the
// least recently used block gives way, written first when it was changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/base/errors.h"
#include "core/store/volume_set.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using namespace test;

constexpr std::int16_t kManyVolumes = 400;
constexpr std::uint16_t kVolumeSize = 4000;

char Fill(int key) { return static_cast<char>('A' + key % 26); }

// Count volumes of Size bytes in key order from offset 365.
std::string BuildSet(const TempDir& dir, std::int16_t count, std::uint16_t size, ManualClock* clock = nullptr) {
    const std::string file = dir / "cache.vs";
    TVolSet set(clock ? clock->Function() : LocalNowDateTime);
    CreateWithOneKey(set, file, kManyVolumes);
    for (std::int16_t key = 1; key <= count; ++key) Store(set, Payload(size, Fill(key)), {key});
    set.Close();
    return file;
}

TEST(VolSetCache, OneReadServesTheVolumesAroundTheOneAskedFor) {
    TempDir dir;
    // 400 volumes of 4,000 bytes: 1.6 MB of data, more than the cache holds.
    const std::string file = BuildSet(dir, kManyVolumes, kVolumeSize);
    TVolSet set;
    set.OpenReadOnly(file);
    ASSERT_EQ(Load(set, {1}), Payload(kVolumeSize, Fill(1)));
    // The read takes the 65,536 bytes from volume 1 on, which hold volumes 1..16 (64,000 bytes).
    EXPECT_EQ(set.BytesInMemory(), 65536u);
    // Volumes 2..16 come from that read; volume 17 runs past it and is read anew.
    std::string bytes = ReadFileBytes(file);
    std::fill(bytes.begin() + 365, bytes.begin() + 365 + kManyVolumes * kVolumeSize, 'z');
    WriteFileBytes(file, bytes);
    for (std::int16_t key = 2; key <= 16; ++key) EXPECT_EQ(Load(set, {key}), Payload(kVolumeSize, Fill(key))) << key;
    EXPECT_EQ(Load(set, {17}), Payload(kVolumeSize, 'z'));
    EXPECT_EQ(set.BytesInMemory(), 2u * 65536u);
}

// A data area that fits is one read; a volume the file no longer holds raises an error.
TEST(VolSetCache, WholeDataAreaIsOneReadAndAVolumePastTheFilesEndIsAnError) {
    TempDir dir;
    const std::string file = BuildSet(dir, 9, 100);
    TVolSet set;
    set.OpenReadOnly(file);
    // Cut behind 4.5 volumes: 365 + 450 bytes remain.
    std::filesystem::resize_file(file, 365 + 450);
    EXPECT_EQ(Load(set, {2}), Payload(100, Fill(2)));  // the first read takes the data area's 900 bytes
    EXPECT_EQ(Load(set, {4}), Payload(100, Fill(4)));
    const std::string message = ErrorText<EVolSetError>([&] { Load(set, {7}); });
    for (const char* part : {"volume (7)", "offset 965", "ends before it"}) EXPECT_PRED2(Contains, message, part);
    EXPECT_EQ(set.BytesInMemory(), 900u);
}

TEST(VolSetCache, ChangedVolumesWinOverTheFileAndTheLimitHolds) {
    TempDir dir;
    const std::string file = BuildSet(dir, kManyVolumes, kVolumeSize);
    {
        TVolSet set;
        set.OpenReadWrite(file);
        // Volume 5 changes in memory only; the read for volume 1 also covers its old bytes.
        Store(set, Payload(kVolumeSize, '5'), {5});
        EXPECT_EQ(Load(set, {1}), Payload(kVolumeSize, Fill(1)));
        // Every volume in a scattered order, reads and evictions mixed with
        // stores that move volumes to new space.
        std::vector<std::int16_t> keys(kManyVolumes);
        for (std::int16_t key = 1; key <= kManyVolumes; ++key) keys[static_cast<std::size_t>(key - 1)] = key;
        std::shuffle(keys.begin(), keys.end(), std::mt19937(3));
        for (std::int16_t key : keys) {
            ASSERT_EQ(Load(set, {key}), Payload(kVolumeSize, key == 5 ? '5' : Fill(key))) << key;
            ASSERT_LE(set.BytesInMemory(), TVolSet::kMemoryLimit) << key;
            if (key % 7 == 0) Store(set, Payload(kVolumeSize / 2, '7'), {key});
        }
        set.Close();
    }
    TVolumes expected;
    for (std::int16_t key = 1; key <= kManyVolumes; ++key)
        expected[key] = key % 7 == 0 ? Payload(kVolumeSize / 2, '7') : Payload(kVolumeSize, key == 5 ? '5' : Fill(key));
    EXPECT_EQ(ReadVolumes(file, kManyVolumes), expected);
}

TEST(VolSetCache, LoadDatesAreTheTimesTheVolumesWereFirstAskedFor) {
    TempDir dir;
    ManualClock clock;
    const std::string file = BuildSet(dir, 3, 10, &clock);
    TVolSet set(clock.Function());
    set.OpenReadWrite(file);
    clock.now = 200;
    Load(set, {1});  // one read brings all three into memory
    clock.now = 300;
    Load(set, {2});
    Load(set, {1});  // asked again: keeps its first load time
    // Volume 3 was read along, never asked for.
    EXPECT_EQ((std::vector<double>{set.Entry(0).loaded, set.Entry(1).loaded, set.Entry(2).loaded,
                                   set.Header().lastLoaded}),
              (std::vector<double>{200, 300, 0, 300}));
    set.Close();
    // The new table went behind the old one (365 + 30 + 3 x 50 = 545): entries
    // of 50 bytes, the load date at 38.
    const std::string bytes = ReadFileBytes(file);
    ASSERT_EQ(GetI32(bytes, 161), 545);
    EXPECT_EQ((std::vector<double>{GetF64(bytes, 545 + 38), GetF64(bytes, 545 + 50 + 38), GetF64(bytes, 545 + 100 + 38),
                                   GetF64(bytes, 185)}),
              (std::vector<double>{200, 300, 0, 300}));
}

// 16 volumes of 65,535 bytes (1,048,560) fit under the 1,048,576-byte limit; a 17th does not.
constexpr std::uint16_t kBigVolume = 65535;
constexpr int kVolumesThatFit = 16;

std::string BigPayload(int index) { return Payload(kBigVolume, static_cast<char>('A' + index)); }

TEST(VolSetCache, EvictionWritesTheLeastRecentlyUsedDirtyBlockAndReadsItBack) {
    TempDir dir;
    ManualClock clock;  // every store and load in one clock tick
    const std::string file = dir / "evict.vs";
    TVolSet set(clock.Function());
    CreateWithOneKey(set, file, 100);
    for (std::int16_t v = 1; v <= kVolumesThatFit; ++v) Store(set, BigPayload(v), {v});
    EXPECT_EQ(set.BytesInMemory(), 16u * kBigVolume);
    EXPECT_EQ(Load(set, {1}), BigPayload(1));  // volume 1 is now the most recently used
    Store(set, BigPayload(17), {17});         // must evict volume 2, the least recently used
    EXPECT_EQ(set.BytesInMemory(), 16u * kBigVolume);
    // Volume 2 was written at its offset before its block was freed; volume 1 is still only in memory.
    const std::string bytes = ReadFileBytes(file);
    ASSERT_GE(bytes.size(), static_cast<std::size_t>(set.Entry(1).offset) + kBigVolume);
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(set.Entry(1).offset), kBigVolume), BigPayload(2));
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(set.Entry(0).offset), 10), std::string(10, '\0'));
    for (std::int16_t v = 1; v <= 17; ++v) EXPECT_EQ(Load(set, {v}), BigPayload(v)) << v;
    EXPECT_LE(set.BytesInMemory(), TVolSet::kMemoryLimit);
    set.Close();
    TVolumes expected;
    for (std::int16_t v = 1; v <= 17; ++v) expected[v] = BigPayload(v);
    EXPECT_EQ(ReadVolumes(file), expected);
}

TEST(VolSetCache, DataFromTheCacheMayBeStoredUnderOtherKeys) {
    TempDir dir;
    TVolSet set;
    CreateWithOneKey(set, dir / "alias.vs", 100);
    Store(set, BigPayload(1), {1});
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    ASSERT_TRUE(set.VolumeGet(data, size, {1}));
    for (std::int16_t v = 2; v <= kVolumesThatFit; ++v) Store(set, BigPayload(v), {v});
    // Volume 1 is the least recently used: making room for the 17th releases
    // the very block that Data points into.
    set.VolumeSet(data, size, {17});
    EXPECT_EQ(Load(set, {17}) + Load(set, {1}), BigPayload(1) + BigPayload(1));
    set.Close();
}

}  // namespace
}  // namespace cv
