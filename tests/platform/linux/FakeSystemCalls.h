#pragma once
#include <errno.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/SystemCalls.h"

namespace kiro::linux_platform::test {

// System calls answered by the test: opens succeed for the paths given a descriptor, ioctls
// and flocks return what the test says, and everything is recorded.
class FakeSystemCalls final : public SystemCalls {
  public:
    struct OpenCall {
        std::string path;
        int flags;
    };

    int Open(const std::string& path, int flags) override {
        opens.push_back({path, flags});
        const auto found = openable.find(path);
        return found == openable.end() ? -ENOENT : found->second;
    }
    void Close(int fd) override { closed.push_back(fd); }
    int Ioctl(int fd, unsigned long request, void* argument) override {
        ioctlRequests.push_back(request);
        return onIoctl ? onIoctl(fd, request, argument) : 0;
    }
    int Flock(int fd, int operation) override {
        flocks.push_back({fd, operation});
        return flockResult;
    }

    std::map<std::string, int> openable;  // path -> descriptor, or a negated errno
    std::function<int(int, unsigned long, void*)> onIoctl;
    int flockResult = 0;

    std::vector<OpenCall> opens;
    std::vector<int> closed;
    std::vector<unsigned long> ioctlRequests;
    std::vector<std::pair<int, int>> flocks;
};

}  // namespace kiro::linux_platform::test
