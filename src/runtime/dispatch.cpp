#include "runtime/dispatch.h"

#include "runtime/exceptions.h"
#include "runtime/strings.h"

#include <vector>

namespace kvc {
namespace {

std::string Quoted(std::string_view name) {
    return "'" + std::string(name) + "'";
}

[[noreturn]] void ThrowBadArgCount(std::string_view name) {
    throw EOleError("Invalid number of parameters for " + Quoted(name));
}

} // namespace

void ThrowUnknownMember(std::string_view name) {
    throw EOleError("Method " + Quoted(name) + " not supported by automation object");
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
    return CompareText(a, b) < 0;
}

Variant Dispatch::InvokeReportingOleErrors(std::string_view name, InvokeKind kind,
                                           DispatchArgs args) {
    try {
        return Invoke(name, kind, args);
    } catch (const EOleError&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& e) {
        throw EOleError(e.Message());
    }
}

Variant Dispatch::Call(std::string_view name) {
    return InvokeReportingOleErrors(name, InvokeKind::Method, {});
}

Variant Dispatch::Call(std::string_view name, std::initializer_list<DispatchArg> args) {
    std::vector<DispatchArg> own(args);
    return InvokeReportingOleErrors(name, InvokeKind::Method, own);
}

Variant Dispatch::Call(std::string_view name, DispatchArgs args) {
    return InvokeReportingOleErrors(name, InvokeKind::Method, args);
}

Variant Dispatch::Get(std::string_view name) {
    return InvokeReportingOleErrors(name, InvokeKind::PropertyGet, {});
}

void Dispatch::Put(std::string_view name, Variant value) {
    DispatchArg arg(std::move(value));
    InvokeReportingOleErrors(name, InvokeKind::PropertyPut, DispatchArgs(&arg, 1));
}

DispatchObject::DispatchObject(std::string className) : className_(std::move(className)) {}

bool DispatchObject::HasMember(std::string_view name) const {
    auto it = members_.find(name);
    return it != members_.end() && (it->second.method || it->second.getter || it->second.setter);
}

DispatchObject::Member& DispatchObject::Entry(std::string_view name) {
    auto it = members_.find(name);
    if (it == members_.end()) {
        it = members_.emplace(std::string(name), Member{}).first;
    }
    return it->second;
}

void DispatchObject::AddMethod(std::string_view name, MethodFn method) {
    AddMethod(name, kAnyArgCount, std::move(method));
}

void DispatchObject::AddMethod(std::string_view name, int argCount, MethodFn method) {
    Member& member = Entry(name);
    member.method = std::move(method);
    member.argCount = argCount;
}

void DispatchObject::AddProperty(std::string_view name, GetterFn getter, SetterFn setter) {
    Member& member = Entry(name);
    member.getter = std::move(getter);
    member.setter = std::move(setter);
}

void DispatchObject::AddField(std::string_view name, Variant& field) {
    AddProperty(
        name, [&field] { return field; }, [&field](const Variant& value) { field = value; });
}

Variant DispatchObject::CallMethod(std::string_view name, const Member& member,
                                   DispatchArgs args) const {
    if (member.argCount != kAnyArgCount && std::size_t(member.argCount) != args.size()) {
        ThrowBadArgCount(name);
    }
    return member.method(args);
}

Variant DispatchObject::ReadProperty(std::string_view name, const Member& member,
                                     DispatchArgs args) const {
    if (!member.getter) {
        ThrowUnknownMember(name);
    }
    if (!args.empty()) {
        ThrowBadArgCount(name);
    }
    return member.getter();
}

void DispatchObject::WriteProperty(std::string_view name, const Member& member,
                                   DispatchArgs args) const {
    if (!member.setter) {
        if (member.getter) {
            throw EOleError("Property " + Quoted(name) + " is read-only");
        }
        ThrowUnknownMember(name);
    }
    if (args.size() != 1) {
        ThrowBadArgCount(name);
    }
    member.setter(args[0].Value());
}

Variant DispatchObject::Invoke(std::string_view name, InvokeKind kind, DispatchArgs args) {
    auto it = members_.find(name);
    if (it == members_.end()) {
        ThrowUnknownMember(name);
    }
    const Member& member = it->second;
    switch (kind) {
    case InvokeKind::Method:
        return member.method ? CallMethod(name, member, args) : ReadProperty(name, member, args);
    case InvokeKind::PropertyGet:
        return member.getter || !member.method ? ReadProperty(name, member, args)
                                               : CallMethod(name, member, args);
    case InvokeKind::PropertyPut:
        WriteProperty(name, member, args);
        return {};
    }
    ThrowUnknownMember(name);
}

} // namespace kvc
