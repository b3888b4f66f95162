#include "remote/rpc_server.h"

#include "remote/framing.h"
#include "remote/rpc_message.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"

#include <array>
#include <asio.hpp>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kvc::remote {

namespace {

using asio::ip::tcp;

std::string ErrorText(const std::exception& error) {
    return error.what();
}

} // namespace

class Session;

// Sessions are spread over workers, each an event loop run by one thread of
// its own: a session's handlers never meet another thread, and a call needs
// no hand-over between threads.
struct Worker {
    asio::io_context io{1};
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
};

struct ServerCore : std::enable_shared_from_this<ServerCore> {
    explicit ServerCore(ServerOptions options)
        : options(std::move(options)), work(asio::make_work_guard(io)),
          control(asio::make_strand(io)), acceptor(control), signals(control) {
        const int count = std::max(1, this->options.threads);
        for (int i = 0; i < count; ++i) {
            workers.push_back(std::make_unique<Worker>());
        }
    }

    asio::io_context& NextWorker() { return workers[nextWorker++ % workers.size()]->io; }
    // Runs what is left on every loop, on the calling thread.
    void Drain() {
        io.restart();
        io.run();
        for (auto& worker : workers) {
            worker->io.restart();
            worker->io.run();
        }
    }

    void Accept();
    void Forget(Session* session);
    void CloseEverything();
    OleClassFactory FindClass(std::string_view progId) const {
        auto it = classes.find(progId);
        return it == classes.end() ? OleClassFactory{} : it->second;
    }

    ServerOptions options;
    // The listener's and the signals' loop.
    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work;
    std::vector<std::unique_ptr<Worker>> workers;
    std::size_t nextWorker = 0; // used on the control strand only
    // The listener, the signals and stopping run on this strand, one at a time.
    asio::strand<asio::io_context::executor_type> control;
    tcp::acceptor acceptor;
    asio::signal_set signals;
    std::map<std::string, OleClassFactory, NameLess> classes;
    std::vector<std::thread> threads;
    std::uint16_t port = 0;

    mutable std::mutex mutex; // guards sessions and stopping
    std::map<Session*, std::weak_ptr<Session>> sessions;
    bool stopping = false;
};

// One client: reads a frame, answers it, reads the next. Only one operation
// is outstanding at a time, so a session needs no lock of its own.
class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, std::shared_ptr<ServerCore> server)
        : socket_(std::move(socket)), server_(std::move(server)) {}

    void Start() {
        asio::error_code error;
        socket_.non_blocking(true, error);
        if (error) {
            End();
            return;
        }
        Serve();
    }
    asio::any_io_executor Executor() { return socket_.get_executor(); }
    // Answers go out at once rather than waiting to fill a packet.
    void NoDelay(asio::error_code& error) { socket_.set_option(tcp::no_delay(true), error); }
    // From any thread: the close runs on the session's strand, never beside
    // one of its own handlers.
    void Close() {
        asio::post(socket_.get_executor(), [self = shared_from_this()] { self->CloseNow(); });
    }

private:
    // Answers every whole frame received, then waits for more. An answer is
    // written straight away; only one the socket cannot take at once waits
    // for the event loop. Reading waits for the socket to be readable first:
    // a client sends its next request only after the answer, so reading at
    // once would only find nothing, one system call per request for nothing.
    void Serve() {
        for (;;) {
            std::optional<std::string> payload;
            try {
                payload = reader_.Next();
            } catch (const EWireError&) {
                End(); // a length nobody sane sends: drop the client
                return;
            }
            if (!payload) {
                WaitForInput();
                return;
            }
            if (!AnswerFrame(*payload) || !WriteAnswer()) {
                return;
            }
        }
    }

    void WaitForInput() {
        socket_.async_wait(tcp::socket::wait_read,
                           [self = shared_from_this()](asio::error_code error) {
                               if (error) {
                                   self->End();
                                   return;
                               }
                               self->Receive();
                           });
    }

    // Takes whatever has arrived (usually a whole request in one read).
    void Receive() {
        asio::error_code error;
        const std::size_t n = socket_.read_some(asio::buffer(chunk_), error);
        if (error == asio::error::would_block) {
            WaitForInput();
            return;
        }
        if (error) {
            End();
            return;
        }
        reader_.Feed({chunk_.data(), n});
        Serve();
    }

    // Puts the answer of one request into out_; false when the request is
    // not one and the client was dropped.
    bool AnswerFrame(const std::string& body) {
        Message request;
        try {
            request = DecodeMessage(body);
        } catch (const EWireError&) {
            End();
            return false;
        }
        const Message answer = std::visit([this](auto& m) { return Answer(m); }, request);
        out_.clear();
        try {
            AppendFrame(EncodeMessage(answer, Exporter()), out_);
        } catch (const EWireError& error) {
            out_.clear();
            AppendFrame(EncodeMessage(ErrorMessage{MessageId(answer), error.Message()}), out_);
        }
        return true;
    }

    // Writes out_ as far as the socket takes it now; true when all of it
    // went. Otherwise the rest goes through the event loop, which serves on
    // afterwards (or drops the client on an error).
    bool WriteAnswer() {
        asio::error_code error;
        const std::size_t sent = socket_.write_some(asio::buffer(out_), error);
        if (error && error != asio::error::would_block) {
            End();
            return false;
        }
        if (sent == out_.size()) {
            return true;
        }
        asio::async_write(socket_, asio::buffer(out_.data() + sent, out_.size() - sent),
                          [self = shared_from_this()](asio::error_code error, std::size_t) {
                              if (!error) {
                                  self->Serve();
                              } else {
                                  self->End();
                              }
                          });
        return false;
    }

    Message Answer(OpenMessage& open) {
        OleClassFactory factory = server_->FindClass(open.progId);
        if (!factory) {
            return ErrorMessage{open.id, "Invalid class string: the server does not serve '" +
                                             open.progId + "'"};
        }
        try {
            std::shared_ptr<Dispatch> object = factory();
            if (!object) {
                return ErrorMessage{open.id, "The class '" + open.progId + "' made no object"};
            }
            return ResultMessage{open.id, Variant(std::move(object)), {}};
        } catch (const std::exception& error) {
            return ErrorMessage{open.id, ErrorText(error)};
        }
    }

    Message Answer(CallMessage& call) {
        if (call.target == 0 || call.target > objects_.size()) {
            return ErrorMessage{call.id,
                                "No object " + std::to_string(call.target) + " in this session"};
        }
        std::vector<DispatchArg> args;
        args.reserve(call.args.size());
        for (std::size_t i = 0; i < call.args.size(); ++i) {
            args.push_back(call.byRef[i] ? DispatchArg::Ref(call.args[i])
                                         : DispatchArg(std::move(call.args[i])));
        }
        try {
            ResultMessage result{
                call.id, objects_[call.target - 1]->Invoke(call.name, call.kind, args), {}};
            for (DispatchArg& arg : args) {
                if (arg.IsByRef()) {
                    result.byRefValues.push_back(arg.Target());
                }
            }
            return result;
        } catch (const std::exception& error) {
            return ErrorMessage{call.id, ErrorText(error)};
        }
    }

    // A client only asks; answers and errors from it are out of place.
    Message Answer(ResultMessage& m) { return ErrorMessage{m.id, "A client sends no results"}; }
    Message Answer(ErrorMessage& m) { return ErrorMessage{m.id, "A client sends no errors"}; }

    ObjectExporter Exporter() {
        return [this](const std::shared_ptr<Dispatch>& object) -> std::uint32_t {
            for (std::size_t i = 0; i < objects_.size(); ++i) {
                if (objects_[i] == object) {
                    return std::uint32_t(i + 1);
                }
            }
            if (objects_.size() >= server_->options.maxObjectsPerSession) {
                throw EWireError("The session holds " + std::to_string(objects_.size()) +
                                 " objects, as many as it may");
            }
            objects_.push_back(object);
            return std::uint32_t(objects_.size());
        };
    }

    void CloseNow() {
        asio::error_code ignored;
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
    }

    void End() {
        CloseNow();
        server_->Forget(this);
    }

    tcp::socket socket_;
    std::shared_ptr<ServerCore> server_;
    std::array<char, 16 * 1024> chunk_{};
    FrameReader reader_;
    std::string out_;
    std::vector<std::shared_ptr<Dispatch>> objects_;
};

void ServerCore::Accept() {
    // Each session's socket gets its own strand: its handlers never run at once.
    acceptor.async_accept(
        NextWorker(), [self = shared_from_this()](asio::error_code error, tcp::socket socket) {
            if (error) {
                if (error == asio::error::operation_aborted || !self->acceptor.is_open()) {
                    return;
                }
                self->Accept();
                return;
            }
            std::shared_ptr<Session> session;
            {
                std::lock_guard lock(self->mutex);
                if (!self->stopping && self->sessions.size() < self->options.maxSessions) {
                    session = std::make_shared<Session>(std::move(socket), self);
                    self->sessions.emplace(session.get(), session);
                }
            }
            if (session) {
                asio::error_code ignored;
                session->NoDelay(ignored);
                // The session starts on its worker's thread, as all its handlers run.
                asio::post(session->Executor(), [session] { session->Start(); });
            } // otherwise the socket closes as it goes out of scope
            self->Accept();
        });
}

void ServerCore::Forget(Session* session) {
    std::lock_guard lock(mutex);
    sessions.erase(session);
}

void ServerCore::CloseEverything() {
    std::vector<std::shared_ptr<Session>> open;
    {
        std::lock_guard lock(mutex);
        stopping = true;
        for (auto& [key, weak] : sessions) {
            if (auto session = weak.lock()) {
                open.push_back(std::move(session));
            }
        }
    }
    asio::error_code ignored;
    acceptor.close(ignored);
    signals.cancel(ignored);
    for (auto& session : open) {
        session->Close();
    }
    work.reset();
    io.stop();
    for (auto& worker : workers) {
        worker->work.reset();
        worker->io.stop();
    }
}

RpcServer::RpcServer(ServerOptions options)
    : impl_(std::make_shared<ServerCore>(std::move(options))) {}

RpcServer::~RpcServer() {
    Stop();
}

void RpcServer::Host(std::string progId, OleClassFactory factory) {
    impl_->classes[std::move(progId)] = std::move(factory);
}

void RpcServer::StopOnSignals() {
    impl_->signals.add(SIGTERM);
    impl_->signals.add(SIGINT);
    impl_->signals.async_wait([impl = impl_.get()](asio::error_code error, int) {
        if (!error) {
            impl->CloseEverything();
        }
    });
}

void RpcServer::Start() {
    try {
        const tcp::endpoint endpoint(asio::ip::make_address(impl_->options.address),
                                     impl_->options.port);
        impl_->acceptor.open(endpoint.protocol());
        impl_->acceptor.set_option(tcp::acceptor::reuse_address(true));
        impl_->acceptor.bind(endpoint);
        impl_->acceptor.listen();
        impl_->port = impl_->acceptor.local_endpoint().port();
    } catch (const std::system_error& error) {
        throw EInOutError("Cannot listen on " + impl_->options.address + ":" +
                          std::to_string(impl_->options.port) + ": " + error.code().message());
    }
    impl_->Accept();
    impl_->threads.emplace_back([impl = impl_] { impl->io.run(); });
    for (auto& worker : impl_->workers) {
        impl_->threads.emplace_back([impl = impl_, io = &worker->io] { io->run(); });
    }
}

std::uint16_t RpcServer::Port() const {
    return impl_->port;
}

void RpcServer::Shutdown() {
    asio::post(impl_->control, [impl = impl_.get()] { impl->CloseEverything(); });
}

void RpcServer::Wait() {
    for (std::thread& thread : impl_->threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    impl_->threads.clear();
}

void RpcServer::Stop() {
    if (!impl_->threads.empty()) {
        Shutdown();
        Wait();
    }
    // CloseEverything may not have run (never started, or stopped by a signal
    // before the sessions were all closed); it is safe to run twice. Then the
    // handlers still queued on closed sockets run here, on this thread, so the
    // sessions they hold let go of the server.
    impl_->CloseEverything();
    impl_->Drain();
}

std::size_t RpcServer::SessionCount() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->sessions.size();
}

} // namespace kvc::remote
