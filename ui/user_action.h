#pragma once
// The top of a user's action: a click, a key or a menu choice and everything
// it sets off until it returns. What abandons an action is reported there,
// once: an open industry that does not read (EDataError, or EModelError, the
// model's word for it) shows "UnreadableIndustry" naming what does not read
// and the way back; ESilentAbort shows nothing; any other error its own text.
//
// An action shows at most one message: what fails after the first report in
// the same action follows from it and shows nothing more. A modal window runs
// the actions of its own event loop; an industry that does not read there
// counts for the action that opened the window too, which then shows no
// second message once the window has closed.

#include <functional>

class QDialog;

namespace cv {

// The span of one user action on the event loop it runs on, for as long as
// the object lives: the first one on a loop opens the action, those made
// inside it join it. The application's event delivery makes one per event.
class TUserAction {
public:
    TUserAction();
    ~TUserAction();
    TUserAction(const TUserAction&) = delete;
    TUserAction& operator=(const TUserAction&) = delete;

private:
    bool opened_ = false;
};

// Runs Action within a user action and reports what abandons it; whether it
// ran through. Asking, when given, is the dialog that asked for it: an
// industry that does not read closes it, since it cannot show what it is
// for; while Asking is not shown yet (it is being built), the error goes on
// to the code that opens it, which then does not show it. The fatal stop is
// not an action's failure: it goes on up.
bool RunUserAction(const std::function<void()>& action, QDialog* asking = nullptr);

// Runs Action as RunUserAction does; when it fails, Undo first puts back what
// it left, so that the message stands over what the user keeps seeing.
bool RunUserAction(const std::function<void()>& action, const std::function<void()>& undo);

// Reports the exception being handled (call it from a catch block) as the
// top of the current action does, closing Asking as RunUserAction does.
void ReportActionError(QDialog* asking = nullptr);

}  // namespace cv
