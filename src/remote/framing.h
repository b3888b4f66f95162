// Frames on the socket: a 4-byte big-endian length, then that many bytes of
// payload. A length of 0 or above kMaxFrameSize is a broken or hostile peer:
// the connection is closed with an error rather than trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvc::remote {

inline constexpr std::size_t kFrameHeaderSize = 4;
inline constexpr std::size_t kMaxFrameSize = 16 * 1024 * 1024;

// Appends the header and the payload to out; a payload of kMaxFrameSize or
// more bytes, or an empty one, raises EWireError.
void AppendFrame(std::string_view payload, std::string& out);
std::string MakeFrame(std::string_view payload);

// The payload length a header announces; EWireError when it is 0 or above
// kMaxFrameSize. header must hold kFrameHeaderSize bytes.
std::size_t ReadFrameLength(const char* header);

// Collects bytes as they arrive and hands out whole payloads. After an error
// the reader stays failed: a stream with one bad length cannot be resynchronised.
class FrameReader {
public:
    void Feed(std::string_view bytes);
    // The next complete payload, or nothing while more bytes are needed.
    // A bad length raises EWireError.
    std::optional<std::string> Next();
    // Bytes received that do not yet form a frame (a truncated frame at the
    // end of a stream leaves some here).
    std::size_t Pending() const { return buffer_.size() - consumed_; }

private:
    std::string buffer_;
    std::size_t consumed_ = 0;
    bool failed_ = false;
};

} // namespace kvc::remote
