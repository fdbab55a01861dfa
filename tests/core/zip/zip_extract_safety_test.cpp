#include <gtest/gtest.h>

#include <map>

#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "tests/core/zip/zip_test_support.h"
#include "tests/support/recording_ui.h"
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

TEST_F(ZipExtractSafety, NamesLeavingTheDestinationAreRefusedAndNothingIsWrittenOutside) {
    fs::create_directories(destination);
    const fs::path absoluteTarget = work / "absolute.txt";
    const fs::path archive = dir.path() / "evil.zip";
    test::WriteCraftedZip(archive, {
                                       {"../evil.txt", "x"},
                                       {absoluteTarget.string(), "x"},
                                       {"sub/../../evil2.txt", "x"},
                                       {"..\\evil3.txt", "x"},
                                       {"C:\\evil4.txt", "x"},
                                       {"ok/inside.txt", "fine"},
                                   });
    EXPECT_EQ(Extract(archive), kZipUnsafeEntryName);
    EXPECT_EQ(skipped, std::vector<int>(5, kZipUnsafeEntryName));
    // Only the harmless entry arrived, inside the destination.
    EXPECT_EQ(test::FilesUnder(work), std::vector<std::string>{"dest/ok/inside.txt"});
    EXPECT_EQ(test::FilesUnder(dir.path()), (std::vector<std::string>{"evil.zip", "work/dest/ok/inside.txt"}));
    EXPECT_EQ(ReadFileBytes(destination / "ok/inside.txt"), "fine");
}

TEST_F(ZipExtractSafety, SymbolicLinkEntriesAreRefused) {
    const fs::path archive = dir.path() / "links.zip";
    // The classic pair: a link to the parent, then a file "through" it.
    test::WriteCraftedZip(archive, {
                                       {"up", "..", true},
                                       {"up/escape.txt", "x"},
                                       {"passwd", "/etc/passwd", true},
                                   });
    EXPECT_EQ(Extract(archive), kZipLinkEntry);
    EXPECT_EQ(skipped, (std::vector<int>{kZipLinkEntry, kZipLinkEntry}));
    for (const auto& item : fs::recursive_directory_iterator(dir.path())) EXPECT_FALSE(item.is_symlink());
    // Without the link, "up/escape.txt" is an ordinary path inside the destination.
    EXPECT_EQ(test::FilesUnder(work), std::vector<std::string>{"dest/up/escape.txt"});
}

TEST_F(ZipExtractSafety, ExistingLinkInTheDestinationCannotLeadOutside) {
    fs::create_directories(destination);
    fs::create_directories(work / "outside");
    fs::create_directory_symlink(work / "outside", destination / "door");
    const fs::path archive = dir.path() / "door.zip";
    test::WriteCraftedZip(archive, {{"door/new/x.txt", "x"}, {"door/y.txt", "y"}});
    EXPECT_EQ(Extract(archive), kZipUnsafeEntryName);
    EXPECT_TRUE(fs::is_empty(work / "outside"));
}

TEST_F(ZipExtractSafety, DamagedArchivesGiveACodeAndNeverAHalfFile) {
    const fs::path source = dir.path() / "good.zip";
    const std::string big = test::PatternBytes(300 * 1024, 3);
    test::WriteCraftedZip(source, {{"a.txt", std::string(5000, 'a')}, {"b.bin", big}, {"c.txt", "c"}});
    const std::string bytes = ReadFileBytes(source);
    const std::map<std::string, std::string> originals{
        {"a.txt", std::string(5000, 'a')}, {"b.bin", big}, {"c.txt", "c"}};
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

    const auto field = [&bytes](std::size_t at, int width) {
        std::size_t value = 0;
        for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
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
    // The first byte of the last entry's compressed data changed; its local
    // header starts 30 bytes before its name, the data after the name
    // and the extra field (length at +28).
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
