#include "platform/environment.h"

#include <cstdlib>

namespace kvc {

namespace {

void SetOrUnset(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

} // namespace

std::optional<std::string> GetEnvironmentVariable(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::string GetEnvironmentVariableOr(std::string_view name, std::string_view fallback) {
    auto value = GetEnvironmentVariable(name);
    if (!value || value->empty()) {
        return std::string(fallback);
    }
    return *value;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name,
                                                     std::optional<std::string> value)
    : name_(std::move(name)), previous_(GetEnvironmentVariable(name_)) {
    SetOrUnset(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    SetOrUnset(name_, previous_);
}

} // namespace kvc
