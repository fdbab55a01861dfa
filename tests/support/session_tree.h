#pragma once
// A program tree for session tests: <tmp>/Sim/Binaries/ holding the executable's place, and <tmp>/config/ as the user's
// configuration directory. For its lifetime $XDG_CONFIG_HOME points there; the environment, the current directory and
// the log level are put back afterwards.

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

namespace cv::test {

class SessionTree {
public:
    explicit SessionTree(const std::string& binariesName = "Binaries");
    ~SessionTree();
    SessionTree(const SessionTree&) = delete;
    SessionTree& operator=(const SessionTree&) = delete;

    // <tmp>/Sim/ with its trailing '/'.
    std::string Root() const;
    // The executable Name inside the binaries directory (the file need not exist).
    std::string Exe(const std::string& name = "cv3team") const;
    std::filesystem::path RootPath() const { return temp_.path() / "Sim"; }
    // <tmp>/config/Corvantis3/, created.
    std::filesystem::path ProgramConfigPath() const;
    void WriteRegistry(const std::string& text) const;
    void WriteWinIni(const std::string& text) const;

private:
    TempDir temp_;
    std::string binariesName_;
    std::optional<std::string> oldXdg_;
    std::filesystem::path oldCwd_;
    int oldDebugLevel_;
};

}  // namespace cv::test
