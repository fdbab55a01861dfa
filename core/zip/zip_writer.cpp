#include "core/zip/zip_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

#include "core/zip/zip_errors.h"
#include "core/zip/zip_output_file.h"
#include "core/zip/zip_sources.h"

namespace cv {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kReadBlock = 256 * 1024;
constexpr int kStoreLevel = 0;
constexpr unsigned kPermissionBits = 07777;

struct WriterFree {
    void operator()(archive* handle) const { archive_write_free(handle); }
};
using WriterHandle = std::unique_ptr<archive, WriterFree>;

struct EntryFree {
    void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};
using EntryHandle = std::unique_ptr<archive_entry, EntryFree>;

bool Failed(int status) { return status < ARCHIVE_WARN; }

// A zip writer on Descriptor with the level and, for a non-empty Password,
// traditional encryption; nullptr when the library refuses a setting.
WriterHandle OpenWriter(int descriptor, int level, const std::string& password) {
    WriterHandle writer(archive_write_new());
    if (!writer || Failed(archive_write_set_format_zip(writer.get()))) return nullptr;
    const std::string levelOption = "zip:compression-level=" + std::to_string(level);
    if (Failed(archive_write_set_options(writer.get(), levelOption.c_str()))) return nullptr;
    if (!password.empty() && (Failed(archive_write_set_options(writer.get(), "zip:encryption=zipcrypt")) ||
                              Failed(archive_write_set_passphrase(writer.get(), password.c_str()))))
        return nullptr;
    // The archive ends with its last byte, not padded to a block.
    archive_write_set_bytes_in_last_block(writer.get(), 1);
    if (Failed(archive_write_open_fd(writer.get(), descriptor))) return nullptr;
    return writer;
}

std::string UpperExtension(const std::string& entryName) {
    const std::size_t slash = entryName.find_last_of('/');
    const std::size_t dot = entryName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = entryName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

// Fills the entry's name, kind, permissions and date from the file on disk.
EntryHandle NewEntry(const TZipSource& source) {
    EntryHandle entry(archive_entry_new());
    if (!entry) return nullptr;
    archive_entry_set_pathname(entry.get(), source.entryName.c_str());
    archive_entry_set_filetype(entry.get(), source.directory ? AE_IFDIR : AE_IFREG);
    std::error_code error;
    const auto status = fs::status(source.path, error);
    archive_entry_set_perm(entry.get(), static_cast<unsigned>(status.permissions()) & kPermissionBits);
    const auto written = fs::last_write_time(source.path, error);
    if (!error) {
        const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::file_clock::to_sys(written));
        archive_entry_set_mtime(entry.get(), seconds.time_since_epoch().count(), 0);
    }
    return entry;
}

class ArchiveBuilder {
public:
    ArchiveBuilder(const TZipRequest& request, TZipNotifier& notifier) : request_(request), notifier_(notifier) {}

    int Write(int descriptor, const std::string& password, const std::vector<TZipSource>& sources) {
        writer_ = OpenWriter(descriptor, request_.level, password);
        if (!writer_) return kZipInternalError;
        const int total = static_cast<int>(sources.size());
        for (int done = 0; done < total; ++done) {
            const TZipSource& source = sources[static_cast<std::size_t>(done)];
            if (!notifier_.Send(TZipNotice::ntAdding, source.path.string())) return kZipStopped;
            if (const int code = AddEntry(source); code != kZipOk) return code;
            if (!notifier_.SendGlobalStatus(done + 1, total)) return kZipStopped;
        }
        return Failed(archive_write_close(writer_.get())) ? kZipCannotWriteArchive : kZipOk;
    }

private:
    int AddEntry(const TZipSource& source) {
        std::ifstream input;
        std::uintmax_t size = 0;
        if (!source.directory) {
            std::error_code error;
            input.open(source.path, std::ios::binary);
            size = fs::file_size(source.path, error);
            if (!input || error) return kZipCannotReadFile;
        }
        const EntryHandle entry = NewEntry(source);
        if (!entry) return kZipInternalError;
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(size));
        SelectCompression(source.entryName);
        if (Failed(archive_write_header(writer_.get(), entry.get()))) return kZipCannotWriteArchive;
        if (!source.directory)
            if (const int code = CopyData(input, size, source.path.string()); code != kZipOk) return code;
        return Failed(archive_write_finish_entry(writer_.get())) ? kZipCannotWriteArchive : kZipOk;
    }

    // Stored for level 0 and for the extensions of already compressed files.
    void SelectCompression(const std::string& entryName) {
        const auto& stored = request_.storedExtensions;
        const std::string extension = UpperExtension(entryName);
        if (request_.level == kStoreLevel ||
            (!extension.empty() && std::find(stored.begin(), stored.end(), extension) != stored.end()))
            archive_write_zip_set_compression_store(writer_.get());
        else
            archive_write_zip_set_compression_deflate(writer_.get());
    }

    // Copies exactly Size bytes; a file that shrank or grew meanwhile is a read failure.
    int CopyData(std::ifstream& input, std::uintmax_t size, const std::string& name) {
        std::vector<char> block(kReadBlock);
        std::uintmax_t done = 0;
        while (input.read(block.data(), static_cast<std::streamsize>(block.size())) || input.gcount() > 0) {
            const auto count = static_cast<std::size_t>(input.gcount());
            if (done + count > size) return kZipCannotReadFile;
            if (archive_write_data(writer_.get(), block.data(), count) != static_cast<la_ssize_t>(count))
                return kZipCannotWriteArchive;
            done += count;
            if (!notifier_.SendStatus(name, done)) return kZipStopped;
        }
        return input.bad() || done != size ? kZipCannotReadFile : kZipOk;
    }

    const TZipRequest& request_;
    TZipNotifier& notifier_;
    WriterHandle writer_;
};

// The password to encrypt with: the vector's own, or the answer to a question.
bool EncryptionPassword(const TZipRequest& request, TZipNotifier& notifier, std::string& password) {
    password.clear();
    if (!request.encrypt) return true;
    if (!request.password.empty()) {
        password = request.password;
        return true;
    }
    const auto answer = notifier.AskPassword(request.archive, kZipActionEncrypt);
    if (answer) password = *answer;
    return answer.has_value();
}

// Deletes the moved files once the archive holding them is in place.
int DeleteMovedFiles(const std::vector<TZipSource>& sources, TZipNotifier& notifier) {
    TZipResult result;
    for (const auto& source : sources) {
        if (source.directory) continue;
        if (!notifier.Send(TZipNotice::ntDeleting, source.path.string())) return kZipStopped;
        std::error_code error;
        if (!fs::remove(source.path, error) || error) result.Note(kZipMoveFailed);
    }
    return result.Code();
}

}  // namespace

int RunZip(const TZipRequest& request, TZipNotifier& notifier) {
    const TZipSources sources = CollectZipSources(request);
    if (sources.files.empty()) return kZipNothingToDo;
    std::string password;
    if (!EncryptionPassword(request, notifier, password)) return notifier.Stopped() ? kZipStopped : kZipBadPassword;

    const fs::path workDirectory = request.noTempFile ? fs::path() : fs::path(request.tempPath);
    TZipOutputFile output;
    if (!output.Create(request.archive, workDirectory))
        return workDirectory.empty() ? kZipCannotWriteArchive : kZipTempFileFailed;
    ArchiveBuilder builder(request, notifier);
    if (const int code = builder.Write(output.Descriptor(), password, sources.files); code != kZipOk) return code;
    if (!output.Commit()) return kZipTempFileFailed;

    TZipResult result;
    if (sources.someSkipped) result.Note(kZipSomeFilesSkipped);
    if (request.moveFiles) result.Note(DeleteMovedFiles(sources.files, notifier));
    return result.Code();
}

}  // namespace cv
