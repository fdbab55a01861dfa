#include "tests/support/session_tree.h"

#include <cstdlib>

#include "core/base/log_file.h"

namespace cv::test {
namespace fs = std::filesystem;

SessionTree::SessionTree(const std::string& binariesName)
    : binariesName_(binariesName), oldCwd_(fs::current_path()), oldDebugLevel_(DebugLevel) {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = xdg;
    fs::create_directories(RootPath() / binariesName_);
    fs::create_directories(temp_.path() / "config");
    ::setenv("XDG_CONFIG_HOME", (temp_.path() / "config").c_str(), 1);
}

SessionTree::~SessionTree() {
    std::error_code ignored;
    fs::current_path(oldCwd_, ignored);
    if (oldXdg_)
        ::setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    DebugLevel = oldDebugLevel_;
}

std::string SessionTree::Root() const { return RootPath().string() + "/"; }

std::string SessionTree::Exe(const std::string& name) const { return (RootPath() / binariesName_ / name).string(); }

fs::path SessionTree::ProgramConfigPath() const {
    const fs::path dir = temp_.path() / "config" / "Corvantis3";
    fs::create_directories(dir);
    return dir;
}

void SessionTree::WriteRegistry(const std::string& text) const {
    WriteFileBytes(ProgramConfigPath() / "registry.ini", text);
}

void SessionTree::WriteWinIni(const std::string& text) const { WriteFileBytes(ProgramConfigPath() / "WIN.INI", text); }

}  // namespace cv::test
