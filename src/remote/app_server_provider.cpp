#include "remote/app_server_provider.h"

#include "remote/data_packet.h"
#include "runtime/dispatch.h"
#include "runtime/variant_array.h"
#include "toolkit/data_set.h"

#include <algorithm>

namespace kvc::remote {
namespace {

// AS_GetRecords option asking for the field descriptions with the rows.
constexpr int kGetMetaData = 1;

Dispatch& ServerOf(const Variant& appServer, const std::string& what) {
    if (!appServer.IsDispatch() || !appServer.AsDispatch()) {
        throw EDatabaseError(what + ": no application server");
    }
    return *appServer.AsDispatch();
}

// The packet carries no types: a column takes the kind of its first value
// that holds one, and a text column is as wide as its longest text.
TFieldDefinition Describe(const std::string& name, const std::vector<std::vector<Variant>>& rows,
                          std::size_t column) {
    TFieldDefinition field{name, ftString, 0, false};
    bool typed = false;
    for (const auto& row : rows) {
        const Variant& value = row[column];
        if (!typed && !value.IsEmpty() && !value.IsNull()) {
            typed = true;
            switch (value.Kind()) {
            case VariantKind::Integer:
                field.type = ftInteger;
                break;
            case VariantKind::Int64:
                field.type = ftLargeint;
                break;
            case VariantKind::Double:
                field.type = ftFloat;
                break;
            case VariantKind::Currency:
                field.type = ftCurrency;
                break;
            case VariantKind::Boolean:
                field.type = ftBoolean;
                break;
            case VariantKind::Date:
                field.type = ftDateTime;
                break;
            default:
                break;
            }
        }
        if (field.type == ftString && value.IsString()) {
            field.size = std::max(field.size, int(value.AsString().size()));
        }
    }
    return field;
}

} // namespace

TAppServerProvider::TAppServerProvider(AppServerSource source, std::string providerName)
    : source_(std::move(source)), providerName_(std::move(providerName)) {}

TDataPacket TAppServerProvider::GetRecords() {
    Variant appServer = source_();
    Dispatch& server = ServerOf(appServer, "Provider '" + providerName_ + "'");
    Variant recordCount = 0;
    Variant params;
    Variant ownerData;
    const Variant packet = server.Call(
        "AS_GetRecords", {Variant(providerName_), Variant(-1), ByRef(recordCount),
                          Variant(kGetMetaData), Variant(""), ByRef(params), ByRef(ownerData)});
    DataPacket rows = ReadDataPacket(packet);
    TDataPacket result;
    result.fields.reserve(rows.fields.size());
    for (std::size_t i = 0; i < rows.fields.size(); ++i) {
        result.fields.push_back(Describe(rows.fields[i], rows.rows, i));
    }
    result.rows = std::move(rows.rows);
    return result;
}

std::shared_ptr<TDataProvider> MakeAppServerProvider(Variant appServer, std::string providerName) {
    return std::make_shared<TAppServerProvider>([appServer] { return appServer; },
                                                std::move(providerName));
}

std::vector<std::string> AppServerProviderNames(const Variant& appServer) {
    const Variant names = ServerOf(appServer, "The provider names").Call("AS_GetProviderNames");
    std::vector<std::string> result;
    if (names.IsArray()) {
        for (const Variant& name : names.Array().Elements()) {
            result.push_back(name.AsString());
        }
    }
    return result;
}

} // namespace kvc::remote
