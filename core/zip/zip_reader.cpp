#include "core/zip/zip_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <vector>

#include "core/zip/zip_errors.h"
#include "core/zip/zip_empty_entry.h"
#include "core/zip/zip_output_file.h"
#include "core/zip/zip_paths.h"

namespace cv {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kOpenBlock = 64 * 1024;
constexpr std::size_t kReadBlock = 256 * 1024;

// Limits against archives built to fill the disk. The largest industry the
// model holds is about 1.2 MiB and compresses about 25 to 1; a backup holds
// such files. No entry may exceed kMaxEntryBytes, and a run may not expand to
// more than kMaxExpansion times the archive's own size (deflate reaches about
// 1,000 to 1 only on long runs of one byte); below kExpansionFloor the ratio is
// not held against small archives.
constexpr std::uint64_t kMaxEntryBytes = std::uint64_t{256} << 20;
constexpr std::uint64_t kMaxExpansion = 200;
constexpr std::uint64_t kExpansionFloor = std::uint64_t{16} << 20;

struct ReaderFree {
    void operator()(archive* handle) const { archive_read_free(handle); }
};
using ReaderHandle = std::unique_ptr<archive, ReaderFree>;

void SetModified(const fs::path& file, time_t seconds) {
    std::error_code ignored;
    const auto moment = std::chrono::system_clock::from_time_t(seconds);
    fs::last_write_time(file, std::chrono::file_clock::from_sys(moment), ignored);
}

class Extractor {
public:
    Extractor(const TUnzipRequest& request, TZipNotifier& notifier)
        : request_(request), notifier_(notifier), patternMatched_(request.patterns.size(), false) {}

    int Run() {
        if (const int code = Open(); code != kZipOk) return code;
        if (!PrepareDestination()) return kZipCannotWriteFile;
        TZipResult result;
        while (ExtractNext(result)) {
        }
        if (notifier_.Stopped()) return kZipStopped;
        if (selected_ == 0)
            result.Note(kZipNothingToDo);
        else if (std::find(patternMatched_.begin(), patternMatched_.end(), false) != patternMatched_.end())
            result.Note(kZipSomeFilesSkipped);
        return result.Code();
    }

    // Called by the archive library when the passwords it holds fail.
    const char* AnswerPassword() noexcept {
        const auto answer = notifier_.AskPasswordNoThrow(currentName_, kZipActionDecrypt);
        if (!answer) return nullptr;
        passwordAnswer_ = *answer;
        return passwordAnswer_.c_str();
    }

private:
    int Open() {
        reader_.reset(archive_read_new());
        if (!reader_ || archive_read_support_format_zip(reader_.get()) != ARCHIVE_OK) return kZipInternalError;
        if (!request_.password.empty()) archive_read_add_passphrase(reader_.get(), request_.password.c_str());
        archive_read_set_passphrase_callback(reader_.get(), this, &PassphraseCallback);
        std::error_code error;
        if (!fs::is_regular_file(request_.archive, error)) return kZipCannotOpenArchive;
        const std::uintmax_t archiveBytes = fs::file_size(request_.archive, error);
        expansionLeft_ = error ? kExpansionFloor : std::max(kExpansionFloor, kMaxExpansion * archiveBytes);
        if (archive_read_open_filename(reader_.get(), request_.archive.c_str(), kOpenBlock) != ARCHIVE_OK)
            return kZipBadArchive;
        return kZipOk;
    }

    static const char* PassphraseCallback(archive*, void* extractor) {
        return static_cast<Extractor*>(extractor)->AnswerPassword();
    }

    bool PrepareDestination() {
        std::error_code error;
        destination_ =
            request_.extractDirectory.empty() ? fs::current_path(error) : fs::path(request_.extractDirectory);
        if (error) return false;
        fs::create_directories(destination_, error);
        return !error && fs::is_directory(destination_, error);
    }

    // Extracts the next entry; false at the end of the archive, after an error
    // that leaves the rest unreadable, and when the callback asked to stop.
    bool ExtractNext(TZipResult& result) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(reader_.get(), &entry);
        if (status == ARCHIVE_EOF) return false;
        if (status < ARCHIVE_WARN) {
            result.Note(kZipBadArchive);
            return false;
        }
        bool unreadable = false;
        result.Note(ExtractEntry(entry, unreadable));
        return !unreadable && !notifier_.Stopped();
    }

    int ExtractEntry(archive_entry* entry, bool& unreadable) {
        const char* rawName = archive_entry_pathname(entry);
        if (!rawName) rawName = archive_entry_pathname_utf8(entry);
        if (!rawName) return Refuse({}, kZipUnsupportedEntry);
        const std::string name = rawName;
        if (!Selected(name)) return kZipOk;
        ++selected_;
        const auto relative = SafeEntryPath(name);
        if (!relative) return Refuse(name, kZipUnsafeEntryName);
        if (NameTooLong(*relative, destination_)) return Refuse(name, kZipNameTooLong);
        const auto type = archive_entry_filetype(entry);
        if (type == AE_IFLNK || archive_entry_symlink(entry)) return Refuse(name, kZipLinkEntry);
        if (archive_entry_hardlink(entry) || (type != AE_IFREG && type != AE_IFDIR))
            return Refuse(name, kZipUnsupportedEntry);
        if (type == AE_IFDIR) return request_.junkPaths ? kZipOk : ExtractDirectory(name, destination_ / *relative);
        const fs::path target = destination_ / (request_.junkPaths ? relative->filename() : *relative);
        // Two entries of one name (or of one data block, which gives both the
        // same name) would silently leave only the last: the first one stays.
        if (!extractedTargets_.insert(target).second) return Refuse(name, kZipDuplicateEntry);
        return ExtractFile(entry, name, target, unreadable);
    }

    bool Selected(const std::string& name) {
        for (const auto& pattern : request_.excludes)
            if (PatternSelects(pattern, name)) return false;
        if (request_.patterns.empty()) return true;
        bool selected = false;
        for (std::size_t i = 0; i < request_.patterns.size(); ++i)
            if (PatternSelects(request_.patterns[i], name)) selected = patternMatched_[i] = true;
        return selected;
    }

    int Refuse(const std::string& name, int code) {
        notifier_.SendSkipping(name, code);
        return code;
    }

    int ExtractDirectory(const std::string& name, const fs::path& target) {
        if (!IsInsideDirectory(target, destination_)) return Refuse(name, kZipUnsafeEntryName);
        std::error_code error;
        fs::create_directories(target, error);
        return error || !fs::is_directory(target, error) ? kZipCannotWriteFile : kZipOk;
    }

    int ExtractFile(archive_entry* entry, const std::string& name, const fs::path& target, bool& unreadable) {
        // Checked before any directory is made: an existing symbolic link among
        // the parents could otherwise lead the new directories outside.
        if (!IsInsideDirectory(target, destination_)) return Refuse(name, kZipUnsafeEntryName);
        if (archive_entry_size_is_set(entry) &&
            static_cast<std::uint64_t>(archive_entry_size(entry)) > EntryAllowance())
            return Refuse(name, kZipEntryTooLarge);
        const fs::path firstMade = FirstMissingStep(target.parent_path());
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        if (error) return kZipCannotWriteFile;
        const int code = WriteFile(entry, name, target, unreadable);
        if (code != kZipOk && !firstMade.empty()) RemoveEmptyDirectories(target.parent_path(), firstMade);
        return code;
    }

    int WriteFile(archive_entry* entry, const std::string& name, const fs::path& target, bool& unreadable) {
        std::error_code error;
        const auto status = fs::symlink_status(target, error);
        if (fs::exists(status)) {
            if (fs::is_directory(status)) return kZipCannotWriteFile;
            if (!MayReplace(target)) return notifier_.Stopped() ? kZipStopped : kZipFilesKept;
        }
        if (!notifier_.Send(TZipNotice::ntExtracting, name)) return kZipStopped;
        TZipOutputFile output;
        if (!output.Create(target)) return WriteFailure(output);
        std::uint64_t size = 0;
        if (const int code = CopyData(entry, name, output, unreadable, size); code != kZipOk) return code;
        // The library checks the sum of an entry with data only.
        if (size == 0 && !EmptyEntrySumHolds(request_.archive, name))
            return kZipDataError;
        if (!output.Commit()) return WriteFailure(output);
        expansionLeft_ -= size;
        SetModified(target, archive_entry_mtime(entry));
        notifier_.SendGlobalStatus(++extracted_, 0);
        return kZipOk;
    }

    // How many more bytes the current entry may expand to, Done bytes of it
    // written. Only files that arrive count against the run's expansion.
    std::uint64_t EntryAllowance(std::uint64_t done = 0) const {
        return std::min(kMaxEntryBytes, expansionLeft_) - done;
    }

    // The outermost directory of Directory that does not exist yet (empty when all do).
    static fs::path FirstMissingStep(const fs::path& directory) {
        std::error_code error;
        fs::path missing;
        for (fs::path step = directory; !step.empty() && !fs::exists(step, error); step = step.parent_path()) {
            missing = step;
            if (step == step.parent_path()) break;
        }
        return missing;
    }

    // Removes the directories made for a file that did not arrive, from its
    // own up to FirstMade, as far as they are empty.
    static void RemoveEmptyDirectories(fs::path directory, const fs::path& firstMade) {
        std::error_code error;
        for (;; directory = directory.parent_path()) {
            if (!fs::remove(directory, error) || directory == firstMade || directory == directory.parent_path()) return;
        }
    }

    static int WriteFailure(const TZipOutputFile& output) {
        return output.DiskFull() ? kZipDiskFull : kZipCannotWriteFile;
    }

    bool MayReplace(const fs::path& target) {
        switch (request_.overwrite) {
            case TZipOverwriteMode::zomAlways: return true;
            case TZipOverwriteMode::zomNever: return false;
            case TZipOverwriteMode::zomAsk: break;
        }
        return notifier_.AskReplace(target.string());
    }

    // Copies the entry's data into Output. The library checks the password,
    // the compressed stream and the check sum; for an encrypted entry any of
    // these failing most likely means a wrong password. Done counts the bytes written.
    int CopyData(archive_entry* entry, const std::string& name, TZipOutputFile& output, bool& unreadable,
                 std::uint64_t& done) {
        const bool encrypted = archive_entry_is_encrypted(entry) != 0;
        currentName_ = name;
        std::vector<char> block(kReadBlock);
        for (;;) {
            const la_ssize_t count = archive_read_data(reader_.get(), block.data(), block.size());
            notifier_.RethrowPending();
            if (count == 0) return kZipOk;
            if (count < 0) {
                unreadable = count == ARCHIVE_FATAL;
                if (notifier_.Stopped()) return kZipStopped;
                return encrypted ? kZipBadPassword : kZipDataError;
            }
            const std::uint64_t size = static_cast<std::uint64_t>(count);
            if (size > EntryAllowance(done)) return Refuse(name, kZipEntryTooLarge);
            if (!output.Write(block.data(), static_cast<std::size_t>(count))) return WriteFailure(output);
            done += size;
            if (!notifier_.SendStatus(name, done)) return kZipStopped;
        }
    }

    const TUnzipRequest& request_;
    TZipNotifier& notifier_;
    ReaderHandle reader_;
    fs::path destination_;
    std::vector<bool> patternMatched_;
    std::set<fs::path> extractedTargets_;
    std::uint64_t expansionLeft_ = 0;
    int selected_ = 0;
    int extracted_ = 0;
    std::string currentName_;
    std::string passwordAnswer_;
};

}  // namespace

int RunUnzip(const TUnzipRequest& request, TZipNotifier& notifier) { return Extractor(request, notifier).Run(); }

}  // namespace cv
