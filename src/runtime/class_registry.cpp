#include "runtime/class_registry.h"

#include "runtime/exceptions.h"

#include <map>
#include <mutex>

namespace kvc {
namespace {

struct ClassTable {
    std::mutex mutex;
    std::map<std::string, OleClassFactory, NameLess> factories;
};

ClassTable& Classes() {
    static ClassTable table;
    return table;
}

} // namespace

void RegisterOleClass(std::string_view progId, OleClassFactory factory) {
    if (!factory) {
        throw EInvalidOperation("Class '" + std::string(progId) + "' registered without a factory");
    }
    ClassTable& table = Classes();
    std::lock_guard lock(table.mutex);
    if (!table.factories.emplace(std::string(progId), std::move(factory)).second) {
        throw EInvalidOperation("Class '" + std::string(progId) + "' is already registered");
    }
}

bool UnregisterOleClass(std::string_view progId) {
    ClassTable& table = Classes();
    std::lock_guard lock(table.mutex);
    auto it = table.factories.find(progId);
    if (it == table.factories.end()) {
        return false;
    }
    table.factories.erase(it);
    return true;
}

// A copy, so the factory runs without the lock held (it may create other objects).
OleClassFactory FindOleClass(std::string_view progId) {
    ClassTable& table = Classes();
    std::lock_guard lock(table.mutex);
    auto it = table.factories.find(progId);
    return it == table.factories.end() ? OleClassFactory() : it->second;
}

std::shared_ptr<Dispatch> CreateRegisteredOleObject(std::string_view progId) {
    OleClassFactory factory = FindOleClass(progId);
    if (!factory) {
        throw EOleError("Invalid class string");
    }
    std::shared_ptr<Dispatch> object = factory();
    if (object == nullptr) {
        throw EOleError("Class '" + std::string(progId) + "' created no object");
    }
    return object;
}

OleClassRegistration::OleClassRegistration(std::string progId, OleClassFactory factory)
    : progId_(std::move(progId)) {
    RegisterOleClass(progId_, std::move(factory));
}

OleClassRegistration::~OleClassRegistration() {
    UnregisterOleClass(progId_);
}

} // namespace kvc
