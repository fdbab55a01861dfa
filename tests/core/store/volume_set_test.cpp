#include "core/store/volume_set.h"

#include <cerrno>
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
