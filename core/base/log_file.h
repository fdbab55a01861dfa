#pragma once
// The one levelled text log of the program, and the fatal stop.
//
// A line of level L is written only while the log is open and L <= DebugLevel.
// Writes to a closed log are dropped silently.

#include <string>

#include "core/base/text_format.h"

namespace cv {

// Threshold of the written levels; 0 at start, set by the session from the settings.
extern int DebugLevel;

bool LogIsOpen();
// Whether a line of Level would be written now: callers whose arguments cost
// something to build (a cell's description) ask before building them.
bool LogWrites(int level);

// Opens (replacing) the log Name + N as at least two digits + ".TXT" and writes
// its header. A file that cannot be created leaves the log closed after the
// "Cannot open text file" box; the caller's work goes on without a log.
void LogOpen(const std::string& name, int n);
void LogClose();
void LogFlush();
void LogFmt(int level, std::string_view format, FormatArgs args = {});
// As LogFmt without ending the line, so that the next call continues it.
void LogFmtNoEol(int level, std::string_view format, FormatArgs args = {});

// Writes the reason and the two fixed lines at level 0, closes the log and
// raises EFatalStop, which main() turns into the program's exit. Never returns.
[[noreturn]] void FatalStop(std::string_view format, FormatArgs args = {});

// Date and time texts of the log lines ("Log file opened on <date> at <time>").
std::string ShortDateText();
std::string LongTimeText();

}  // namespace cv
