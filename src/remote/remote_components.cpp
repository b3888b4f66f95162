#include "remote/remote_components.h"

#include "remote/object_broker.h"
#include "remote/socket_connection.h"

namespace kvc::remote {

void RegisterRemoteComponents() {
    for (const TClassInfo* info : {
             &TSocketConnection::StaticClassInfo(),
             &TSimpleObjectBroker::StaticClassInfo(),
             &TServerItem::StaticClassInfo(),
             &TServerCollection::StaticClassInfo(),
         }) {
        RegisterClass(*info);
    }
}

} // namespace kvc::remote
