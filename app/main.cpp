// The team workstation's executable.

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "core/base/errors.h"
#include "core/session/settings_paths.h"
#include "team/bank_dialog.h"
#include "app/program_start.h"
#include "ui/qt_ui_services.h"
#include "ui/sound/sound_player.h"

namespace {

// Qt would end the process with its own message when no display can be
// reached; the program says so in plain words instead.
bool DisplayReachable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayReachable()) {
        std::cerr << "Corvantis3: no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n";
        return 1;
    }
    QApplication application(argc, argv);
    cv::TQtUiServices uiServices;
    const std::unique_ptr<cv::TSoundPlayer> soundPlayer = cv::CreateSystemSoundPlayer();
    cv::TMainWindowServices services;
    services.exeFileName = cv::RunningExecutableFileName();
    services.now = [] { return QDateTime::currentDateTime(); };
    services.playSound = [&soundPlayer](const std::string& file) { soundPlayer->Play(file); };
    try {
        return cv::RunProgram(application, std::move(services));
    } catch (const cv::EFatalStop&) {
        // The fatal stop wrote its reason to the log.
        return 1;
    }
}
