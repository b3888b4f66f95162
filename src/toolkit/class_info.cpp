#include "toolkit/class_info.h"

#include "runtime/strings.h"
#include "toolkit/object.h"

#include <algorithm>
#include <unordered_set>

namespace kvc {

void RegisterStandardClasses(); // standard_classes.cpp

namespace {

unsigned char Lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

struct Registry {
    std::unordered_map<std::string, const TClassInfo*> classes; // key: lower-case name
    std::unordered_set<const TMethodInfo*> methods;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::string Key(std::string_view name) {
    return LowerCase(name);
}

} // namespace

std::string_view PropKindName(TPropKind kind) {
    switch (kind) {
    case TPropKind::String:
        return "text";
    case TPropKind::Integer:
        return "integer";
    case TPropKind::Char:
        return "character";
    case TPropKind::Enumeration:
        return "enumeration";
    case TPropKind::Set:
        return "set";
    case TPropKind::Float:
        return "float";
    case TPropKind::Boolean:
        return "Boolean";
    case TPropKind::Object:
        return "object";
    case TPropKind::StringList:
        return "string list";
    case TPropKind::Collection:
        return "collection";
    case TPropKind::Event:
        return "event";
    case TPropKind::Binary:
        return "binary";
    }
    return "unknown";
}

bool TPropInfo::IsOrdinal() const {
    switch (kind) {
    case TPropKind::Integer:
    case TPropKind::Char:
    case TPropKind::Enumeration:
    case TPropKind::Set:
    case TPropKind::Boolean:
        return true;
    default:
        return false;
    }
}

bool TPropInfo::IsReadOnly() const {
    return !(setOrd || setStr || setFloat || setObject || setList || setEvent || setBytes);
}

std::size_t TClassInfo::NoCaseHash::operator()(std::string_view s) const {
    std::size_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h = (h ^ Lower(c)) * 1099511628211ull;
    }
    return h;
}

bool TClassInfo::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return SameText(a, b);
}

TClassInfo::TClassInfo(std::string_view name, const TClassInfo* parent, Factory factory,
                       const Initializer& init)
    : name_(name), parent_(parent), factory_(factory) {
    if (parent_ != nullptr) {
        propertyIndex_ = parent_->propertyIndex_;
        methodIndex_ = parent_->methodIndex_;
        fieldIndex_ = parent_->fieldIndex_;
    }
    if (init) {
        init(*this);
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        if (c == &other) {
            return true;
        }
    }
    return false;
}

template <class Map> static auto Lookup(const Map& map, std::string_view name) {
    auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    return Lookup(propertyIndex_, name);
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    return Lookup(methodIndex_, name);
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    return Lookup(fieldIndex_, name);
}

const TMethodInfo* TClassInfo::FindMethodByThunk(TMethodThunk thunk) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        for (const TMethodInfo& m : c->methods_) {
            if (m.thunk == thunk) {
                return &m;
            }
        }
    }
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TPropInfo*> chain;
    if (parent_ != nullptr) {
        chain = parent_->Properties();
    }
    for (const TPropInfo& p : properties_) {
        auto same = [&](const TPropInfo* q) { return SameText(q->name, p.name); };
        auto it = std::find_if(chain.begin(), chain.end(), same);
        if (it != chain.end()) {
            *it = &p;
        } else {
            chain.push_back(&p);
        }
    }
    return chain;
}

TPropInfo& TClassInfo::AddProperty(TPropInfo info) {
    TPropInfo& p = properties_.emplace_back(std::move(info));
    propertyIndex_[p.name] = &p;
    return p;
}

void TClassInfo::AddMethod(std::string_view name, const TEventSignature& signature,
                           TMethodThunk thunk) {
    const std::string& stored = methodNames_.emplace_back(name);
    TMethodInfo& m = methods_.emplace_back(TMethodInfo{stored, &signature, this, thunk});
    methodIndex_[stored] = &m;
    TheRegistry().methods.insert(&m);
}

void TClassInfo::AddField(TFieldInfo info) {
    TFieldInfo& f = fields_.emplace_back(std::move(info));
    fieldIndex_[f.name] = &f;
}

void RegisterClass(const TClassInfo& info) {
    TheRegistry().classes[Key(info.Name())] = &info;
}

void UnregisterClass(const TClassInfo& info) {
    auto& classes = TheRegistry().classes;
    auto it = classes.find(Key(info.Name()));
    if (it != classes.end() && it->second == &info) {
        classes.erase(it);
    }
}

const TClassInfo* FindClass(std::string_view name) {
    static const bool standard = (RegisterStandardClasses(), true);
    (void)standard;
    auto& classes = TheRegistry().classes;
    auto it = classes.find(Key(name));
    return it == classes.end() ? nullptr : it->second;
}

bool IsMethodRecord(const TMethodInfo* code) {
    return TheRegistry().methods.count(code) != 0;
}

// Event helpers that need the class records.

TMethod TMethod::FromAddresses(std::uintptr_t code, std::uintptr_t data) {
    if (code == 0) {
        return {};
    }
    auto* info = reinterpret_cast<const TMethodInfo*>(code);
    if (!IsMethodRecord(info)) {
        throw EInvalidOperation("Invalid method address $" + IntToHex(std::int64_t(code), 8));
    }
    return TMethod{info, reinterpret_cast<TObject*>(data)};
}

namespace detail {

void CheckMethodTarget(const TMethod& method) {
    if (method.Data == nullptr || !method.Data->InheritsFrom(*method.Code->owner)) {
        throw EInvalidOperation("Method '" + std::string(method.Code->name) +
                                "' called on an object that is not a " +
                                std::string(method.Code->owner->Name()));
    }
}

const TMethodInfo* FindMethodByThunk(const TObject& obj, TMethodThunk thunk) {
    return obj.ClassType().FindMethodByThunk(thunk);
}

void ThrowSignatureMismatch(const TMethodInfo& method, const TEventSignature& wanted) {
    throw EInvalidOperation("Method '" + std::string(method.name) + "' is a " +
                            std::string(method.signature->name) + " handler, not a " +
                            std::string(wanted.name) + " handler");
}

void ThrowNotPublished(const TObject& obj) {
    throw EInvalidOperation("The method is not published by " + std::string(obj.ClassName()));
}

} // namespace detail

} // namespace kvc
