// The volume cache under its 1 MiB limit: the least recently used block gives
// way, written first when it was changed; a read from the file never hides a
// volume changed in memory, even one stored into space the read covers; bytes
// handed out from the cache may be stored again under other keys even when
// storing them releases their block.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/store/volume_set.h"
#include "tests/support/temp_dir.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using namespace test;

// 16 volumes of 65,535 bytes (1,048,560) fit under the 1,048,576-byte limit; a 17th does not.
constexpr std::uint16_t kBigVolume = 65535;
constexpr int kVolumesThatFit = 16;

std::string BigPayload(int index) { return Payload(kBigVolume, static_cast<char>('A' + index)); }

TEST(VolSetCache, EvictionWritesTheLeastRecentlyUsedDirtyBlockAndReadsItBack) {
    TempDir dir;
    const std::string file = dir / "evict.vs";
    TVolSet set;
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

constexpr std::int16_t kManyVolumes = 400;
constexpr std::uint16_t kVolumeSize = 4000;

char Fill(int key) { return static_cast<char>('A' + key % 26); }

// Reads, evictions and stores mixed over more volumes than the cache holds:
// every volume reads as last stored and the cache never passes its limit.
TEST(VolSetCache, ScatteredReadsStoresAndEvictionsKeepEveryVolumeWithinTheLimit) {
    TempDir dir;
    const std::string file = dir / "cache.vs";
    {
        // 400 volumes of 4,000 bytes: 1.6 MB of data, more than the cache holds.
        TVolSet set;
        CreateWithOneKey(set, file, kManyVolumes);
        for (std::int16_t key = 1; key <= kManyVolumes; ++key) Store(set, Payload(kVolumeSize, Fill(key)), {key});
        set.Close();
    }
    {
        TVolSet set;
        set.OpenReadWrite(file);
        // Volume 5 changes in memory only; the read for volume 1 takes in the volumes after it.
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

// A save leaves the old copy of a rewritten volume dead inside the data area,
// and the next volume stored takes that gap, in memory only until the next
// save. A read of the whole data area brings the gap's old bytes along: the
// changed volume keeps its own.
TEST(VolSetCache, AChangedVolumeInReusedSpaceKeepsItsBytesWhenAReadCoversThem) {
    TempDir dir;
    const std::string file = dir / "gap.vs";
    TVolumes volumes;
    for (std::int16_t key = 1; key <= 9; ++key) volumes[key] = Payload(100, static_cast<char>('0' + key));
    {
        TVolSet set;
        CreateWithOneKey(set, file);
        StoreAll(set, volumes);
        set.Close();
    }
    TVolSet set;
    set.OpenReadWrite(file);
    // Volume 2 (365 + 100 = 465..565) moves behind the table; the save leaves 465..565 dead.
    Store(set, Payload(100, 'x'), {2});
    set.Flush();
    // Volume 5 moves into that gap.
    Store(set, Payload(100, 'y'), {5});
    ASSERT_EQ(set.Entry(4).offset, 465);
    EXPECT_EQ(Load(set, {1}), volumes[1]);  // one read of the data area, the gap included
    EXPECT_EQ(Load(set, {5}), Payload(100, 'y'));
    set.Close();
    volumes[2] = Payload(100, 'x');
    volumes[5] = Payload(100, 'y');
    EXPECT_EQ(ReadVolumes(file), volumes);
}

TEST(VolSetCache, DataFromTheCacheMayBeStoredUnderOtherKeys) {
    TempDir dir;
    const std::string file = dir / "alias.vs";
    TVolSet set;
    CreateWithOneKey(set, file, 100);
    Store(set, BigPayload(1), {1});
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    ASSERT_TRUE(set.VolumeGet(data, size, {1}));
    for (std::int16_t v = 2; v <= kVolumesThatFit; ++v) Store(set, BigPayload(v), {v});
    // Volume 1 is the least recently used: making room for the 17th releases
    // the very block that Data points into.
    set.VolumeSet(data, size, {17});
    EXPECT_EQ(Load(set, {17}), BigPayload(1));
    EXPECT_EQ(Load(set, {1}), BigPayload(1));
    set.Close();
    EXPECT_EQ(ReadVolumes(file).at(17), BigPayload(1));
}

}  // namespace
}  // namespace cv
