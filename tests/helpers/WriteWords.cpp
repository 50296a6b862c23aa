// Writes the words that follow its first argument into the file that argument names, as the
// system (or, on Windows, the C runtime) split its command line, each ended by a zero byte. The
// file gets its name once it is whole, so a test that waits for it never reads it half written.
// The launcher tests start it, detached, and read back what it was given.
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string target = argv[1];
    const std::string part = target + ".part";
    {
        std::ofstream out(part, std::ios::binary);
        for (int i = 2; i < argc; ++i) out << argv[i] << '\0';
        if (!out.flush()) return 1;
    }
    std::error_code error;
    std::filesystem::rename(part, target, error);
    return error ? 1 : 0;
}
