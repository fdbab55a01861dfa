#pragma once
// Result codes of the zip engine and their messages.
//
// 0 is success. Every other code is reported by the caller through
// ShowZipError, which shows lines 1, 2 and N of the messages entry "ZipErrors".
// The codes 10, 30 and 140 show nothing; 40 and 190 are notices (information
// icon), all others are errors.

#include <string>

namespace cv {

inline constexpr int kZipOk = 0;
// Silent: some existing files were kept, as the overwrite setting or the
// replace question decided.
inline constexpr int kZipFilesKept = 10;
// Silent: a notification answer stopped the operation.
inline constexpr int kZipStopped = 30;
// Silent, reserved: never returned by this engine.
inline constexpr int kZipReservedSilent = 140;
// Notice: nothing matched the files to process; nothing was done.
inline constexpr int kZipNothingToDo = 40;
// Notice: some files to process were not found, or were left out (too old,
// or a duplicate entry name).
inline constexpr int kZipSomeFilesSkipped = 190;
// The archive is damaged or is not a zip archive.
inline constexpr int kZipBadArchive = 100;
// The archive cannot be opened for reading.
inline constexpr int kZipCannotOpenArchive = 110;
// A file to add cannot be opened or read.
inline constexpr int kZipCannotReadFile = 160;
// An extracted file or directory cannot be created or written.
inline constexpr int kZipCannotWriteFile = 200;
// The password is missing or wrong, or an encrypted entry is damaged.
inline constexpr int kZipBadPassword = 120;
// The data of an entry is damaged (check sum or compressed stream).
inline constexpr int kZipDataError = 150;
// The archive cannot be written (disk full, write-protected, missing directory).
inline constexpr int kZipCannotWriteArchive = 210;
// The engine cannot start: the archive library lacks zip support.
inline constexpr int kZipEngineUnavailable = 240;
// An entry was refused: its name is absolute, holds "..", or leads outside the
// destination directory.
inline constexpr int kZipUnsafeEntryName = 280;
// An entry was refused: it expands beyond what any industry or backup can be
// (see the limits in zip_reader.cpp).
inline constexpr int kZipEntryTooLarge = 290;
// An entry was left out: an earlier entry of the archive has the same name or
// the same data block (which then shows the earlier entry's name).
inline constexpr int kZipDuplicateEntry = 300;
// An entry was refused: a part of its name, or the whole path, is too long for
// the file system of the destination.
inline constexpr int kZipNameTooLong = 310;
// An extracted file could not be written whole: the disk (or the user's share
// of it) is full.
inline constexpr int kZipDiskFull = 320;
// An entry was refused: it is a symbolic link.
inline constexpr int kZipLinkEntry = 380;
// An entry is of a kind that cannot be extracted (device, unreadable name).
inline constexpr int kZipUnsupportedEntry = 180;
// The argument vector holds an unknown option or misses a value.
inline constexpr int kZipBadArguments = 350;
// The archive was written, but some moved files could not be deleted.
inline constexpr int kZipMoveFailed = 400;
// The temporary archive cannot be created or moved into place.
inline constexpr int kZipTempFileFailed = 370;
// Anything else that went wrong inside the engine (out of memory, library fault).
inline constexpr int kZipInternalError = 500;

// Line of "ZipErrors" that explains Code; 0 for the codes that show nothing.
int ZipErrorLine(int code);

// Shows the message of a non-zero Code in the program's message box. Operation
// names the caller's operation ("restore", ...) and is not shown.
void ShowZipError(int code, const std::string& operation);

// Keeps the most telling result of a run of several entries: the first error
// outranks notices, and notices outrank silent codes.
class TZipResult {
public:
    void Note(int code);
    int Code() const { return code_; }
    bool HasError() const;

private:
    int code_ = kZipOk;
};

}  // namespace cv
