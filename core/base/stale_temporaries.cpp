#include "core/base/stale_temporaries.h"

#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <limits>

namespace cv {
namespace {

constexpr std::size_t kMaxPidDigits = std::numeric_limits<pid_t>::digits10;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ProcessIsGone(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }

std::optional<pid_t> ParseProcessId(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    pid_t pid = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < kMaxPidDigits) pid = pid * 10 + (text[pos++] - '0');
    if (pos == start || (pos < text.size() && IsDigit(text[pos]))) return std::nullopt;
    return pid;
}

bool IsDigitRun(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

namespace {

namespace fs = std::filesystem;

// Removes the entries of Directory of the type Kind (never a link's target's)
// whose name IsLeftover takes.
void RemoveEntries(const std::string& directory, const TLeftoverName& isLeftover, fs::file_type kind) {
    std::error_code error;
    for (fs::directory_iterator entry(directory.empty() ? "." : directory, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (isLeftover(entry->path().filename().string()) && entry->symlink_status(ignored).type() == kind)
            fs::remove_all(entry->path(), ignored);
    }
}

// Whether OwnerOf recognises Name and its process is gone.
TLeftoverName OwnerGone(const TTemporaryOwner& ownerOf) {
    return [&ownerOf](std::string_view name) {
        const std::optional<pid_t> owner = ownerOf(name);
        return owner && ProcessIsGone(*owner);
    };
}

}  // namespace

void RemoveStaleTemporaries(const std::string& directory, const TTemporaryOwner& ownerOf) {
    RemoveEntries(directory, OwnerGone(ownerOf), fs::file_type::regular);
}

void RemoveStaleTemporaryDirectories(const std::string& directory, const TTemporaryOwner& ownerOf) {
    RemoveEntries(directory, OwnerGone(ownerOf), fs::file_type::directory);
}

void RemoveLeftoverDirectories(const std::string& directory, const TLeftoverName& isLeftover) {
    RemoveEntries(directory, isLeftover, fs::file_type::directory);
}

}  // namespace cv
