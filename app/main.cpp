// The team workstation's executable.

#include <iostream>

#include "core/base/errors.h"
#include "core/session/settings_paths.h"
#include "team/bank_dialog.h"
#include "app/display_check.h"
#include "app/program_start.h"
#include "ui/cv_application.h"
#include "ui/qt_ui_services.h"
#include "ui/sound/sound_player.h"

int main(int argc, char** argv) {
    const std::string exeFileName = cv::RunningExecutableFileName();
    const cv::TDisplay display = cv::FindDisplay();
    if (display.state != cv::TDisplayState::Reachable) {
        std::cerr << cv::NoDisplayText(display, exeFileName) << '\n';
        return 1;
    }
    cv::UseDisplayPlatform(display);
    cv::TCvApplication application(argc, argv);
    cv::TQtUiServices uiServices;
    const std::unique_ptr<cv::TSoundPlayer> soundPlayer = cv::CreateSystemSoundPlayer();
    cv::TMainWindowServices services;
    services.exeFileName = exeFileName;
    services.now = [] { return QDateTime::currentDateTime(); };
    services.playSound = [&soundPlayer](const std::string& file) { soundPlayer->Play(file); };
    try {
        return cv::RunProgram(application, std::move(services));
    } catch (const cv::EFatalStop&) {
        // The fatal stop wrote its reason to the log.
        return cv::kFatalStopExitCode;
    }
}
