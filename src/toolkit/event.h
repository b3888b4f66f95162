// Events as the classic method pointer: a pair (Code, Data). Code is the record
// of a published method (stable for the life of the process), Data the object
// it runs on. Two events with the same code and data are equal, and an event
// can be saved as two integers and rebuilt from them.
//
//   btnOk->OnClick = TNotifyEvent::Bind<&TfrmMain::btnOkClick>(form);
//   btnOk->OnClick(btnOk);   // runs form->btnOkClick(btnOk)
#pragma once

#include "runtime/exceptions.h"
#include "toolkit/messages.h"
#include "toolkit/set.h"

#include <cstdint>
#include <string_view>

namespace kvc {

class TObject;
class TClassInfo;

// The parameter list of an event type; one record per list, so records
// compare by address.
struct TEventSignature {
    std::string_view name;
};

template <class... Args> struct EventSignatureName {
    static constexpr std::string_view value = "TEvent";
};

template <class... Args> const TEventSignature& SignatureOf() {
    static const TEventSignature signature{EventSignatureName<Args...>::value};
    return signature;
}

using TMethodThunk = void (*)();

// A published method: its name, its parameter list, the class that declares it
// and the function that runs it on an object of that class.
struct TMethodInfo {
    std::string_view name;
    const TEventSignature* signature = nullptr;
    const TClassInfo* owner = nullptr;
    TMethodThunk thunk = nullptr;
};

struct TMethod {
    const TMethodInfo* Code = nullptr;
    TObject* Data = nullptr;

    bool Assigned() const { return Code != nullptr; }
    bool operator==(const TMethod&) const = default;

    std::uintptr_t CodeAddress() const { return reinterpret_cast<std::uintptr_t>(Code); }
    std::uintptr_t DataAddress() const { return reinterpret_cast<std::uintptr_t>(Data); }
    // Rebuilds a handler from the two integers CodeAddress and DataAddress gave.
    // A code that is no published method's record raises EInvalidOperation;
    // (0, anything) is the empty handler.
    static TMethod FromAddresses(std::uintptr_t code, std::uintptr_t data);
};

namespace detail {
// Throws unless data is an object of the method's class.
void CheckMethodTarget(const TMethod& method);
// The published method of obj's class chain that runs through thunk, or null.
const TMethodInfo* FindMethodByThunk(const TObject& obj, TMethodThunk thunk);
[[noreturn]] void ThrowSignatureMismatch(const TMethodInfo& method, const TEventSignature& wanted);
[[noreturn]] void ThrowNotPublished(const TObject& obj);

template <auto Member, class C, class... Args> void MethodThunk(TObject* self, Args... args) {
    (static_cast<C*>(self)->*Member)(args...);
}

template <class F> struct MemberTraits;
template <class C, class... Args> struct MemberTraits<void (C::*)(Args...)> {
    using Class = C;
    template <auto Member> static TMethodThunk Thunk() {
        return reinterpret_cast<TMethodThunk>(&MethodThunk<Member, C, Args...>);
    }
    static const TEventSignature& Signature() { return SignatureOf<Args...>(); }
};
} // namespace detail

template <class... Args> class TEvent {
public:
    TEvent() = default;
    // A handler of another parameter list raises EInvalidOperation.
    TEvent(const TMethod& method) { Set(method); } // NOLINT: events are assigned from methods

    static const TEventSignature& Signature() { return SignatureOf<Args...>(); }

    // The published method Member of obj's class as a handler.
    template <auto Member, class C> static TEvent Bind(C* obj) {
        using Traits = detail::MemberTraits<decltype(Member)>;
        const TMethodInfo* info = detail::FindMethodByThunk(*obj, Traits::template Thunk<Member>());
        if (info == nullptr) {
            detail::ThrowNotPublished(*obj);
        }
        return TEvent(TMethod{info, obj});
    }

    const TMethod& Method() const { return method_; }
    void Set(const TMethod& method) {
        if (method.Code != nullptr && method.Code->signature != &Signature()) {
            detail::ThrowSignatureMismatch(*method.Code, Signature());
        }
        method_ = method;
    }
    void Clear() { method_ = {}; }
    bool Assigned() const { return method_.Assigned(); }
    explicit operator bool() const { return Assigned(); }
    bool operator==(const TEvent&) const = default;

    void operator()(Args... args) const {
        if (method_.Code == nullptr) {
            return;
        }
        detail::CheckMethodTarget(method_);
        auto fn = reinterpret_cast<void (*)(TObject*, Args...)>(method_.Code->thunk);
        fn(method_.Data, args...);
    }

private:
    TMethod method_;
};

#define KVC_EVENT_TYPE(Name, ...)                                                                  \
    template <> struct EventSignatureName<__VA_ARGS__> {                                           \
        static constexpr std::string_view value = #Name;                                           \
    };                                                                                             \
    using Name = TEvent<__VA_ARGS__>

enum TShiftStateElement : int { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateElement>;
enum TMouseButton : int { mbLeft, mbRight, mbMiddle };
enum TCloseAction : int { caNone, caHide, caFree, caMinimize };

KVC_EVENT_TYPE(TNotifyEvent, TObject*);
KVC_EVENT_TYPE(TKeyEvent, TObject*, Word&, TShiftState);
KVC_EVENT_TYPE(TKeyPressEvent, TObject*, char32_t&);
KVC_EVENT_TYPE(TCloseEvent, TObject*, TCloseAction&);
// The classic close-query and tab-changing events share one parameter list.
KVC_EVENT_TYPE(TCloseQueryEvent, TObject*, bool&);
using TTabChangingEvent = TCloseQueryEvent;
KVC_EVENT_TYPE(TMouseEvent, TObject*, TMouseButton, TShiftState, int, int);
KVC_EVENT_TYPE(TMouseMoveEvent, TObject*, TShiftState, int, int);

} // namespace kvc
