#pragma once
// Writes the archive of a zip request.

#include "core/zip/zip_args.h"
#include "core/zip/zip_notifier.h"

namespace cv {

// Collects the request's files and writes them as a new archive, which
// replaces an existing one only when complete. Returns a result code of
// core/zip/zip_errors.h.
int RunZip(const TZipRequest& request, TZipNotifier& notifier);

}  // namespace cv
