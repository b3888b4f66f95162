#include "remote/framing.h"

#include "remote/wire_format.h"

namespace kvc::remote {
namespace {

void CheckLength(std::size_t length) {
    if (length == 0) {
        throw EWireError("Bad frame: a frame without payload");
    }
    if (length > kMaxFrameSize) {
        throw EWireError("Bad frame: " + std::to_string(length) + " bytes, more than the " +
                         std::to_string(kMaxFrameSize) + " a frame may hold");
    }
}

} // namespace

void AppendFrame(std::string_view payload, std::string& out) {
    CheckLength(payload.size());
    const auto length = std::uint32_t(payload.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(char((length >> shift) & 0xFF));
    }
    out.append(payload);
}

std::string MakeFrame(std::string_view payload) {
    std::string out;
    out.reserve(kFrameHeaderSize + payload.size());
    AppendFrame(payload, out);
    return out;
}

std::size_t ReadFrameLength(const char* header) {
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < kFrameHeaderSize; ++i) {
        length = (length << 8) | std::uint8_t(header[i]);
    }
    CheckLength(length);
    return length;
}

void FrameReader::Feed(std::string_view bytes) {
    // Drop what was handed out before growing, so a long stream of small
    // frames does not keep every byte it ever received.
    if (consumed_ > 0 && consumed_ == buffer_.size()) {
        buffer_.clear();
        consumed_ = 0;
    } else if (consumed_ > kMaxFrameSize) {
        buffer_.erase(0, consumed_);
        consumed_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<std::string> FrameReader::Next() {
    if (failed_) {
        throw EWireError("Bad frame: the stream failed earlier");
    }
    if (Pending() < kFrameHeaderSize) {
        return std::nullopt;
    }
    std::size_t length = 0;
    try {
        length = ReadFrameLength(buffer_.data() + consumed_);
    } catch (const EWireError&) {
        failed_ = true;
        throw;
    }
    if (Pending() < kFrameHeaderSize + length) {
        return std::nullopt;
    }
    std::string payload = buffer_.substr(consumed_ + kFrameHeaderSize, length);
    consumed_ += kFrameHeaderSize + length;
    return payload;
}

} // namespace kvc::remote
