#include "core/store/volume_set.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using namespace test;

// Every test has a directory and a file name in it.
class VolSet : public ::testing::Test {
protected:
    TempDir dir;
    const std::string file = dir / "set.vs";
};

// A new set of File with one key, holding Volumes.
void WriteVolumes(const std::string& file, const TVolumes& volumes) {
    TVolSet set;
    CreateWithOneKey(set, file);
    StoreAll(set, volumes);
    set.Close();
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

    TVolSet half;
    half.Create(dir / "half.vs", "Sig");
    half.AddKey("Wide", -32768, 32766);  // radix 65536
    // 65536 x 32768 = 2^31 combinations exceed 2^31 - 1 by one: the second key is
    // refused; 65536 x 32767 fit, and the highest values give the highest magic,
    // digits 65535 and 32766: 65535 + 32766 x 65536 = 2,147,418,111.
    EXPECT_THROW(half.AddKey("Wide2", 0, 32766), EVolSetError);
    half.AddKey("Half", 0, 32765);
    EXPECT_EQ(half.Header().keyCount, 2);
    EXPECT_EQ(half.CalcMagic(std::vector<std::int16_t>{32766, 32765}), 2147418111);
    half.Close();

    TVolSet set;
    set.Create(dir / "wide.vs", "Sig");
    set.AddKey("Wide", -32768, 32766);
    set.AddKey("Small", 0, 10);  // radix 12
    set.AddKey("Small2", 0, 10);
    // (0, 0): digits 32769 and 1, the second weighing the first key's radix: 32769 + 65536.
    EXPECT_EQ(set.CalcMagic(std::vector<std::int16_t>{0, 0}), 32769 + 65536);
    // A value far outside its bounds weighs 32767 x 65536 x 12 beyond 2^31: the magic overflows.
    EXPECT_THROW(set.CalcMagic(std::vector<std::int16_t>{0, 0, 32766}), EOverflowError);
    set.Close();
}

// The extreme values of neighbouring keys never share a volume: the highest
// value of one key and the lowest of the next differ by a whole radix.
TEST_F(VolSet, EveryKeyCombinationIsAVolumeOfItsOwn) {
    TVolSet set;
    set.Create(file, kIndustrySignature);
    AddIndustryKeys(set);
    const std::vector<std::vector<std::int16_t>> combinations = {
        {6}, {32767, -1}, {1, 12}, {32767, 32767, 1}, {6, 12, 3, 3, 6}, {1, -1, 1, 1, 1}, {32767, 32767, 32767, 1}};
    for (std::size_t i = 0; i < combinations.size(); ++i)
        set.VolumeSet(&i, sizeof i, TVolKeys(combinations[i].data(), combinations[i].size()));
    set.Close();
    TVolSet reopened;
    reopened.OpenReadOnly(file);
    EXPECT_EQ(reopened.VolumeCount(), static_cast<int>(combinations.size()));
    for (std::size_t i = 0; i < combinations.size(); ++i) {
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        ASSERT_TRUE(reopened.VolumeGet(data, size, TVolKeys(combinations[i].data(), combinations[i].size()))) << i;
        ASSERT_EQ(size, sizeof i);
        EXPECT_EQ(std::memcmp(data, &i, sizeof i), 0) << i;
    }
}

TEST_F(VolSet, KeysOutsideTheirBoundsAreNotFoundAndRefused) {
    TVolSet set;
    set.Create(file, kIndustrySignature);
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

// A volume that is not there gives no data and size 0, whatever the caller's
// variables held, whether it was never stored or its keys lie outside their bounds.
TEST_F(VolSet, AMissingVolumeGivesNoDataAndSizeZero) {
    WriteVolumes(file, {{1, "abc"}});
    TVolSet set;
    set.OpenReadOnly(file);
    for (const std::int16_t key : {2, 0, 10}) {
        const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>("junk");
        std::uint16_t size = 77;
        EXPECT_FALSE(set.VolumeGet(data, size, {key})) << key;
        EXPECT_EQ(data, nullptr) << key;
        EXPECT_EQ(size, 0) << key;
    }
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
    WriteVolumes(file, {{1, "abc"}});
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

// A data area that fits is one read; a volume the file no longer holds raises an error.
TEST_F(VolSet, WholeDataAreaIsOneReadAndAVolumePastTheFilesEndIsAnError) {
    TVolumes nine;
    for (std::int16_t key = 1; key <= 9; ++key) nine[key] = Payload(100, static_cast<char>('0' + key));
    WriteVolumes(file, nine);
    TVolSet set;
    set.OpenReadOnly(file);
    // Cut behind 4.5 volumes: 365 + 450 bytes remain.
    std::filesystem::resize_file(file, 365 + 450);
    EXPECT_EQ(Load(set, {2}), nine[2]);  // the first read takes the data area's 900 bytes
    EXPECT_EQ(Load(set, {4}), nine[4]);
    const std::string message = ErrorText<EVolSetError>([&] { Load(set, {7}); });
    for (const char* part : {"volume (7)", "offset 965", "ends before it"}) EXPECT_PRED2(Contains, message, part);
    EXPECT_EQ(set.BytesInMemory(), 900u);
}

// A save that meets a full disk is reported and leaves the file as it was; the
// same set saves once there is room. The save grows volume 1, rewrites 2 at its
// size, shrinks 3, keeps 4 and adds 5 and 6.
TEST_F(VolSet, FullDiskIsReportedAndTheSaveSucceedsOnceThereIsRoom) {
    const TVolumes before = {{1, Payload(100, 'a')}, {2, Payload(200, 'b')}, {3, Payload(300, 'c')},
                             {4, Payload(50, 'd')}};
    const TVolumes after = {{1, Payload(900, 'A')}, {2, Payload(200, 'B')}, {3, Payload(30, 'C')},
                            {4, Payload(50, 'd')},  {5, Payload(400, 'E')}, {6, Payload(10, 'F')}};
    for (TVolFileOp failing : {TVolFileOp::Write, TVolFileOp::Sync}) {
        WriteVolumes(file, before);
        SetVolFileFaultHook([&](TVolFileOp op, std::int64_t, std::size_t) { return op == failing ? ENOSPC : 0; });
        TVolSet set;
        set.OpenReadWrite(file);
        StoreAll(set, after);
        EXPECT_PRED2(Contains, ErrorText<EVolSetError>([&] { set.Close(); }), "No space left on device");
        EXPECT_TRUE(set.IsOpen());
        SetVolFileFaultHook({});
        EXPECT_EQ(ReadVolumes(file), before);
        set.Close();
        EXPECT_EQ(ReadVolumes(file), after);
    }
}

}  // namespace
}  // namespace cv
