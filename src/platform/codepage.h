// Conversion between UTF-8, the text of the whole system, and the code pages
// used at its boundaries: 936 (GBK), 950 (Big5), 437, 1252, 54936 (GB18030)
// and 65001 (UTF-8 itself); other numbers are tried as "CP<n>".
//
// Conversion never fails on content: a character the code page cannot hold,
// and an input byte that does not read, each become "?".
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kvc {

// True when texts can be converted to and from the code page here.
bool IsCodePageSupported(int codePage);

// Holds the two conversion handles of one code page, opened once and reused
// by every call, so that many short texts convert quickly. Not for use by two
// threads at once. An unsupported code page raises EConvertError
// ("Code page 1234 is not supported").
class CodePageConverter {
public:
    explicit CodePageConverter(int codePage);
    ~CodePageConverter();
    CodePageConverter(CodePageConverter&&) noexcept;
    CodePageConverter& operator=(CodePageConverter&&) noexcept;

    int CodePage() const { return codePage_; }

    // UTF-8 -> bytes of the code page.
    std::string Encode(std::string_view utf8);
    // The same into out (replacing its contents), reusing its storage.
    void Encode(std::string_view utf8, std::string& out);
    // Bytes of the code page -> UTF-8.
    std::string Decode(std::string_view bytes);
    void Decode(std::string_view bytes, std::string& out);

private:
    struct Handles;
    int codePage_;
    std::unique_ptr<Handles> handles_;
};

// One-off conversions (open the handles for one call; prefer a converter for many texts).
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
std::string CodePageToUtf8(std::string_view bytes, int codePage);

} // namespace kvc
