#pragma once
#include <string>

namespace kiro {

// The system's locale, as far as the program needs it.
class Locale {
  public:
    virtual ~Locale() = default;
    // Three-letter abbreviated language name of the default locale ("ENU", "CHT", "CHS", ...).
    virtual std::string AbbreviatedLanguageName() const = 0;
    // The same for the machine's own default locale, set for every user; empty when the machine
    // names none.
    virtual std::string SystemLanguageName() const = 0;
};

}  // namespace kiro
