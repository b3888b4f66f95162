#include "platform/codepage.h"
#include "runtime/exceptions.h"
#include "runtime/utf8.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace kvc {

namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

struct CodePageName {
    int codePage;
    std::array<const char*, 2> names; // the Windows-exact table first, then a fallback
};

constexpr std::array<CodePageName, 6> kNames{{
    {936, {"CP936", "GBK"}},
    {950, {"CP950", "BIG5"}},
    {437, {"CP437", "IBM437"}},
    {1252, {"CP1252", "WINDOWS-1252"}},
    {54936, {"GB18030", nullptr}},
    {65001, {"UTF-8", nullptr}},
}};

// An open handle from one encoding to another; kNoHandle when neither name is known.
iconv_t OpenHandle(int codePage, bool toCodePage) {
    std::string fallback = "CP" + std::to_string(codePage);
    std::array<const char*, 2> names{fallback.c_str(), nullptr};
    for (const auto& entry : kNames) {
        if (entry.codePage == codePage) {
            names = entry.names;
        }
    }
    for (const char* name : names) {
        if (name == nullptr) {
            continue;
        }
        iconv_t cd = toCodePage ? iconv_open(name, "UTF-8") : iconv_open("UTF-8", name);
        if (cd != kNoHandle) {
            return cd;
        }
    }
    return kNoHandle;
}

class Handle {
public:
    explicit Handle(iconv_t cd = kNoHandle) : cd_(cd) {}
    ~Handle() {
        if (cd_ != kNoHandle) {
            iconv_close(cd_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    iconv_t get() const { return cd_; }
    bool valid() const { return cd_ != kNoHandle; }

private:
    iconv_t cd_;
};

// Runs the conversion; an input that does not read or convert costs one "?"
// and the smallest step past it (one UTF-8 character or one byte), so the
// loop always moves forward.
// A stateful encoding is reset before and flushed after each text; the code
// pages of the table have no shift state and skip both calls.
void Convert(iconv_t cd, std::string_view in, std::string& out, bool fromUtf8, bool stateful) {
    if (stateful) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(in.size() * 3 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t written = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + written;
        std::size_t dstLeft = out.size() - written;
        std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        written = out.size() - dstLeft;
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (written == out.size()) {
            out.resize(out.size() * 2);
        }
        out[written++] = '?';
        if (errno == EINVAL) { // cut off at the end
            break;
        }
        std::size_t step = 1;
        if (fromUtf8) {
            std::string_view rest(src, srcLeft);
            step = 0;
            NextCodePoint(rest, step);
        }
        src += step;
        srcLeft -= step;
    }
    char* dst = out.data() + written;
    std::size_t dstLeft = out.size() - written;
    if (stateful) {
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    }
    out.resize(out.size() - dstLeft);
}

// Every code page of the table keeps ASCII as it is, so pure ASCII texts (codes,
// control names, numbers: most of a request) need no conversion at all.
bool KeepsAscii(int codePage) {
    for (const auto& entry : kNames) {
        if (entry.codePage == codePage) {
            return true;
        }
    }
    return false;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

struct CodePageConverter::Handles {
    explicit Handles(int codePage)
        : encode(OpenHandle(codePage, true)), decode(OpenHandle(codePage, false)),
          keepsAscii(KeepsAscii(codePage)) {}
    Handle encode;
    Handle decode;
    bool keepsAscii;

    void Run(const Handle& handle, std::string_view in, std::string& out, bool fromUtf8) const {
        if (keepsAscii && IsAscii(in)) {
            out.assign(in);
        } else {
            Convert(handle.get(), in, out, fromUtf8, !keepsAscii);
        }
    }
};

bool IsCodePageSupported(int codePage) {
    Handle encode(OpenHandle(codePage, true));
    Handle decode(OpenHandle(codePage, false));
    return encode.valid() && decode.valid();
}

CodePageConverter::CodePageConverter(int codePage)
    : codePage_(codePage), handles_(std::make_unique<Handles>(codePage)) {
    if (!handles_->encode.valid() || !handles_->decode.valid()) {
        throw EConvertError("Code page " + std::to_string(codePage) + " is not supported");
    }
}

CodePageConverter::~CodePageConverter() = default;
CodePageConverter::CodePageConverter(CodePageConverter&&) noexcept = default;
CodePageConverter& CodePageConverter::operator=(CodePageConverter&&) noexcept = default;

std::string CodePageConverter::Encode(std::string_view utf8) {
    std::string out;
    Encode(utf8, out);
    return out;
}

void CodePageConverter::Encode(std::string_view utf8, std::string& out) {
    handles_->Run(handles_->encode, utf8, out, true);
}

std::string CodePageConverter::Decode(std::string_view bytes) {
    std::string out;
    Decode(bytes, out);
    return out;
}

void CodePageConverter::Decode(std::string_view bytes, std::string& out) {
    handles_->Run(handles_->decode, bytes, out, false);
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
    return CodePageConverter(codePage).Encode(utf8);
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    return CodePageConverter(codePage).Decode(bytes);
}

} // namespace kvc
