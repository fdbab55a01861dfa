#include "core/session/settings_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/session_tree.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {
namespace fs = std::filesystem;

TEST(SettingsPathsTest, ConfigurationFilesFollowXdgConfigHome) {
    test::SessionTree tree;
    const std::string config = tree.ProgramConfigPath().string() + "/";
    EXPECT_EQ(ConfigDir(), config);
    EXPECT_EQ(RegistryIniFileName(), config + "registry.ini");
    EXPECT_EQ(WinIniFileName(), config + "WIN.INI");

    // A relative value is not a valid base directory: ~/.config is used.
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    const std::string homeConfig = WithTrailingSlash(home) + ".config/Corvantis3/";
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(ConfigDir(), homeConfig);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigDir(), homeConfig);
}

TEST(SettingsPathsTest, WindowsPathsAreTranslatedAndDrivesAreUnreachable) {
    EXPECT_EQ(LocalPathFromWindows("C:\\Sim\\Private\\"), "C:/Sim/Private/");
    EXPECT_EQ(LocalPathFromWindows("/home/team/exchange"), "/home/team/exchange");
    for (const char* unreachable : {"A:\\", "A:/", "c:", "z:\\data", "\\\\server\\share", "//server/share"})
        EXPECT_TRUE(IsUnreachablePath(unreachable)) << unreachable;
    for (const char* local : {"/home/team/", "relative/dir", "", "/", "///odd", "1:/x", "AB:\\"})
        EXPECT_FALSE(IsUnreachablePath(local)) << local;
    for (const char* dir : {"/a", "/a/"}) EXPECT_EQ(WithTrailingSlash(dir), "/a/");
    EXPECT_EQ(WithTrailingSlash(""), "");
}

TEST(SettingsPathsTest, RegistrySubkeysAreSectionsNamedByTheirWholePath) {
    test::SessionTree tree;
    const fs::path file = tree.ProgramConfigPath() / "registry.ini";
    fs::remove_all(tree.ProgramConfigPath());  // the first write creates the directory

    TRegistryIniFile registry(RegistryIniFileName(), kRegistryKey);
    EXPECT_EQ(registry.ReadString("Session", "Language", "enu"), "enu");
    registry.WriteString("Session", "Language", "fra");
    EXPECT_EQ(test::ReadFileBytes(file), "[Software\\Quenor\\Corvantis\\Session]\r\nLanguage=fra\r\n");
    EXPECT_EQ(registry.ReadString("SESSION", "language", "enu"), "fra");

    // Another key in the same file stays apart.
    const TRegistryIniFile other(RegistryIniFileName(), "Software\\Quenor\\Other");
    EXPECT_EQ(other.ReadString("Session", "Language", "none"), "none");
    registry.EraseKey("Session", "Language");
    EXPECT_EQ(registry.ReadString("Session", "Language", "enu"), "enu");
}

TEST(SettingsPathsTest, RunningExecutableIsThisTestProgram) {
    EXPECT_TRUE(fs::equivalent(RunningExecutableFileName(), "/proc/self/exe"));
}

}  // namespace
}  // namespace cv
