// TSimpleObjectBroker: the list of application servers a socket connection
// may use. The connection asks for a computer, tries it, and reports back; a
// computer that failed is skipped by the next request until the list is reset.
//
//   object Broker: TSimpleObjectBroker
//     Servers = <
//       item ComputerName = '10.0.0.5'  Port = 211 end
//       item ComputerName = '10.0.0.6'  Port = 211 Enabled = False end>
//   end
//
// Servers are offered in list order; LoadBalanced is kept for definitions
// that set it, and a connection always gets the first usable server.
#pragma once

#include "toolkit/collection.h"
#include "toolkit/component.h"

#include <memory>
#include <string>

namespace kvc::remote {

// A broker with no server left to offer.
KVC_DECLARE_EXCEPTION(EBrokerException, Exception);

inline constexpr int kDefaultSocketPort = 211;

class TServerItem : public TCollectionItem {
    KVC_CLASS(TServerItem, TCollectionItem)
public:
    const std::string& GetComputerName() const { return computerName_; }
    void SetComputerName(const std::string& value) { computerName_ = value; }
    int GetPort() const { return port_; }
    void SetPort(int value) { port_ = value; }
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // Set when a connection to this computer failed; not stored.
    bool HasFailed() const { return hasFailed_; }
    void SetHasFailed(bool value) { hasFailed_ = value; }
    void Assign(const TPersistent& source) override;

private:
    std::string computerName_;
    int port_ = kDefaultSocketPort;
    bool enabled_ = true;
    bool hasFailed_ = false;
};

class TServerCollection : public TCollection {
    KVC_CLASS(TServerCollection, TCollection)
public:
    TServerCollection() : TCollection(TServerItem::StaticClassInfo()) {}
    TServerItem* Items(int index) const { return Item<TServerItem>(index); }
    TServerItem* Add() { return static_cast<TServerItem*>(TCollection::Add()); }
    // The first enabled item of that computer name (letter case ignored), or null.
    TServerItem* FindServer(const std::string& computerName) const;
};

// What a connection needs from a broker.
class TCustomObjectBroker : public TComponent {
    KVC_CLASS(TCustomObjectBroker, TComponent)
public:
    // The computer to try for a server class; EBrokerException when none is left.
    virtual std::string GetComputerForProgID(const std::string& progId) = 0;
    virtual std::string GetComputerForGUID(const std::string& guid) = 0;
    // The port of that computer; 0 when the broker does not know it.
    virtual int GetPortForComputer(const std::string& computerName) = 0;
    // Reports the outcome of a connection attempt to that computer.
    virtual void SetConnectStatus(const std::string& computerName, bool success) = 0;
};

class TSimpleObjectBroker : public TCustomObjectBroker {
    KVC_CLASS(TSimpleObjectBroker, TCustomObjectBroker)
public:
    TSimpleObjectBroker();

    TServerCollection* GetServers() const { return servers_.get(); }
    bool GetLoadBalanced() const { return loadBalanced_; }
    void SetLoadBalanced(bool value) { loadBalanced_ = value; }

    std::string GetComputerForProgID(const std::string& progId) override;
    std::string GetComputerForGUID(const std::string& guid) override;
    int GetPortForComputer(const std::string& computerName) override;
    void SetConnectStatus(const std::string& computerName, bool success) override;
    // Makes every server eligible again.
    void ResetFailures();

private:
    std::string NextComputer() const;

    std::unique_ptr<TServerCollection> servers_;
    bool loadBalanced_ = false;
};

} // namespace kvc::remote
