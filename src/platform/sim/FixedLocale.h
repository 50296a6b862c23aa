#pragma once
#include <string>

#include "core/system/Locale.h"

namespace kiro::sim {

class FixedLocale final : public Locale {
  public:
    explicit FixedLocale(std::string name = "ENU") : name_(std::move(name)) {}
    std::string AbbreviatedLanguageName() const override { return name_; }
    std::string SystemLanguageName() const override { return name_; }

  private:
    std::string name_;
};

}  // namespace kiro::sim
