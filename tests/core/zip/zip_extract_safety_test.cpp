#include <gtest/gtest.h>

#include <unistd.h>

#include <map>

#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "tests/core/zip/zip_test_support.h"
#include "tests/support/dead_process.h"
#include "tests/support/recording_ui.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;
using test::CraftedEntry;
using test::ReadFileBytes;

class ZipExtractSafety : public ::testing::Test {
protected:
    // Extracts Archive into <temp>/work/dest; returns the result code.
    int Extract(const fs::path& archive) {
        TXceedZip zip;
        zip.ZipFileName = archive.string();
        zip.ExtractDirectory = destination.string();
        zip.Overwrite = xowAlways;
        zip.OnSkippingFile = [this](TXceedZip&, const TZipNotification& n) { skipped.push_back(n.result); };
        return zip.Unzip();
    }

    test::TempDir dir;
    test::RecordingUi ui;
    const fs::path work = dir.path() / "work";
    const fs::path destination = work / "dest";
    std::vector<int> skipped;
};

// 20 MiB of zeros deflate to about 20 KiB: beyond both the floor (16 MiB) and 200 times the archive. Refused before
// anything is written, also when the sizes in the archive claim 1,000 bytes and the data alone tell: no file, no
// directory made for it, and the next entry still arrives.
TEST_F(ZipExtractSafety, AnEntryExpandingBeyondTheLimitsIsRefusedWithNothingLeft) {
    const fs::path archive = dir.path() / "bomb.zip";
    test::WriteCraftedZip(archive, {{"deep/er/bomb.bin", std::string(20 << 20, '\0')}, {"ok.txt", "fine"}});
    ASSERT_LT(fs::file_size(archive), 100u << 10);
    std::string lying = ReadFileBytes(archive);
    // Uncompressed size: +22 in the local header, +24 in the central one.
    for (const auto& [signature, at] :
         {std::pair{std::string("PK\x03\x04", 4), 22}, {std::string("PK\x01\x02", 4), 24}})
        lying.replace(lying.find(signature) + at, 4, std::string("\xE8\x03\0\0", 4));
    test::WriteFileBytes(dir.path() / "lying.zip", lying);
    for (const fs::path& bomb : {archive, dir.path() / "lying.zip"}) {
        SCOPED_TRACE(bomb.filename().string());
        skipped.clear();
        EXPECT_EQ(Extract(bomb), kZipEntryTooLarge);
        EXPECT_EQ(skipped, std::vector<int>{kZipEntryTooLarge});
        EXPECT_EQ(test::FilesUnder(work), std::vector<std::string>{"dest/ok.txt"});
        EXPECT_FALSE(fs::exists(destination / "deep"));
        fs::remove_all(destination);
    }
    // The floor holds for the whole run: two entries of 9 MiB pass alone, not together.
    const std::string nineMiB(9 << 20, '\0');
    test::WriteCraftedZip(dir.path() / "pair.zip", {{"one.bin", nineMiB}, {"two.bin", nineMiB}});
    EXPECT_EQ(Extract(dir.path() / "pair.zip"), kZipEntryTooLarge);
    EXPECT_EQ(test::FilesUnder(destination), std::vector<std::string>{"one.bin"});
}

// A second entry of a name already extracted, or one whose central record points at the first entry's data (and so
// reads as the first one's name), is reported and left out; the first stays as it was.
TEST_F(ZipExtractSafety, EntriesSharingANameOrADataBlockAreReported) {
    const fs::path twice = dir.path() / "twice.zip";
    test::WriteCraftedZip(twice, {{"a.txt", "one"}, {"b.txt", "two"}, {"A.TXT", "upper"}, {"a.txt", "three"}});
    std::string shared = ReadFileBytes(twice);
    // The local-header offset (+42) of the second central record copied from the first.
    const std::string central("PK\x01\x02", 4);
    const std::size_t first = shared.find(central);
    shared.replace(shared.find(central, first + 4) + 42, 4, shared.substr(first + 42, 4));
    test::WriteFileBytes(dir.path() / "shared.zip", shared);
    for (const auto& [archive, files] : {std::pair{twice, std::vector<std::string>{"A.TXT", "a.txt", "b.txt"}},
                                         {dir.path() / "shared.zip", std::vector<std::string>{"A.TXT", "a.txt"}}}) {
        SCOPED_TRACE(archive.filename().string());
        skipped.clear();
        EXPECT_EQ(Extract(archive), kZipDuplicateEntry);
        EXPECT_EQ(skipped, std::vector<int>{kZipDuplicateEntry});
        EXPECT_EQ(test::FilesUnder(destination), files);
        EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "one");
        fs::remove_all(destination);
    }
}

// The library checks the sum of the data it delivers; an entry without data must
// carry the sum of no data (0) as well. Stored entries (with a data descriptor,
// as the library writes them), which carry no compressed stream that could fail
// instead.
TEST_F(ZipExtractSafety, AnEntryWhoseSumIsWrongIsRefusedEvenWhenEmpty) {
    const struct {
        const char* data;
        std::uint32_t sum;
        int code;
    } cases[] = {{"", 0x12345678, kZipDataError}, {"x", 0x12345678, kZipDataError}, {"", 0, kZipOk}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("data '") + c.data + "'");
        const fs::path archive = dir.path() / "sum.zip";
        test::WriteCraftedZip(archive, {{"first.txt", "first"}, {"entry.txt", c.data}}, {}, true);
        test::SetEntrySum(archive, "entry.txt", c.sum);
        EXPECT_EQ(Extract(archive), c.code);
        EXPECT_EQ(fs::exists(destination / "entry.txt"), c.code == kZipOk);
        EXPECT_EQ(ReadFileBytes(destination / "first.txt"), "first");
        fs::remove_all(destination);
    }
}

// The disk fills while an entry is written: the message says so, the entry's
// temporary goes, and what arrived before stays.
TEST_F(ZipExtractSafety, ADiskThatFillsIsReportedAsFull) {
    const fs::path archive = dir.path() / "big.zip";
    test::WriteCraftedZip(archive, {{"small.txt", "small"}, {"big.bin", test::PatternBytes(300 * 1024, 5)}});
    fs::create_directories(destination);
    const auto run = test::RunOnSmallDisk(destination, 64 * 1024, [&] {
        EXPECT_EQ(Extract(archive), kZipDiskFull);
        EXPECT_EQ(test::FilesUnder(destination), std::vector<std::string>{"small.txt"});
    });
    if (run == test::TSmallDiskRun::unavailable) GTEST_SKIP() << "no file system of a test's own can be mounted here";
    EXPECT_EQ(run, test::TSmallDiskRun::passed);
}

// A killed extraction leaves "~cvz<pid>-<n>~<name>"; the next time that file
// is written its temporary goes once its process is gone. Temporaries of other
// files, and files only named like them, stay.
TEST_F(ZipExtractSafety, ExtractionRemovesTheTemporariesOfKilledRuns) {
    fs::create_directories(destination);
    const std::string ended = std::to_string(test::DeadProcessId());
    const std::string dead = "~cvz" + ended + "-7~a.txt";
    const std::vector<std::string> kept = {"~cvz" + std::to_string(::getpid()) + "-8~a.txt", "~cvz12~old.txt",
                                           "~cvz" + ended + "-9~notes.txt"};
    for (const std::string& name : kept) test::WriteFileBytes(destination / name, "half");
    test::WriteFileBytes(destination / dead, "half");
    const fs::path archive = dir.path() / "a.zip";
    test::WriteCraftedZip(archive, {{"a.txt", "whole"}});
    EXPECT_EQ(Extract(archive), kZipOk);
    EXPECT_FALSE(fs::exists(destination / dead));
    EXPECT_EQ(ReadFileBytes(destination / "a.txt"), "whole");
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(destination / name)) << name;
}

TEST_F(ZipExtractSafety, DamagedArchivesGiveACodeAndNeverAHalfFile) {
    const fs::path source = dir.path() / "good.zip";
    const std::map<std::string, std::string> originals{
        {"a.txt", std::string(5000, 'a')}, {"b.bin", test::PatternBytes(300 * 1024, 3)}, {"c.txt", "c"}};
    std::vector<CraftedEntry> entries;
    for (const auto& [name, data] : originals) entries.push_back({name, data});
    test::WriteCraftedZip(source, entries);
    const std::string bytes = ReadFileBytes(source);
    const fs::path damaged = dir.path() / "damaged.zip";

    // Every file that arrives is whole; no temporary file stays behind.
    const auto check = [&](const std::string& what) {
        if (!fs::exists(destination)) return;
        for (const auto& name : test::FilesUnder(destination)) {
            ASSERT_TRUE(originals.count(name)) << what << ": " << name;
            EXPECT_EQ(ReadFileBytes(destination / name), originals.at(name)) << what << ": " << name;
        }
        fs::remove_all(destination);
    };

    const auto field = [&bytes](std::size_t at, int width) { return test::LittleEndian(bytes, at, width); };
    // Cut before the central directory (its offset is at +16 of the end
    // record): entry data is missing, so some entry cannot be whole.
    const std::size_t directoryStart = field(bytes.rfind(std::string("PK\x05\x06", 4)) + 16, 4);
    for (std::size_t length : {std::size_t{0}, std::size_t{10}, std::size_t{4000}, bytes.size() / 2,
                               directoryStart - 1}) {
        test::WriteFileBytes(damaged, bytes.substr(0, length));
        EXPECT_NE(Extract(damaged), kZipOk) << "cut at " << length;
        check("cut at " + std::to_string(length));
    }
    // Cut anywhere, or bytes flipped anywhere: an answer, never a crash.
    for (std::size_t at = 0; at < bytes.size(); at += 997) {
        test::WriteFileBytes(damaged, bytes.substr(0, at));
        Extract(damaged);
        check("cut at " + std::to_string(at));
        std::string flipped = bytes;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x5A);
        test::WriteFileBytes(damaged, flipped);
        Extract(damaged);
        check("flip at " + std::to_string(at));
    }
    // The first byte of the last entry's compressed data changed; its local header starts 30 bytes before its name, the
    // data after the name and the extra field (length at +28).
    std::string corrupt = bytes;
    const std::size_t lastHeader = bytes.find("c.txt") - 30;
    corrupt[lastHeader + 30 + field(lastHeader + 26, 2) + field(lastHeader + 28, 2)] ^= 0x01;
    test::WriteFileBytes(damaged, corrupt);
    EXPECT_EQ(Extract(damaged), kZipDataError);
    // The damaged entry is left out; the earlier ones arrived whole.
    EXPECT_EQ(test::FilesUnder(destination), (std::vector<std::string>{"a.txt", "b.bin"}));
    check("data");

    test::WriteFileBytes(damaged, "this is not a zip archive at all");
    EXPECT_EQ(Extract(damaged), kZipBadArchive);
    EXPECT_EQ(Extract(dir.path() / "missing.zip"), kZipCannotOpenArchive);
    EXPECT_EQ(Extract(dir.path()), kZipCannotOpenArchive);  // a directory
}

}  // namespace
}  // namespace cv
