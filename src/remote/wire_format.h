// The binary form of a Variant on the wire: MessagePack, with extension types
// for what MessagePack has no word for. Every kind round-trips exactly: array
// bounds, Empty versus Null, Date, Currency, AnsiStr bytes with their code page.
//
//   Empty      ext 1, no bytes
//   Null       nil
//   Integer    int (an Int64 that fits 32 bits reads back as an Integer, as in
//              the JSON form)
//   Int64      int
//   Boolean    bool
//   Double     float 64
//   Currency   ext 3, the scaled count as 8 bytes big-endian
//   Date       ext 2, the day count as an IEEE double, 8 bytes big-endian
//   OleStr     str (UTF-8)
//   AnsiStr    ext 4, the code page as 4 bytes big-endian (0 unknown), then the bytes
//   Array      one dimension from 0: a plain array of the elements; any other
//              shape: an array whose first item is ext 5 with the bounds (lo, hi
//              per dimension, 4 bytes big-endian each), then the elements row by row
//   Dispatch   ext 6: no bytes for a nil reference, otherwise the object's id on
//              the sending side (4 bytes big-endian, 0 when it is not exported)
//              followed by its class name
//
// The decoder is written for hostile input: maps, bin, unknown extensions,
// element counts the bytes cannot hold, nesting deeper than kMaxWireNesting
// and bytes left over are refused with EWireError, never a crash.
#pragma once

#include "runtime/exceptions.h"
#include "runtime/variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kvc::remote {

// Bad bytes on the wire, or a value that cannot be put on it.
KVC_DECLARE_EXCEPTION(EWireError, Exception);

// Arrays may nest this deep (a request nests three levels).
inline constexpr int kMaxWireNesting = 64;

enum class WireExt : std::int8_t {
    Empty = 1,
    Date = 2,
    Currency = 3,
    AnsiStr = 4,
    Bounds = 5,
    Dispatch = 6,
};

// Gives a live object the id the peer will call it by; 0 sends it as an
// unbound reference that carries only its class name.
using ObjectExporter = std::function<std::uint32_t(const std::shared_ptr<Dispatch>& object)>;
// Turns an id and class name from the peer into an object of this side.
using ObjectResolver =
    std::function<std::shared_ptr<Dispatch>(std::uint32_t id, const std::string& className)>;

// Appends the encoding of value to out. Arrays nested deeper than
// kMaxWireNesting raise EWireError.
void EncodeVariant(const Variant& value, std::string& out, const ObjectExporter& exporter = {});
std::string EncodeVariant(const Variant& value, const ObjectExporter& exporter = {});

// Reads exactly one value that fills all of bytes. Without a resolver, object
// references become unbound stand-ins (see MakeUnboundDispatch).
Variant DecodeVariant(std::string_view bytes, const ObjectResolver& resolver = {});

// A reference to an object that lives nowhere this side can reach: it answers
// its class name and refuses every member access with EOleError.
std::shared_ptr<Dispatch> MakeUnboundDispatch(std::string className);

} // namespace kvc::remote
