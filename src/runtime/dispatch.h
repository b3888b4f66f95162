// Late-bound automation: objects called by member name, as the ERP's host and
// servers are. A call carries a member name (letter case ignored), what kind of
// access it is, and arguments, each passed by value or by reference; a
// by-reference argument is the caller's own Variant, updated in place.
//
//   server->Call("Request", {Variant(request), ByRef(answer)});
//   bool up = app.Get("Connected").AsBoolean();
//   conn->Put("Address", "127.0.0.1");
//
// In-process objects derive from DispatchObject and register their members;
// remote proxies implement Invoke by sending name, values and by-reference
// flags, and write the returned values back through Target().
#pragma once

#include "runtime/variant.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace kvc {

class DispatchArg;

// What converts to a Variant, and so passes as an argument by value.
template <class T>
concept DispatchArgValue =
    !std::same_as<std::remove_cvref_t<T>, DispatchArg> && std::constructible_from<Variant, T>;

// One argument of a late-bound call.
class DispatchArg {
public:
    // By value: the argument holds its own copy.
    template <DispatchArgValue T> DispatchArg(T&& value) : value_(std::forward<T>(value)) {}

    // By reference: the callee reads and writes the caller's Variant, which
    // must outlive the call.
    static DispatchArg Ref(Variant& target) {
        DispatchArg arg;
        arg.ref_ = &target;
        return arg;
    }

    bool IsByRef() const { return ref_ != nullptr; }
    const Variant& Value() const { return ref_ != nullptr ? *ref_ : value_; }
    // What the callee writes to: the caller's Variant when by reference,
    // otherwise the argument's own copy (the caller does not see the change).
    Variant& Target() { return ref_ != nullptr ? *ref_ : value_; }

private:
    DispatchArg() = default;

    Variant value_;
    Variant* ref_ = nullptr;
};

inline DispatchArg ByRef(Variant& target) {
    return DispatchArg::Ref(target);
}

using DispatchArgs = std::span<DispatchArg>;

enum class InvokeKind {
    Method,      // a call: obj.Name(args)
    PropertyGet, // obj.Name, or obj.Name[args] for an indexed property
    PropertyPut, // obj.Name := value; the value is the last argument
};

// Orders member names and ProgIDs with ASCII letter case ignored.
struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// The late-bound object interface.
class Dispatch {
public:
    Dispatch() = default;
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;
    virtual ~Dispatch() = default;

    // The class or ProgID text of the object, as logs and JSON show it.
    virtual std::string ClassName() const = 0;

    // Performs one access. An unknown name raises EOleError ("Method 'Foo'
    // not supported by automation object"). Implementations may raise
    // anything; the calls below present every failure as EOleError.
    virtual Variant Invoke(std::string_view name, InvokeKind kind, DispatchArgs args) = 0;

    // A failure inside the object reaches the caller as EOleError carrying the
    // object's message, whether the object lives in this process or behind a
    // socket, so callers handle one kind of error. EAbort passes through.
    Variant Call(std::string_view name);
    Variant Call(std::string_view name, std::initializer_list<DispatchArg> args);
    Variant Call(std::string_view name, DispatchArgs args);
    Variant Get(std::string_view name);
    void Put(std::string_view name, Variant value);

private:
    Variant InvokeReportingOleErrors(std::string_view name, InvokeKind kind, DispatchArgs args);
};

// The base of in-process automation objects: each member is registered by
// name, one line each, and Invoke dispatches to it.
//
//   AddProperty("Connected", [this] { return Variant(connected_); });
//   AddMethod("Request", 1, [this](DispatchArgs a) { return Request(a[0].Value()); });
//
// A call of a property with no arguments reads it, and reading a method calls
// it with no arguments, as the classic late binding does.
class DispatchObject : public Dispatch {
public:
    using MethodFn = std::function<Variant(DispatchArgs args)>;
    using GetterFn = std::function<Variant()>;
    using SetterFn = std::function<void(const Variant& value)>;

    // Any number of arguments.
    static constexpr int kAnyArgCount = -1;

    std::string ClassName() const override { return className_; }
    Variant Invoke(std::string_view name, InvokeKind kind, DispatchArgs args) override;

    // Whether the object answers to this name.
    bool HasMember(std::string_view name) const;

protected:
    explicit DispatchObject(std::string className);

    // Registering a name again replaces that part of the member, so a derived
    // class can override what its base registered.
    void AddMethod(std::string_view name, MethodFn method);
    // argCount arguments exactly; another count raises EOleError.
    void AddMethod(std::string_view name, int argCount, MethodFn method);
    // Without a setter the property is read-only.
    void AddProperty(std::string_view name, GetterFn getter, SetterFn setter = {});
    // A read-write property over a Variant member of the object.
    void AddField(std::string_view name, Variant& field);

private:
    struct Member {
        MethodFn method;
        int argCount = kAnyArgCount;
        GetterFn getter;
        SetterFn setter;
    };

    Member& Entry(std::string_view name);
    Variant CallMethod(std::string_view name, const Member& member, DispatchArgs args) const;
    Variant ReadProperty(std::string_view name, const Member& member, DispatchArgs args) const;
    void WriteProperty(std::string_view name, const Member& member, DispatchArgs args) const;

    std::string className_;
    std::map<std::string, Member, NameLess> members_;
};

// "Method 'Foo' not supported by automation object"
[[noreturn]] void ThrowUnknownMember(std::string_view name);

} // namespace kvc
