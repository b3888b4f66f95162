// The client side of the remote call protocol: one TCP connection to a
// server, calls made synchronously (the caller waits for the answer, as a
// late-bound call on the user-interface thread does), and proxies that make
// the server's objects look like local Dispatch objects.
//
//   auto connection = RpcConnection::Connect("127.0.0.1", port);
//   std::shared_ptr<Dispatch> server = connection->Open("ReportCounterS.dmReportCounter");
//   Variant job = server->Call("Request", {request});
//
// A call that fails on the server raises EOleError with the server's text and
// leaves the connection usable. A lost connection (peer closed, broken frame,
// timeout) raises EOleError saying so, and every later call raises it too:
// connect again to go on.
#pragma once

#include "runtime/dispatch.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace kvc::remote {

class RpcConnection : public std::enable_shared_from_this<RpcConnection> {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};

    // Connects within the timeout; failure raises EOleError naming the address.
    static std::shared_ptr<RpcConnection>
    Connect(const std::string& host, std::uint16_t port,
            std::chrono::milliseconds timeout = kDefaultTimeout);

    ~RpcConnection();
    RpcConnection(const RpcConnection&) = delete;
    RpcConnection& operator=(const RpcConnection&) = delete;

    // Creates a server object of the named class for this connection.
    std::shared_ptr<Dispatch> Open(const std::string& progId);

    // One call on the server object with that id; by-reference arguments get
    // the values the server answered.
    Variant Invoke(std::uint32_t target, std::string_view name, InvokeKind kind, DispatchArgs args);

    bool Connected() const;
    void Close();
    // "host:port", as error texts show it.
    const std::string& Endpoint() const { return endpoint_; }

private:
    struct Channel;
    RpcConnection(std::unique_ptr<Channel> channel, std::string endpoint,
                  std::chrono::milliseconds timeout);

    // Sends one message and waits for its answer.
    std::string Exchange(const std::string& payload);
    [[noreturn]] void Lose(const std::string& reason);

    mutable std::mutex mutex_; // one exchange at a time
    std::unique_ptr<Channel> channel_;
    std::string endpoint_;
    std::chrono::milliseconds timeout_;
    std::uint32_t nextId_ = 1;
    std::string lostReason_;
};

} // namespace kvc::remote
