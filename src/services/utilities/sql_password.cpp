#include "services/utilities/sql_password.h"

#include "runtime/exceptions.h"
#include "runtime/strings.h"
#include "services/utilities/alert_log.h"

#include <bit>
#include <cstdint>
#include <cstdio>

namespace kvc::services {

std::string EncodeSQLSa(std::string_view password) {
    const std::string_view text = password.empty() ? kEmptyPasswordMarker : password;
    std::string stored;
    stored.reserve(text.size() * 2);
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i - 1]);
        char hex[3];
        std::snprintf(hex, sizeof hex, "%.2X", std::rotr(byte, int(i % 8)));
        stored += hex;
    }
    return stored;
}

std::string DecodeSQLSa(std::string_view stored) {
    std::string password;
    password.reserve(stored.size() / 2);
    try {
        for (std::size_t i = 1; 2 * i <= stored.size(); ++i) {
            // Read as the classic "$" hex literal so a bad pair fails with its usual message.
            const auto value = StrToInt("$" + std::string(stored.substr(2 * (i - 1), 2)));
            password += static_cast<char>(std::rotl(static_cast<std::uint8_t>(value), int(i % 8)));
        }
    } catch (const EConvertError& error) {
        ProcessAlertLog().ReportException(&error, EncodeSQLSa("DecodeSQLSa"),
                                          "解析 Sa 时发生错误!");
        return std::string(kPasswordError);
    }
    return password == kEmptyPasswordMarker ? std::string() : password;
}

} // namespace kvc::services
