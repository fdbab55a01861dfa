#pragma once
// The program's ways of showing its message window (TFoQNMsgBox): the keyed
// message box, the wait notice and the quick help. Message texts are entries
// of the current text section of the language file, never literals at the
// call site.

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/base/ui_services.h"

class QWidget;

namespace cv {

class TTranslate;
class TFoQNMsgBox;

// Sets the language file that gives texts and button captions (null: English
// captions, no keyed texts) and the text section of the keys; an existing box
// takes its button captions again.
void SetMessageBoxTexts(TTranslate* texts, int section);
int MessageBoxSection();

// The window the box is centred over and stays above; the main window sets it.
void SetMessageBoxOwner(QWidget* owner);

// What the box's help button does (the box stays open); nothing when unset.
void SetMessageBoxHelpHandler(std::function<void()> handler);

// Shows the box modally and returns the pressed button. Lines {-1}: Key itself
// is the one line; {0}: every line of the entry Key; otherwise the listed
// 1-based lines of the entry in the order given (a line the entry lacks is
// left out). A key the section lacks shows no text.
TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                            const std::vector<int>& lines, TAlignment alignment);

// The lines that ShowMessageBox would show.
QStringList MessageBoxLines(const std::string& key, const std::vector<int>& lines);

// The wait notice: clears the Cancel flag and shows Lines (literal, centred)
// with only a Cancel button, application-modal but without grabbing the
// mouse, so that a message box shown meanwhile stays usable. Returns at once.
void ShowProgressBox(const std::vector<std::string>& lines);
// Closes the wait notice and frees the box; harmless without one.
void CloseProgressBox();
// True once Cancel was pressed on the wait notice, until the next notice.
bool ProgressBoxCancelled();
// True while a wait notice is shown.
bool ProgressBoxShown();

// Shows the entry Key of the help section in the quick-help look, then puts
// the text section back as it was.
void ShowQuickHelp(const std::string& key);

// The box, when one exists (for the tests and for the owner's clean-up).
TFoQNMsgBox* CurrentMessageBox();

}  // namespace cv
