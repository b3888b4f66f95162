// The backend a program runs with, chosen by KVC_BACKEND: "headless" (or
// unset, the default) for none, "sdl" for real windows.
#pragma once

#include "toolkit/window_backend.h"

#include <memory>
#include <string_view>

namespace kvc {

// The backend of that name, or none for "headless" and ""; another name
// raises EInvalidOperation.
std::unique_ptr<TWindowBackend> MakeBackend(std::string_view name);
std::unique_ptr<TWindowBackend> MakeBackendFromEnvironment();

} // namespace kvc
