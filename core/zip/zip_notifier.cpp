#include "core/zip/zip_notifier.h"

#include <utility>

namespace cv {

bool TZipNotifier::Send(TZipNotification& n) {
    if (stopped_) return false;
    if (callback_ && callback_(n) != 0) stopped_ = true;
    return !stopped_;
}

bool TZipNotifier::Send(TZipNotice kind, const std::string& fileName) {
    TZipNotification n;
    n.kind = kind;
    n.fileName = fileName;
    return Send(n);
}

bool TZipNotifier::SendSkipping(const std::string& fileName, int result) {
    TZipNotification n;
    n.kind = TZipNotice::ntSkippingFile;
    n.fileName = fileName;
    n.result = result;
    return Send(n);
}

bool TZipNotifier::SendStatus(const std::string& fileName, std::uint64_t bytes) {
    TZipNotification n;
    n.kind = TZipNotice::ntStatus;
    n.fileName = fileName;
    n.bytes = bytes;
    return Send(n);
}

bool TZipNotifier::SendGlobalStatus(int filesDone, int filesTotal) {
    TZipNotification n;
    n.kind = TZipNotice::ntGlobalStatus;
    n.filesDone = filesDone;
    n.filesTotal = filesTotal;
    return Send(n);
}

bool TZipNotifier::AskReplace(const std::string& path) {
    TZipNotification n;
    n.kind = TZipNotice::ntReplace;
    n.fileName = path;
    n.action = kZipActionKeep;
    return Send(n) && n.action == kZipActionReplace;
}

std::optional<std::string> TZipNotifier::AskPassword(const std::string& fileName, std::uint8_t action) {
    TZipNotification n;
    n.kind = TZipNotice::ntPwdQuery;
    n.fileName = fileName;
    n.action = kZipActionNone;
    if (!Send(n) || n.action != action || n.text.empty()) return std::nullopt;
    return n.text.substr(0, kZipMaxPasswordLength);
}

std::optional<std::string> TZipNotifier::AskPasswordNoThrow(const std::string& fileName,
                                                            std::uint8_t action) noexcept {
    if (pending_) return std::nullopt;
    try {
        return AskPassword(fileName, action);
    } catch (...) {
        pending_ = std::current_exception();
        return std::nullopt;
    }
}

void TZipNotifier::RethrowPending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

}  // namespace cv
