#include "core/store/volume_set.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using namespace test;


// Every test has a directory, a file name in it and a clock that it moves by hand.
class VolSet : public ::testing::Test {
protected:
    TempDir dir;
    ManualClock clock;
    const std::string file = dir / "set.vs";
};

TEST_F(VolSet, NewEmptySetIsExactlyTheHeader) {
    TVolSet set(clock.Function());
    set.Create(file, "Sig");
    set.AddKey("Period", -1, 12);
    set.Close();
    const std::string bytes = ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), 365u);
    // Section 1 at 0: id 1, length 129, the short string "Sig" padded with zeros. Section 2 at 133,
    // length 28: header size 365, version 1, one key, descriptor size 21, no volumes, entry size 50,
    // table at 365. Section 3 at 165, length 24: the creation time, nothing stored or loaded yet.
    // Section 4 at 193, length 168: key "Period" -1..12 at 197 (a name slot of 17 bytes, then the
    // bounds), then 7 zero descriptors.
    const std::pair<std::size_t, int> words[] = {{0, 1}, {2, 129}, {133, 2}, {135, 28}, {165, 3}, {167, 24},
                                                 {193, 4}, {195, 168}, {214, 0xFFFF}, {216, 12}};
    for (const auto& [offset, value] : words) EXPECT_EQ(GetU16(bytes, offset), value) << offset;
    const std::pair<std::size_t, int> longs[] = {{137, 365}, {141, 1}, {145, 1}, {149, 21},
                                                 {153, 0},   {157, 50}, {161, 365}};
    for (const auto& [offset, value] : longs) EXPECT_EQ(GetI32(bytes, offset), value) << offset;
    EXPECT_EQ((std::vector<double>{GetF64(bytes, 169), GetF64(bytes, 177), GetF64(bytes, 185)}),
              (std::vector<double>{36526.5, 0, 0}));
    EXPECT_EQ(bytes.substr(4, 129), "\3Sig" + std::string(125, '\0'));
    EXPECT_EQ(bytes.substr(197, 7), std::string("\6Period"));
    EXPECT_EQ(bytes.substr(218), std::string(147, '\0'));
}

TEST_F(VolSet, TableIsInMagicOrderWhileBytesAreInCreationOrder) {
    TVolSet set(clock.Function());
    CreateWithOneKey(set, file, 3);  // magic = value
    Store(set, Payload(10, 'b'), {2});
    clock.now = 100;
    Store(set, Payload(20, 'a'), {1});
    Store(set, Payload(5, 'c'), {3});
    clock.now = 110;
    Store(set, Payload(20, 'A'), {1});
    set.Close();
    // Bytes: (2) at 365..374, (1) at 375..394, (3) at 395..399; table of 3 x 50 at 400; 550 bytes in all.
    const std::string bytes = ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), 550u);
    EXPECT_EQ(GetI32(bytes, 153), 3);
    EXPECT_EQ(GetI32(bytes, 161), 400);
    EXPECT_EQ(GetF64(bytes, 177), 110);  // last stored
    EXPECT_EQ(bytes.substr(365, 35), Payload(10, 'b') + Payload(20, 'A') + Payload(5, 'c'));
    const int expectedOffset[] = {375, 365, 395};
    const int expectedSize[] = {20, 10, 5};
    const double expectedCreated[] = {100, 36526.5, 100};
    const double expectedStored[] = {110, 36526.5, 100};
    for (int i = 0; i < 3; ++i) {
        const std::size_t entry = 400 + 50 * static_cast<std::size_t>(i);
        EXPECT_EQ(GetI32(bytes, entry), expectedOffset[i]);
        EXPECT_EQ(GetU16(bytes, entry + 4), expectedSize[i]);
        EXPECT_EQ(GetU16(bytes, entry + 6), i + 1);      // key 1
        EXPECT_EQ(GetU16(bytes, entry + 8), 32767);      // key 2 not given
        EXPECT_EQ(GetF64(bytes, entry + 22), expectedCreated[i]);
        EXPECT_EQ(GetF64(bytes, entry + 30), expectedStored[i]);
        EXPECT_EQ(GetI32(bytes, entry + 46), i + 1);     // magic
    }
    EXPECT_EQ(ReadVolumes(file, 3),
              (TVolumes{{1, Payload(20, 'A')}, {2, Payload(10, 'b')}, {3, Payload(5, 'c')}}));
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(reopened.Header().created, 36526.5);
    // A missing volume: no data, size 0.
    const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>("junk");
    std::uint16_t size = 77;
    EXPECT_FALSE(reopened.VolumeGet(data, size, {4}));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0);
}

TEST_F(VolSet, MagicIsTheKeysReadAsDigitsAndMustFitThirtyOneBits) {
    TVolSet industry;
    industry.Create(dir / "industry.vs", kIndustrySignature);
    AddIndustryKeys(industry);
    // digit = value - low + 1; (5, 5, 2, 1, 3): digits 5, 7, 2, 1, 3 with radixes 7, 15, 4, 4:
    // 5 + 7 x (7 + 15 x (2 + 4 x (1 + 4 x 3))) = 5 + 7 x 817 = 5724.
    // Period -1 and 12 give digits 1 and 14; unset and omitted keys give 0.
    const std::pair<std::vector<std::int16_t>, std::int32_t> magics[] = {
        {{5, 5, 2, 1, 3}, 5724}, {{1, -1}, 1 + 7 * 1}, {{1, 12}, 1 + 7 * 14},
        {{1, 32767, 32767, 32767, 32767}, 1}, {{}, 0}};
    for (const auto& [keys, magic] : magics) EXPECT_EQ(industry.CalcMagic(keys), magic) << keys.size();
    industry.Close();

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

TEST_F(VolSet, KeysOutsideTheirBoundsAreNotFoundAndRefused) {
    TVolSet set;
    set.Create(dir / "bounds.vs", kIndustrySignature);
    AddIndustryKeys(set);
    // Zone 1 of an unset period has magic 5 + 7 x 15 x 1 = 110, the same number
    // that period 13 would give (digit 15): the bounds keep them apart.
    Store(set, "zone cell", {5, 32767, 1});
    EXPECT_EQ(Load(set, {5, 13}) + Load(set, {5, -2}), "<none><none>");
    EXPECT_EQ(Load(set, {5, 32767, 1, 32767, 32767, 1}), "<none>");  // a value for an undeclared key
    EXPECT_THROW(Store(set, "lost", {5, 13}), EVolSetError);
    EXPECT_THROW(Store(set, "lost", {7}), EVolSetError);
    EXPECT_THROW(Store(set, "lost", {5, 32767, 1, 32767, 32767, 1}), EVolSetError);
    EXPECT_EQ(set.VolumeCount(), 1);
    // Unset values for undeclared keys are harmless.
    EXPECT_EQ(Load(set, {5, 32767, 1, 32767, 32767, 32767, 32767}), "zone cell");
    set.Close();
}

TEST_F(VolSet, KeysAreFixedOnceDeclaredAndCounted) {
    TVolSet set;
    set.Create(dir / "keys.vs", "Sig");
    set.AddKey("AVeryLongKeyNameIndeed", 0, 1);
    EXPECT_EQ(set.Header().keys[0].name, "AVeryLongKeyName");
    EXPECT_THROW(set.AddKey("Backwards", 5, 4), EVolSetError);
    set.AddKey("Single", 4, 4);
    for (int k = 3; k <= 8; ++k) set.AddKey("K" + std::to_string(k), 0, 1);
    EXPECT_THROW(set.AddKey("Ninth", 0, 1), EVolSetError);
    set.Close();
    TVolSet other;
    CreateWithOneKey(other, dir / "keys2.vs");
    Store(other, "x", {1});
    EXPECT_THROW(other.AddKey("Late", 1, 2), EVolSetError);
    other.Close();
}

TEST_F(VolSet, RepeatedSavesReuseDeadSpaceAndVolumesMayGrowOrShrink) {
    TVolSet set;
    CreateWithOneKey(set, file);
    Store(set, Payload(30, 'k'), {2});
    for (int round = 0; round < 50; ++round) {
        const std::string bytes = Payload(20, static_cast<char>('a' + round % 26));
        Store(set, bytes, {1});
        set.Flush();
        // Live: header 365, volume 2 (30), one copy of volume 1 (20), one table (2 x 50). A
        // save puts a copy and a table beside the live ones, so the file never needs more
        // than 365 + 30 + 2 x (20 + 100) = 635 bytes once dead space is reused.
        EXPECT_LE(std::filesystem::file_size(file), 635u) << "round " << round;
        EXPECT_EQ(ReadVolumes(file, 2), (TVolumes{{1, bytes}, {2, Payload(30, 'k')}}));
    }
    Store(set, Payload(300, 'g'), {1});
    Store(set, Payload(3, 's'), {2});
    set.Close();
    EXPECT_EQ(ReadVolumes(file, 2), (TVolumes{{1, Payload(300, 'g')}, {2, Payload(3, 's')}}));
}

// After a save the set works from the header it wrote: the next save places its
// table beside that one, and a save with nothing changed writes nothing.
TEST_F(VolSet, ASaveCommitsTheHeaderItWrote) {
    TVolSet set;
    CreateWithOneKey(set, file);
    Store(set, Payload(20, 'a'), {1});
    set.Flush();
    // Header 365, the volume at 365..385, the table at 385.
    EXPECT_EQ(set.Header().volCount, 1);
    EXPECT_EQ(set.Header().tableOffset, 385);
    EXPECT_EQ(GetI32(ReadFileBytes(file), 161), 385);
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
    EXPECT_EQ(ReadVolumes(file, 2), (TVolumes{{1, Payload(20, 'a')}, {2, Payload(20, 'b')}}));
}

TEST_F(VolSet, AtMost4096Volumes) {
    TVolSet set;
    CreateWithOneKey(set, file, 5000);
    for (std::int16_t v = 1; v <= 4096; ++v) set.VolumeSet(nullptr, 0, {v});
    EXPECT_THROW(set.VolumeSet(nullptr, 0, {4097}), EVolSetError);
    set.VolumeSet(nullptr, 0, {4096});  // an existing one may still be stored again
    set.Close();
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(reopened.VolumeCount(), 4096);
    EXPECT_EQ(Load(reopened, {4096}), "");
}

TEST_F(VolSet, ReadOnlySetNeverWrites) {
    TVolSet written;
    CreateWithOneKey(written, file);
    Store(written, "abc", {1});
    written.Close();
    const std::string before = ReadFileBytes(file);
    int calls = 0;
    SetVolFileFaultHook([&](TVolFileOp, std::int64_t, std::size_t) {
        ++calls;
        return 0;
    });
    TVolSet set;
    set.OpenReadOnly(file);
    EXPECT_TRUE(set.IsReadOnly());
    EXPECT_EQ(Load(set, {1}), "abc");
    EXPECT_THROW(Store(set, "xyz", {2}), EVolSetError);
    EXPECT_THROW(set.AddKey("K2", 1, 2), EVolSetError);
    set.Flush();
    set.Close();
    SetVolFileFaultHook({});
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(ReadFileBytes(file), before);
}

TEST_F(VolSet, FilesThatCannotBeReachedRaiseVolumeSetErrors) {
    TVolSet set;
    EXPECT_THROW(set.OpenReadOnly(dir / "absent.vs"), EVolSetError);
    EXPECT_THROW(set.Create(dir / "no-such-dir/new.vs", "Sig"), EVolSetError);
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    EXPECT_THROW(set.VolumeGet(data, size, {1}), EVolSetError);
    EXPECT_PRED2(Contains, ErrorText<EVolSetError>([&] { set.OpenReadWrite(dir / "absent.vs"); }),
                 "absent.vs");
    EXPECT_FALSE(set.IsOpen());
}

TEST_F(VolSet, IsVolSetFileComparesTheSignatureExactly) {
    const std::string longSignature(130, 'S');  // kept as its first 128 characters
    for (const std::string& signature : {std::string(kIndustrySignature), longSignature}) {
        TVolSet set;
        set.Create(dir / "sig.vs", signature);
        set.Close();
        EXPECT_TRUE(IsVolSetFile(dir / "sig.vs", signature.substr(0, 128)));
        EXPECT_FALSE(IsVolSetFile(dir / "sig.vs", signature.substr(0, 129) + "x"));
        EXPECT_FALSE(IsVolSetFile(dir / "sig.vs", signature.substr(0, 14)));
    }
    EXPECT_FALSE(IsVolSetFile(dir / "absent.vs", longSignature));
    // A file too short for the signature section, and one whose length byte exceeds 128.
    std::string bytes = ReadFileBytes(dir / "sig.vs");
    WriteFileBytes(dir / "short.vs", bytes.substr(0, 60));
    EXPECT_FALSE(IsVolSetFile(dir / "short.vs", longSignature.substr(0, 128)));
    bytes[4] = static_cast<char>(129);
    WriteFileBytes(dir / "long.vs", bytes);
    EXPECT_FALSE(IsVolSetFile(dir / "long.vs", longSignature.substr(0, 128)));
}

TEST_F(VolSet, LocalNowIsDaysSince1899InLocalTime) {
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
