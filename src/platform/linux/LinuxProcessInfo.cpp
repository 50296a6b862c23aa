#include "platform/linux/LinuxProcessInfo.h"

#include <errno.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <vector>

namespace kiro::linux_platform {

std::string LinuxProcessInfo::OwnProgramPath() const {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<size_t>(length));
}

void LinuxProcessInfo::RaiseCurrentThreadPriority() {
    // On Linux a thread has a nice value of its own, addressed by its thread id.
    const id_t thread = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0) ::setpriority(PRIO_PROCESS, thread, nice - 1);
}

}  // namespace kiro::linux_platform
