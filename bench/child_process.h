#pragma once
// Runs a measurement in a child process of its own, so that what a fresh
// program does the first time (loading, decoding, warming caches) really is
// done for the first time in every sample.

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <type_traits>

namespace cv::bench {

// Forks; the child runs Measure and sends its result back through a pipe.
// Returns nothing when the child failed (it may end itself with std::_Exit
// and a code of its own to say so).
template <class Measure>
auto InChildProcess(Measure&& measure) -> std::optional<std::invoke_result_t<Measure>> {
    using Result = std::invoke_result_t<Measure>;
    static_assert(std::is_trivially_copyable_v<Result>, "the result crosses a pipe as bytes");
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const Result measured = measure();
        const bool written = write(pipeEnds[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        std::_Exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    Result result{};
    const bool read = child > 0 && ::read(pipeEnds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    if (read && WIFEXITED(status) && WEXITSTATUS(status) == 0) return result;
    if (WIFEXITED(status)) std::fprintf(stderr, "The measuring child ended with code %d.\n", WEXITSTATUS(status));
    if (WIFSIGNALED(status)) std::fprintf(stderr, "The measuring child ended by signal %d.\n", WTERMSIG(status));
    return std::nullopt;
}

}  // namespace cv::bench
