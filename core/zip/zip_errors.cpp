#include "core/zip/zip_errors.h"

#include <array>
#include <utility>

#include "core/base/ui_services.h"

namespace cv {
namespace {

constexpr char kZipErrorsKey[] = "ZipErrors";
constexpr int kHeadingLine1 = 1;
constexpr int kHeadingLine2 = 2;
constexpr int kOtherCodeLine = 17;

// Code and the line of "ZipErrors" that explains it.
constexpr std::array<std::pair<int, int>, 20> kCodeLines{{
    {kZipNothingToDo, 3},
    {kZipSomeFilesSkipped, 4},
    {kZipBadArchive, 5},
    {kZipCannotOpenArchive, 6},
    {kZipCannotReadFile, 6},
    {kZipCannotWriteFile, 6},
    {kZipBadPassword, 7},
    {kZipDataError, 8},
    {kZipCannotWriteArchive, 9},
    {kZipEngineUnavailable, 10},
    {kZipUnsafeEntryName, 11},
    {kZipLinkEntry, 12},
    {kZipUnsupportedEntry, 13},
    {kZipBadArguments, 14},
    {kZipMoveFailed, 15},
    {kZipTempFileFailed, 16},
    {kZipEntryTooLarge, 18},
    {kZipDuplicateEntry, 19},
    {kZipNameTooLong, 20},
    {kZipDiskFull, 21},
}};

bool IsSilent(int code) {
    return code <= kZipOk || code == kZipFilesKept || code == kZipStopped || code == kZipReservedSilent;
}

bool IsNotice(int code) { return code == kZipNothingToDo || code == kZipSomeFilesSkipped; }

enum class Severity { success, silent, notice, error };

Severity SeverityOf(int code) {
    if (code == kZipOk) return Severity::success;
    if (IsSilent(code)) return Severity::silent;
    return IsNotice(code) ? Severity::notice : Severity::error;
}

}  // namespace

int ZipErrorLine(int code) {
    if (IsSilent(code)) return 0;
    for (const auto& [known, line] : kCodeLines)
        if (known == code) return line;
    return kOtherCodeLine;
}

void ShowZipError(int code, const std::string& /*operation*/) {
    const int line = ZipErrorLine(code);
    if (line == 0) return;
    const TMsgDlgType type = IsNotice(code) ? TMsgDlgType::mtInformation : TMsgDlgType::mtError;
    Ui().ShowMessageBox(type, mbOK, kZipErrorsKey, {kHeadingLine1, kHeadingLine2, line}, TAlignment::taCenter);
}

void TZipResult::Note(int code) {
    if (SeverityOf(code) > SeverityOf(code_)) code_ = code;
}

bool TZipResult::HasError() const { return SeverityOf(code_) == Severity::error; }

}  // namespace cv
