// Writes the link time into the stamp note of a program just linked: SOURCE_DATE_EPOCH when it
// is set (reproducible builds), else the current time. Usage: kiro_stamp PROGRAM [SECONDS]; an
// explicit SECONDS wins (tests make newer and older copies of a program this way).
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/update/ProgramStamp.h"

namespace {

bool ParseSeconds(const char* text, uint32_t& seconds) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0' || value > 0xFFFFFFFFull) return false;
    seconds = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kiro_stamp PROGRAM [SECONDS]\n");
        return 2;
    }
    uint32_t stamp = static_cast<uint32_t>(std::time(nullptr));
    if (argc == 3 && !ParseSeconds(argv[2], stamp)) {
        std::fprintf(stderr, "kiro_stamp: '%s' is not a number of seconds\n", argv[2]);
        return 2;
    }
    if (argc == 2 && std::getenv("SOURCE_DATE_EPOCH") != nullptr &&
        !ParseSeconds(std::getenv("SOURCE_DATE_EPOCH"), stamp)) {
        std::fprintf(stderr, "kiro_stamp: SOURCE_DATE_EPOCH is not a number of seconds\n");
        return 2;
    }
    std::fstream file(argv[1], std::ios::in | std::ios::out | std::ios::binary);
    std::vector<uint8_t> head(kiro::kStampSearchBytes);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(file.gcount()));
    if (!kiro::WriteProgramStamp(head, stamp)) {
        std::fprintf(stderr, "kiro_stamp: %s has no stamp note in its first %zu bytes\n", argv[1],
                     kiro::kStampSearchBytes);
        return 1;
    }
    file.clear();
    file.seekp(0);
    file.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    file.flush();
    if (!file) {
        std::fprintf(stderr, "kiro_stamp: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
