// Where a client data set takes its rows from: a provider gives the field
// definitions and the rows of a table as Variants. A remote server
// component hands out providers by name (the connection to an application
// server implements it); tests and local data give a provider directly.
#pragma once

#include "runtime/variant.h"
#include "toolkit/component.h"
#include "toolkit/type_info.h"

#include <memory>
#include <string>
#include <vector>

namespace kvc {

KVC_ENUM(TFieldType, ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat,
         ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob,
         ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor,
         ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet);

struct TFieldDefinition {
    std::string name;
    TFieldType type = ftString;
    int size = 0; // characters of a text field
    bool required = false;
};

// One table as a provider answers it: each row holds one value per field,
// in the order of the definitions.
struct TDataPacket {
    std::vector<TFieldDefinition> fields;
    std::vector<std::vector<Variant>> rows;
};

class TDataProvider {
public:
    virtual ~TDataProvider() = default;
    // The whole table as it is now; errors raise.
    virtual TDataPacket GetRecords() = 0;
};

class TCustomRemoteServer : public TComponent {
    KVC_CLASS(TCustomRemoteServer, TComponent)
public:
    // The provider of that name; an unknown name raises EDatabaseError.
    virtual std::shared_ptr<TDataProvider> GetProvider(const std::string& name) = 0;
};

} // namespace kvc
