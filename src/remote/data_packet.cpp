#include "remote/data_packet.h"

#include "runtime/exceptions.h"
#include "runtime/variant_array.h"

namespace kvc::remote {
namespace {

std::span<const Variant> List(const Variant& value, const std::string& what) {
    if (!value.IsArray() || value.Array().DimCount() != 1 || value.Array().LowBound(1) != 0) {
        throw EConvertError("Bad data packet: " + what + " is not an array from 0");
    }
    return value.Array().Elements();
}

} // namespace

Variant MakeDataPacket(const DataPacket& packet) {
    std::vector<Variant> fields(packet.fields.begin(), packet.fields.end());
    std::vector<Variant> rows;
    rows.reserve(packet.rows.size());
    for (const auto& row : packet.rows) {
        if (row.size() != packet.fields.size()) {
            throw EConvertError("Bad data packet: a row of " + std::to_string(row.size()) +
                                " values for " + std::to_string(packet.fields.size()) + " fields");
        }
        rows.push_back(VarArrayOf(row));
    }
    return VarArrayOf({VarArrayOf(std::move(fields)), VarArrayOf(std::move(rows))});
}

DataPacket ReadDataPacket(const Variant& value) {
    const auto parts = List(value, "the packet");
    if (parts.size() != 2) {
        throw EConvertError("Bad data packet: " + std::to_string(parts.size()) +
                            " parts instead of 2");
    }
    DataPacket packet;
    for (const Variant& field : List(parts[0], "the field list")) {
        if (!field.IsString()) {
            throw EConvertError("Bad data packet: a field name is not a text");
        }
        packet.fields.push_back(field.AsString());
    }
    for (const Variant& row : List(parts[1], "the row list")) {
        const auto values = List(row, "a row");
        if (values.size() != packet.fields.size()) {
            throw EConvertError("Bad data packet: a row of " + std::to_string(values.size()) +
                                " values for " + std::to_string(packet.fields.size()) + " fields");
        }
        packet.rows.emplace_back(values.begin(), values.end());
    }
    return packet;
}

} // namespace kvc::remote
