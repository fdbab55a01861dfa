#pragma once
// A program root for the benchmarks that start the program's windows: a
// temporary directory with Binaries/ (a link to the running benchmark named
// like the program, the language file and the media), Private/, a runtime
// directory and the user's configuration directory inside it. Removed on
// destruction. And the program started in it, shown and idle.

#include <QString>
#include <filesystem>
#include <string>

#include "app/program_start.h"

namespace cv::bench {

class BenchProgramRoot {
public:
    BenchProgramRoot();
    ~BenchProgramRoot();
    BenchProgramRoot(const BenchProgramRoot&) = delete;
    BenchProgramRoot& operator=(const BenchProgramRoot&) = delete;

    std::string Exe() const { return (dir_ / "Binaries" / "CV3TEAM").string(); }
    std::filesystem::path PrivateDir() const { return dir_ / "Private"; }
    QString RuntimeDir() const { return QString::fromStdString((dir_ / "runtime").string()); }

private:
    std::filesystem::path dir_;
};

// Waits until Window is on the screen and the events it caused are handled.
void WaitUntilShownAndIdle(QWidget& window);

// The program's windows as main starts them in Root, the splash closed as
// soon as it shows; returns once the main window is shown and idle.
cv::TProgramWindows StartShownAndIdle(const BenchProgramRoot& root);

}  // namespace cv::bench
