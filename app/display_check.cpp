#include "app/display_check.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "core/session/session.h"

namespace cv {
namespace {

constexpr char kNoDisplayKey[] = "NoDisplay";
constexpr char kNoDisplayText[] =
    "Corvantis3: no display to show the program on (DISPLAY is not set).";
constexpr char kNotAnsweringKey[] = "DisplayNotAnswering";
constexpr char kNotAnsweringText[] = "Corvantis3: the display @1 does not answer: the program cannot be shown on it.";
constexpr char kParameterTag[] = "@1";
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kXPlatform[] = "xcb";
constexpr char kWaylandPlatform[] = "wayland";
// How long an X server may take to answer a connection.
constexpr std::chrono::seconds kAnswerWait{5};

std::string Environment(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? value : "";
}

// Whether the X server Display accepts a connection within kAnswerWait. The
// connection waits for the server's first reply without a limit, so it is
// made on a thread of its own, which a server that never replies leaves
// waiting until the program ends.
bool XServerAnswers(const std::string& display) {
    auto answered = std::make_shared<std::promise<bool>>();
    std::future<bool> answer = answered->get_future();
    std::thread([display, answered] {
        xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
        answered->set_value(xcb_connection_has_error(connection) == 0);
        xcb_disconnect(connection);
    }).detach();
    return answer.wait_for(kAnswerWait) == std::future_status::ready && answer.get();
}

// Line 1 of Key in the language file of the program root ExeFileName lies in;
// Builtin when the file cannot be read or lacks the line.
std::string LanguageLine(const char* key, const char* builtin, const std::string& exeFileName) {
    try {
        const TSession session(exeFileName);
        TTranslate texts;
        texts.Open(session.LanguageFile(session.Language()));
        std::vector<std::string> lines;
        texts.GetLines(kSectionMessages, key, lines);
        if (!lines.empty()) return lines.front();
    } catch (const ECvError&) {
        // No language file to read: the built-in line says it.
    }
    return builtin;
}

}  // namespace

TDisplay FindDisplay() {
    const std::string platform = Environment(kPlatformVariable);
    if (!platform.empty() && !platform.starts_with(kXPlatform) && !platform.starts_with(kWaylandPlatform)) return {};
    const std::string xPlatform = platform.starts_with(kXPlatform) ? platform : kXPlatform;
    const std::string display = Environment("DISPLAY");
    if (display.empty()) return {TDisplayState::NotSet, "", xPlatform};
    return {XServerAnswers(display) ? TDisplayState::Reachable : TDisplayState::NotAnswering, display, xPlatform};
}

void UseDisplayPlatform(const TDisplay& display) {
    if (!display.platform.empty()) ::setenv(kPlatformVariable, display.platform.c_str(), 1);
}

std::string NoDisplayText(const TDisplay& display, const std::string& exeFileName) {
    const bool notSet = display.state == TDisplayState::NotSet;
    std::string text = LanguageLine(notSet ? kNoDisplayKey : kNotAnsweringKey,
                                    notSet ? kNoDisplayText : kNotAnsweringText, exeFileName);
    if (const std::size_t at = text.find(kParameterTag); at != std::string::npos)
        text.replace(at, std::string_view(kParameterTag).size(), display.name);
    return text;
}

}  // namespace cv
