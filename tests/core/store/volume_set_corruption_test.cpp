// Damaged files: every damage to the container gives a volume-set error, never
// a crash or a read outside the file's bytes (run under the sanitizers).

#include <gtest/gtest.h>

#include <random>

#include "core/base/errors.h"
#include "core/store/volume_set.h"
#include "tests/support/checks.h"
#include "tests/support/damage.h"
#include "tests/support/temp_dir.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using namespace test;

// An industry-keyed file: the info volume, the series list, constant cells and
// the result and decision cells of two periods, in varied sizes.
std::string BuildIndustryFile(const TempDir& dir) {
    const std::string file = dir / "industry.vs";
    TVolSet set;
    set.Create(file, kIndustrySignature);
    AddIndustryKeys(set);
    std::mt19937 random(7);
    auto payload = [&random] { return Payload(10 + random() % 400, static_cast<char>(random())); };
    Store(set, payload(), {1});
    Store(set, payload(), {2});
    for (std::int16_t zone = 1; zone <= 3; ++zone) Store(set, payload(), {3, 32767, zone});
    for (std::int16_t period = 2; period <= 3; ++period)
        for (std::int16_t type = 4; type <= 5; ++type)
            for (std::int16_t firm = 1; firm <= 4; ++firm) Store(set, payload(), {type, period, 1, 2, firm});
    set.Close();
    return file;
}

// Opens File, reads every volume by position and by its keys, and closes it.
void ReadEverything(const std::string& file, bool readOnly) {
    TVolSet set;
    set.Open(file, readOnly);
    for (int position = 0; position < set.VolumeCount(); ++position) {
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        set.VolumeGetAt(position, data, size);
        const TTabVol& entry = set.Entry(position);
        set.VolumeGet(data, size, TVolKeys(entry.keys.data(), static_cast<std::size_t>(set.Header().keyCount)));
    }
    set.Close();
}

void ExpectVolSetError(const std::string& bytes, const TempDir& dir, const std::string& what) {
    const std::string file = dir / "damaged.vs";
    WriteFileBytes(file, bytes);
    TVolSet set;
    EXPECT_THROW(set.OpenReadOnly(file), EVolSetError) << what;
    EXPECT_FALSE(set.IsOpen()) << what;
}

constexpr std::size_t kTableOffsetField = 161;

TEST(VolSetCorruption, DamagedHeaderFieldsAreRefused) {
    TempDir dir;
    const std::string good = ReadFileBytes(BuildIndustryFile(dir));
    ASSERT_NO_THROW(ReadEverything(dir / "industry.vs", true));
    const std::int32_t tableOffset = GetI32(good, kTableOffsetField);

    struct Damage {
        const char* what;
        std::size_t offset;
        std::int32_t value;
        bool sixteenBits;
    };
    const Damage damages[] = {
        {"section 1 id", 0, 2, true},       {"section 1 length", 2, 128, true},
        {"section 2 id", 133, 1, true},     {"section 2 length", 135, 29, true},
        {"section 3 id", 165, 4, true},     {"section 3 length", 167, 16, true},
        {"section 4 id", 193, 3, true},     {"section 4 length", 195, 147, true},
        {"header size", 137, 366, false},   {"version", 141, 0, false},
        {"key count", 145, 9, false},       {"descriptor size", 149, 22, false},
        {"volume count", 153, 4097, false}, {"entry size", 157, 25, false},
        {"table offset in header", kTableOffsetField, 0, false},
        {"table offset past the end", kTableOffsetField, tableOffset + 1, false},
        {"key 2 bounds reversed", 197 + 21 + 17, 13, true},
        {"signature length byte 129", 4, 129 + 256 * 'Q', true},
        {"key 1 name length 17", 197, 17 + 256 * 'V', true},
    };
    for (const Damage& damage : damages) {
        std::string bytes = good;
        if (damage.sixteenBits)
            PutU16(bytes, damage.offset, static_cast<std::uint16_t>(damage.value));
        else
            PutI32(bytes, damage.offset, damage.value);
        ExpectVolSetError(bytes, dir, damage.what);
    }
    // A descriptor beyond the key count is not read.
    std::string unusedDescriptor = good;
    unusedDescriptor[197 + 5 * 21] = static_cast<char>(200);
    WriteFileBytes(dir / "unused.vs", unusedDescriptor);
    EXPECT_NO_THROW(ReadEverything(dir / "unused.vs", true));
    // Too short for a header at all.
    ExpectVolSetError("", dir, "empty file");
    ExpectVolSetError(good.substr(0, 200), dir, "200 bytes");
    // The message names the file and the field.
    std::string wrongVersion = good;
    PutI32(wrongVersion, 141, 7);
    WriteFileBytes(dir / "version.vs", wrongVersion);
    TVolSet set;
    EXPECT_EQ(ErrorText<EVolSetError>([&] { set.OpenReadOnly(dir / "version.vs"); }),
              "Volume set " + dir / "version.vs" + ": header field \"version\" is 7, expected 1");
}

// Flips in the header's fixed fields and the table are caught; those in
// payloads and date-times are not the container's business. The table ends the
// file, so every shorter file has lost part of it.
TEST(VolSetCorruption, RandomBitFlipsGiveAnErrorOrAReadableSetAndEveryTruncationIsRefused) {
    TempDir dir;
    const std::string good = ReadFileBytes(BuildIndustryFile(dir));
    const std::string file = dir / "flipped.vs";
    int refused = 0;
    int round = 0;
    for (const std::string& bytes : FlippedCopies(good, 400, 20240601)) {
        WriteFileBytes(file, bytes);
        try {
            ReadEverything(file, round++ % 2 == 0);
        } catch (const EVolSetError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, 400);
    for (const std::string& cut : Truncations(good, 7)) ExpectVolSetError(cut, dir, "truncated");
}

}  // namespace
}  // namespace cv
