// The remote layer's components, registered so that form definitions can
// name them (TSocketConnection, TSimpleObjectBroker). Call once before
// reading a definition that holds them; calling again does nothing.
#pragma once

namespace kvc::remote {

void RegisterRemoteComponents();

} // namespace kvc::remote
