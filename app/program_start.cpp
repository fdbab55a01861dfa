#include "app/program_start.h"

#include <QPointer>

#include "core/base/errors.h"
#include "core/session/session.h"
#include "core/team/staged_files.h"
#include "decisions/areas/area_dialogs.h"
#include "decisions/page/decision_page.h"
#include "graphs/page/graph_page.h"
#include "graphs/studies_page/studies_page.h"
#include "reports/pages/newsletter_page.h"
#include "reports/pages/results_page.h"
#include "team/team_page.h"
#include "shell/splash_screen.h"
#include "app/single_instance.h"

namespace cv {
namespace {

// Every page of the program, in the order of their window numbers: the
// decisions, the results, the newsletter, the graphs, then the team page, the
// one shown first. The decision area dialogs register on the decisions page
// (decisions/areas/).
TFoSimul* CreatePages(TFoCv3Main& mainWindow) {
    QWidget* area = mainWindow.PageArea();
    auto* decisions = new TFoDecision(mainWindow, area);
    RegisterAreaDialogs(*decisions);
    mainWindow.AddPage(decisions);
    mainWindow.AddPage(new TFoResult(mainWindow, area));
    mainWindow.AddPage(new TFoNLetter(mainWindow, area));
    mainWindow.AddPage(new TFoMStudies(mainWindow, area));
    mainWindow.AddPage(new TFoGraph(mainWindow, area));
    auto* teamPage = new TFoSimul(mainWindow, area);
    mainWindow.AddPage(teamPage);
    return teamPage;
}

}  // namespace

TProgramWindows StartProgramWindows(TMainWindowServices services) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TProgramWindows windows;
    try {
        windows.mainWindow = std::make_unique<TFoCv3Main>(services);
    } catch (const EFatalStop&) {
        // The reason is in the log and was shown; no window is started.
        QApplication::restoreOverrideCursor();
        return {};
    }
    RemoveLeftoversOfEarlierRuns(Session->PrivateDir());
    TFoCv3Main& mainWindow = *windows.mainWindow;
    mainWindow.show();
    mainWindow.repaint();
    windows.teamPage = CreatePages(mainWindow);
    TFoCv3Mod::SetCurrent(windows.teamPage);
    mainWindow.RefreshAll();
    {
        TFoSplashScreen splash(nullptr, nullptr);
        QApplication::restoreOverrideCursor();
        splash.exec();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    mainWindow.ShowPage(windows.teamPage);
    windows.teamPage->repaint();
    QApplication::restoreOverrideCursor();
    mainWindow.WarmUpWhenIdle();
    return windows;
}

void BringToFront(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

int RunProgram(QApplication& application, TMainWindowServices services) {
    QPointer<TFoCv3Main> shown;
    TSingleInstance instance;
    if (!instance.Acquire([&shown] {
            if (shown) BringToFront(*shown);
        }))
        return 0;
    TProgramWindows windows = StartProgramWindows(std::move(services));
    if (!windows.mainWindow) return kFatalStopExitCode;
    shown = windows.mainWindow.get();
    return application.exec();
}

}  // namespace cv
