// The failure of one download-library operation, with the code the caller is given.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kvc::erp {

class DownloadError : public std::runtime_error {
public:
    DownloadError(std::int32_t code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    std::int32_t Code() const { return code_; }

private:
    std::int32_t code_;
};

} // namespace kvc::erp
