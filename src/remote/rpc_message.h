// The messages of the remote call protocol, each one frame:
//
//   Open    [3, id, ProgID]                      create the named server object
//   Call    [0, id, target, kind, name, [args], [by-ref flags]]
//   Result  [1, id, result, [values of the by-reference arguments, in order]]
//   Error   [2, id, message]
//
// An Open is answered by a Result whose value references the new object; the
// target of a Call is that reference's id. Ids pair answers with calls.
#pragma once

#include "remote/wire_format.h"
#include "runtime/dispatch.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kvc::remote {

struct OpenMessage {
    std::uint32_t id = 0;
    std::string progId;
};

struct CallMessage {
    std::uint32_t id = 0;
    std::uint32_t target = 0;
    InvokeKind kind = InvokeKind::Method;
    std::string name;
    std::vector<Variant> args;
    std::vector<bool> byRef; // one flag per argument
};

struct ResultMessage {
    std::uint32_t id = 0;
    Variant result;
    std::vector<Variant> byRefValues;
};

struct ErrorMessage {
    std::uint32_t id = 0;
    std::string message;
};

using Message = std::variant<OpenMessage, CallMessage, ResultMessage, ErrorMessage>;

std::uint32_t MessageId(const Message& message);

// The payload of one frame. A value that cannot be sent raises EWireError.
std::string EncodeMessage(const Message& message, const ObjectExporter& exporter = {});
// Anything but a well-formed message raises EWireError.
Message DecodeMessage(std::string_view payload, const ObjectResolver& resolver = {});

} // namespace kvc::remote
