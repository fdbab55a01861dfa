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
    const char* openMode = mode == tfmRead ? "rb" : mode == tfmWrite ? "wb" : mode == tfmAppend ? "ab" : nullptr;
    if (!openMode) return true;
    f.handle_ = std::fopen(name.c_str(), openMode);
    if (f.handle_) return true;
    if (showError)
        Ui().ShowPlainBox("Cannot open text file " + name + " in mode " + std::to_string(mode) +
                          " error=" + std::to_string(errno));
    return false;
}

bool CloseTextFile(TTextFile& f) {
    if (!f.handle_) return true;
    const int result = std::fclose(f.handle_);
    f.handle_ = nullptr;
    if (result == 0) return true;
    std::cout << "Cannot close text file error=" << errno << '\n';
    return false;
}

}  // namespace cv
