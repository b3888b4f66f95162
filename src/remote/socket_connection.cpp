#include "remote/socket_connection.h"

#include "remote/app_server_provider.h"
#include "remote/object_broker.h"
#include "remote/rpc_connection.h"
#include "runtime/dispatch.h"
#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/data_set.h"

#include <algorithm>

namespace kvc::remote {

KVC_REGISTER_CLASS(TSocketConnection) {
    c.Property("Address", &TSocketConnection::GetAddress, &TSocketConnection::SetAddress);
    c.Property("Connected", &TSocketConnection::GetConnected, &TSocketConnection::SetConnected);
    c.Property("Host", &TSocketConnection::GetHost, &TSocketConnection::SetHost);
    c.Property("ObjectBroker", &TSocketConnection::GetObjectBroker,
               &TSocketConnection::SetObjectBroker);
    c.Property("Port", &TSocketConnection::GetPort, &TSocketConnection::SetPort);
    c.Property("ServerGUID", &TSocketConnection::GetServerGUID, &TSocketConnection::SetServerGUID);
    c.Property("ServerName", &TSocketConnection::GetServerName, &TSocketConnection::SetServerName);
    c.Event("AfterConnect", &TSocketConnection::AfterConnect);
    c.Event("AfterDisconnect", &TSocketConnection::AfterDisconnect);
    c.Event("BeforeConnect", &TSocketConnection::BeforeConnect);
    c.Event("BeforeDisconnect", &TSocketConnection::BeforeDisconnect);
}

TSocketConnection::TSocketConnection()
    : port_(kDefaultSocketPort), timeout_(RpcConnection::kDefaultTimeout) {}

TSocketConnection::~TSocketConnection() = default;

void TSocketConnection::BeforeDestruction() {
    // Quietly: the events' targets may be going away with the owner.
    appServer_ = Variant();
    if (link_) {
        link_->Close();
        link_.reset();
    }
    TComponent::BeforeDestruction();
}

void TSocketConnection::TargetChanged() {
    if (!IsLoading() && link_) {
        Close();
    }
}

void TSocketConnection::SetAddress(const std::string& value) {
    TargetChanged();
    if (!value.empty()) {
        host_.clear();
    }
    address_ = value;
}

void TSocketConnection::SetHost(const std::string& value) {
    TargetChanged();
    if (!value.empty()) {
        address_.clear();
    }
    host_ = value;
}

void TSocketConnection::SetPort(int value) {
    if (value < 0 || value > 65535) {
        throw EInvalidOperation(Label() + ": " + std::to_string(value) + " is not a port");
    }
    TargetChanged();
    port_ = value;
}

void TSocketConnection::SetServerName(const std::string& value) {
    TargetChanged();
    serverName_ = value;
}

void TSocketConnection::SetServerGUID(const std::string& value) {
    TargetChanged();
    serverGuid_ = value;
}

void TSocketConnection::SetObjectBroker(TCustomObjectBroker* value) {
    if (value == broker_) {
        return;
    }
    TargetChanged();
    if (broker_ != nullptr) {
        RemoveFreeNotification(broker_);
    }
    broker_ = value;
    if (broker_ != nullptr) {
        FreeNotification(broker_);
    }
}

void TSocketConnection::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == broker_) {
        broker_ = nullptr;
    }
}

bool TSocketConnection::GetConnected() const {
    return link_ && link_->Connected();
}

void TSocketConnection::SetConnected(bool value) {
    if (IsLoading()) {
        streamedConnected_ = value;
        return;
    }
    if (value) {
        if (!GetConnected()) {
            if (link_) {
                DoDisconnect(); // a lost link: drop it before connecting again
            }
            DoConnect();
        }
    } else if (link_) {
        DoDisconnect();
    }
}

void TSocketConnection::Loaded() {
    TComponent::Loaded();
    if (streamedConnected_) {
        streamedConnected_ = false;
        Open();
    }
}

Variant TSocketConnection::AppServer() {
    Open();
    return appServer_;
}

std::shared_ptr<TDataProvider> TSocketConnection::GetProvider(const std::string& name) {
    const auto names = AppServerProviderNames(AppServer());
    if (std::none_of(names.begin(), names.end(),
                     [&](const std::string& known) { return CompareText(known, name) == 0; })) {
        throw EDatabaseError(Label() + ": Provider '" + name + "' not found");
    }
    TWeakRef<TSocketConnection> self(this);
    return std::make_shared<TAppServerProvider>(
        [self, label = Label()] {
            TSocketConnection* connection = self.Get();
            if (connection == nullptr) {
                throw EDatabaseError(label + ": the connection is gone");
            }
            return connection->AppServer();
        },
        name);
}

std::string TSocketConnection::ConnectedTo() const {
    return link_ ? link_->Endpoint() : std::string();
}

std::string TSocketConnection::Label() const {
    return GetName().empty() ? std::string(ClassName()) : GetName();
}

void TSocketConnection::DoConnect() {
    if (serverName_.empty()) {
        throw EOleError("Cannot connect, " + Label() +
                        " must contain a valid ServerName or ServerGUID");
    }
    BeforeConnect(this);
    if (broker_ != nullptr) {
        ConnectThroughBroker();
    } else {
        ConnectDirect();
    }
    AfterConnect(this);
}

void TSocketConnection::ConnectDirect() {
    const std::string& target = address_.empty() ? host_ : address_;
    if (target.empty()) {
        throw EOleError("Cannot connect, " + Label() + " has neither an Address nor a Host");
    }
    OpenServer(target, port_);
}

// Each server the broker offers is tried in turn; one that cannot be reached
// is marked failed so the broker offers the next.
void TSocketConnection::ConnectThroughBroker() {
    std::string lastFailure;
    for (;;) {
        std::string computer;
        try {
            computer = broker_->GetComputerForProgID(serverName_);
        } catch (const EBrokerException& none) {
            if (lastFailure.empty()) {
                throw;
            }
            throw EBrokerException(none.Message() + " (" + lastFailure + ")");
        }
        const int brokerPort = broker_->GetPortForComputer(computer);
        try {
            OpenServer(computer, brokerPort != 0 ? brokerPort : port_);
        } catch (const EOleError& failure) {
            lastFailure = failure.Message();
            broker_->SetConnectStatus(computer, false);
            continue;
        }
        broker_->SetConnectStatus(computer, true);
        return;
    }
}

void TSocketConnection::OpenServer(const std::string& host, int port) {
    auto link = RpcConnection::Connect(host, std::uint16_t(port), timeout_);
    std::shared_ptr<Dispatch> server = link->Open(serverName_);
    link_ = std::move(link);
    appServer_ = Variant(std::move(server));
}

void TSocketConnection::DoDisconnect() {
    BeforeDisconnect(this);
    appServer_ = Variant();
    if (link_) {
        link_->Close();
        link_.reset();
    }
    AfterDisconnect(this);
}

} // namespace kvc::remote
