// The reference host's application object: what a report plug-in reaches
// through the controller's HostApp. For now it answers VersionType, ProductID
// and GetMessage from a small built-in catalogue; the sample database takes
// the catalogue over later.
#pragma once

#include "runtime/dispatch.h"

#include <cstdint>
#include <map>
#include <string>

namespace kvc::host {

class HostApplication : public DispatchObject {
public:
    static constexpr std::int32_t kVersionType = 9;
    static constexpr std::int32_t kProductID = 1;

    HostApplication();

    // The catalogue text of kind and number ("E", "000038"); "" when the
    // catalogue has none.
    std::string MessageText(const std::string& kind, const std::string& number) const;

private:
    std::map<std::string, std::string> catalogue_;
};

} // namespace kvc::host
