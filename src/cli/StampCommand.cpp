#include <charconv>
#include <cstdio>

#include "cli/Commands.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"

namespace kiro::cli {
namespace {

// No program of ours comes near this; a larger file is not one of them.
constexpr size_t kMostProgramBytes = size_t{512} << 20;

// "0x" and one to eight hexadecimal digits.
bool ParseStamp(const std::string& text, uint32_t& stamp) {
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, stamp, 16);
    return error == std::errc() && stop == end;
}

// Gives a whole build a new stamp and seals it again; the file is rewritten in place.
void SetStamp(CliContext& context, const std::string& path, const std::string& text) {
    uint32_t stamp = 0;
    if (!ParseStamp(text, stamp)) {
        (void)std::fprintf(stderr, "kiro stamp: --set takes 0x and up to 8 hexadecimal digits, not %s\n",
                           text.c_str());
        throw CLI::RuntimeError(kExitFailed);
    }
    FileContent content = context.Files().ReadFile(path, kMostProgramBytes, OverLimit::Refuse);
    std::span<uint8_t> image(reinterpret_cast<uint8_t*>(content.bytes.data()), content.bytes.size());
    if (content.error || !RestampProgram(image, stamp)) {
        (void)std::fprintf(stderr, "kiro stamp: %s is no program with a stamp and a seal of its own kind\n",
                           path.c_str());
        throw CLI::RuntimeError(kExitFailed);
    }
    if (const std::error_code error = context.Files().WriteFile(path, content.bytes, Durability::Flushed)) {
        (void)std::fprintf(stderr, "kiro stamp: cannot write %s: %s\n", path.c_str(),
                           error.message().c_str());
        throw CLI::RuntimeError(kExitFailed);
    }
}

}  // namespace

void AddStampCommand(CLI::App& cli, CliContext& context) {
    auto path = std::make_shared<std::string>();
    auto newStamp = std::make_shared<std::string>();
    CLI::App* stamp = cli.add_subcommand(
        "stamp", "Print the program stamp of a file (a Windows program's header or our ELF note) as 0x%08X");
    stamp->add_option("FILE", *path, "Program file")->required();
    CLI::Option* set = stamp->add_option(
        "--set", *newStamp,
        "Write this stamp (0xHEX) into the build and seal it again (its length and SHA-256)");
    stamp->callback([path, newStamp, set, &context] {
        if (set->count() > 0) SetStamp(context, *path, *newStamp);
        const ProgramStampRead read = ReadProgramStamp(context.Files(), *path);
        if (!read.opened) {
            (void)std::fprintf(stderr, "kiro stamp: cannot read %s as a program file\n", path->c_str());
            throw CLI::RuntimeError(kExitFailed);
        }
        // A file without a stamp has the stamp that no build is older than.
        std::printf("0x%08X\n", read.stamp);
    });
}

}  // namespace kiro::cli
