// The exports of Kvlanguage.dll: bytes of one code page in, bytes of the
// other out, into the caller's buffer. Nothing raised inside crosses the
// library's edge.
#include "erp/libs/kvlanguage/kvlanguage.h"
#include "erp/libs/kvlanguage/script_converter.h"
#include "platform/codepage.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

#define KVLANGUAGE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using kvc::erp::ScriptConverter;
using kvc::erp::ScriptDirection;

constexpr int kGbk = 936;
constexpr int kBig5 = 950;

std::int32_t Convert(ScriptDirection direction, const char* source, std::int32_t sourceSize,
                     char* target, std::int32_t targetSize) noexcept {
    if ((source == nullptr && sourceSize != 0) || (target == nullptr && targetSize > 0)) {
        return KVLANGUAGE_BAD_ARGUMENT;
    }
    const std::string_view bytes =
        source == nullptr ? std::string_view()
        : sourceSize < 0  ? std::string_view(source)
                          : std::string_view(source, static_cast<std::size_t>(sourceSize));
    const bool toTraditional = direction == ScriptDirection::SimplifiedToTraditional;
    std::string converted;
    try {
        // Opened once per thread: callers convert many short texts.
        thread_local kvc::CodePageConverter gbk(kGbk);
        thread_local kvc::CodePageConverter big5(kBig5);
        const std::string utf8 = (toTraditional ? gbk : big5).Decode(bytes);
        converted =
            (toTraditional ? big5 : gbk).Encode(ScriptConverter::For(direction).Convert(utf8));
    } catch (const std::exception&) {
        // The code pages are always there; what can fail is OpenCC's tables.
        return KVLANGUAGE_UNAVAILABLE;
    }
    if (converted.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return KVLANGUAGE_BAD_ARGUMENT;
    }
    const auto length = static_cast<std::int32_t>(converted.size());
    if (length < targetSize) {
        std::memcpy(target, converted.data(), converted.size());
        target[length] = '\0';
    }
    return length;
}

} // namespace

KVLANGUAGE_EXPORT std::int32_t GBtoBIG5(const char* source, std::int32_t sourceSize, char* target,
                                        std::int32_t targetSize) {
    return Convert(ScriptDirection::SimplifiedToTraditional, source, sourceSize, target,
                   targetSize);
}

KVLANGUAGE_EXPORT std::int32_t BIG5toGB(const char* source, std::int32_t sourceSize, char* target,
                                        std::int32_t targetSize) {
    return Convert(ScriptDirection::TraditionalToSimplified, source, sourceSize, target,
                   targetSize);
}
