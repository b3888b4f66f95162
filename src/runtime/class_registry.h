// The process-wide registry of automation classes that live in this process,
// by ProgID (letter case ignored), and creation of objects by ProgID.
//
// CreateRegisteredOleObject here knows only these classes. Classes served by shared
// libraries named in the registry file are the platform layer's business: it
// asks FindOleClass first and falls back to the libraries itself.
#pragma once

#include "runtime/dispatch.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kvc {

using OleClassFactory = std::function<std::shared_ptr<Dispatch>()>;

// A ProgID already registered, or an empty factory, raises EInvalidOperation.
void RegisterOleClass(std::string_view progId, OleClassFactory factory);
// False when the ProgID was not registered.
bool UnregisterOleClass(std::string_view progId);
// The factory of an in-process class, or an empty function.
OleClassFactory FindOleClass(std::string_view progId);

// A new object of an in-process class; an unknown ProgID raises EOleError
// ("Invalid class string"), and so does, with its own message, a factory that
// makes no object.
std::shared_ptr<Dispatch> CreateRegisteredOleObject(std::string_view progId);

// Registers a class for the life of the object.
class OleClassRegistration {
public:
    OleClassRegistration(std::string progId, OleClassFactory factory);
    ~OleClassRegistration();
    OleClassRegistration(const OleClassRegistration&) = delete;
    OleClassRegistration& operator=(const OleClassRegistration&) = delete;

    const std::string& ProgId() const { return progId_; }

private:
    std::string progId_;
};

} // namespace kvc
