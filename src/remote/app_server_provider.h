// The rows of a client data set read from an application server through
// its provider interface:
//
//   AS_GetRecords(providerName, -1, ref recordCount, options, commandText,
//                 ref params, ref ownerData) -> data packet (remote/data_packet.h)
//
// The server object comes from a source asked at every read, so a data set
// bound to a connection reads through whatever server object the connection
// has then; a caller that made its server object itself gives that one.
#pragma once

#include "runtime/variant.h"
#include "toolkit/data_provider.h"

#include <functional>
#include <memory>
#include <string>

namespace kvc::remote {

class TAppServerProvider final : public TDataProvider {
public:
    using AppServerSource = std::function<Variant()>;

    TAppServerProvider(AppServerSource source, std::string providerName);

    // The whole table. A source without a server object raises
    // EDatabaseError; the server's own failures arrive as EOleError, a
    // packet of the wrong shape as EConvertError.
    TDataPacket GetRecords() override;
    const std::string& ProviderName() const { return providerName_; }

private:
    AppServerSource source_;
    std::string providerName_;
};

// A provider reading from one server object (made in process, for one).
std::shared_ptr<TDataProvider> MakeAppServerProvider(Variant appServer, std::string providerName);

// The provider names the server object answers (AS_GetProviderNames).
std::vector<std::string> AppServerProviderNames(const Variant& appServer);

} // namespace kvc::remote
