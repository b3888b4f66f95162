// The two exports over the pictures embedded at build time, each named by
// its number ("009.png").
#include "erp/libs/arresd5/arresd5.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <string_view>
#include <utility>

namespace arresd5 {

// Generated from the files of pictures/.
std::span<const std::pair<std::string_view, std::span<const std::uint8_t>>> EmbeddedPictures();

namespace {

struct Picture {
    std::span<const std::uint8_t> png;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | std::uint32_t(bytes[at + 3]);
}

// The size a PNG file's header gives; a file that does not start with a
// PNG signature and header chunk gives none.
bool ReadSize(std::span<const std::uint8_t> png, Picture& picture) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin()) ||
        std::memcmp(png.data() + 12, "IHDR", 4) != 0) {
        return false;
    }
    const std::uint32_t width = BigEndian32(png, 16);
    const std::uint32_t height = BigEndian32(png, 20);
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) {
        return false;
    }
    picture.png = png;
    picture.width = std::int32_t(width);
    picture.height = std::int32_t(height);
    return true;
}

// The number a file name such as "009.png" stands for, or 0.
std::int32_t NumberOf(std::string_view name) {
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".png") {
        return 0;
    }
    std::int32_t number = 0;
    auto [end, error] = std::from_chars(name.data(), name.data() + dot, number);
    return error == std::errc{} && end == name.data() + dot && number > 0 ? number : 0;
}

// Built once; a file that is no numbered PNG picture is left out.
const std::map<std::int32_t, Picture>& Pictures() {
    static const std::map<std::int32_t, Picture> pictures = [] {
        std::map<std::int32_t, Picture> map;
        for (const auto& [name, bytes] : EmbeddedPictures()) {
            Picture picture;
            if (std::int32_t number = NumberOf(name); number > 0 && ReadSize(bytes, picture)) {
                map.emplace(number, picture);
            }
        }
        return map;
    }();
    return pictures;
}

} // namespace
} // namespace arresd5

extern "C" {

__attribute__((visibility("default"))) int32_t GetMaxBmpID(void) {
    const auto& pictures = arresd5::Pictures();
    return pictures.empty() ? 0 : pictures.rbegin()->first;
}

__attribute__((visibility("default"))) int32_t LoadBmp(ArResBitmap* bitmap, int32_t number) {
    if (bitmap == nullptr || bitmap->capacity < 0 ||
        (bitmap->data == nullptr && bitmap->capacity > 0)) {
        return ARRESD5_BAD_ARGUMENT;
    }
    const auto& pictures = arresd5::Pictures();
    const auto it = pictures.find(number);
    if (it == pictures.end()) {
        bitmap->size = bitmap->width = bitmap->height = 0;
        return 0;
    }
    const arresd5::Picture& picture = it->second;
    bitmap->size = std::int32_t(picture.png.size());
    bitmap->width = picture.width;
    bitmap->height = picture.height;
    if (bitmap->capacity < bitmap->size) {
        return ARRESD5_BUFFER_TOO_SMALL;
    }
    std::memcpy(bitmap->data, picture.png.data(), picture.png.size());
    return 1;
}

} // extern "C"
