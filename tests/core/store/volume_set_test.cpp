#include "core/store/volume_set.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using test::GetF64;
using test::GetI32;
using test::GetU16;
using test::Load;
using test::ManualClock;
using test::Payload;
using test::Store;
using test::TempDir;

TEST(VolSet, NewEmptySetIsExactlyTheHeader) {
    TempDir dir;
    ManualClock clock;
    const std::string file = dir / "empty.vs";
    TVolSet set(clock.Function());
    set.Create(file, "Sig");
    set.AddKey("Period", -1, 12);
    set.Close();

    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), 365u);
    // Section 1 at 0: id 1, length 129, then the short string "Sig" padded with zeros.
    EXPECT_EQ(GetU16(bytes, 0), 1);
    EXPECT_EQ(GetU16(bytes, 2), 129);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\3Sig"));
    EXPECT_EQ(bytes.substr(8, 125), std::string(125, '\0'));
    // Section 2 at 133: 365, version 1, one key, 21, no volumes, 50, table at 365.
    EXPECT_EQ(GetU16(bytes, 133), 2);
    EXPECT_EQ(GetU16(bytes, 135), 28);
    EXPECT_EQ(GetI32(bytes, 137), 365);
    EXPECT_EQ(GetI32(bytes, 141), 1);
    EXPECT_EQ(GetI32(bytes, 145), 1);
    EXPECT_EQ(GetI32(bytes, 149), 21);
    EXPECT_EQ(GetI32(bytes, 153), 0);
    EXPECT_EQ(GetI32(bytes, 157), 50);
    EXPECT_EQ(GetI32(bytes, 161), 365);
    // Section 3 at 165: created at the clock's time, nothing stored or loaded yet.
    EXPECT_EQ(GetU16(bytes, 165), 3);
    EXPECT_EQ(GetU16(bytes, 167), 24);
    EXPECT_EQ(GetF64(bytes, 169), 36526.5);
    EXPECT_EQ(GetF64(bytes, 177), 0.0);
    EXPECT_EQ(GetF64(bytes, 185), 0.0);
    // Section 4 at 193: key 1 "Period" -1..12 at 197 (name slot of 17 bytes, then the bounds), 7 zero descriptors.
    EXPECT_EQ(GetU16(bytes, 193), 4);
    EXPECT_EQ(GetU16(bytes, 195), 168);
    EXPECT_EQ(bytes.substr(197, 7), std::string("\6Period"));
    EXPECT_EQ(GetU16(bytes, 214), 0xFFFF);
    EXPECT_EQ(GetU16(bytes, 216), 12);
    EXPECT_EQ(bytes.substr(218), std::string(147, '\0'));
}

TEST(VolSet, TableIsInMagicOrderWhileBytesAreInCreationOrder) {
    TempDir dir;
    ManualClock clock;
    const std::string file = dir / "order.vs";
    TVolSet set(clock.Function());
    set.Create(file, "Sig");
    set.AddKey("K", 1, 3);  // magic = value
    Store(set, Payload(10, 'b'), {2});
    Store(set, Payload(20, 'a'), {1});
    Store(set, Payload(5, 'c'), {3});
    set.Close();

    // Bytes: (2) at 365..374, (1) at 375..394, (3) at 395..399; table of 3 x 50 at 400; 550 bytes in all.
    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), 550u);
    EXPECT_EQ(GetI32(bytes, 153), 3);
    EXPECT_EQ(GetI32(bytes, 161), 400);
    EXPECT_EQ(bytes.substr(365, 35), Payload(10, 'b') + Payload(20, 'a') + Payload(5, 'c'));
    const int expectedOffset[] = {375, 365, 395};
    const int expectedSize[] = {20, 10, 5};
    for (int i = 0; i < 3; ++i) {
        const std::size_t entry = 400 + 50 * static_cast<std::size_t>(i);
        EXPECT_EQ(GetI32(bytes, entry), expectedOffset[i]);
        EXPECT_EQ(GetU16(bytes, entry + 4), expectedSize[i]);
        EXPECT_EQ(GetU16(bytes, entry + 6), i + 1);          // key 1
        EXPECT_EQ(GetU16(bytes, entry + 8), 32767);          // key 2 not given
        EXPECT_EQ(GetF64(bytes, entry + 22), 36526.5);       // created
        EXPECT_EQ(GetI32(bytes, entry + 46), i + 1);         // magic
    }

    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(Load(reopened, {1}), Payload(20, 'a'));
    EXPECT_EQ(Load(reopened, {2}), Payload(10, 'b'));
    EXPECT_EQ(Load(reopened, {3}), Payload(5, 'c'));
    EXPECT_EQ(Load(reopened, {4}), "<none>");
}

TEST(VolSet, MagicIsTheKeysReadAsDigits) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "magic.vs", "Sig");
    set.AddKey("Period", -1, 12);
    // digit = value - low + 1: -1 gives 1, 12 gives 14; unset and omitted give 0.
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{-1}), 1);
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{12}), 14);
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{32767}), 0);
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{}), 0);
    set.Close();

    TVolSet industry;
    industry.Create(dir / "industry.vs", test::kIndustrySignature);
    test::AddIndustryKeys(industry);
    // (5, 5, 2, 1, 3): digits 5, 7, 2, 1, 3 with radixes 7, 15, 4, 4:
    // 5 + 7 x (7 + 15 x (2 + 4 x (1 + 4 x 3))) = 5 + 7 x 817 = 5724.
    EXPECT_EQ(industry.CalcMagic(std::vector<std::int16_t>{5, 5, 2, 1, 3}), 5724);
    // The info volume (1, unset...) has magic 1; a trailing unset key equals an omitted one.
    EXPECT_EQ(industry.CalcMagic(std::vector<std::int16_t>{1, 32767, 32767, 32767, 32767}), 1);
    EXPECT_EQ(industry.CalcMagic(std::vector<std::int16_t>{4, 3, 32767}), industry.CalcMagic(std::vector<std::int16_t>{4, 3}));
    industry.Close();
}

TEST(VolSet, KeySpaceMustFitTheMagic) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "wide.vs", "Sig");
    set.AddKey("Wide", -32768, 32766);  // radix 65536
    // 65536 x 65536 combinations exceed 2^31 - 1: the second wide key is refused.
    EXPECT_THROW(set.AddKey("Wide2", -32768, 32766), EVolSetError);
    set.AddKey("Small", 0, 10);  // radix 12
    set.AddKey("Small2", 0, 10);
    EXPECT_EQ(set.Header().keyCount, 3);
    // (0, 0): digits 32769 and 1, the second weighing the first key's radix: 32769 + 65536.
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{0, 0}), 32769 + 65536);
    // A value far outside its bounds weighs 32767 x 65536 x 12 beyond 2^31: the magic overflows.
    EXPECT_THROW(set.CalcMagic(std::vector<std::int16_t>{0, 0, 32766}), EOverflowError);
    set.Close();
}

TEST(VolSet, KeysOutsideTheirBoundsAreNotFoundAndRefused) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "bounds.vs", test::kIndustrySignature);
    test::AddIndustryKeys(set);
    // Zone 1 of an unset period has magic 5 + 7 x 15 x 1 = 110, the same number
    // that period 13 would give (digit 15): the bounds keep them apart.
    Store(set, "zone cell", {5, 32767, 1});
    EXPECT_EQ(Load(set, {5, 13}), "<none>");
    EXPECT_EQ(Load(set, {5, -2}), "<none>");
    EXPECT_EQ(Load(set, {5, 32767, 1, 32767, 32767, 1}), "<none>");  // a value for an undeclared key
    EXPECT_THROW(Store(set, "lost", {5, 13}), EVolSetError);
    EXPECT_THROW(Store(set, "lost", {7}), EVolSetError);
    EXPECT_THROW(Store(set, "lost", {5, 32767, 1, 32767, 32767, 1}), EVolSetError);
    EXPECT_EQ(Load(set, {5, 32767, 1}), "zone cell");
    EXPECT_EQ(set.VolumeCount(), 1);
    // Unset values for undeclared keys are harmless.
    EXPECT_EQ(Load(set, {5, 32767, 1, 32767, 32767, 32767, 32767}), "zone cell");
    set.Close();
}

TEST(VolSet, LoadOfMissingKeysGivesNullAndZero) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "missing.vs", "Sig");
    set.AddKey("K", 1, 9);
    Store(set, "x", {1});
    const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>("junk");
    std::uint16_t size = 77;
    EXPECT_FALSE(set.VolumeGet(data, size, {2}));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0);
    set.Close();
}

TEST(VolSet, StoringAgainReplacesTheVolumeAndSurvivesReopening) {
    TempDir dir;
    const std::string file = dir / "again.vs";
    {
        TVolSet set;
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        Store(set, Payload(10, 'a'), {1});
        Store(set, Payload(30, 'b'), {2});
        // Rewritten before any flush at the same size: no new space, 365 + 10 + 30 + 2 x 50 = 505 bytes.
        Store(set, Payload(10, 'A'), {1});
        set.Close();
        EXPECT_EQ(std::filesystem::file_size(file), 505u);
    }
    {
        // A cell that grows and one that shrinks.
        TVolSet set;
        set.OpenReadWrite(file);
        EXPECT_EQ(Load(set, {1}), Payload(10, 'A'));
        Store(set, Payload(300, 'g'), {1});
        Store(set, Payload(3, 's'), {2});
        EXPECT_EQ(Load(set, {1}), Payload(300, 'g'));
        set.Close();
    }
    TVolSet set;
    set.OpenReadOnly(file);
    EXPECT_EQ(Load(set, {1}), Payload(300, 'g'));
    EXPECT_EQ(Load(set, {2}), Payload(3, 's'));
    EXPECT_EQ(set.VolumeCount(), 2);
}

TEST(VolSet, RepeatedSavesReuseDeadSpace) {
    TempDir dir;
    const std::string file = dir / "reuse.vs";
    TVolSet set;
    set.Create(file, "Sig");
    set.AddKey("K", 1, 9);
    Store(set, Payload(20, 'x'), {1});
    set.Flush();
    for (int round = 0; round < 50; ++round) {
        const std::string bytes = Payload(20, static_cast<char>('a' + round % 26));
        Store(set, bytes, {1});
        set.Flush();
        // Live: header 365, one copy of the volume 20, one table 50. A save puts
        // a copy and a table beside the live ones, so the file never needs more
        // than 365 + 2 x (20 + 50) = 505 bytes once dead space is reused.
        EXPECT_LE(std::filesystem::file_size(file), 505u) << "round " << round;
        TVolSet reader;
        reader.OpenReadOnly(file);
        EXPECT_EQ(Load(reader, {1}), bytes);
    }
    set.Close();
}

// After a save the set works from the header it wrote: the next save places its
// table beside that one, and a save with nothing changed writes nothing.
TEST(VolSet, ASaveCommitsTheHeaderItWrote) {
    TempDir dir;
    const std::string file = dir / "commit.vs";
    TVolSet set;
    set.Create(file, "Sig");
    set.AddKey("K", 1, 9);
    Store(set, Payload(20, 'a'), {1});
    set.Flush();
    // Header 365, the volume at 365..385, the table at 385.
    EXPECT_EQ(set.Header().volCount, 1);
    EXPECT_EQ(set.Header().tableOffset, 385);
    EXPECT_EQ(GetI32(test::ReadFileBytes(file), 161), 385);

    std::vector<std::int64_t> writes;
    SetVolFileFaultHook([&](TVolFileOp op, std::int64_t offset, std::size_t) {
        if (op == TVolFileOp::Write) writes.push_back(offset);
        return 0;
    });
    set.Flush();
    EXPECT_TRUE(writes.empty());
    // The next save writes only the new volume, behind the live table (435),
    // its table behind it (455), then the header.
    Store(set, Payload(20, 'b'), {2});
    set.Flush();
    SetVolFileFaultHook({});
    EXPECT_EQ(writes, (std::vector<std::int64_t>{435, 455, 0}));
    set.Close();
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(Load(reopened, {1}) + Load(reopened, {2}), Payload(20, 'a') + Payload(20, 'b'));
}

TEST(VolSet, DateTimesFollowStoresAndFirstLoads) {
    TempDir dir;
    ManualClock clock;
    const std::string file = dir / "dates.vs";
    {
        TVolSet set(clock.Function());
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        clock.now = 100;
        Store(set, "one", {1});
        clock.now = 110;
        Store(set, "ONE", {1});
        EXPECT_EQ(set.Entry(0).created, 100);
        EXPECT_EQ(set.Entry(0).stored, 110);
        EXPECT_EQ(set.Entry(0).loaded, 0);
        EXPECT_EQ(set.Header().lastStored, 110);
        set.Close();
    }
    TVolSet set(clock.Function());
    set.OpenReadWrite(file);
    EXPECT_EQ(set.Header().created, 36526.5);
    clock.now = 200;
    EXPECT_EQ(Load(set, {1}), "ONE");
    clock.now = 300;
    EXPECT_EQ(Load(set, {1}), "ONE");  // served from memory: keeps its load time
    EXPECT_EQ(set.Entry(0).loaded, 200);
    EXPECT_EQ(set.Header().lastLoaded, 200);
    set.Close();
    const std::string bytes = test::ReadFileBytes(file);
    EXPECT_EQ(GetF64(bytes, 185), 200);
}

TEST(VolSet, KeysAreFixedOnceDeclaredAndCounted) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "keys.vs", "Sig");
    set.AddKey("AVeryLongKeyNameIndeed", 0, 1);
    EXPECT_EQ(set.Header().keys[0].name, "AVeryLongKeyName");
    EXPECT_THROW(set.AddKey("Backwards", 5, 4), EVolSetError);
    for (int k = 2; k <= 8; ++k) set.AddKey("K" + std::to_string(k), 0, 1);
    EXPECT_THROW(set.AddKey("Ninth", 0, 1), EVolSetError);
    set.Close();

    TVolSet other;
    other.Create(dir / "keys2.vs", "Sig");
    other.AddKey("K", 1, 2);
    Store(other, "x", {1});
    EXPECT_THROW(other.AddKey("Late", 1, 2), EVolSetError);
    other.Close();
}

TEST(VolSet, AtMost4096Volumes) {
    TempDir dir;
    const std::string file = dir / "full.vs";
    TVolSet set;
    set.Create(file, "Sig");
    set.AddKey("K", 1, 5000);
    for (std::int16_t v = 1; v <= 4096; ++v) set.VolumeSet(nullptr, 0, {v});
    EXPECT_THROW(set.VolumeSet(nullptr, 0, {4097}), EVolSetError);
    set.VolumeSet(nullptr, 0, {4096});  // an existing one may still be stored again
    set.Close();
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(reopened.VolumeCount(), 4096);
    EXPECT_EQ(Load(reopened, {4096}), "");
}

// 16 volumes of 65,535 bytes (1,048,560) fit under the 1,048,576-byte limit; a 17th does not.
constexpr std::uint16_t kBigVolume = 65535;
constexpr int kVolumesThatFit = 16;

std::string BigPayload(int index) { return Payload(kBigVolume, static_cast<char>('A' + index)); }

TEST(VolSet, EvictionWritesTheLeastRecentlyUsedDirtyBlockAndReadsItBack) {
    TempDir dir;
    ManualClock clock;  // every store and load in one clock tick
    const std::string file = dir / "evict.vs";
    TVolSet set(clock.Function());
    set.Create(file, "Sig");
    set.AddKey("K", 1, 100);
    for (std::int16_t v = 1; v <= kVolumesThatFit; ++v) Store(set, BigPayload(v), {v});
    EXPECT_EQ(set.BytesInMemory(), 16u * kBigVolume);
    EXPECT_EQ(Load(set, {1}), BigPayload(1));  // volume 1 is now the most recently used
    Store(set, BigPayload(17), {17});         // must evict volume 2, the least recently used

    EXPECT_EQ(set.BytesInMemory(), 16u * kBigVolume);
    // Volume 2 was written at its offset before its block was freed; volume 1 is still only in memory.
    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_GE(bytes.size(), static_cast<std::size_t>(set.Entry(1).offset) + kBigVolume);
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(set.Entry(1).offset), kBigVolume), BigPayload(2));
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(set.Entry(0).offset), 10), std::string(10, '\0'));

    for (std::int16_t v = 1; v <= 17; ++v) EXPECT_EQ(Load(set, {v}), BigPayload(v)) << v;
    EXPECT_LE(set.BytesInMemory(), TVolSet::kMemoryLimit);
    set.Close();

    TVolSet reopened;
    reopened.OpenReadOnly(file);
    for (std::int16_t v = 1; v <= 17; ++v) EXPECT_EQ(Load(reopened, {v}), BigPayload(v)) << v;
}

TEST(VolSet, DataFromTheCacheMayBeStoredUnderOtherKeys) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "alias.vs", "Sig");
    set.AddKey("K", 1, 100);
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
}

TEST(VolSet, ReadOnlySetNeverWrites) {
    TempDir dir;
    const std::string file = dir / "ro.vs";
    {
        TVolSet set;
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        Store(set, "abc", {1});
        set.Close();
    }
    const std::string before = test::ReadFileBytes(file);
    int writes = 0;
    SetVolFileFaultHook([&](TVolFileOp, std::int64_t, std::size_t) {
        ++writes;
        return 0;
    });
    {
        TVolSet set;
        set.OpenReadOnly(file);
        EXPECT_TRUE(set.IsReadOnly());
        EXPECT_EQ(Load(set, {1}), "abc");
        EXPECT_THROW(Store(set, "xyz", {2}), EVolSetError);
        EXPECT_THROW(set.AddKey("K2", 1, 2), EVolSetError);
        set.Flush();
        set.Close();
    }
    SetVolFileFaultHook({});
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(test::ReadFileBytes(file), before);
}

TEST(VolSet, FilesThatCannotBeReachedRaiseVolumeSetErrors) {
    TempDir dir;
    TVolSet set;
    EXPECT_THROW(set.OpenReadOnly(dir / "absent.vs"), EVolSetError);
    EXPECT_THROW(set.Create(dir / "no-such-dir/new.vs", "Sig"), EVolSetError);
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    EXPECT_THROW(set.VolumeGet(data, size, {1}), EVolSetError);
    EXPECT_PRED2(test::Contains, test::ErrorText<EVolSetError>([&] { set.OpenReadWrite(dir / "absent.vs"); }),
                 "absent.vs");
    EXPECT_FALSE(set.IsOpen());
}

TEST(VolSet, IsVolSetFileComparesTheSignatureExactly) {
    TempDir dir;
    const std::string file = dir / "sig.vs";
    {
        TVolSet set;
        set.Create(file, test::kIndustrySignature);
        set.Close();
    }
    EXPECT_TRUE(IsVolSetFile(file, test::kIndustrySignature));
    EXPECT_FALSE(IsVolSetFile(file, "quen*or VolSet - Corvantis3 Industry Version 2 - 1998"));
    EXPECT_FALSE(IsVolSetFile(file, "Quen*or VolSet"));
    EXPECT_FALSE(IsVolSetFile(dir / "absent.vs", test::kIndustrySignature));

    // A file too short for the signature section, and one whose length byte exceeds 128.
    std::string bytes = test::ReadFileBytes(file);
    test::WriteFileBytes(dir / "short.vs", bytes.substr(0, 60));
    EXPECT_FALSE(IsVolSetFile(dir / "short.vs", test::kIndustrySignature));
    bytes[4] = static_cast<char>(200);
    test::WriteFileBytes(dir / "long.vs", bytes);
    EXPECT_FALSE(IsVolSetFile(dir / "long.vs", test::kIndustrySignature));

    // A signature of 130 characters is kept as its first 128.
    const std::string longSignature(130, 'S');
    TVolSet set;
    set.Create(dir / "cut.vs", longSignature);
    set.Close();
    EXPECT_TRUE(IsVolSetFile(dir / "cut.vs", longSignature.substr(0, 128)));
    EXPECT_FALSE(IsVolSetFile(dir / "cut.vs", longSignature));
}

TEST(VolSet, LocalNowIsDaysSince1899InLocalTime) {
    const std::time_t before = std::time(nullptr);
    const TDateTime now = LocalNowDateTime();
    std::tm local{};
    localtime_r(&before, &local);
    // 1 January 1970 is day 25569; local time adds the zone's offset.
    const double expected = 25569.0 + static_cast<double>(before + local.tm_gmtoff) / 86400.0;
    EXPECT_NEAR(now, expected, 5.0 / 86400.0);
}

}  // namespace
}  // namespace cv
