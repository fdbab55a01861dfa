#include "core/zip/zip_paths.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TEST(ZipPaths, WildcardsMatchWholeNamesWithoutRegardToCase) {
    EXPECT_TRUE(WildcardMatch("*.mt?", "IND.MTA"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYbZc"));   // the second '*' must retry past the first 'b'
    EXPECT_TRUE(WildcardMatch("*/*.txt", "dir/sub/x.txt"));
    EXPECT_TRUE(WildcardMatch("??", "ab"));
    EXPECT_FALSE(WildcardMatch("??", "abc"));
    EXPECT_FALSE(WildcardMatch("*.txt", "x.txt.bak"));
    EXPECT_FALSE(WildcardMatch("a*b", "ac"));
    EXPECT_FALSE(WildcardMatch("", "a"));

    // A pattern without separator also picks the last component of a path.
    EXPECT_TRUE(PatternSelects("*.TXT", "dir/sub/x.txt"));
    EXPECT_TRUE(PatternSelects("x.txt", "dir/x.txt"));
    EXPECT_FALSE(PatternSelects("sub/x.txt", "dir/sub/x.txt"));
    EXPECT_TRUE(PatternSelects("*/sub/x.txt", "dir/sub/x.txt"));
}

TEST(ZipPaths, StoredNamesLoseTheRootAndUpwardSteps) {
    EXPECT_EQ(StoredEntryName("/home/team/IND.MTA", true), "home/team/IND.MTA");
    EXPECT_EQ(StoredEntryName("./a/b.txt", true), "a/b.txt");
    EXPECT_EQ(StoredEntryName("../../up/b.txt", true), "up/b.txt");
    EXPECT_EQ(StoredEntryName("a/x/../b.txt", true), "a/b.txt");
    EXPECT_EQ(StoredEntryName("/home/team/IND.MTA", false), "IND.MTA");
    EXPECT_EQ(StoredEntryName("..", true), "");
}

TEST(ZipPaths, EntryNamesLeavingTheDestinationAreRefused) {
    for (const char* unsafe : {"", "/etc/passwd", "\\evil", "../evil", "a/../../evil", "a/..", "..\\evil",
                               "C:\\evil", "c:evil", "./../evil", "a/b/../../../evil", "./", "//server/share"})
        EXPECT_FALSE(SafeEntryPath(unsafe).has_value()) << unsafe;

    EXPECT_EQ(SafeEntryPath("a/b.txt"), fs::path("a/b.txt"));
    EXPECT_EQ(SafeEntryPath("a\\b.txt"), fs::path("a/b.txt"));
    EXPECT_EQ(SafeEntryPath("./a//b.txt"), fs::path("a/b.txt"));
    EXPECT_EQ(SafeEntryPath("dir/"), fs::path("dir"));
    EXPECT_EQ(SafeEntryPath("a..b"), fs::path("a..b"));  // dots inside a name are no step
}

TEST(ZipPaths, InsideTheDirectoryFollowsExistingSymbolicLinks) {
    test::TempDir dir;
    const fs::path destination = dir.path() / "dest";
    fs::create_directories(destination / "real");
    fs::create_directories(dir.path() / "outside");
    fs::create_directory_symlink(dir.path() / "outside", destination / "escape");
    fs::create_directory_symlink(destination / "real", destination / "alias");

    EXPECT_TRUE(IsInsideDirectory(destination / "new/file", destination));
    EXPECT_TRUE(IsInsideDirectory(destination / "alias/file", destination));
    EXPECT_FALSE(IsInsideDirectory(destination / "escape/file", destination));
    EXPECT_FALSE(IsInsideDirectory(destination, destination));
    EXPECT_FALSE(IsInsideDirectory(dir.path() / "dest2/file", destination));
}

}  // namespace
}  // namespace cv
