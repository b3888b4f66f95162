#include "remote/rpc_message.h"

#include "runtime/variant_array.h"

#include <limits>

namespace kvc::remote {
namespace {

constexpr int kCall = 0;
constexpr int kResult = 1;
constexpr int kError = 2;
constexpr int kOpen = 3;

Variant ListOf(std::vector<Variant> items) {
    return Variant(VarArray(std::move(items), 0));
}

[[noreturn]] void Malformed(const std::string& what) {
    throw EWireError("Bad message: " + what);
}

// A plain list: one dimension from 0.
std::span<const Variant> ReadList(const Variant& value, const char* what) {
    if (!value.IsArray() || value.Array().DimCount() != 1 || value.Array().LowBound(1) != 0) {
        Malformed(std::string(what) + " is not a list");
    }
    return value.Array().Elements();
}

std::int64_t ReadInteger(const Variant& value, const char* what, std::int64_t low,
                         std::int64_t high) {
    if (value.Kind() != VariantKind::Integer && value.Kind() != VariantKind::Int64) {
        Malformed(std::string(what) + " is not an integer");
    }
    const std::int64_t number = value.AsInt64();
    if (number < low || number > high) {
        Malformed(std::string(what) + " " + std::to_string(number) + " is out of range");
    }
    return number;
}

std::uint32_t ReadId(const Variant& value, const char* what) {
    return std::uint32_t(ReadInteger(value, what, 0, std::numeric_limits<std::uint32_t>::max()));
}

std::string ReadText(const Variant& value, const char* what) {
    if (value.Kind() != VariantKind::OleStr) {
        Malformed(std::string(what) + " is not a text");
    }
    return value.AsString();
}

void ExpectLength(std::span<const Variant> items, std::size_t length, const char* what) {
    if (items.size() != length) {
        Malformed(std::string(what) + " has " + std::to_string(items.size()) +
                  " parts instead of " + std::to_string(length));
    }
}

Message ReadCall(std::span<const Variant> items) {
    ExpectLength(items, 7, "a call");
    CallMessage call;
    call.id = ReadId(items[1], "the call id");
    call.target = ReadId(items[2], "the call target");
    call.kind = InvokeKind(ReadInteger(items[3], "the call kind", 0, 2));
    call.name = ReadText(items[4], "the member name");
    const auto args = ReadList(items[5], "the argument list");
    const auto flags = ReadList(items[6], "the by-reference flags");
    if (flags.size() != args.size()) {
        Malformed("the call has " + std::to_string(args.size()) + " arguments and " +
                  std::to_string(flags.size()) + " by-reference flags");
    }
    call.args.assign(args.begin(), args.end());
    for (const Variant& flag : flags) {
        if (flag.Kind() != VariantKind::Boolean) {
            Malformed("a by-reference flag is not a Boolean");
        }
        call.byRef.push_back(flag.AsBoolean());
    }
    return call;
}

Message ReadResult(std::span<const Variant> items) {
    ExpectLength(items, 4, "a result");
    ResultMessage result;
    result.id = ReadId(items[1], "the result id");
    result.result = items[2];
    const auto values = ReadList(items[3], "the by-reference values");
    result.byRefValues.assign(values.begin(), values.end());
    return result;
}

} // namespace

std::uint32_t MessageId(const Message& message) {
    return std::visit([](const auto& m) { return m.id; }, message);
}

std::string EncodeMessage(const Message& message, const ObjectExporter& exporter) {
    struct Builder {
        Variant operator()(const OpenMessage& m) const {
            return ListOf({kOpen, std::int64_t(m.id), m.progId});
        }
        Variant operator()(const CallMessage& m) const {
            std::vector<Variant> flags;
            flags.reserve(m.byRef.size());
            for (bool flag : m.byRef) {
                flags.emplace_back(flag);
            }
            return ListOf({kCall, std::int64_t(m.id), std::int64_t(m.target), int(m.kind), m.name,
                           ListOf(m.args), ListOf(std::move(flags))});
        }
        Variant operator()(const ResultMessage& m) const {
            return ListOf({kResult, std::int64_t(m.id), m.result, ListOf(m.byRefValues)});
        }
        Variant operator()(const ErrorMessage& m) const {
            return ListOf({kError, std::int64_t(m.id), m.message});
        }
    };
    if (const auto* call = std::get_if<CallMessage>(&message);
        call != nullptr && call->byRef.size() != call->args.size()) {
        throw EWireError("A call needs one by-reference flag per argument");
    }
    return EncodeVariant(std::visit(Builder{}, message), exporter);
}

Message DecodeMessage(std::string_view payload, const ObjectResolver& resolver) {
    const Variant envelope = DecodeVariant(payload, resolver);
    const auto items = ReadList(envelope, "the message");
    if (items.empty()) {
        Malformed("an empty message");
    }
    switch (ReadInteger(items[0], "the message type", 0, 3)) {
    case kCall:
        return ReadCall(items);
    case kResult:
        return ReadResult(items);
    case kError:
        ExpectLength(items, 3, "an error");
        return ErrorMessage{ReadId(items[1], "the error id"), ReadText(items[2], "the error text")};
    default:
        ExpectLength(items, 3, "an open request");
        return OpenMessage{ReadId(items[1], "the open id"), ReadText(items[2], "the ProgID")};
    }
}

} // namespace kvc::remote
