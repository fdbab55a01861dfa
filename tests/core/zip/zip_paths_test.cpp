#include "core/zip/zip_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TEST(ZipPaths, WildcardsMatchWholeNamesWithoutRegardToCase) {
    // Whole-name matches; "a*b*c" makes the second '*' retry past the first 'b'.
    const struct {
        const char* pattern;
        const char* text;
        bool matches;
    } wildcards[] = {{"*.mt?", "IND.MTA", true}, {"*", "", true},          {"a*b*c", "aXXbYbZc", true},
                     {"*/*.txt", "dir/sub/x.txt", true}, {"??", "ab", true}, {"??", "abc", false},
                     {"*.txt", "x.txt.bak", false},      {"a*b", "ac", false}, {"", "a", false}};
    for (const auto& c : wildcards)
        EXPECT_EQ(WildcardMatch(c.pattern, c.text), c.matches) << c.pattern << " " << c.text;
    // A pattern without separator also picks the last component of a path.
    EXPECT_TRUE(PatternSelects("*.TXT", "dir/sub/x.txt"));
    EXPECT_TRUE(PatternSelects("x.txt", "dir/x.txt"));
    EXPECT_FALSE(PatternSelects("sub/x.txt", "dir/sub/x.txt"));
    EXPECT_TRUE(PatternSelects("*/sub/x.txt", "dir/sub/x.txt"));
}

TEST(ZipPaths, EntryNamesLeavingTheDestinationAreRefused) {
    for (const char* unsafe : {"", "/etc/passwd", "\\evil", "../evil", "a/../../evil", "a/..", "..\\evil",
                               "C:\\evil", "c:evil", "./../evil", "a/b/../../../evil", "./", "//server/share"})
        EXPECT_FALSE(SafeEntryPath(unsafe).has_value()) << unsafe;

    // Dots inside a name are no step.
    for (const auto& [name, path] : std::vector<std::pair<const char*, const char*>>{
             {"a/b.txt", "a/b.txt"}, {"a\\b.txt", "a/b.txt"}, {"./a//b.txt", "a/b.txt"}, {"dir/", "dir"},
             {"a..b", "a..b"}})
        EXPECT_EQ(SafeEntryPath(name), fs::path(path)) << name;
}

TEST(ZipPaths, ANameAtTheFileSystemsLimitIsNotTooLong) {
    test::TempDir dir;
    const auto limit = static_cast<std::size_t>(::pathconf(dir.path().c_str(), _PC_NAME_MAX));
    EXPECT_FALSE(NameTooLong(std::string(limit, 'n'), dir.path()));
    EXPECT_TRUE(NameTooLong(std::string(limit + 1, 'n'), dir.path()));
    EXPECT_TRUE(NameTooLong(fs::path("a") / std::string(limit + 1, 'n'), dir.path()));
}

}  // namespace
}  // namespace cv
