#include "core/watchdisk/ImportJournal.h"

#include <fstream>
#include <sstream>

#include "core/app/Format.h"

namespace kiro {
namespace {

// 64-bit FNV-1a: small, stable across runs and machines, and enough to tell day files apart.
uint64_t Fnv1a(const std::string& content) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : content) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Line(const ImportJournal::Entry& entry) {
    return Format("%s %llu %016llx", entry.name.c_str(), static_cast<unsigned long long>(entry.size),
                  static_cast<unsigned long long>(entry.hash));
}

}  // namespace

ImportJournal::Entry ImportJournal::Describe(const std::string& name, const std::string& content) {
    return {name, content.size(), Fnv1a(content)};
}

bool ImportJournal::Contains(const Entry& entry) const {
    std::ifstream in(path_);
    const std::string wanted = Line(entry);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == wanted) return true;
    }
    return false;
}

bool ImportJournal::Add(const Entry& entry) const {
    std::ofstream out(path_, std::ios::app);
    if (!out) return false;
    out << Line(entry) << "\n";
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace kiro
