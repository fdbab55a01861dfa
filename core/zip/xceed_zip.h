#pragma once
// TXceedZip: the zip archive component. Its properties become the argument
// vector of the zip engine (core/zip/zip_engine.h), which it starts on
// first use; the engine's questions reach the component's events.
//
// Typical use: set ZipFileName and FilesToProcess (and what else the operation
// needs), call Zip or Unzip, report a non-zero result with ShowZipError
// (core/zip/zip_errors.h).

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/zip/zip_engine.h"

namespace cv {

enum TXcdOverwrite : std::uint8_t { xowAsk = 0, xowNever = 1, xowAlways = 2 };

// Record of OnReplace: FileName exists; the handler sets Action to 4
// (kZipActionReplace) to overwrite it or 3 (kZipActionKeep) to keep it.
// NewName is handed back to the engine unused.
struct TXcdReplace {
    std::string FileName;
    std::string NewName;
    std::uint8_t Action = kZipActionKeep;
};

// Record of OnPwdQuery: the handler sets Password, or Action to 0 to give up.
struct TXcdPwdQuery {
    std::string FileName;
    std::string Password;
    std::uint8_t Action = kZipActionNone;
};

class TXceedZip;
using TXcdReplaceEvent = std::function<void(TXceedZip&, TXcdReplace&)>;
using TXcdPwdQueryEvent = std::function<void(TXceedZip&, TXcdPwdQuery&)>;
// The other events receive the engine's notification as it came.
using TXcdNoticeEvent = std::function<void(TXceedZip&, const TZipNotification&)>;

class TXceedZip {
public:
    TXceedZip() = default;
    TXceedZip(const TXceedZip&) = delete;
    TXceedZip& operator=(const TXceedZip&) = delete;
    ~TXceedZip();

    // Writes ZipFileName from FilesToProcess; returns the result code.
    int Zip();
    // Extracts from ZipFileName; returns the result code.
    int Unzip();

    // The argument vectors that Zip and Unzip hand to the engine.
    std::vector<std::string> ZipArguments() const;
    std::vector<std::string> UnzipArguments() const;

    // Entries beginning with '>' are include patterns (Zip only) and with '<'
    // exclude patterns; emptied after every Zip or Unzip.
    std::vector<std::string> FilesToProcess;
    int Compression = 6;  // 0..9
    bool ClearDisks = false;
    bool MoveFiles = false;
    bool MultidiskMode = false;
    std::string ExtractDirectory;
    bool IncludeHiddenFiles = false;
    bool IncludeDirectoryEntries = false;
    bool IncludeVolumeLabel = false;
    TXcdOverwrite Overwrite = xowAsk;
    bool Recurse = false;
    std::string Password;
    std::string StoredExtensions = ".ZIP;.LZH;.ARC;.ARJ;.ZOO";
    std::string TempPath;
    bool UsePaths = true;
    bool UseTempFile = true;
    std::string ZipFileName;

    TXcdNoticeEvent OnAdding;
    TXcdNoticeEvent OnDeleting;
    TXcdNoticeEvent OnExtracting;
    TXcdNoticeEvent OnFileComment;
    TXcdNoticeEvent OnFixing;
    TXcdNoticeEvent OnGlobalStatus;
    TXcdNoticeEvent OnListing;
    TXcdReplaceEvent OnReplace;
    TXcdNoticeEvent OnRename;
    TXcdPwdQueryEvent OnPwdQuery;
    TXcdNoticeEvent OnTesting;
    TXcdNoticeEvent OnUpdating;
    TXcdNoticeEvent OnSkippingFile;
    TXcdNoticeEvent OnStatus;
    TXcdNoticeEvent OnNewdisk;

private:
    int Run(TZipEngineKind kind, std::unique_ptr<TZipEngine>& engine, const std::vector<std::string>& args);
    int Notify(TZipNotification& n);
    void AnswerReplace(TZipNotification& n);
    void AnswerPassword(TZipNotification& n, bool followsPasswordQuery);
    const TXcdNoticeEvent& NoticeEvent(TZipNotice kind) const;
    void AppendFilePatterns(std::vector<std::string>& args, bool withIncludes) const;

    // Passed with "-t": files older than this are left out.
    std::chrono::year_month_day zipDate_{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}};
    // Passed to Unzip with "-1" and "-2".
    int unzipFirst_ = 0;
    int unzipSecond_ = -1;

    std::unique_ptr<TZipEngine> zipEngine_;
    std::unique_ptr<TZipEngine> unzipEngine_;
    TZipEngineKind running_ = TZipEngineKind::zekZip;
    bool lastWasPasswordQuery_ = false;
};

}  // namespace cv
