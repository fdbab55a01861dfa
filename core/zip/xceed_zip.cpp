#include "core/zip/xceed_zip.h"

#include "core/base/text_format.h"
#include "core/base/ui_services.h"
#include "core/zip/zip_errors.h"

namespace cv {
namespace {

constexpr char kIncludeMark = '>';
constexpr char kExcludeMark = '<';

std::string DateArgument(const std::chrono::year_month_day& date) {
    return FormatText("%.2d%.2d%.4d", {static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                                       static_cast<int>(date.year())});
}

}  // namespace

TXceedZip::~TXceedZip() = default;

int TXceedZip::Zip() { return Run(TZipEngineKind::zekZip, zipEngine_, ZipArguments()); }

int TXceedZip::Unzip() { return Run(TZipEngineKind::zekUnzip, unzipEngine_, UnzipArguments()); }

std::vector<std::string> TXceedZip::ZipArguments() const {
    std::vector<std::string> args{Password};
    const auto addIf = [&args](bool condition, const char* option) {
        if (condition) args.emplace_back(option);
    };
    addIf(!Password.empty(), "-e");
    args.push_back("-" + std::to_string(Compression));
    addIf(MoveFiles, "-m");
    addIf(IncludeHiddenFiles, "-S");
    addIf(UsePaths && IncludeDirectoryEntries, "-D");
    addIf(IncludeVolumeLabel, "-$");
    addIf(Recurse, "-r");
    addIf(!UsePaths, "-j");
    addIf(!UseTempFile, "-g");
    if (!TempPath.empty()) args.insert(args.end(), {"-b", TempPath});
    if (!StoredExtensions.empty()) args.insert(args.end(), {"-n", StoredExtensions});
    addIf(MultidiskMode, "-!");
    addIf(ClearDisks, "-&");
    args.insert(args.end(), {"-t", DateArgument(zipDate_), ZipFileName, "-W"});
    AppendFilePatterns(args, true);
    return args;
}

std::vector<std::string> TXceedZip::UnzipArguments() const {
    std::vector<std::string> args{Password, "-1" + std::to_string(unzipFirst_), "-2" + std::to_string(unzipSecond_)};
    if (!UsePaths) args.emplace_back("-j");
    if (MultidiskMode) args.emplace_back("-!");
    if (Overwrite == xowNever) args.emplace_back("-n");
    if (Overwrite == xowAlways) args.emplace_back("-o");
    args.push_back(ZipFileName);
    AppendFilePatterns(args, false);
    if (!ExtractDirectory.empty()) args.insert(args.end(), {"-d", ExtractDirectory});
    return args;
}

// Plain entries as they stand, then "-i" and "-x" with their patterns; the
// patterns are dropped when no plain entry says what to start from.
void TXceedZip::AppendFilePatterns(std::vector<std::string>& args, bool withIncludes) const {
    std::vector<std::string> includes, excludes;
    bool anyPlain = false;
    for (const auto& entry : FilesToProcess) {
        if (entry.empty()) continue;
        if (withIncludes && entry.front() == kIncludeMark) {
            includes.push_back(entry.substr(1));
        } else if (entry.front() == kExcludeMark) {
            excludes.push_back(entry.substr(1));
        } else {
            args.push_back(entry);
            anyPlain = true;
        }
    }
    if (!anyPlain) return;
    for (const auto& [option, patterns] : {std::pair{"-i", &includes}, std::pair{"-x", &excludes}}) {
        if (patterns->empty()) continue;
        args.emplace_back(option);
        args.insert(args.end(), patterns->begin(), patterns->end());
    }
}

int TXceedZip::Run(TZipEngineKind kind, std::unique_ptr<TZipEngine>& engine, const std::vector<std::string>& args) {
    if (!engine) engine = TZipEngine::Start(kind);
    int code = kZipEngineUnavailable;
    try {
        if (engine) {
            running_ = kind;
            lastWasPasswordQuery_ = false;
            code = engine->Run(kZipInterfaceVersion, args, [this](TZipNotification& n) { return Notify(n); });
        }
    } catch (...) {
        FilesToProcess.clear();
        throw;
    }
    FilesToProcess.clear();
    return code;
}

// Every notification first lets windows repaint and timers run; user input
// stays queued, so nothing can close the data under the operation.
int TXceedZip::Notify(TZipNotification& n) {
    Ui().ProcessPaintAndTimerEvents();
    const bool followsPasswordQuery = lastWasPasswordQuery_;
    lastWasPasswordQuery_ = n.kind == TZipNotice::ntPwdQuery;
    if (n.kind == TZipNotice::ntReplace)
        AnswerReplace(n);
    else if (n.kind == TZipNotice::ntPwdQuery)
        AnswerPassword(n, followsPasswordQuery);
    else if (const TXcdNoticeEvent& event = NoticeEvent(n.kind))
        event(*this, n);
    return 0;
}

void TXceedZip::AnswerReplace(TZipNotification& n) {
    if (!OnReplace) return;
    TXcdReplace record{n.fileName, n.text, n.action};
    OnReplace(*this, record);
    n.text = record.NewName;
    n.action = record.Action;
}

// With a Password the engine gets it once; a question that comes right after
// another one means it was wrong, and the answer gives up.
void TXceedZip::AnswerPassword(TZipNotification& n, bool followsPasswordQuery) {
    const std::uint8_t action = running_ == TZipEngineKind::zekUnzip ? kZipActionDecrypt : kZipActionEncrypt;
    if (Password.empty()) {
        if (!OnPwdQuery) return;
        TXcdPwdQuery record{n.fileName, {}, action};
        OnPwdQuery(*this, record);
        n.text = record.Password.substr(0, kZipMaxPasswordLength);
        n.action = record.Action;
    } else if (followsPasswordQuery) {
        n.action = kZipActionNone;
    } else {
        n.text = Password.substr(0, kZipMaxPasswordLength);
        n.action = action;
    }
}

const TXcdNoticeEvent& TXceedZip::NoticeEvent(TZipNotice kind) const {
    static const TXcdNoticeEvent kNone;
    switch (kind) {
        case TZipNotice::ntAdding: return OnAdding;
        case TZipNotice::ntDeleting: return OnDeleting;
        case TZipNotice::ntExtracting: return OnExtracting;
        case TZipNotice::ntFileComment: return OnFileComment;
        case TZipNotice::ntFixing: return OnFixing;
        case TZipNotice::ntGlobalStatus: return OnGlobalStatus;
        case TZipNotice::ntListing: return OnListing;
        case TZipNotice::ntRename: return OnRename;
        case TZipNotice::ntTesting: return OnTesting;
        case TZipNotice::ntUpdating: return OnUpdating;
        case TZipNotice::ntSkippingFile: return OnSkippingFile;
        case TZipNotice::ntStatus: return OnStatus;
        case TZipNotice::ntNewdisk: return OnNewdisk;
        case TZipNotice::ntReplace:
        case TZipNotice::ntPwdQuery: break;
    }
    return kNone;
}

}  // namespace cv
