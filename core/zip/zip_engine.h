#pragma once
// The zip engine: writes and extracts zip archives (deflate or stored entries,
// traditional zip encryption) over libarchive, driven by a command-line-like
// argument vector. docs/zip_component.md lists the options of each vector and
// the notification protocol.
//
// The engine runs on the caller's thread. It reports what it does, and asks its
// questions, through one notification callback.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cv {

// Version of the argument-vector interface that callers pass to Run.
inline constexpr int kZipInterfaceVersion = 100;

// Actions carried by notifications (TZipNotification::action).
inline constexpr std::uint8_t kZipActionNone = 0;        // password question: give up
inline constexpr std::uint8_t kZipActionDecrypt = 2;     // password question: decrypt with the text
inline constexpr std::uint8_t kZipActionKeep = 3;        // replace question: keep the existing file
inline constexpr std::uint8_t kZipActionReplace = 4;     // replace question: overwrite it
inline constexpr std::uint8_t kZipActionEncrypt = 5;     // password question: encrypt with the text

// Longest password a notification answer may hand back.
inline constexpr std::size_t kZipMaxPasswordLength = 80;

enum class TZipNotice {
    ntAdding,        // a file is being added
    ntDeleting,      // a moved file is being deleted after the archive was written
    ntExtracting,    // an entry is being extracted
    ntFileComment,   // not sent by this engine (no entry comments are written)
    ntFixing,        // not sent (the engine does not repair archives)
    ntGlobalStatus,  // a file is done: filesDone of filesTotal
    ntListing,       // not sent (no listing operation)
    ntReplace,       // question: the target file exists (fileName is its path)
    ntRename,        // not sent (no renaming on extraction)
    ntPwdQuery,      // question: a password is needed for fileName
    ntTesting,       // not sent (no test operation)
    ntUpdating,      // not sent (an archive is always written whole)
    ntSkippingFile,  // an entry is skipped; result holds the code that says why
    ntStatus,        // progress inside one file: bytes done so far
    ntNewdisk,       // not sent (archives never span disks)
};

// One notification. Questions are answered in place: text and action.
struct TZipNotification {
    TZipNotice kind = TZipNotice::ntStatus;
    std::string fileName;
    std::string text;
    std::uint8_t action = kZipActionNone;
    std::uint64_t bytes = 0;
    int filesDone = 0;
    int filesTotal = 0;  // 0 when not known (extraction)
    int result = 0;      // ntSkippingFile: the result code of the skip
};

// Answers 0 to go on; any other answer stops the operation (result 30).
using TZipCallback = std::function<int(TZipNotification&)>;

enum class TZipEngineKind { zekZip, zekUnzip };

// A started engine of one kind. Start checks that the linked archive library
// can do the engine's work; Run executes one argument vector.
class TZipEngine {
public:
    // The engine, or nullptr when the archive library cannot write (zekZip) or
    // read (zekUnzip) zip archives with deflate and traditional encryption.
    static std::unique_ptr<TZipEngine> Start(TZipEngineKind kind);

    TZipEngineKind Kind() const { return kind_; }

    // Runs Args (see docs/zip_component.md) and returns the result code of
    // core/zip/zip_errors.h. Never leaves an existing file half written.
    // An exception thrown by Callback is passed on after the engine has cleaned
    // up (running out of memory, from wherever, gives 500 instead).
    int Run(int version, const std::vector<std::string>& args, const TZipCallback& callback) const;

private:
    explicit TZipEngine(TZipEngineKind kind) : kind_(kind) {}
    TZipEngineKind kind_;
};

}  // namespace cv
