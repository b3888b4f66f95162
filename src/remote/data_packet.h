// The rows a provider answers for a client data set, as one Variant:
//
//   array 0..1: [0] the field names, array 0..F-1 of texts
//               [1] the rows, array 0..R-1, each row an array 0..F-1
//
// Plain Variants, so a packet travels over the wire or stays in process alike.
#pragma once

#include "runtime/variant.h"

#include <string>
#include <vector>

namespace kvc::remote {

struct DataPacket {
    std::vector<std::string> fields;
    std::vector<std::vector<Variant>> rows; // each as many values as fields
};

Variant MakeDataPacket(const DataPacket& packet);
// Any other shape raises EConvertError saying what is wrong.
DataPacket ReadDataPacket(const Variant& packet);

} // namespace kvc::remote
