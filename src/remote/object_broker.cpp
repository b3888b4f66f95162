#include "remote/object_broker.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

namespace kvc::remote {

KVC_REGISTER_CLASS(TServerItem) {
    c.Property("ComputerName", &TServerItem::GetComputerName, &TServerItem::SetComputerName);
    c.Property("Enabled", &TServerItem::GetEnabled, &TServerItem::SetEnabled);
    c.Property("Port", &TServerItem::GetPort, &TServerItem::SetPort);
}

void TServerItem::Assign(const TPersistent& source) {
    const auto* other = As<TServerItem>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    computerName_ = other->computerName_;
    port_ = other->port_;
    enabled_ = other->enabled_;
    hasFailed_ = other->hasFailed_;
}

KVC_REGISTER_CLASS(TServerCollection) {}

TServerItem* TServerCollection::FindServer(const std::string& computerName) const {
    for (int i = 0; i < Count(); ++i) {
        TServerItem* item = Items(i);
        if (item->GetEnabled() && CompareText(item->GetComputerName(), computerName) == 0) {
            return item;
        }
    }
    return nullptr;
}

KVC_REGISTER_CLASS(TCustomObjectBroker) {}

KVC_REGISTER_CLASS(TSimpleObjectBroker) {
    c.Property("LoadBalanced", &TSimpleObjectBroker::GetLoadBalanced,
               &TSimpleObjectBroker::SetLoadBalanced);
    c.Property("Servers", &TSimpleObjectBroker::GetServers);
}

TSimpleObjectBroker::TSimpleObjectBroker() : servers_(std::make_unique<TServerCollection>()) {}

std::string TSimpleObjectBroker::NextComputer() const {
    for (int i = 0; i < servers_->Count(); ++i) {
        const TServerItem* item = servers_->Items(i);
        if (item->GetEnabled() && !item->HasFailed() && !item->GetComputerName().empty()) {
            return item->GetComputerName();
        }
    }
    throw EBrokerException("No server available");
}

std::string TSimpleObjectBroker::GetComputerForProgID(const std::string&) {
    return NextComputer();
}

std::string TSimpleObjectBroker::GetComputerForGUID(const std::string&) {
    return NextComputer();
}

int TSimpleObjectBroker::GetPortForComputer(const std::string& computerName) {
    const TServerItem* item = servers_->FindServer(computerName);
    return item != nullptr ? item->GetPort() : 0;
}

void TSimpleObjectBroker::SetConnectStatus(const std::string& computerName, bool success) {
    for (int i = 0; i < servers_->Count(); ++i) {
        TServerItem* item = servers_->Items(i);
        if (CompareText(item->GetComputerName(), computerName) == 0) {
            item->SetHasFailed(!success);
        }
    }
}

void TSimpleObjectBroker::ResetFailures() {
    for (int i = 0; i < servers_->Count(); ++i) {
        servers_->Items(i)->SetHasFailed(false);
    }
}

} // namespace kvc::remote
