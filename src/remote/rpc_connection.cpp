#include "remote/rpc_connection.h"

#include "remote/framing.h"
#include "remote/rpc_message.h"
#include "runtime/exceptions.h"

#include <algorithm>
#include <asio.hpp>
#include <cerrno>
#include <poll.h>
#include <vector>

namespace kvc::remote {

namespace {

using asio::ip::tcp;

// The proxy of one server object: every access becomes a call message.
class RemoteDispatch final : public Dispatch {
public:
    RemoteDispatch(std::shared_ptr<RpcConnection> connection, std::uint32_t id,
                   std::string className)
        : connection_(std::move(connection)), id_(id), className_(std::move(className)) {}

    std::string ClassName() const override { return className_; }
    Variant Invoke(std::string_view name, InvokeKind kind, DispatchArgs args) override {
        return connection_->Invoke(id_, name, kind, args);
    }

private:
    std::shared_ptr<RpcConnection> connection_;
    std::uint32_t id_;
    std::string className_;
};

} // namespace

// Calls use the socket directly, without the event loop: a call is one send
// and, usually, one receive, which is all a waiting caller needs. The socket
// is non-blocking and the waits are bounded by the call's deadline.
struct RpcConnection::Channel {
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kReceiveChunk = 64 * 1024;

    asio::io_context io;
    tcp::socket socket{io};
    // Bytes received and not yet handed out: [start, end) of inbox.
    std::vector<char> inbox = std::vector<char>(kReceiveChunk);
    std::size_t start = 0;
    std::size_t end = 0;

    // Waits until the socket is ready for events (POLLIN, POLLOUT); false
    // when the deadline passes first.
    bool WaitReady(short events, Clock::time_point deadline, asio::error_code& error) {
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return false;
            }
            pollfd target{socket.native_handle(), events, 0};
            const int ready = ::poll(&target, 1, int(std::min<long long>(left.count(), 1 << 30)));
            if (ready > 0) {
                return true;
            }
            if (ready < 0 && errno != EINTR) {
                error = asio::error_code(errno, asio::system_category());
                return true;
            }
        }
    }

    // Room for at least size more bytes after end.
    void Reserve(std::size_t size) {
        if (start > 0 && inbox.size() - end < size) {
            std::copy(inbox.begin() + std::ptrdiff_t(start), inbox.begin() + std::ptrdiff_t(end),
                      inbox.begin());
            end -= start;
            start = 0;
        }
        if (inbox.size() - end < size) {
            inbox.resize(end + size);
        }
    }

    // Runs the queued operations until done is set or the time is up.
    bool RunUntil(const bool& done, std::chrono::milliseconds timeout) {
        io.restart();
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done && io.run_one_until(deadline) > 0) {
        }
        if (!done) {
            asio::error_code ignored;
            socket.close(ignored); // aborts what is pending
            io.restart();
            io.run(); // let the aborted handlers finish before their buffers go
        }
        return done;
    }
};

std::shared_ptr<RpcConnection> RpcConnection::Connect(const std::string& host, std::uint16_t port,
                                                      std::chrono::milliseconds timeout) {
    const std::string endpoint = host + ":" + std::to_string(port);
    auto channel = std::make_unique<Channel>();
    asio::error_code error;
    tcp::resolver resolver(channel->io);
    const auto endpoints = resolver.resolve(host, std::to_string(port), error);
    if (error) {
        throw EOleError("Cannot connect to the server at " + endpoint + ": " + error.message());
    }
    bool done = false;
    asio::async_connect(channel->socket, endpoints, [&](asio::error_code result, const auto&) {
        error = result;
        done = true;
    });
    if (!channel->RunUntil(done, timeout)) {
        throw EOleError("Cannot connect to the server at " + endpoint + ": no answer within " +
                        std::to_string(timeout.count()) + " ms");
    }
    if (error) {
        throw EOleError("Cannot connect to the server at " + endpoint + ": " + error.message());
    }
    channel->socket.set_option(tcp::no_delay(true), error);
    channel->socket.non_blocking(true, error);
    if (error) {
        throw EOleError("Cannot connect to the server at " + endpoint + ": " + error.message());
    }
    return std::shared_ptr<RpcConnection>(new RpcConnection(std::move(channel), endpoint, timeout));
}

RpcConnection::RpcConnection(std::unique_ptr<Channel> channel, std::string endpoint,
                             std::chrono::milliseconds timeout)
    : channel_(std::move(channel)), endpoint_(std::move(endpoint)), timeout_(timeout) {}

RpcConnection::~RpcConnection() = default;

bool RpcConnection::Connected() const {
    std::lock_guard lock(mutex_);
    return lostReason_.empty() && channel_->socket.is_open();
}

void RpcConnection::Close() {
    std::lock_guard lock(mutex_);
    asio::error_code ignored;
    channel_->socket.shutdown(tcp::socket::shutdown_both, ignored);
    channel_->socket.close(ignored);
    if (lostReason_.empty()) {
        lostReason_ = "the connection was closed";
    }
}

void RpcConnection::Lose(const std::string& reason) {
    asio::error_code ignored;
    channel_->socket.close(ignored);
    lostReason_ = reason;
    throw EOleError("The connection to the server at " + endpoint_ + " was lost: " + reason);
}

std::string RpcConnection::Exchange(const std::string& payload) {
    if (!lostReason_.empty()) {
        throw EOleError("Not connected to the server at " + endpoint_ + " (" + lostReason_ + ")");
    }
    std::string out;
    AppendFrame(payload, out); // too large raises EWireError; the connection stays
    Channel& channel = *channel_;
    const auto deadline = Channel::Clock::now() + timeout_;
    const std::string late = "no answer within " + std::to_string(timeout_.count()) + " ms";
    asio::error_code error;

    for (std::size_t sent = 0; sent < out.size();) {
        sent +=
            channel.socket.write_some(asio::buffer(out.data() + sent, out.size() - sent), error);
        if (error == asio::error::would_block) {
            error.clear();
            if (!channel.WaitReady(POLLOUT, deadline, error)) {
                Lose(late);
            }
        }
        if (error) {
            Lose(error.message());
        }
    }

    for (;;) {
        const std::size_t held = channel.end - channel.start;
        std::size_t want = Channel::kReceiveChunk;
        if (held >= kFrameHeaderSize) {
            std::size_t length = 0;
            try {
                length = ReadFrameLength(channel.inbox.data() + channel.start);
            } catch (const EWireError& bad) {
                Lose(bad.Message());
            }
            if (held >= kFrameHeaderSize + length) {
                const char* body = channel.inbox.data() + channel.start + kFrameHeaderSize;
                std::string answer(body, length);
                channel.start += kFrameHeaderSize + length;
                if (channel.start == channel.end) {
                    channel.start = channel.end = 0;
                }
                return answer;
            }
            want = std::max(want, kFrameHeaderSize + length - held);
        }
        channel.Reserve(want);
        // Waits before reading: right after the request the answer cannot
        // be there yet, and a read first would only find nothing.
        if (!channel.WaitReady(POLLIN, deadline, error)) {
            Lose(late);
        }
        if (!error) {
            channel.end +=
                channel.socket.read_some(asio::buffer(channel.inbox.data() + channel.end,
                                                      channel.inbox.size() - channel.end),
                                         error);
        }
        if (error == asio::error::would_block) {
            error.clear(); // readable, yet taken meanwhile: wait again
        }
        if (error) {
            Lose(error == asio::error::eof ? "the server closed it" : error.message());
        }
    }
}

std::shared_ptr<Dispatch> RpcConnection::Open(const std::string& progId) {
    Variant object;
    {
        std::lock_guard lock(mutex_);
        const std::uint32_t id = nextId_++;
        const std::string answer = Exchange(EncodeMessage(OpenMessage{id, progId}));
        Message message;
        try {
            message =
                DecodeMessage(answer, [this](std::uint32_t objectId, const std::string& className) {
                    return std::shared_ptr<Dispatch>(
                        std::make_shared<RemoteDispatch>(shared_from_this(), objectId, className));
                });
        } catch (const EWireError& bad) {
            Lose(bad.Message());
        }
        if (MessageId(message) != id) {
            Lose("an answer to another request");
        }
        if (auto* failure = std::get_if<ErrorMessage>(&message)) {
            throw EOleError(failure->message);
        }
        auto* result = std::get_if<ResultMessage>(&message);
        if (result == nullptr || !result->result.IsDispatch() || !result->result.AsDispatch()) {
            Lose("the answer to an open is not an object");
        }
        object = result->result;
    }
    return object.AsDispatch();
}

Variant RpcConnection::Invoke(std::uint32_t target, std::string_view name, InvokeKind kind,
                              DispatchArgs args) {
    std::lock_guard lock(mutex_);
    CallMessage call{nextId_++, target, kind, std::string(name), {}, {}};
    call.args.reserve(args.size());
    for (const DispatchArg& arg : args) {
        call.args.push_back(arg.Value());
        call.byRef.push_back(arg.IsByRef());
    }
    std::string payload;
    try {
        payload = EncodeMessage(call);
    } catch (const EWireError& error) {
        throw EOleError(error.Message());
    }
    const std::string answer = Exchange(payload);
    Message message;
    try {
        message =
            DecodeMessage(answer, [this](std::uint32_t objectId, const std::string& className) {
                return std::shared_ptr<Dispatch>(
                    std::make_shared<RemoteDispatch>(shared_from_this(), objectId, className));
            });
    } catch (const EWireError& bad) {
        Lose(bad.Message());
    }
    if (MessageId(message) != call.id) {
        Lose("an answer to another request");
    }
    if (auto* failure = std::get_if<ErrorMessage>(&message)) {
        throw EOleError(failure->message);
    }
    auto* result = std::get_if<ResultMessage>(&message);
    if (result == nullptr) {
        Lose("the answer to a call is neither a result nor an error");
    }
    const auto byRefCount = std::size_t(std::count(call.byRef.begin(), call.byRef.end(), true));
    if (result->byRefValues.size() != byRefCount) {
        Lose(std::to_string(result->byRefValues.size()) + " values answered for " +
             std::to_string(byRefCount) + " by-reference arguments");
    }
    std::size_t next = 0;
    for (DispatchArg& arg : args) {
        if (arg.IsByRef()) {
            arg.Target() = std::move(result->byRefValues[next++]);
        }
    }
    return std::move(result->result);
}

} // namespace kvc::remote
