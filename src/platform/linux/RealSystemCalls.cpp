#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/linux/SystemCalls.h"

namespace kiro::linux_platform {

namespace {

int ResultOrError(int result) {
    return result < 0 ? -errno : result;
}

}  // namespace

int RealSystemCalls::Open(const std::string& path, int flags) {
    return ResultOrError(::open(path.c_str(), flags | O_CLOEXEC));
}

void RealSystemCalls::Close(int fd) {
    ::close(fd);
}

int RealSystemCalls::Ioctl(int fd, unsigned long request, void* argument) {
    int result;
    do {
        result = ::ioctl(fd, request, argument);
    } while (result < 0 && errno == EINTR);
    return ResultOrError(result);
}

int RealSystemCalls::Flock(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result < 0 && errno == EINTR);
    return ResultOrError(result);
}

}  // namespace kiro::linux_platform
