#include "support/ScopedVariable.h"

#include <cstdlib>
#if !defined(_WIN32)
#include <stdlib.h>  // setenv, unsetenv: POSIX, not the C++ library's
#endif

namespace kiro::test {
namespace {

void SetVariable(const char* name, const char* value) {
#if defined(_WIN32)
    // An empty value removes the variable.
    _putenv_s(name, value == nullptr ? "" : value);
#else
    if (value == nullptr)
        ::unsetenv(name);
    else
        ::setenv(name, value, 1);
#endif
}

}  // namespace

ScopedVariable::ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    SetVariable(name, value.c_str());
}

ScopedVariable::~ScopedVariable() {
    SetVariable(name_, old_ ? old_->c_str() : nullptr);
}

}  // namespace kiro::test
