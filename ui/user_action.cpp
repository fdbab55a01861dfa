#include "ui/user_action.h"

#include <QDialog>
#include <QThread>
#include <exception>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"

namespace cv {
namespace {

constexpr char kUnreadableKey[] = "UnreadableIndustry";
constexpr char kStoppedKey[] = "ActionStopped";
constexpr char kReasonToken[] = "@REASON";
// "UnreadableIndustry": what happened, the way back, then what does not read.
constexpr int kUnreadableLines = 3;

// One action in progress, on the event loop of its level.
struct TActionFrame {
    int loopLevel = 0;
    bool reported = false;
};

// The actions in progress on this thread (each thread runs its own event
// loops), the innermost last: one per event loop at most, each level deeper
// than the one before.
std::vector<TActionFrame>& Frames() {
    thread_local std::vector<TActionFrame> frames;
    return frames;
}

int CurrentLoopLevel() { return QThread::currentThread()->loopLevel(); }

// Without the language file the key stands for the text, and the reason still shows.
std::string UnreadableText(const std::string& reason) {
    if (!Translator) return std::string(kUnreadableKey) + "\n" + reason;
    std::string text;
    for (int line = 1; line <= kUnreadableLines; ++line) {
        const std::string shown = Translator->GetLine(kSectionMessages, kUnreadableKey, line);
        text += (line > 1 ? "\n" : "") + ReplaceFirst(shown, kReasonToken, reason);
    }
    return text;
}

// Shows one message for the current action unless it already showed one;
// Enclosing: the actions that opened the windows it runs in count it too.
void ShowOnce(const std::function<void()>& show, bool enclosing) {
    std::vector<TActionFrame>& frames = Frames();
    if (frames.back().reported) return;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        frame->reported = true;
        if (!enclosing) break;
    }
    show();
}

// Whether the exception being handled says that the industry does not read.
bool UnreadableInFlight() {
    try {
        throw;
    } catch (const EDataError&) {
        return true;
    } catch (const EModelError&) {
        return true;
    } catch (...) {
        return false;
    }
}

void ReportUnreadable(const std::string& reason, QDialog* asking) {
    ShowOnce(
        [&reason] {
            Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, UnreadableText(reason), {-1}, TAlignment::taCenter);
        },
        true);
    if (asking) asking->reject();
}

}  // namespace

TUserAction::TUserAction() {
    std::vector<TActionFrame>& frames = Frames();
    const int level = CurrentLoopLevel();
    if (!frames.empty() && frames.back().loopLevel == level) return;
    frames.push_back({level});
    opened_ = true;
}

TUserAction::~TUserAction() {
    if (opened_) Frames().pop_back();
}

namespace {

bool RunAction(const std::function<void()>& action, QDialog* asking, const std::function<void()>& undo) {
    const TUserAction userAction;
    try {
        action();
        return true;
    } catch (const EFatalStop&) {
        throw;
    } catch (...) {
        if (asking && !asking->isVisible() && UnreadableInFlight()) throw;
        if (undo) RunAction(undo, nullptr, {});
        ReportActionError(asking);
        return false;
    }
}

}  // namespace

bool RunUserAction(const std::function<void()>& action, QDialog* asking) { return RunAction(action, asking, {}); }

bool RunUserAction(const std::function<void()>& action, const std::function<void()>& undo) {
    return RunAction(action, nullptr, undo);
}

void ReportActionError(QDialog* asking) {
    const TUserAction userAction;
    try {
        throw;
    } catch (const ESilentAbort&) {
    } catch (const EDataError& error) {
        ReportUnreadable(error.what(), asking);
    } catch (const EModelError& error) {
        ReportUnreadable(error.what(), asking);
    } catch (const std::exception& error) {
        ShowOnce([&error] { Ui().ShowErrorBox(error.what()); }, false);
    } catch (...) {
        ShowOnce([] { Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kStoppedKey, {0}, TAlignment::taCenter); },
                 false);
    }
}

}  // namespace cv
