// Walking UTF-8 text one code point at a time. Invalid bytes are taken one at
// a time as U+FFFD so that a walk always moves forward.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvc {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at s[pos] and advances pos past it; pos must be < s.size().
char32_t NextCodePoint(std::string_view s, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);
bool IsValidUtf8(std::string_view s);

} // namespace kvc
