#pragma once
// TFoCv3Dec: the base of every dialog in which the team enters decisions for
// the coming period. It keeps a pointer to the decisions page's context (which
// the page's selector bar changes while the dialog is open) and a copy of it,
// and the three sets a dialog reads and writes: the decisions of the current
// period, the default decisions and the decisions of the decision period. The
// periods come from the open industry. Saving the sets is the page's business.
//
// OK first checks and stores what the dialog shows (StoreDecisions) and closes
// only when that succeeds; Cancel closes without storing. A dialog that
// follows the selector bar stores before it loads the new selection; when the
// store is refused, the page's context gets the dialog's copy back.

#include <QGroupBox>
#include <functional>

#include "core/store/data_context.h"
#include "ui/qn_form.h"

namespace cv {

class TCvPerData;

class TFoCv3Dec : public TQNForm {
    Q_OBJECT

public:
    // Binds NewDecs, CurDecs and DefDecs of the session's open industry (ECvError without one).
    TFoCv3Dec(QWidget* owner, TDataContext& callerContext);

    TDataContext* CallerContext;
    TDataContext Context;
    TCvPerData* CurDecs = nullptr;
    TCvPerData* DefDecs = nullptr;
    TCvPerData* NewDecs = nullptr;

    // Loads the dialog's decision arrays and fills its controls; the base loads nothing.
    virtual void LoadDecisions() {}
    // Checks what the dialog shows and writes it into NewDecs; false (after
    // telling the user why) keeps it on screen. The base has nothing to store.
    virtual bool StoreDecisions() { return true; }

    // The page's selection changed: store, then load the new selection and
    // take it as the dialog's own. A refused store, or a load that fails,
    // puts the dialog's copy back into the page's context and answers false.
    bool FollowSelection();

    // OK: store, and close when stored. Cancel: close.
    void OkClick();
    void CancelClick();

    // Ends the edit of the focused field by moving the focus to Target; false
    // when the field refused to let go (its value was refused).
    bool FinishEdit(QWidget& target);
    // Runs Step of a user action and answers what it answers: an error it
    // raises is reported (ui/user_action.h) and answers false, rather than
    // reaching the event loop; data that do not read close the dialog (or,
    // before it is shown, keep it from being shown).
    bool TryStep(const std::function<bool()>& step);

    // Enables Panel or Group with its buttons (a panel) or all its direct
    // children (a group), greying its text while disabled.
    void EnablePanel(QWidget& panel, bool enabled);
    void EnableGroup(QGroupBox& group, bool enabled);

protected:
    // The tool buttons the main window lends to the dialog's top right corner
    // keep their distance from its right edge when a load widens or narrows it.
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace cv
