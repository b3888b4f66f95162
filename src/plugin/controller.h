// The host contract of a report plug-in: the one export, the controller the
// export answers, its eighteen operations in slot order, its four public
// fields, the notification codes and the notification handler.
//
// How values cross the boundary. The contract is a C++ ABI, not a C one:
// - Object layout and calls follow the Itanium C++ ABI (GCC or Clang on
//   Linux) with libstdc++ in its C++11 string ABI. The virtual operations
//   below occupy the controller's virtual table in declaration order: slots 0
//   to 17, then the two entries of the destructor, then the message pump
//   (see "Messages"). The public fields follow the virtual-table pointer in
//   declaration order.
// - Variants are kvc::Variant of runtime/variant.h, and runtime/variant.h,
//   runtime/variant_array.h and runtime/dispatch.h are part of this contract:
//   host and plug-in are built from the same revision of those headers with
//   the same compiler family and standard library. The static_asserts at the
//   end of this file pin the layout each side compiles, so a side whose
//   Variant differs fails to build instead of misreading the other's values.
//   An automation object crosses as kvc::Dispatch (its calls are virtual, so
//   they run in the module that made the object).
// - Wide strings are WideString: UTF-16 code units, as OLE strings are.
// - 16-bit Booleans are kvc::VariantBool (0 false, -1 true); other Booleans
//   are C++ bool.
// - Window handles are WindowHandle, an integer meaningful only to the
//   plug-in's own window toolkit.
// - Errors: the library raises only the two missing-registration errors of
//   GetController and Open on purpose, as std::runtime_error whose what() is
//   the two-line message (lines joined by a carriage return). Any other
//   failure of an operation reaches the host as a std::exception. Catch
//   std::exception: the library's own exception classes are private to it.
//
// Each module keeps its own process-wide state. The plug-in is loaded with
// RTLD_LOCAL and exports nothing else, so it has its own window toolkit
// (application object, message queue, screen, class registry), its own
// automation class registry, format settings and clock. Nothing crosses
// except what this header names.
//
// Messages. Forms close themselves through posted messages (a closed form is
// freed once its release message is handled; a failed launch posts a close
// request that is handled after Open has answered). Those messages wait in the
// plug-in's own queue, which the host's message loop does not see, so the
// host calls ProcessMessages from its loop (after each operation it calls and
// whenever it is idle). ProcessMessages is not one of the eighteen slots: it
// sits after the destructor, where a host that does not know it never looks.
//
// Lifetime: the host owns the controller and deletes it (through the virtual
// destructor, which closes a live form first). Values the library handed out
// (ReturnValue, GetInfo's array, objects it made) must be released before the
// host unloads the library.
#pragma once

#include "runtime/dispatch.h"
#include "runtime/variant.h"
#include "runtime/variant_array.h"
#include "runtime/variant_bool.h"

#include <cstdint>
#include <string>

namespace kvc::plugin {

using WideString = std::u16string;
using WindowHandle = std::uintptr_t;

class TDLLBaseController;

// Notification codes, raised only through Notify.
inline constexpr std::int32_t kNotifyFormCreated = 0x100;
inline constexpr std::int32_t kNotifyFormShown = 0x110;
inline constexpr std::int32_t kNotifyFormHidden = 0x120;
inline constexpr std::int32_t kNotifyFormDestroyed = 0x130;
inline constexpr std::int32_t kNotifyFormSignal = 0x140;

// The host's notification handler: a method pointer as a pair of an object
// (Data) and a function (Code). Assigned when Code is not null. The second
// argument of every notification is the controller, never the form.
struct TDLLNotifyEvent {
    using CodeFunction = void (*)(void* data, std::int32_t code, TDLLBaseController* sender);

    void* Data = nullptr;
    CodeFunction Code = nullptr;

    bool Assigned() const { return Code != nullptr; }
    void operator()(std::int32_t code, TDLLBaseController* sender) const {
        if (Code != nullptr) {
            Code(Data, code, sender);
        }
    }

    // The member function Member of object as a handler.
    template <auto Member, class C> static TDLLNotifyEvent Bind(C* object) {
        return {object, [](void* data, std::int32_t code, TDLLBaseController* sender) {
                    (static_cast<C*>(data)->*Member)(code, sender);
                }};
    }
};

// The object that raised a form event (slots 11 to 15): opaque to the host,
// which passes null or what it was given. The library forwards it only to the
// form's own handlers.
using TEventSender = void*;

class TDLLBaseController {
public:
    TDLLBaseController() = default;
    TDLLBaseController(const TDLLBaseController&) = delete;
    TDLLBaseController& operator=(const TDLLBaseController&) = delete;

    // The public fields, in this order. The host sets HostApp before Open;
    // ReturnCode and ReturnValue are final when 0x130 arrives.
    Variant HostApp;
    std::int32_t ReturnCode = 0;
    Variant ReturnValue;
    TDLLNotifyEvent OnNotify;

    // Slots 0 to 17. A host calls them through this class only.
    virtual WideString GetVersion() = 0;              // 0
    virtual VariantBool GetVisible() = 0;             // 1
    virtual void SetVisible(VariantBool show) = 0;    // 2
    virtual WindowHandle GetHandle() = 0;             // 3
    virtual std::int32_t Open(Variant params) = 0;    // 4
    virtual std::int32_t SetPreset(Variant data) = 0; // 5
    virtual std::int32_t Receive(std::int32_t kind, std::int32_t reserved,
                                 Variant data) = 0;  // 6
    virtual Variant ShowModal() = 0;                 // 7
    virtual void CloseForm() = 0;                    // 8
    virtual std::int32_t GetInfo(Variant& info) = 0; // 9
    virtual bool IsEmpty() = 0;                      // 10
    // Slots 11 to 17 are implemented here, inline, so that this class has no
    // key function: each module that uses it emits its own virtual table and
    // type information, and a host needs none of the library's code.
    virtual void FormCreated(TEventSender /*sender*/) { Notify(kNotifyFormCreated); }     // 11
    virtual void FormShown(TEventSender /*sender*/) { Notify(kNotifyFormShown); }         // 12
    virtual void FormHidden(TEventSender /*sender*/) { Notify(kNotifyFormHidden); }       // 13
    virtual void FormDestroyed(TEventSender /*sender*/) { Notify(kNotifyFormDestroyed); } // 14
    virtual void FormSignal(TEventSender /*sender*/) { Notify(kNotifyFormSignal); }       // 15
    virtual void Notify(std::int32_t code) { OnNotify(code, this); }                      // 16
    virtual void Idle() {}                                                                // 17

    virtual ~TDLLBaseController() = default;

    // Runs the messages posted to the library's own windows (see "Messages").
    virtual void ProcessMessages() = 0;
};

// The export: a new controller, owned by the caller.
using GetControllerFunction = TDLLBaseController*();
inline constexpr const char* kGetControllerExport = "GetController";

// The layout both sides must compile (64-bit Linux, libstdc++).
static_assert(sizeof(void*) != 8 || sizeof(Variant) == 48,
              "Variant layout is part of the contract");
static_assert(sizeof(VariantBool) == 2);
static_assert(sizeof(TDLLNotifyEvent) == 2 * sizeof(void*));
static_assert(sizeof(void*) != 8 || sizeof(WideString) == 32,
              "WideString layout is part of the contract");

} // namespace kvc::plugin
