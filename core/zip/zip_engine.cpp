#include "core/zip/zip_engine.h"

#include <archive.h>

#include <new>

#include "core/zip/zip_args.h"
#include "core/zip/zip_errors.h"
#include "core/zip/zip_reader.h"
#include "core/zip/zip_writer.h"

namespace cv {
namespace {

// Deflate needs the compression library inside the archive library; encryption
// and the zip format are its own. A build without them cannot serve us.
bool CanWriteZip() {
    archive* probe = archive_write_new();
    if (!probe) return false;
    const bool ready = archive_zlib_version() != nullptr && archive_write_set_format_zip(probe) == ARCHIVE_OK &&
                       archive_write_set_options(probe, "zip:compression=deflate") == ARCHIVE_OK &&
                       archive_write_set_options(probe, "zip:encryption=zipcrypt") == ARCHIVE_OK;
    archive_write_free(probe);
    return ready;
}

bool CanReadZip() {
    archive* probe = archive_read_new();
    if (!probe) return false;
    const bool ready = archive_zlib_version() != nullptr && archive_read_support_format_zip(probe) == ARCHIVE_OK;
    archive_read_free(probe);
    return ready;
}

}  // namespace

std::unique_ptr<TZipEngine> TZipEngine::Start(TZipEngineKind kind) {
    const bool ready = kind == TZipEngineKind::zekZip ? CanWriteZip() : CanReadZip();
    return ready ? std::unique_ptr<TZipEngine>(new TZipEngine(kind)) : nullptr;
}

int TZipEngine::Run(int version, const std::vector<std::string>& args, const TZipCallback& callback) const {
    if (version != kZipInterfaceVersion) return kZipBadArguments;
    TZipNotifier notifier(callback);
    try {
        if (kind_ == TZipEngineKind::zekZip) {
            TZipRequest request;
            return ParseZipArgs(args, request) ? RunZip(request, notifier) : kZipBadArguments;
        }
        TUnzipRequest request;
        return ParseUnzipArgs(args, request) ? RunUnzip(request, notifier) : kZipBadArguments;
    } catch (const std::bad_alloc&) {
        return kZipInternalError;
    }
}

}  // namespace cv
