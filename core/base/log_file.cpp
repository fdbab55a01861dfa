#include "core/base/log_file.h"

#include <ctime>

#include "core/base/errors.h"
#include "core/base/text_file.h"

namespace cv {

int DebugLevel = 0;

namespace {

TTextFile logFile;
bool logIsOpen = false;

std::string NowText(const char* pattern) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, pattern, &local);
    return text;
}

void WriteLine(const std::string& text) { logFile.Write(text + "\n"); }

}  // namespace

std::string ShortDateText() { return NowText("%x"); }
std::string LongTimeText() { return NowText("%X"); }

bool LogIsOpen() { return logIsOpen; }

bool LogWrites(int level) { return logIsOpen && level <= DebugLevel; }

void LogOpen(const std::string& name, int n) {
    LogClose();
    const std::string fileName = FormatText("%s%.2d.TXT", {name, n});
    if (!OpenTextFile(logFile, fileName, tfmRewrite, true)) return;
    logIsOpen = true;
    WriteLine("Log file opened on " + ShortDateText() + " at " + LongTimeText());
    WriteLine("");
    WriteLine("Debug level = " + std::to_string(DebugLevel));
    WriteLine("");
}

void LogClose() {
    if (!logIsOpen) return;
    WriteLine("");
    WriteLine("Log file closed on " + ShortDateText() + " at " + LongTimeText());
    CloseTextFile(logFile);
    logIsOpen = false;
}

void LogFlush() {
    if (!logIsOpen) return;
    WriteLine("Log file flushed on " + ShortDateText() + " at " + LongTimeText());
    logFile.Flush();
}

void LogFmtNoEol(int level, std::string_view format, FormatArgs args) {
    if (LogWrites(level)) logFile.Write(FormatText(format, args));
}

void LogFmt(int level, std::string_view format, FormatArgs args) {
    if (LogWrites(level)) WriteLine(FormatText(format, args));
}

void FatalStop(std::string_view format, FormatArgs args) {
    const std::string reason = FormatText(format, args);
    LogFmt(0, "%s", {reason});
    // The log holds single-byte Western code page text, as every stored text.
    LogFmt(0, "Ex\xE9" "cution stopp\xE9" "e par une erreur fatale. D\xE9sol\xE9.");
    LogFmt(0, "Execution ended by a fatal error. Sorry.");
    LogClose();
    throw EFatalStop(reason);
}

}  // namespace cv
