#pragma once
// The engine's side of the notification protocol: sends notifications through
// the caller's callback, remembers a request to stop, and carries an exception
// of the callback across the archive library's C frames.

#include <exception>
#include <optional>
#include <string>

#include "core/zip/zip_engine.h"

namespace cv {

class TZipNotifier {
public:
    explicit TZipNotifier(const TZipCallback& callback) : callback_(callback) {}

    // Sends N; false once the callback asked to stop.
    bool Send(TZipNotification& n);
    bool Send(TZipNotice kind, const std::string& fileName);
    bool SendSkipping(const std::string& fileName, int result);
    bool SendStatus(const std::string& fileName, std::uint64_t bytes);
    bool SendGlobalStatus(int filesDone, int filesTotal);
    bool Stopped() const { return stopped_; }

    // Asks whether the existing file Path may be replaced; the proposed answer is to keep it.
    bool AskReplace(const std::string& path);
    // Asks for the password of FileName; nothing when the answer gives up.
    std::optional<std::string> AskPassword(const std::string& fileName, std::uint8_t action);

    // For calls from a C callback: an exception is kept instead of thrown, and
    // RethrowPending throws it once the C frames are left.
    std::optional<std::string> AskPasswordNoThrow(const std::string& fileName, std::uint8_t action) noexcept;
    void RethrowPending();

private:
    const TZipCallback& callback_;
    bool stopped_ = false;
    std::exception_ptr pending_;
};

}  // namespace cv
