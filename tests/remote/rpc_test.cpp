#include "remote/framing.h"
#include "remote/rpc_connection.h"
#include "remote/rpc_message.h"
#include "remote/rpc_server.h"
#include "remote/wire_format.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"

#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

namespace kvc::remote {
namespace {

using namespace std::string_literals;

class EchoObject final : public DispatchObject {
public:
    EchoObject() : DispatchObject("Test.Echo") {
        AddMethod("Echo", 1, [](DispatchArgs a) { return a[0].Value(); });
        AddMethod("Swap", 2, [](DispatchArgs a) {
            Variant first = a[0].Value();
            a[0].Target() = a[1].Value();
            a[1].Target() = first;
            return Variant("swapped");
        });
        AddMethod("Fail", 0, [](DispatchArgs) -> Variant { throw EConvertError("no good"); });
        AddMethod("Next", 0, [this](DispatchArgs) { return Variant(++counter_); });
        AddField("Label", label_);
    }

private:
    int counter_ = 0;
    Variant label_ = "start";
};

class RpcTest : public testing::Test {
protected:
    void SetUp() override {
        server_.Host("Test.Echo", [] { return std::make_shared<EchoObject>(); });
        server_.Start();
    }

    std::shared_ptr<Dispatch> OpenEcho() {
        return RpcConnection::Connect("127.0.0.1", server_.Port(), std::chrono::seconds(20))
            ->Open("Test.Echo");
    }

    RpcServer server_;
};

TEST_F(RpcTest, CallsReturnValuesAndWriteBackByReferenceArguments) {
    auto echo = OpenEcho();
    EXPECT_EQ(echo->ClassName(), "Test.Echo");
    const Variant request = VarArrayOf({Variant::Ansi("\xb9\xa4", 936), Variant::FromDate(1.5)});
    EXPECT_EQ(echo->Call("echo", {request}), request);

    Variant a = 1;
    Variant b = "two";
    Variant byValue = 3;
    EXPECT_EQ(echo->Call("Swap", {ByRef(a), ByRef(b)}), Variant("swapped"));
    EXPECT_EQ(a, Variant("two"));
    EXPECT_EQ(b, Variant(1));
    echo->Call("Swap", {byValue, ByRef(a)});
    EXPECT_EQ(byValue, Variant(3)) << "a by-value argument stays the caller's";
    EXPECT_EQ(a, Variant(3));

    echo->Put("Label", "changed");
    EXPECT_EQ(echo->Get("Label"), Variant("changed"));
}

TEST_F(RpcTest, ServerErrorsArriveAsOleErrorsAndTheConnectionGoesOn) {
    auto echo = OpenEcho();
    try {
        echo->Call("Fail");
        FAIL() << "no error";
    } catch (const EOleError& error) {
        EXPECT_EQ(error.Message(), "no good");
    }
    EXPECT_THROW(echo->Call("Missing"), EOleError);
    EXPECT_THROW(echo->Call("Echo", {1, 2}), EOleError) << "wrong argument count";
    EXPECT_EQ(echo->Call("Echo", {5}), Variant(5));
}

TEST_F(RpcTest, UnknownClassIsRefused) {
    auto connection = RpcConnection::Connect("127.0.0.1", server_.Port());
    EXPECT_THROW(connection->Open("No.Such"), EOleError);
    EXPECT_TRUE(connection->Connected());
}

TEST_F(RpcTest, EachConnectionHasItsOwnObjects) {
    auto first = OpenEcho();
    auto second = OpenEcho();
    EXPECT_EQ(first->Call("Next"), Variant(1));
    EXPECT_EQ(first->Call("Next"), Variant(2));
    EXPECT_EQ(second->Call("Next"), Variant(1));
}

TEST_F(RpcTest, ManyClientsAtOnce) {
    constexpr int kClients = 4;
    constexpr int kCalls = 50;
    std::atomic<int> good = 0;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            auto echo = OpenEcho();
            for (int i = 0; i < kCalls; ++i) {
                if (echo->Call("Echo", {c * 1000 + i}) == Variant(c * 1000 + i)) {
                    ++good;
                }
            }
        });
    }
    for (auto& client : clients) {
        client.join();
    }
    EXPECT_EQ(good, kClients * kCalls);
}

TEST_F(RpcTest, LostConnectionIsReportedOnTheNextCall) {
    auto echo = OpenEcho();
    EXPECT_EQ(echo->Call("Next"), Variant(1));
    server_.Stop();
    try {
        echo->Call("Next");
        FAIL() << "no error";
    } catch (const EOleError& error) {
        EXPECT_NE(error.Message().find("was lost"), std::string::npos) << error.Message();
    }
    try {
        echo->Call("Next");
        FAIL() << "no error";
    } catch (const EOleError& error) {
        EXPECT_NE(error.Message().find("Not connected"), std::string::npos) << error.Message();
    }
}

TEST(RpcConnect, RefusedConnectionRaises) {
    std::uint16_t port = 0;
    {
        RpcServer server;
        server.Start();
        port = server.Port();
    } // nobody listens there now
    EXPECT_THROW(RpcConnection::Connect("127.0.0.1", port, std::chrono::seconds(5)), EOleError);
}

// A raw socket for what a well-behaved client never sends.
class RawSocket {
public:
    explicit RawSocket(std::uint16_t port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        timeval timeout{20, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawSocket() { close(fd_); }
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    bool Connected() const { return connected_; }
    void Send(const std::string& bytes) {
        ASSERT_EQ(send(fd_, bytes.data(), bytes.size(), 0), ssize_t(bytes.size()));
    }
    // True when the server closed the connection (end of stream), false on
    // data or timeout.
    bool ClosedByPeer() {
        char byte = 0;
        return recv(fd_, &byte, 1, 0) == 0;
    }
    std::string ReadFrame() {
        std::string header(4, '\0');
        if (recv(fd_, header.data(), 4, MSG_WAITALL) != 4) {
            return {};
        }
        std::string body(ReadFrameLength(header.data()), '\0');
        if (recv(fd_, body.data(), body.size(), MSG_WAITALL) != ssize_t(body.size())) {
            return {};
        }
        return body;
    }

private:
    int fd_;
    bool connected_ = false;
};

std::string DeepPayload() {
    return std::string(5000, '\x91') + "\x01";
}

struct HostileCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class RpcHostileInput : public RpcTest, public testing::WithParamInterface<HostileCase> {};

TEST_P(RpcHostileInput, ClosesThatConnectionAndKeepsServingOthers) {
    auto bystander = OpenEcho();
    RawSocket raw(server_.Port());
    ASSERT_TRUE(raw.Connected());
    raw.Send(GetParam().bytes);
    EXPECT_TRUE(raw.ClosedByPeer());
    EXPECT_EQ(bystander->Call("Echo", {"still here"}), Variant("still here"));
}

INSTANTIATE_TEST_SUITE_P(Frames, RpcHostileInput,
                         testing::Values(HostileCase{"oversized_length", "\x7f\xff\xff\xff"s},
                                         HostileCase{"zero_length", "\0\0\0\0"s},
                                         HostileCase{"garbage_payload", MakeFrame("\xc1\xc1\xc1")},
                                         HostileCase{"nested_too_deep", MakeFrame(DeepPayload())},
                                         HostileCase{"not_a_message",
                                                     MakeFrame(EncodeVariant(Variant("hello")))}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RpcTest, TruncatedFrameThenHangUpLeavesTheServerServing) {
    {
        RawSocket raw(server_.Port());
        raw.Send(MakeFrame(EncodeMessage(OpenMessage{1, "Test.Echo"})).substr(0, 6));
    }
    EXPECT_EQ(OpenEcho()->Call("Echo", {1}), Variant(1));
}

TEST_F(RpcTest, CallOnAnObjectTheSessionDoesNotHoldIsAnErrorAnswer) {
    RawSocket raw(server_.Port());
    raw.Send(MakeFrame(EncodeMessage(CallMessage{5, 9, InvokeKind::Method, "Echo", {}, {}})));
    const Message answer = DecodeMessage(raw.ReadFrame());
    ASSERT_TRUE(std::holds_alternative<ErrorMessage>(answer));
    EXPECT_EQ(MessageId(answer), 5u);
}

TEST(RpcServerLife, StopsWithClientsConnectedAndNoCallsPending) {
    auto server = std::make_unique<RpcServer>();
    server->Host("Test.Echo", [] { return std::make_shared<EchoObject>(); });
    server->Start();
    auto echo = RpcConnection::Connect("127.0.0.1", server->Port())->Open("Test.Echo");
    RawSocket idle(server->Port());
    EXPECT_EQ(echo->Call("Next"), Variant(1));
    server->Stop();
    EXPECT_EQ(server->SessionCount(), 0u);
    server.reset();
    EXPECT_THROW(echo->Call("Next"), EOleError);
}

// What one raw client sends at once and in pieces: frames sent together are
// all answered in order, a frame sent a byte at a time is answered once whole.
TEST_F(RpcTest, FramesArrivingTogetherOrInPiecesAreAllAnsweredInOrder) {
    RawSocket raw(server_.Port());
    ASSERT_TRUE(raw.Connected());
    raw.Send(MakeFrame(EncodeMessage(OpenMessage{1, "Test.Echo"})));
    ASSERT_TRUE(std::holds_alternative<ResultMessage>(DecodeMessage(raw.ReadFrame())));

    std::string together;
    for (std::uint32_t id = 2; id <= 4; ++id) {
        together +=
            MakeFrame(EncodeMessage(CallMessage{id, 1, InvokeKind::Method, "Next", {}, {}}));
    }
    raw.Send(together);
    for (std::uint32_t id = 2; id <= 4; ++id) {
        const Message answer = DecodeMessage(raw.ReadFrame());
        ASSERT_TRUE(std::holds_alternative<ResultMessage>(answer)) << id;
        EXPECT_EQ(MessageId(answer), id);
        EXPECT_EQ(std::get<ResultMessage>(answer).result, Variant(int(id) - 1));
    }

    const std::string piecemeal =
        MakeFrame(EncodeMessage(CallMessage{5, 1, InvokeKind::Method, "Echo", {"piece"}, {false}}));
    for (char byte : piecemeal) {
        raw.Send(std::string(1, byte));
    }
    const Message answer = DecodeMessage(raw.ReadFrame());
    ASSERT_TRUE(std::holds_alternative<ResultMessage>(answer));
    EXPECT_EQ(std::get<ResultMessage>(answer).result, Variant("piece"));
}

// An answer larger than the socket takes at once goes out in parts, and the
// session serves on afterwards.
TEST_F(RpcTest, AnAnswerLargerThanTheSocketBufferArrivesWhole) {
    auto echo = OpenEcho();
    const std::string large(8 * 1024 * 1024, 'x');
    EXPECT_EQ(echo->Call("Echo", {Variant(large)}).AsString().size(), large.size());
    EXPECT_EQ(echo->Call("Echo", {"after"}), Variant("after"));
}

} // namespace
} // namespace kvc::remote
