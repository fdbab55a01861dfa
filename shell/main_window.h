#pragma once
// TFoCv3Main: the program's one top-level window. A bar across the top holds
// the page buttons, the tool buttons, the clock and the close button, laid out
// for the room the window has on the screen beside the window manager's frame
// (shell/bar_layout.h, ui/screen_room.h); below it the page area shows one page
// window at a time. Creating the window starts the session and the translator;
// closing it (after "ConfirmClose" when an industry is open) ends them.

#include <QPoint>
#include <QStackedWidget>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "shell/bar_clock.h"
#include "shell/help_window.h"
#include "ui/idle_warm_up.h"
#include "ui/qn_form.h"

namespace cv {

class TBar;
class TCv3SpBtn;
class TFoCv3Main;
class TFoCv3Mod;

// What the main window takes from outside: tests give a fixed clock, a silent
// sound player and a program root of their own.
struct TMainWindowServices {
    // The executable's full name; its place decides the program's directories.
    std::string exeFileName;
    TBarClock::TNow now;
    // Plays a sound file; failures stay silent.
    std::function<void(const std::string& soundFile)> playSound;
};

class TFoCv3Main : public TQNForm {
    Q_OBJECT

public:
    // Tool buttons lent to dialogs, numbered 1..10.
    static constexpr int kToolButtonCount = 10;
    static constexpr char kChimeFile[] = "CHIMES.WAV";

    // Starts the session (EFatalStop when the executable may not run under
    // its name) and builds the bar for the room on the primary screen.
    explicit TFoCv3Main(TMainWindowServices services);
    ~TFoCv3Main() override;

    QWidget* Bar() const { return bar_; }
    QStackedWidget* PageArea() const { return pageArea_; }
    TCv3SpBtn* TeamPageButton() const { return teamPageButton_; }
    TBarClock& Clock() { return *clock_; }
    THelpWindow* HelpWindow() const { return helpWindow_.get(); }
    const TMainWindowServices& Services() const { return services_; }
    const std::string& HelpFileName() const { return helpFileName_; }

    // Adds a page window to the page area.
    void AddPage(TFoCv3Mod* page);
    // Makes Page the session's current page and shows it; the page shown
    // before is deactivated. A page whose data do not read says so and is
    // not shown: the one shown before stays.
    void ShowPage(TFoCv3Mod* page);

    // Loads, while the program waits for its user, what the first visit of a
    // page would otherwise load: the fonts of every widget of the window and
    // its pages, the report tables' fonts, the first chart (TIdleWarmUp).
    void WarmUpWhenIdle();
    const TIdleWarmUp& WarmUp() const { return *warmUp_; }

    // The bar, the caption, the buttons and every page's selection and menus
    // from the session's industry. False, once reported, when the industry
    // does not read: the frame cannot show it.
    bool RefreshAll();
    void UpdateCaption();
    void UpdatePageButtons();
    void UpdateToolButtons();
    // Gives the focus back to the current page without activating it again.
    void RefreshPage();

    // Lends the listed tool buttons (1..10) to Target, placed in a row from
    // (StartX, Y) with the gaps between them (-1: 3 pixels); hidden or
    // disabled buttons are skipped and leave no gap.
    void ShowToolButtonsOn(const std::vector<int>& numbers, const std::vector<int>& gaps, QWidget* target,
                           int startX, int y, bool rightToLeft);
    // Puts every tool button back at its home place on the bar.
    void RestoreToolButtons();
    QToolButton* ToolButton(int number) const;

    // The team page hides the page-stepping buttons when it is shown.
    void HidePageSteppingButtons();
    // Active pages show their button's caption in the first colour, others in the second.
    void SetPageButtonActive(TCv3SpBtn* button, bool active);
    static void SetPageButtonColour(TCv3SpBtn& button, const QColor& colour);

    // The tool buttons' handlers.
    void sbPrintClick();
    void SbCopyToClipClick();
    void sbHelpClick();
    void sbQuickHelpClick();
    void sbAboutClick();
    void sbConfigClick();
    // The help file of the session's language: "CV3T" + code in the program directory.
    std::string LanguageHelpFile() const;
    void sbPrevPageClick();
    void sbNextPageClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartSession();
    void OpenTranslator();
    void CheckPrivateDir();
    void BuildBar();
    TCv3SpBtn* AddPageButton(const char* name, const char* designCaption);
    QToolButton* AddToolButton(const char* name, const char* designCaption);
    void LayOutBar(QSize room);
    void FitRoom();
    void DrawButtonPictures();
    void EndSession();
    void PlayChime();
    void StepPageMenu(bool forward);
    // Deactivates From and shows and activates To in the page area.
    void SwitchPage(TFoCv3Mod* from, TFoCv3Mod* to);

    TMainWindowServices services_;
    QWidget* bar_ = nullptr;
    QStackedWidget* pageArea_ = nullptr;
    TBar* selectorBar_ = nullptr;
    TCv3SpBtn* teamPageButton_ = nullptr;
    std::vector<TCv3SpBtn*> pageButtons_;
    std::array<QToolButton*, kToolButtonCount> toolButtons_{};
    std::array<QPoint, kToolButtonCount> toolButtonHomes_{};
    std::unique_ptr<TBarClock> clock_;
    std::unique_ptr<THelpWindow> helpWindow_;
    std::string helpFileName_;
    TIdleWarmUp* warmUp_ = nullptr;
    bool sessionEnded_ = false;
};

}  // namespace cv
