// libFuzzer target for the frame decoder: the bytes are a stream from a
// peer. Every frame in it is decoded as a message and as a bare value; what
// decodes must encode again to a form that decodes to the same encoding.
// Anything but a clean EWireError is a finding.
#include "remote/framing.h"
#include "remote/rpc_message.h"
#include "remote/wire_format.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void CheckValue(std::string_view bytes) {
    try {
        const kvc::Variant value = kvc::remote::DecodeVariant(bytes);
        const std::string once = kvc::remote::EncodeVariant(value);
        const std::string twice = kvc::remote::EncodeVariant(kvc::remote::DecodeVariant(once));
        if (once != twice) {
            std::abort();
        }
    } catch (const kvc::remote::EWireError&) {
    }
}

void CheckMessage(std::string_view bytes) {
    try {
        const kvc::remote::Message message = kvc::remote::DecodeMessage(bytes);
        const std::string once = kvc::remote::EncodeMessage(message);
        if (kvc::remote::EncodeMessage(kvc::remote::DecodeMessage(once)) != once) {
            std::abort();
        }
    } catch (const kvc::remote::EWireError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckValue(bytes);
    kvc::remote::FrameReader reader;
    reader.Feed(bytes);
    try {
        while (auto payload = reader.Next()) {
            CheckMessage(*payload);
            CheckValue(*payload);
        }
    } catch (const kvc::remote::EWireError&) {
    }
    return 0;
}
