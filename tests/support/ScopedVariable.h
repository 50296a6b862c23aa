#pragma once
#include <optional>
#include <string>

namespace kiro::test {

// Sets an environment variable of this process for one test and puts back what it was (or
// removes it again).
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace kiro::test
