#include "core/base/file_routines.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "core/base/ini_file.h"
#include "tests/support/checks.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {
namespace fs = std::filesystem;

std::set<std::string> Entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

TEST(FileRoutinesTest, CanCreateFileInNeverTouchesAnExistingFile) {
    test::TempDir dir;
    test::WriteFileBytes(dir.path() / "t.txt", "the user's data");
    const std::set<std::string> before = Entries(dir.path());
    EXPECT_TRUE(CanCreateFileIn(dir.path().string(), "t.txt"));
    EXPECT_TRUE(CanCreateFileIn(dir.path().string() + "/", "t.txt"));
    EXPECT_TRUE(CanCreateFileIn(dir.path().string(), "TestPermissions.txt"));
    EXPECT_EQ(test::ReadFileBytes(dir.path() / "t.txt"), "the user's data");
    EXPECT_EQ(Entries(dir.path()), before);

    EXPECT_FALSE(CanCreateFileIn(dir / "missing", "t.txt"));
    EXPECT_FALSE(CanCreateFileIn(dir / "t.txt", "u.txt"));  // a file is no directory
    EXPECT_EQ(Entries(dir.path()), before);
}

TEST(FileRoutinesTest, DirExistsOrCreatableLeavesNothingBehind) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "Industry");
    test::WriteFileBytes(dir.path() / "plain", "x");
    const std::set<std::string> before = Entries(dir.path());
    EXPECT_TRUE(DirExistsOrCreatable(dir.path().string(), "Industry"));
    EXPECT_TRUE(DirExistsOrCreatable(dir.path().string() + "/", "New"));
    EXPECT_FALSE(DirExistsOrCreatable(dir / "missing", "Industry"));
    EXPECT_FALSE(DirExistsOrCreatable(dir.path().string(), "plain"));
    EXPECT_EQ(Entries(dir.path()), before);
    EXPECT_TRUE(fs::is_directory(dir.path() / "Industry"));
}

TEST(FileRoutinesTest, OnlyTheRunningExecutableHasAVersion) {
    // 3.0.2.7 gives 3.02 and 3.02.7; 3.10.5.2 gives 3.105.
    EXPECT_TRUE(test::AllEqual<std::string>({{FormatFileVersion(3, 0, 2, 7, true), "3.02"},
                                             {FormatFileVersion(3, 0, 2, 7, false), "3.02.7"},
                                             {FormatFileVersion(3, 10, 5, 2, true), "3.105"}}));

    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string shortForm = GetFileVersionString(self, true);
    const std::string longForm = GetFileVersionString(self, false);
    ASSERT_FALSE(shortForm.empty());
    EXPECT_EQ(shortForm.find_first_not_of("0123456789."), std::string::npos);
    EXPECT_EQ(longForm.rfind(shortForm + ".", 0), 0u);
    EXPECT_GT(longForm.size(), shortForm.size() + 1);

    test::TempDir dir;
    test::WriteFileBytes(dir.path() / "TTF16.OCX", "not a program");
    EXPECT_EQ(GetFileVersionString(dir / "TTF16.OCX", true), "");
    EXPECT_EQ(GetFileVersionString(dir / "missing.exe", false), "");
}

TEST(FileRoutinesTest, WriteFileAtomicallyReplacesContentAndKeepsMode) {
    test::TempDir dir;
    const fs::path file = dir.path() / "settings.ini";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "first"));
    EXPECT_EQ(test::ReadFileBytes(file), "first");
    fs::permissions(file, fs::perms(0640));
    ASSERT_TRUE(WriteFileAtomically(file.string(), "second"));
    EXPECT_EQ(test::ReadFileBytes(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, fs::perms(0640));

    EXPECT_FALSE(WriteFileAtomically((dir.path() / "missing" / "x.ini").string(), "x"));
    EXPECT_FALSE(WriteFileAtomically((dir.path() / "settings.ini" / "x.ini").string(), "x"));
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"settings.ini"}));
}

// A link in the directory, to a file elsewhere or to a missing one, is replaced
// by a new regular file with the usual mode, never the link's own 0777; what it
// led to keeps its bytes and its mode.
TEST(FileRoutinesTest, WriteFileAtomicallyReplacesALinkNeverWritesThroughIt) {
    const mode_t umaskBefore = ::umask(022);
    struct TRestoreUmask {
        mode_t mask;
        ~TRestoreUmask() { ::umask(mask); }
    } restore{umaskBefore};
    test::TempDir dir;
    test::TempDir elsewhere;
    const fs::path outside = elsewhere.path() / "outside.txt";
    test::WriteFileBytes(outside, "outside");
    fs::permissions(outside, fs::perms(0600));
    for (const fs::path& target : {outside, elsewhere.path() / "missing.txt"}) {
        SCOPED_TRACE(target.string());
        const fs::path link = dir.path() / "link.ini";
        fs::create_symlink(target, link);
        ASSERT_TRUE(WriteFileAtomically(link.string(), "new"));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
        EXPECT_EQ(fs::symlink_status(link).permissions() & fs::perms::mask, fs::perms(0644));
        EXPECT_EQ(test::ReadFileBytes(link), "new");
        EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"link.ini"}));
        fs::remove(link);
    }
    EXPECT_EQ(test::ReadFileBytes(outside), "outside");
    EXPECT_EQ(fs::status(outside).permissions() & fs::perms::mask, fs::perms(0600));
    EXPECT_EQ(Entries(elsewhere.path()), (std::set<std::string>{"outside.txt"}));
}

// A device or a pipe is never replaced by a file, and a link that leads to one
// is replaced, never written through: a copy of the null device (made where
// the test may make one), a pipe, and the settings file of the ini class on
// the device copy.
TEST(FileRoutinesTest, AtomicWritesNeverReplaceADeviceOrAPipe) {
    test::TempDir dir;
    std::vector<fs::path> specials;
    const fs::path device = dir.path() / "null.ini";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) specials.push_back(device);
    const fs::path pipe = dir.path() / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    specials.push_back(pipe);
    for (const fs::path& special : specials) {
        const fs::path link = dir.path() / ("link-" + special.filename().string());
        fs::create_symlink(special.filename(), link);
        SCOPED_TRACE(special.filename().string());
        EXPECT_FALSE(IsReplaceableByRename(special.string()));
        EXPECT_FALSE(WriteFileAtomically(special.string(), "a file"));
        EXPECT_EQ(errno, EPERM);
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(special)));
        EXPECT_TRUE(WriteFileAtomically(link.string(), "a file"));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(special)));
    }
    if (specials.front() == device) {
        EXPECT_THROW(TIniFile(device.string()).WriteString("Session", "Key", "value"), EIniFileError);
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_TRUE(IsReplaceableByRename((dir.path() / "new.ini").string()));
}

}  // namespace
}  // namespace cv
