// Writes the link time into the stamp of the desktop program just linked, then seals the file
// (its length and SHA-256 in its own seal; the stamp first, since the seal covers it). The stamp
// is SOURCE_DATE_EPOCH when that is set (reproducible builds), else the current time; a Windows
// program keeps the link time its linker wrote. Usage: kiro_stamp PROGRAM [SECONDS]; an explicit
// SECONDS wins (tests make newer and older copies of a program this way). kiro_stamp --seal PROGRAM
// seals the file again and keeps its stamp: what an install does after stripping the program.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/update/ProgramSeal.h"
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
    const bool sealOnly = argc == 3 && std::string(argv[1]) == "--seal";
    if (argc < 2 || argc > 3 || (!sealOnly && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: kiro_stamp PROGRAM [SECONDS] | kiro_stamp --seal PROGRAM\n");
        return 2;
    }
    const char* path = sealOnly ? argv[2] : argv[1];
    std::vector<uint8_t> image;
    {
        std::ifstream in(path, std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.eof() && in.fail()) image.clear();
    }
    // The stamp to write; none when the file keeps the one it has.
    std::optional<uint32_t> stamp;
    uint32_t seconds = 0;
    if (sealOnly) {
        // Only the seal is written.
    } else if (argc == 3) {
        if (!ParseSeconds(argv[2], seconds)) {
            std::fprintf(stderr, "kiro_stamp: '%s' is not a number of seconds\n", argv[2]);
            return 2;
        }
        stamp = seconds;
    } else if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        if (!ParseSeconds(epoch, seconds)) {
            std::fprintf(stderr, "kiro_stamp: SOURCE_DATE_EPOCH is not a number of seconds\n");
            return 2;
        }
        stamp = seconds;
    } else {
        const std::optional<kiro::ProgramKind> kind = kiro::FindProgramKind(image);
        if (!(kind && kind->format == kiro::ProgramFormat::Pe))
            stamp = static_cast<uint32_t>(std::time(nullptr));
    }
    const bool done = stamp ? kiro::RestampProgram(image, *stamp) : kiro::SealProgram(image);
    if (!done) {
        std::fprintf(stderr, "kiro_stamp: %s has no stamp and seal of its own kind\n", path);
        return 1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    out.flush();
    if (!out) {
        std::fprintf(stderr, "kiro_stamp: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
