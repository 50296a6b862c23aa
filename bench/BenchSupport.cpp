#include "BenchSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace kiro::bench {

std::string ReadWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.resize(static_cast<size_t>(info.st_size));
        const ssize_t got = ::read(fd, bytes.data(), bytes.size());
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    ::close(fd);
    return bytes;
}

uint64_t SumOfWords(const std::string& bytes) {
    uint64_t sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        sum += static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
    return sum;
}

uint64_t ReadAndPass(const std::vector<std::string>& paths) {
    uint64_t sum = 0;
    for (const std::string& path : paths) sum += SumOfWords(ReadWholeFile(path));
    return sum;
}

namespace {

void FlushPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void FlushFile(const std::string& path) {
    FlushPath(path, O_RDONLY);
}

void FlushFolder(const std::string& path) {
    FlushPath(path, O_RDONLY | O_DIRECTORY);
}

void RewriteFlushed(const std::string& path, size_t size) {
    std::string bytes = ReadWholeFile(path);
    bytes.resize(size);
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    ::fsync(fd);
    ::close(fd);
    std::rename(temporary.c_str(), path.c_str());
    FlushPath(path.substr(0, path.rfind('/')), O_RDONLY | O_DIRECTORY);
}

}  // namespace kiro::bench
