// The codec of database passwords stored in the server's profile file.
#pragma once

#include <string>
#include <string_view>

namespace kvc::services {

// Stands for the empty password in stored form.
inline constexpr std::string_view kEmptyPasswordMarker = "KV_Say_NoPassWord_ThePassWordIsEmpty";
// The result of a stored text that does not decode.
inline constexpr std::string_view kPasswordError = "KV_Say_Password_Error";

// Byte i (from 1) rotated right by i mod 8 bits, as two upper-case hex digits.
std::string EncodeSQLSa(std::string_view password);
// The inverse; a pair that is not hexadecimal gives kPasswordError and an
// exception report in the process's alert log.
std::string DecodeSQLSa(std::string_view stored);

} // namespace kvc::services
