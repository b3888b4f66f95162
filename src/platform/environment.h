// The process environment, read at the moment of asking: the stand-ins take
// their configuration (KVC_DRIVES, KVC_REGISTRY, ...) from it each time a
// service is created, so a change made by a test or a script is seen at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvc {

// The variable's value; nullopt when it is not set (an empty value is set).
std::optional<std::string> GetEnvironmentVariable(std::string_view name);
// The value, or fallback when the variable is not set or is empty.
std::string GetEnvironmentVariableOr(std::string_view name, std::string_view fallback);

// Sets (or, given nullopt, removes) a variable for the life of the object and
// restores what was there before. For tests and tools; not thread-safe, as the
// environment itself is not.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::string name, std::optional<std::string> value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace kvc
