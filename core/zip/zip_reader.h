#pragma once
// Extracts the entries of an unzip request.

#include "core/zip/zip_args.h"
#include "core/zip/zip_notifier.h"

namespace cv {

// Extracts the selected entries of the request's archive into its extract
// directory (the current directory when none is given). Entries whose names
// would leave that directory or are too long for it, symbolic links, entries
// beyond the size limits and second entries of one name are refused; every
// file is written whole or not at all. Returns a result code of
// core/zip/zip_errors.h.
int RunUnzip(const TUnzipRequest& request, TZipNotifier& notifier);

}  // namespace cv
