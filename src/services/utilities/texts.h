// Cutting texts at separators and the other small text helpers the forms share.
#pragma once

#include <string>
#include <string_view>

namespace kvc::services {

// The text before the first separator; text keeps what follows it. Without a
// separator the token is the whole text and the text becomes empty.
std::string CutToken(std::string& text, std::string_view separator);
// The n-th token (from 1), empty beyond the last one.
std::string GetToken(std::string_view text, std::string_view separator, int n);
// Separators + 1, each occurrence counted once; 0 for an empty text.
int TokenCount(std::string_view text, std::string_view separator);

// Every occurrence of oldText (letter case ignored) replaced by newText; nothing
// is replaced when the two are equal ignoring case. A shorter replacement is
// searched for again from the start after each replacement, so that runs
// collapse completely ("   " -> " " by "  " -> " "); a replacement as long or
// longer is done in one left-to-right pass, which never rescans replaced text
// and therefore always ends.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool trim);

// The text followed by pad characters up to width characters; a longer text is
// returned whole.
std::string PadRight(std::string_view text, int width, char pad = ' ');

// The number when the whole text reads as one, else the fallback.
double StrToFloatDefault(std::string_view text, double fallback);

// Only the exact text "127.0.0.1" is the local server.
bool IsLocalAddress(std::string_view address);

// The system's temporary folder as a Windows path ending in "\".
std::string TempFolder();

} // namespace kvc::services
