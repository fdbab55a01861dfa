#include "app/display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "core/session/session.h"

namespace cv {
namespace {

constexpr char kNoDisplayKey[] = "NoDisplay";
constexpr char kNoDisplayText[] =
    "Corvantis3: no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set).";
constexpr char kNotAnsweringKey[] = "DisplayNotAnswering";
constexpr char kNotAnsweringText[] = "Corvantis3: the display @1 does not answer: the program cannot be shown on it.";
constexpr char kParameterTag[] = "@1";

std::string Environment(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? value : "";
}

bool XServerAnswers(const std::string& display) {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(display.c_str(), nullptr), &xcb_disconnect);
    return xcb_connection_has_error(connection.get()) == 0;
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
    const std::string platform = Environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb")) return {};
    if (platform.empty() && !Environment("WAYLAND_DISPLAY").empty()) return {};
    const std::string display = Environment("DISPLAY");
    if (display.empty()) return {TDisplayState::NotSet, ""};
    return {XServerAnswers(display) ? TDisplayState::Reachable : TDisplayState::NotAnswering, display};
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
