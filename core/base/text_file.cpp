#include "core/base/text_file.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

#include "core/base/ui_services.h"

namespace cv {

TTextFile::~TTextFile() {
    if (handle_) std::fclose(handle_);
}

bool TTextFile::Write(const std::string& text) {
    return handle_ && std::fwrite(text.data(), 1, text.size(), handle_) == text.size();
}

bool TTextFile::Flush() {
    return handle_ && std::fflush(handle_) == 0 && fsync(fileno(handle_)) == 0;
}

bool OpenTextFile(TTextFile& f, const std::string& name, int mode, bool showError) {
    if (f.handle_) CloseTextFile(f);
    f.name_ = name;
    f.cutAtClose_ = mode == tfmRewrite;
    const char* openMode = mode == tfmRead     ? "rb"
                           : mode == tfmWrite  ? "wb"
                           : mode == tfmAppend ? "ab"
                           : f.cutAtClose_     ? "r+b"
                                               : nullptr;
    if (!openMode) return true;
    f.handle_ = std::fopen(name.c_str(), openMode);
    // A file to rewrite that does not exist yet is created.
    if (!f.handle_ && f.cutAtClose_ && errno == ENOENT) f.handle_ = std::fopen(name.c_str(), "wb");
    if (f.handle_) return true;
    if (showError)
        // A rewrite is a write to whoever reads the message.
        Ui().ShowPlainBox("Cannot open text file " + name + " in mode " +
                          std::to_string(f.cutAtClose_ ? int{tfmWrite} : mode) +
                          " error=" + std::to_string(errno));
    return false;
}

bool CloseTextFile(TTextFile& f) {
    if (!f.handle_) return true;
    bool cut = true;
    if (f.cutAtClose_) {
        const long written = std::ftell(f.handle_);
        cut = written >= 0 && std::fflush(f.handle_) == 0 && ftruncate(fileno(f.handle_), written) == 0;
    }
    const int result = std::fclose(f.handle_) == 0 && cut ? 0 : -1;
    f.handle_ = nullptr;
    if (result == 0) return true;
    std::cout << "Cannot close text file error=" << errno << '\n';
    return false;
}

}  // namespace cv
