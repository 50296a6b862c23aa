#pragma once
#include <string>

namespace kiro::linux_platform {

// The system calls that the device adapters make, behind one seam so that tests can see what
// would reach the kernel and answer for it. Each call returns its non-negative result or the
// negated errno, never -1 with errno set.
class SystemCalls {
  public:
    virtual ~SystemCalls() = default;
    virtual int Open(const std::string& path, int flags) = 0;
    virtual void Close(int fd) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual int Flock(int fd, int operation) = 0;
};

class RealSystemCalls final : public SystemCalls {
  public:
    int Open(const std::string& path, int flags) override;
    void Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    int Flock(int fd, int operation) override;
};

}  // namespace kiro::linux_platform
