#include "core/base/ini_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <random>

#include "tests/support/checks.h"
#include "tests/support/dead_process.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {
namespace fs = std::filesystem;

// The same settings with the line end given.
std::string SampleSettings(const std::string& eol) {
    return "; written by hand" + eol + "[Session]" + eol + "PrivateDir = C:\\Private\\ " + eol + "  ExchangeDir=A:\\" +
           eol + "Quoted=\" spaced \"" + eol + "Empty=" + eol + "privatedir=second" + eol + "NoEquals" + eol +
           "[session]" + eol + "Other=1" + eol + "[ CV3 ] trailing" + eol + "DebugLevel=3" + eol + "Hex=$1F" + eol +
           "Hex2=0x10" + eol + "Neg=-12" + eol + "Bad=12abc" + eol + "Big=2147483648" + eol + "Small=-2147483648" +
           eol + "Lone=-" + eol + "Spaced= 7 ";
}

TEST(IniFileTest, ReadsAsWindowsDoesWithEitherLineEnd) {
    for (const std::string eol : {"\r\n", "\n"}) {
        test::TempDir dir;
        test::WriteFileBytes(dir.path() / "Corvantis.ini", SampleSettings(eol));
        const TIniFile ini(dir / "Corvantis.ini");
        // Only the first [Session] counts: "Other" is in the second.
        EXPECT_TRUE(test::AllEqual<std::string>({{ini.ReadString("SESSION", "privatedir", "x"), "C:\\Private\\"},
                                                 {ini.ReadString("Session", "EXCHANGEDIR", "x"), "A:\\"},
                                                 {ini.ReadString("Session", "Quoted", "x"), " spaced "},
                                                 {ini.ReadString("Session", "Empty", "x"), ""},
                                                 {ini.ReadString("Session", "NoEquals", "x"), "x"},
                                                 {ini.ReadString("Session", "Other", "x"), "x"},
                                                 {ini.ReadString("Missing", "Other", "x"), "x"}}));
        const auto integer = [&ini](const char* key) { return ini.ReadInteger("CV3", key, 5); };
        EXPECT_TRUE(test::AllEqual<int>({{ini.ReadInteger("cv3", "DebugLevel", 0), 3}, {integer("Hex"), 31},
                                         {integer("Hex2"), 16}, {integer("Neg"), -12}, {integer("Bad"), 5},
                                         {integer("Big"), 5}, {integer("Small"), -2147483647 - 1},
                                         {integer("Lone"), 5}, {integer("Spaced"), 7}}));
        EXPECT_EQ(ini.ReadSection("session"),
                  (std::vector<std::string>{"PrivateDir", "ExchangeDir", "Quoted", "Empty"}));
        EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Session", "CV3"}));
    }
}

TEST(IniFileTest, WritesChangeOnlyTheirOwnLineAndKeepCrLf) {
    test::TempDir dir;
    const fs::path file = dir.path() / "Corvantis.ini";
    test::WriteFileBytes(file,
                         "; settings\r\n[Session]\r\n  PrivateDir = None ; old\r\nLanguage=enu\r\n\r\n"
                         "[Codes]\r\nenu=English");
    TIniFile ini(file.string());
    ini.WriteString("SESSION", "privatedir", "/home/team/Private/");
    ini.WriteString("Session", "TestReadOnly", "NotReadOnly");
    ini.WriteString("Team", "CurPer", "3");
    ini.EraseKey("Session", "LANGUAGE");
    ini.EraseKey("Session", "Absent");
    ini.EraseKey("Absent", "Absent");
    // The key keeps its spelling in the file; the new key goes after the last key
    // of its section, before the blank line; the new section after a blank line.
    EXPECT_EQ(test::ReadFileBytes(file),
              "; settings\r\n[Session]\r\nPrivateDir=/home/team/Private/\r\nTestReadOnly=NotReadOnly\r\n\r\n"
              "[Codes]\r\nenu=English\r\n\r\n[Team]\r\nCurPer=3\r\n");
    EXPECT_TRUE(test::AllEqual<std::string>({{ini.ReadString("session", "testreadonly", ""), "NotReadOnly"},
                                             {ini.ReadString("Session", "Language", "gone"), "gone"},
                                             {ini.ReadString("Codes", "enu", ""), "English"}}));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Each line keeps its own end, however odd: a CR CR LF line reads without its CRs and stays byte for byte when another
// key is written; a last line without an end gains the file's line end only when a line follows it.
TEST(IniFileTest, OtherLinesKeepTheirBytesWhateverTheirEnds) {
    test::TempDir dir;
    const fs::path file = dir.path() / "odd.ini";
    test::WriteFileBytes(file, "[Session]\r\r\nA=1\r\r\nB=2\n; note \r\nC=3");
    TIniFile ini(file.string());
    EXPECT_EQ(ini.ReadString("Session", "A", "x"), "1");
    ini.WriteString("Session", "B", "9");
    EXPECT_EQ(test::ReadFileBytes(file), "[Session]\r\r\nA=1\r\r\nB=9\n; note \r\nC=3");
    ini.WriteString("Session", "D", "4");
    EXPECT_EQ(test::ReadFileBytes(file), "[Session]\r\r\nA=1\r\r\nB=9\n; note \r\nC=3\r\nD=4\r\n");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"Session"});
}

// A last line ending in bare CRs: the written key gets a line of its own, the
// CRs of that line stay, and the value reads back.
TEST(IniFileTest, AWriteAfterALastLineEndingInBareCrsReadsBack) {
    test::TempDir dir;
    const fs::path file = dir.path() / "cr.ini";
    const struct {
        const char* before;
        const char* section;
        const char* after;
    } cases[] = {
        {"[S]\r", "S", "[S]\r\nK=v\r\n"},
        {"[S]\r\r", "S", "[S]\r\r\nK=v\r\n"},
        {"[S]\nA=1\r", "S", "[S]\nA=1\r\nK=v\n"},
        // A new section after such a line: the blank line before it, then the section.
        {"[S]\r", "T", "[S]\r\n\r\n[T]\r\nK=v\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        test::WriteFileBytes(file, c.before);
        TIniFile ini(file.string());
        ini.WriteString(c.section, "K", "v");
        EXPECT_EQ(ini.ReadString(c.section, "K", "absent"), "v");
        EXPECT_EQ(test::ReadFileBytes(file), c.after);
    }
}

// Files of a few bytes made of what gives lines their structure, in a fixed
// random order: whatever they hold, a value written reads back and a second key
// written after it leaves it readable.
TEST(IniFileTest, AWrittenValueReadsBackWhateverTheFileHeld) {
    constexpr int kRuns = 400;
    constexpr std::size_t kMaxLength = 8;
    const std::string alphabet = "[]S=K;\r\n x";
    std::mt19937 random(28);
    test::TempDir dir;
    const fs::path file = dir.path() / "fuzz.ini";
    for (int run = 0; run < kRuns; ++run) {
        std::string bytes(random() % (kMaxLength + 1), ' ');
        for (char& byte : bytes) byte = alphabet[random() % alphabet.size()];
        test::WriteFileBytes(file, bytes);
        TIniFile ini(file.string());
        ini.WriteString("S", "K", "v");
        ini.WriteString("S", "L", "w");
        ASSERT_TRUE(test::AllEqual<std::string>({{ini.ReadString("S", "K", "absent"), "v"},
                                                 {ini.ReadString("S", "L", "absent"), "w"}}))
            << ::testing::PrintToString(bytes);
    }
}

// A save killed before its rename leaves "<file>.tmp-<pid>-<n>"; the next write of that file removes it once its
// process is gone, and leaves alone the temporary of a running process and files that are not ours, even when named
// like a temporary of another file whose process is gone.
TEST(IniFileTest, AWriteRemovesTheTemporariesOfKilledSaves) {
    test::TempDir dir;
    const std::string ended = std::to_string(test::DeadProcessId());
    const std::string dead = "Corvantis.ini.tmp-" + ended + "-3";
    const std::vector<std::string> kept = {"Corvantis.ini.tmp-" + std::to_string(::getpid()) + "-9", "notes.tmp-12x-1",
                                           ".tmp-1-1", "ABCD.tmp-" + ended + "-45", "notes.txt.tmp-" + ended + "-45"};
    test::WriteFileBytes(dir.path() / dead, "[Half");
    for (const std::string& name : kept) test::WriteFileBytes(dir.path() / name, "[Half");
    TIniFile(dir / "Corvantis.ini").WriteString("CV3", "DebugLevel", "1");
    EXPECT_FALSE(fs::exists(dir.path() / dead));
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
}

TEST(IniFileTest, RefusedWritesLeaveTheFileAsItWas) {
    test::TempDir dir;
    const fs::path file = dir.path() / "locked.ini";
    const std::string original = "[Session]\r\nTestReadOnly=NotReadOnly\r\n";
    test::WriteFileBytes(file, original);
    fs::permissions(file, fs::perms(0444));
    TIniFile locked(file.string());
    // Even an unchanged value is written, so a read-only file is found out.
    EXPECT_THROW(locked.WriteString("Session", "TestReadOnly", "NotReadOnly"), EIniFileError);
    EXPECT_THROW(locked.EraseKey("Session", "TestReadOnly"), EIniFileError);
    EXPECT_EQ(test::ReadFileBytes(file), original);

    fs::permissions(file, fs::perms(0644));
    for (const auto& [section, key, value] : std::vector<std::array<std::string, 3>>{
             {"Session", "Key", "two\r\nlines"}, {"Session", "a=b", "v"}, {"Sec]tion", "k", "v"}, {"", "k", "v"},
             {"Session", "", "v"}, {"Session", " padded", "v"}, {"Session", "[k", "v"}, {"Session", ";k", "v"}}) {
        EXPECT_THROW(locked.WriteString(section, key, value), EIniFileError) << section << "/" << key;
    }
    EXPECT_EQ(test::ReadFileBytes(file), original);

    TIniFile nowhere((dir.path() / "missing" / "x.ini").string());
    EXPECT_THROW(nowhere.WriteString("A", "k", "v"), EIniFileError);
    // A directory where the file should be cannot be read, so it is never replaced.
    fs::create_directory(dir.path() / "dir.ini");
    TIniFile directory(dir / "dir.ini");
    EXPECT_THROW(directory.WriteString("A", "k", "v"), EIniFileError);
    EXPECT_TRUE(fs::is_directory(dir.path() / "dir.ini"));
}

}  // namespace
}  // namespace cv
