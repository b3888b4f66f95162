// TSocketConnection: a form's link to an application server over the remote
// call protocol. Open connects to Address (or Host) and Port, or to the
// first server the ObjectBroker offers that answers, and creates the server
// object named by ServerName there; AppServer is that object as a Variant,
// ready for late-bound calls.
//
//   object MainMidas: TSocketConnection
//     Address = '10.0.0.5'
//     Port = 211
//     ServerName = 'ReportCounterS.dmReportCounter'
//   end
//
//   connection->Open();
//   Variant job = connection->AppServer().AsDispatch()->Call("Request", {request});
//
// A client data set names the connection as its RemoteServer and reads its
// rows through the server object's provider interface (remote/app_server_provider.h).
//
// The connection always goes through the socket; a caller that wants an
// in-process server object creates it itself. When the link is lost, the
// next call through AppServer raises EOleError saying so, Connected turns
// false, and Open connects again (with a new server object).
#pragma once

#include "runtime/variant.h"
#include "toolkit/data_provider.h"
#include "toolkit/event.h"

#include <chrono>
#include <memory>
#include <string>

namespace kvc::remote {

class RpcConnection;
class TCustomObjectBroker;

class TSocketConnection : public TCustomRemoteServer {
    KVC_CLASS(TSocketConnection, TCustomRemoteServer)
public:
    TSocketConnection();
    ~TSocketConnection() override;

    // Address and Host exclude each other: setting one clears the other.
    // Changing the target of an open connection closes it.
    const std::string& GetAddress() const { return address_; }
    void SetAddress(const std::string& value);
    const std::string& GetHost() const { return host_; }
    void SetHost(const std::string& value);
    int GetPort() const { return port_; }
    void SetPort(int value);
    // The ProgID of the server class.
    const std::string& GetServerName() const { return serverName_; }
    void SetServerName(const std::string& value);
    // Kept for definitions that name the class by GUID; the servers here know
    // their classes by ProgID, so ServerName is what is opened.
    const std::string& GetServerGUID() const { return serverGuid_; }
    void SetServerGUID(const std::string& value);
    TCustomObjectBroker* GetObjectBroker() const { return broker_; }
    void SetObjectBroker(TCustomObjectBroker* value);

    // True while the link is up as far as this side knows; false once a
    // call found it lost.
    bool GetConnected() const;
    // While a definition is being read the value is kept and applied in Loaded.
    void SetConnected(bool value);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // The server object; opens the connection first when it is closed.
    Variant AppServer();
    // A provider of the server object for a client data set (RemoteServer
    // and ProviderName); it reads through the connection's server object of
    // the moment. A name the server does not provide raises EDatabaseError.
    std::shared_ptr<TDataProvider> GetProvider(const std::string& name) override;
    // "host:port" of the server connected to, empty when closed.
    std::string ConnectedTo() const;

    // How long connecting and each call may take.
    std::chrono::milliseconds GetTimeout() const { return timeout_; }
    void SetTimeout(std::chrono::milliseconds value) { timeout_ = value; }

    TNotifyEvent BeforeConnect;
    TNotifyEvent AfterConnect;
    TNotifyEvent BeforeDisconnect;
    TNotifyEvent AfterDisconnect;

    void Loaded() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;

private:
    void DoConnect();
    void DoDisconnect();
    void ConnectDirect();
    void ConnectThroughBroker();
    void OpenServer(const std::string& host, int port);
    // A changed target ends the current link.
    void TargetChanged();
    std::string Label() const;

    std::string address_;
    std::string host_;
    int port_;
    std::string serverName_;
    std::string serverGuid_;
    TCustomObjectBroker* broker_ = nullptr;
    bool streamedConnected_ = false;
    std::chrono::milliseconds timeout_;
    std::shared_ptr<RpcConnection> link_;
    Variant appServer_;
};

} // namespace kvc::remote
