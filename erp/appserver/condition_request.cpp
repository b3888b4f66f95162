#include "erp/appserver/condition_request.h"

#include "platform/codepage.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"

#include <algorithm>

namespace kvc::erp {
namespace {

constexpr int kRequestCodePage = 936;

bool KeepsAscii(int codePage) {
    return codePage == 936 || codePage == 950 || codePage == 1252 || codePage == 437;
}

[[noreturn]] void Refuse(const std::string& reason) {
    throw EConvertError("Bad request: " + reason);
}

const VarArray& OneDimension(const Variant& value, const std::string& what) {
    if (!value.IsArray() || value.Array().DimCount() != 1) {
        Refuse(what + " is not a one-dimensional array");
    }
    return value.Array();
}

// An array low..high whose every element holds a value.
const VarArray& Block(const Variant& value, const std::string& what, int low, int high) {
    const VarArray& array = OneDimension(value, what);
    if (array.LowBound(1) != low || array.HighBound(1) != high) {
        Refuse(what + " has bounds " + std::to_string(array.LowBound(1)) + ".." +
               std::to_string(array.HighBound(1)) + " instead of " + std::to_string(low) + ".." +
               std::to_string(high));
    }
    for (int i = low; i <= high; ++i) {
        if (array.At(i).IsEmpty() || array.At(i).IsNull()) {
            Refuse(what + " has no value at " + std::to_string(i));
        }
    }
    return array;
}

int IntegerOf(const Variant& value, const std::string& what) {
    try {
        if (value.IsNumeric() || value.IsString()) {
            return value.AsInteger();
        }
    } catch (const EVariantError&) {
    }
    Refuse(what + " is not an integer");
}

TDateTime MomentOf(const Variant& value, const std::string& what) {
    if (value.Kind() != VariantKind::Date && !value.IsNumeric()) {
        Refuse(what + " is not a date and time");
    }
    return value.AsDate();
}

std::string RequiredText(const Variant& value, const std::string& what) {
    std::string text;
    try {
        text = TextOf(value, what);
    } catch (const EConvertError& error) {
        Refuse(error.Message());
    }
    if (text.empty()) {
        Refuse(what + " is empty");
    }
    return text;
}

void CheckPeriodicBlocks(const Variant& schedule, const Variant& dynamic) {
    const VarArray& block = Block(schedule, "the schedule block", 0, 3);
    if (TextOf(block.At(0), "the schedule marker") != "Y") {
        Refuse("the schedule block does not begin with \"Y\"");
    }
    const VarArray& fields = OneDimension(dynamic, "the dynamic-field block");
    if (fields.LowBound(1) != 0 || fields.ElementCount() == 0) {
        Refuse("the dynamic-field block is not an array from 0 with its count first");
    }
    const int count = IntegerOf(fields.At(0), "the dynamic-field count");
    if (count != fields.HighBound(1)) {
        Refuse("the dynamic-field block counts " + std::to_string(count) + " entries but holds " +
               std::to_string(fields.HighBound(1)));
    }
}

} // namespace

std::string TextOf(const Variant& value, const std::string& what) {
    switch (value.Kind()) {
    case VariantKind::AnsiStr: {
        const std::string& bytes = value.AnsiBytes();
        const int codePage =
            value.AnsiCodePage() != 0 ? int(value.AnsiCodePage()) : kRequestCodePage;
        // Most texts of a request (codes, users, companies) are plain ASCII,
        // which these code pages keep as it is: no converter needed.
        if (KeepsAscii(codePage) && std::all_of(bytes.begin(), bytes.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            })) {
            return bytes;
        }
        return CodePageToUtf8(bytes, codePage);
    }
    case VariantKind::OleStr:
    case VariantKind::Integer:
    case VariantKind::Int64:
    case VariantKind::Boolean:
    case VariantKind::Double:
    case VariantKind::Currency:
        return value.AsString();
    default:
        throw EConvertError(what + " is not a text but " +
                            std::string(VariantKindName(value.Kind())));
    }
}

ConditionRequestSummary ReadConditionRequest(const Variant& request) {
    const VarArray& whole = OneDimension(request, "the request");
    if (whole.LowBound(1) != 0 || (whole.HighBound(1) != 2 && whole.HighBound(1) != 4)) {
        Refuse("the request is not an array 0..2, or 0..4 for a periodic job");
    }
    const VarArray& header0 = OneDimension(whole.At(0), "the header");
    if (header0.LowBound(1) != 1 || header0.HighBound(1) < kMinHeaderLength) {
        Refuse("the header is not an array from 1 of at least " + std::to_string(kMinHeaderLength) +
               " elements");
    }
    const int headerLength = IntegerOf(header0.At(kHeaderLength), "the header length");
    const VarArray& header = Block(whole.At(0), "the header", 1, headerLength);
    const int conditions = IntegerOf(header.At(kHeaderConditionCount), "the condition count");
    if (conditions < 1) {
        Refuse("the condition count is " + std::to_string(conditions));
    }
    const VarArray& labels = Block(whole.At(1), "the label array", 1, conditions);
    Block(whole.At(2), "the value array", 1, conditions);
    for (int k = 1; k <= conditions; ++k) {
        Block(labels.At(k), "label " + std::to_string(k), 0, 1);
    }

    ConditionRequestSummary summary;
    summary.programCode = RequiredText(header.At(kHeaderProgramCode), "the program code");
    summary.companyId = RequiredText(header.At(kHeaderCompany), "the company");
    summary.userId = RequiredText(header.At(kHeaderUser), "the user");
    summary.databaseId = RequiredText(header.At(kHeaderDatabase), "the database");
    summary.startMoment = MomentOf(header.At(kHeaderMoment), "the request moment");
    if (headerLength >= kHeaderRunMode) {
        summary.runMode = IntegerOf(header.At(kHeaderRunMode), "the run mode");
        if (summary.runMode < 0 || summary.runMode > 2) {
            Refuse("the run mode is " + std::to_string(summary.runMode));
        }
    }
    if (headerLength >= kHeaderStartMoment) {
        summary.startMoment = MomentOf(header.At(kHeaderStartMoment), "the start moment");
    }
    if (whole.HighBound(1) == 4) {
        CheckPeriodicBlocks(whole.At(3), whole.At(4));
        if (summary.runMode != 2) {
            Refuse("a periodic job must run at a time (run mode 2)");
        }
        summary.periodic = true;
        summary.periodicJson = ToJson(VarArrayOf({whole.At(3), whole.At(4)}));
    }
    return summary;
}

} // namespace kvc::erp
