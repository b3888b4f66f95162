// The server core: hosts named automation classes and serves them to many
// clients over TCP. Each connection is a session with its own objects (an
// Open creates a fresh instance of the named class for that session only), so
// one client's state, such as its last error text, is never another's.
//
// Every input is bounded: frame length, message shape, objects per session,
// sessions at once. A client that sends anything malformed is disconnected;
// the others go on being served. Stop (or SIGTERM with StopOnSignals) closes
// the listener and every session and lets the worker threads finish.
#pragma once

#include "runtime/class_registry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kvc::remote {

struct ServerCore;

struct ServerOptions {
    // Loopback unless the operator asks for more.
    std::string address = "127.0.0.1";
    std::uint16_t port = 0; // 0: an ephemeral port, see RpcServer::Port
    // Threads serving sessions, each with its own share of the sessions;
    // one more thread listens.
    int threads = 2;
    std::size_t maxSessions = 256;
    std::size_t maxObjectsPerSession = 64;
};

class RpcServer {
public:
    explicit RpcServer(ServerOptions options = {});
    ~RpcServer();
    RpcServer(const RpcServer&) = delete;
    RpcServer& operator=(const RpcServer&) = delete;

    // Serves the class under its ProgID (letter case ignored). Before Start.
    void Host(std::string progId, OleClassFactory factory);
    // Stops the server on SIGTERM or SIGINT. Before Start.
    void StopOnSignals();

    // Binds and listens, then serves on the worker threads. A bad address
    // or a port in use raises EInOutError.
    void Start();
    // The port listened on (the ephemeral one when 0 was asked for).
    std::uint16_t Port() const;

    // Asks the server to stop; returns at once, also from inside a call.
    void Shutdown();
    // Blocks until the server has stopped and its threads have ended.
    void Wait();
    // Shutdown and Wait.
    void Stop();

    // Sessions open now.
    std::size_t SessionCount() const;

private:
    std::shared_ptr<ServerCore> impl_;
};

} // namespace kvc::remote
