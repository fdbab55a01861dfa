#include "tests/support/dead_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace cv::test {

pid_t DeadProcessId() {
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

}  // namespace cv::test
