#include "language/translator.h"

#include "platform/codepage.h"
#include "runtime/exceptions.h"

#include <limits>

namespace kvc::language {

TTranslator::TTranslator() : library_(Module::Load(kLibraryName)) {
    if (!library_) {
        throw Exception("Load Library " + std::string(kLibraryName) + " Error!");
    }
    big5ToGb_ = library_.Function<Entry>("BIG5toGB");
    gbToBig5_ = library_.Function<Entry>("GBtoBIG5");
    if (big5ToGb_ == nullptr || gbToBig5_ == nullptr) {
        throw Exception("Get Library Procedure Address Error!");
    }
}

std::string TTranslator::Big5ToGB(std::string_view text) const {
    return Call(big5ToGb_, text, big5_, gbk_);
}

std::string TTranslator::GBToBig5(std::string_view text) const {
    return Call(gbToBig5_, text, gbk_, big5_);
}

std::string TTranslator::Call(Entry* entry, std::string_view text, CodePageConverter& from,
                              CodePageConverter& to) const {
    if (text.empty()) {
        return {};
    }
    const std::string source = from.Encode(text);
    if (source.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw Exception("Text too long to convert");
    }
    const auto sourceSize = static_cast<std::int32_t>(source.size());
    // Most conversions keep the length, so one call usually does.
    std::string target(source.size() + 1, '\0');
    std::int32_t size =
        entry(source.data(), sourceSize, target.data(), static_cast<std::int32_t>(target.size()));
    if (size >= static_cast<std::int32_t>(target.size())) {
        target.assign(static_cast<std::size_t>(size) + 1, '\0');
        size = entry(source.data(), sourceSize, target.data(),
                     static_cast<std::int32_t>(target.size()));
    }
    if (size < 0 || size >= static_cast<std::int32_t>(target.size())) {
        throw Exception(std::string(kLibraryName) + ": the conversion failed (" +
                        std::to_string(size) + ")");
    }
    target.resize(static_cast<std::size_t>(size));
    return to.Decode(target);
}

} // namespace kvc::language
