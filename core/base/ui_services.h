#pragma once
// The boxes and notices that core code shows. Core depends on the standard
// library only, so it reaches the screen through this interface; the user
// interface installs its implementation at start-up, and tests install a
// recorder that never blocks.

#include <cstdint>
#include <string>
#include <vector>

namespace cv {

class TQnInfos;
struct TQnInfoTexts;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button set of the program's message box, as bit flags.
enum TMsgDlgBtn : std::uint16_t {
    mbOK = 1 << 0,
    mbYes = 1 << 1,
    mbNo = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbHelp = 1 << 7,
    // Not a button: Cancel (or No) is the default instead of the first
    // button, for a question whose other answer throws data away.
    mbDefaultCancel = 1 << 8,
};
using TMsgDlgButtons = std::uint16_t;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Result of a modal box: the button that closed it.
enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };

class UiServices {
public:
    virtual ~UiServices() = default;

    // A plain modal box with one OK button.
    virtual void ShowPlainBox(const std::string& text) = 0;
    // A modal box with the error icon and one OK button.
    virtual void ShowErrorBox(const std::string& text) = 0;
    // The program's own message box. The text is the entry Key of the box's text
    // section: Lines lists 1-based line numbers; {0} means every line; a first
    // element of -1 means Key itself is the text.
    virtual TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                        const std::vector<int>& lines, TAlignment alignment) = 0;
    // The same box as a notice that does not wait and captures the mouse.
    virtual void ShowProgressBox(const std::vector<std::string>& lines) = 0;
    // Releases the capture and frees the notice; harmless without one.
    virtual void CloseProgressBox() = 0;
    // The message-list dialog, modal: one row per headline of Items (at least
    // one), the details of the selected one below in Alignment, with Texts.
    virtual void ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) = 0;
    // Lets windows repaint and timers run during a long operation. User input
    // stays queued, so nothing can close the data under the operation.
    virtual void ProcessPaintAndTimerEvents() = 0;
};

// The installed implementation; a console fallback (standard error, never
// blocks) when none is installed.
UiServices& Ui();

// Installs an implementation (not owned); nullptr restores the console fallback.
void InstallUiServices(UiServices* services);

}  // namespace cv
