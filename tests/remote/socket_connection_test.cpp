#include "remote/object_broker.h"
#include "remote/remote_components.h"
#include "remote/rpc_server.h"
#include "remote/socket_connection.h"
#include "runtime/class_registry.h"
#include "runtime/dispatch.h"
#include "toolkit/dfm_parser.h"
#include "toolkit/form_loader.h"

#include <gtest/gtest.h>
#include <optional>

namespace kvc::remote {
namespace {

constexpr const char* kProgId = "Test.Counter";

// Counts its calls, so a test can tell one server object from the next.
class CounterObject final : public DispatchObject {
public:
    explicit CounterObject(std::string where) : DispatchObject(kProgId), where_(std::move(where)) {
        AddMethod("Next", 0, [this](DispatchArgs) { return Variant(++count_); });
        AddMethod("Where", 0, [this](DispatchArgs) { return Variant(where_); });
    }

private:
    std::string where_;
    int count_ = 0;
};

// A served counter class on a loopback port, which may be stopped and
// started again on the same port.
class ServedCounter {
public:
    explicit ServedCounter(std::uint16_t port = 0) { Start(port); }

    void Start(std::uint16_t port) {
        ServerOptions options;
        options.port = port;
        server_.emplace(options);
        server_->Host(kProgId, [] { return std::make_shared<CounterObject>("socket"); });
        server_->Start();
        port_ = server_->Port();
    }
    void Stop() { server_.reset(); }
    void Restart() { Start(port_); }
    int Port() const { return port_; }

private:
    std::optional<RpcServer> server_;
    std::uint16_t port_ = 0;
};

// A port that nothing listens on: one a server had and gave up.
int DeadPort() {
    ServedCounter gone;
    const int port = gone.Port();
    gone.Stop();
    return port;
}

class SocketConnectionTest : public testing::Test {
protected:
    TSocketConnection& Connection(int port) {
        connection_->SetName("MainMidas");
        connection_->SetAddress("127.0.0.1");
        connection_->SetPort(port);
        connection_->SetServerName(kProgId);
        connection_->SetTimeout(std::chrono::seconds(20));
        return *connection_;
    }

    static Variant Call(const Variant& server, const char* method) {
        return server.AsDispatch()->Call(method);
    }

    ServedCounter served_;
    TOwned<TSocketConnection> connection_ = MakeUnique<TSocketConnection>();
};

TEST_F(SocketConnectionTest, OpenConnectsAndCreatesTheNamedServerObject) {
    TSocketConnection& connection = Connection(served_.Port());
    EXPECT_FALSE(connection.GetConnected());
    connection.Open();
    EXPECT_TRUE(connection.GetConnected());
    EXPECT_EQ(connection.ConnectedTo(), "127.0.0.1:" + std::to_string(served_.Port()));
    const Variant server = connection.AppServer();
    ASSERT_TRUE(server.IsDispatch());
    EXPECT_EQ(Call(server, "Next"), Variant(1));
    EXPECT_EQ(Call(connection.AppServer(), "Next"), Variant(2)) << "the same object while open";

    connection.Close();
    EXPECT_FALSE(connection.GetConnected());
    EXPECT_EQ(connection.ConnectedTo(), "");
    EXPECT_THROW(Call(server, "Next"), EOleError) << "the old object went with the link";
}

TEST_F(SocketConnectionTest, AppServerOpensAClosedConnection) {
    TSocketConnection& connection = Connection(served_.Port());
    EXPECT_EQ(Call(connection.AppServer(), "Next"), Variant(1));
    EXPECT_TRUE(connection.GetConnected());
}

TEST_F(SocketConnectionTest, HostServesWhenNoAddressIsGiven) {
    TSocketConnection& connection = Connection(served_.Port());
    connection.SetHost("localhost");
    EXPECT_EQ(connection.GetAddress(), "") << "a host replaces the address";
    connection.Open();
    EXPECT_EQ(Call(connection.AppServer(), "Next"), Variant(1));
    connection.SetAddress("127.0.0.1");
    EXPECT_EQ(connection.GetHost(), "");
    EXPECT_FALSE(connection.GetConnected()) << "a new target closes the link";
}

TEST_F(SocketConnectionTest, ALostLinkFailsTheNextCallClearlyAndCanBeReopened) {
    TSocketConnection& connection = Connection(served_.Port());
    const Variant before = connection.AppServer();
    EXPECT_EQ(Call(before, "Next"), Variant(1));

    served_.Stop();
    try {
        Call(before, "Next");
        FAIL() << "a call over a lost link raises";
    } catch (const EOleError& error) {
        EXPECT_NE(error.Message().find("lost"), std::string::npos) << error.Message();
    }
    EXPECT_FALSE(connection.GetConnected());
    EXPECT_THROW(connection.Open(), EOleError) << "nothing listens now";
    EXPECT_FALSE(connection.GetConnected());

    served_.Restart();
    connection.Open();
    EXPECT_TRUE(connection.GetConnected());
    EXPECT_EQ(Call(connection.AppServer(), "Next"), Variant(1)) << "a new server object";
}

struct BadSetup {
    const char* label;
    const char* address;
    const char* serverName;
    const char* expected;
};

class SocketConnectionRefusal : public SocketConnectionTest,
                                public testing::WithParamInterface<BadSetup> {};

TEST_P(SocketConnectionRefusal, RaisesAndStaysClosed) {
    const BadSetup& setup = GetParam();
    TSocketConnection& connection = Connection(served_.Port());
    connection.SetAddress(setup.address);
    connection.SetServerName(setup.serverName);
    try {
        connection.Open();
        FAIL() << setup.label;
    } catch (const EOleError& error) {
        EXPECT_NE(error.Message().find(setup.expected), std::string::npos) << error.Message();
    }
    EXPECT_FALSE(connection.GetConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Setups, SocketConnectionRefusal,
    testing::Values(BadSetup{"no server name", "127.0.0.1", "", "must contain a valid ServerName"},
                    BadSetup{"no address", "", kProgId, "has neither an Address nor a Host"},
                    BadSetup{"class not served", "127.0.0.1", "Test.Missing",
                             "does not serve 'Test.Missing'"}),
    [](const auto& info) {
        std::string name = info.param.label;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        return name;
    });

TEST_F(SocketConnectionTest, AnInProcessClassIsNotUsedByTheConnection) {
    // The form, not the connection, decides to create a local server object;
    // the connection still needs a server on the socket.
    OleClassRegistration local(kProgId, [] { return std::make_shared<CounterObject>("local"); });
    TSocketConnection& connection = Connection(DeadPort());
    EXPECT_THROW(connection.Open(), EOleError);
    connection.SetPort(served_.Port());
    EXPECT_EQ(Call(connection.AppServer(), "Where"), Variant("socket"));
}

TEST_F(SocketConnectionTest, PortsOutOfRangeAreRefused) {
    EXPECT_THROW(Connection(served_.Port()).SetPort(65536), EInvalidOperation);
    EXPECT_THROW(connection_->SetPort(-1), EInvalidOperation);
    EXPECT_EQ(connection_->GetPort(), served_.Port());
}

class ObjectBrokerTest : public SocketConnectionTest {
protected:
    TServerItem* AddServer(const std::string& computer, int port, bool enabled = true) {
        TServerItem* item = broker_->GetServers()->Add();
        item->SetComputerName(computer);
        item->SetPort(port);
        item->SetEnabled(enabled);
        return item;
    }

    TOwned<TSimpleObjectBroker> broker_ = MakeUnique<TSimpleObjectBroker>();
};

TEST_F(ObjectBrokerTest, TheConnectionTriesTheServersInTurn) {
    TServerItem* dead = AddServer("127.0.0.2", DeadPort());
    TServerItem* disabled = AddServer("localhost", served_.Port(), false);
    AddServer("127.0.0.1", served_.Port());
    TSocketConnection& connection = Connection(0);
    connection.SetAddress("");
    connection.SetObjectBroker(broker_.get());
    connection.Open();
    EXPECT_EQ(connection.ConnectedTo(), "127.0.0.1:" + std::to_string(served_.Port()))
        << "the broker's port, not the connection's";
    EXPECT_TRUE(dead->HasFailed());
    EXPECT_FALSE(disabled->HasFailed()) << "a disabled server is never offered";
    EXPECT_EQ(broker_->GetComputerForProgID(kProgId), "127.0.0.1") << "failed ones are skipped";
    broker_->ResetFailures();
    EXPECT_EQ(broker_->GetComputerForProgID(kProgId), "127.0.0.2");
}

TEST_F(ObjectBrokerTest, NoServerLeftRaisesBrokerError) {
    AddServer("127.0.0.1", DeadPort());
    TSocketConnection& connection = Connection(0);
    connection.SetObjectBroker(broker_.get());
    try {
        connection.Open();
        FAIL() << "no server answers";
    } catch (const EBrokerException& error) {
        EXPECT_NE(error.Message().find("No server available"), std::string::npos);
        EXPECT_NE(error.Message().find("Cannot connect"), std::string::npos)
            << "the last failure is told: " << error.Message();
    }
    EXPECT_FALSE(connection.GetConnected());
    EXPECT_THROW(MakeUnique<TSimpleObjectBroker>()->GetComputerForGUID("{0}"), EBrokerException);
}

TEST_F(ObjectBrokerTest, AConnectionForgetsADestroyedBroker) {
    Connection(served_.Port()).SetObjectBroker(broker_.get());
    broker_.reset();
    EXPECT_EQ(connection_->GetObjectBroker(), nullptr);
    connection_->Open(); // straight to Address and Port again
    EXPECT_TRUE(connection_->GetConnected());
}

TEST(RemoteComponentDefinition, AFormDefinitionConnectsThroughItsBrokerWhenRead) {
    RegisterRemoteComponents();
    ServedCounter served;
    const std::string text = "object dmRemote: TComponent\n"
                             "  object Broker: TSimpleObjectBroker\n"
                             "    LoadBalanced = True\n"
                             "    Servers = <\n"
                             "      item\n"
                             "        ComputerName = '127.0.0.1'\n"
                             "        Port = " +
                             std::to_string(served.Port()) +
                             "\n"
                             "      end>\n"
                             "  end\n"
                             "  object MainMidas: TSocketConnection\n"
                             "    ServerName = 'Test.Counter'\n"
                             "    ServerGUID = '{6B9A9E62-0C3F-4C55-9E11-2A41E0B1D001}'\n"
                             "    ObjectBroker = Broker\n"
                             "    Connected = True\n"
                             "  end\n"
                             "end\n";
    auto root = MakeUnique<TComponent>();
    ReadComponentDefinition(*root, ParseDfm(text, "dmRemote.dfm"), "dmRemote.dfm");
    auto* connection = root->Find<TSocketConnection>("MainMidas");
    auto* broker = root->Find<TSimpleObjectBroker>("Broker");
    ASSERT_NE(connection, nullptr);
    ASSERT_NE(broker, nullptr);
    EXPECT_EQ(connection->GetObjectBroker(), broker);
    EXPECT_TRUE(broker->GetLoadBalanced());
    EXPECT_EQ(connection->GetServerGUID(), "{6B9A9E62-0C3F-4C55-9E11-2A41E0B1D001}");
    EXPECT_TRUE(connection->GetConnected()) << "Connected = True takes effect once read";
    EXPECT_EQ(connection->AppServer().AsDispatch()->Call("Next"), Variant(1));
}

} // namespace
} // namespace kvc::remote
