#include "erp/appserver/report_counter.h"

#include "erp/appserver/condition_request.h"
#include "platform/codepage.h"
#include "remote/data_packet.h"
#include "remote/wire_format.h"
#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"
#include "runtime/variant_array.h"

#include <algorithm>

namespace kvc::erp {
namespace {

// The element at offset i from the array's low bound, so that the fields of
// a record are read the same whatever bound the caller chose.
std::vector<Variant> Record(const Variant& value, std::size_t size, const std::string& what) {
    if (!value.IsArray() || value.Array().DimCount() != 1 || value.Array().ElementCount() < size) {
        throw EConvertError(what + " is not an array of " + std::to_string(size) + " elements");
    }
    const auto elements = value.Array().Elements();
    return {elements.begin(), elements.begin() + std::ptrdiff_t(size)};
}

std::string NonEmptyText(const Variant& value, const std::string& what) {
    std::string text = TextOf(value, what);
    if (Trim(text).empty()) {
        throw EConvertError(what + " is empty");
    }
    return text;
}

std::string SchemeName(const Variant& value) {
    const std::string name = NonEmptyText(value, "The scheme name");
    const std::size_t bytes = value.Kind() == VariantKind::AnsiStr
                                  ? value.AnsiBytes().size()
                                  : Utf8ToCodePage(name, 936).size();
    if (bytes > kMaxSchemeNameBytes) {
        throw EConvertError("The scheme name is longer than " +
                            std::to_string(kMaxSchemeNameBytes) + " bytes");
    }
    return name;
}

bool IsStoredDate(const std::string& text) {
    return text.size() == 8 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

} // namespace

ReportCounter::ReportCounter(std::shared_ptr<JobStore> store)
    : DispatchObject(kReportCounterProgId), store_(std::move(store)) {
    AddMethod("Request", 1, [this](DispatchArgs a) { return Submit(a[0].Value(), "Request", ""); });
    AddMethod("Request1", 2, [this](DispatchArgs a) {
        std::string computer;
        try {
            computer = TextOf(a[1].Value(), "The computer name");
        } catch (const EConvertError& error) {
            lastError_ = error.Message();
            return Variant("ERROR");
        }
        return Submit(a[0].Value(), "Request1", computer);
    });
    AddMethod("ErrorDescript", 0, [this](DispatchArgs) { return Variant(lastError_); });
    AddMethod("UpdateStatus1", 3, [this](DispatchArgs a) {
        return UpdateStatus(a[0].Value(), a[1].Value(), a[2].Value());
    });
    AddMethod("SQLType", 0, [](DispatchArgs) { return Variant(kSqlTypeSqlite); });
    AddMethod("GetPower", 1, [this](DispatchArgs a) { return GetPower(a[0].Value()); });
    AddMethod("InsertConTable", 1,
              [this](DispatchArgs a) { return Variant(InsertScheme(a[0].Value())); });
    AddMethod("DeleteConTable", 1,
              [this](DispatchArgs a) { return Variant(DeleteScheme(a[0].Value())); });
    AddMethod("ChangeConName", 2,
              [this](DispatchArgs a) { return Variant(RenameScheme(a[0].Value(), a[1].Value())); });
    AddMethod("LoadTable", 1, [this](DispatchArgs a) { return LoadTable(a[0].Value()); });
    AddMethod("AS_GetProviderNames", 0,
              [](DispatchArgs) { return VarArrayOf({Variant(kSchemeProvider)}); });
    AddMethod("AS_GetRecords", 7, [this](DispatchArgs a) { return ProviderRows(a); });
}

Variant ReportCounter::Submit(const Variant& request, const char* kind,
                              const std::string& computer) {
    ConditionRequestSummary summary;
    try {
        summary = ReadConditionRequest(request);
    } catch (const EConvertError& error) {
        lastError_ = error.Message();
        return Variant("ERROR");
    }
    JobRecord job;
    job.status = std::string(kind) == "Request" ? kStatusQueued : kStatusRegistered;
    job.kind = kind;
    job.programCode = summary.programCode;
    job.companyId = summary.companyId;
    job.userId = summary.userId;
    job.databaseId = summary.databaseId;
    job.runMode = summary.runMode;
    job.startMoment = summary.startMoment;
    job.periodic = summary.periodic;
    job.periodicJson = summary.periodicJson;
    job.computerName = computer;
    job.receivedAt = Now();
    job.request = remote::EncodeVariant(request);
    try {
        const std::string number = store_->Submit(std::move(job));
        lastError_.clear();
        return Variant(number);
    } catch (const EInOutError& error) {
        lastError_ = error.Message();
        return Variant("ERROR");
    }
}

Variant ReportCounter::UpdateStatus(const Variant& job, const Variant& log, const Variant& at) {
    const std::string number = TextOf(job, "The job number");
    const std::string message = log.IsEmpty() || log.IsNull() ? "" : TextOf(log, "The message log");
    std::string visible = message;
    visible.erase(std::remove(visible.begin(), visible.end(), ';'), visible.end());
    JobStatusRecord update{number, Trim(visible).empty() ? kStatusDone : kStatusDoneWithMessages,
                           message, at.AsDate(), Now()};
    if (!store_->RecordStatus(update)) {
        throw EOleError("No job is numbered " + Quoted(number));
    }
    return {};
}

Variant ReportCounter::GetPower(const Variant& query) const {
    const auto fields = Record(query, 3, "The rights query");
    const std::string database = TextOf(fields[0], "The database");
    const std::string user = TextOf(fields[1], "The user");
    const std::string program = TextOf(fields[2], "The program code");
    const UserRights rights =
        store_->FindRights(database, user, program).value_or(DefaultUserRights());
    std::vector<Variant> items{Variant(int(rights.restrictionItems.size()))};
    for (const std::string& item : rights.restrictionItems) {
        items.emplace_back(item);
    }
    VarArray answer(1, 5);
    answer.At(1) = database + "," + user + "," + program + "," + rights.rights;
    answer.At(2) = rights.rights;
    answer.At(3) = rights.rightsValue;
    answer.At(4) = rights.restriction;
    answer.At(5) = VarArrayOf(std::move(items));
    return Variant(std::move(answer));
}

std::string ReportCounter::InsertScheme(const Variant& record) {
    try {
        const auto f = Record(record, 7, "The scheme record");
        SchemeRecord scheme;
        scheme.name = SchemeName(f[0]);
        scheme.creator = NonEmptyText(f[1], "The user");
        scheme.createDate = TextOf(f[2], "The date");
        scheme.program = NonEmptyText(f[3], "The program code");
        scheme.properties = TextOf(f[4], "The property list");
        scheme.values = f[5].IsEmpty() ? "" : TextOf(f[5], "The value text");
        if (!IsStoredDate(scheme.createDate)) {
            return "The date " + Quoted(scheme.createDate) + " is not YYYYMMDD";
        }
        if (!store_->SaveScheme(scheme, f[6].AsBoolean())) {
            return "A scheme named " + Quoted(scheme.name) + " already exists";
        }
        return "";
    } catch (const Exception& error) {
        return error.Message();
    }
}

std::string ReportCounter::DeleteScheme(const Variant& key) {
    try {
        const auto f = Record(key, 3, "The scheme key");
        const std::string name = TextOf(f[0], "The scheme name");
        if (!store_->DeleteScheme(name, TextOf(f[1], "The user"),
                                  TextOf(f[2], "The program code"))) {
            return "No scheme is named " + Quoted(name);
        }
        return "";
    } catch (const Exception& error) {
        return error.Message();
    }
}

std::string ReportCounter::RenameScheme(const Variant& oldKey, const Variant& newKey) {
    try {
        const auto from = Record(oldKey, 3, "The old scheme key");
        const auto to = Record(newKey, 3, "The new scheme key");
        const std::string oldName = TextOf(from[0], "The old scheme name");
        const std::string newName = SchemeName(to[0]);
        const std::string user = TextOf(from[1], "The user");
        const std::string program = TextOf(from[2], "The program code");
        if (TextOf(to[1], "The user") != user || TextOf(to[2], "The program code") != program) {
            return "A scheme keeps its user and program when it is renamed";
        }
        switch (store_->RenameScheme(user, program, oldName, newName)) {
        case JobStore::RenameOutcome::Renamed:
            return "";
        case JobStore::RenameOutcome::Missing:
            return "No scheme is named " + Quoted(oldName);
        case JobStore::RenameOutcome::Taken:
            return "A scheme named " + Quoted(newName) + " already exists";
        }
        return "";
    } catch (const Exception& error) {
        return error.Message();
    }
}

Variant ReportCounter::LoadTable(const Variant& filter) {
    const auto f = Record(filter, 2, "The scheme filter");
    schemeUser_ = TextOf(f[0], "The user");
    schemeProgram_ = TextOf(f[1], "The program code");
    return SchemePacket();
}

Variant ReportCounter::SchemePacket(int limit) const {
    remote::DataPacket packet;
    packet.fields = {"NCONDITION",  "CREATOR",    "PROGRAMME",
                     "CREATE_DATE", "SCONDITION", "VCONDITION"};
    for (const SchemeRecord& s : store_->Schemes(schemeUser_, schemeProgram_)) {
        if (limit >= 0 && packet.rows.size() >= std::size_t(limit)) {
            break;
        }
        packet.rows.push_back({s.name, s.creator, s.program, s.createDate, s.properties, s.values});
    }
    return remote::MakeDataPacket(packet);
}

Variant ReportCounter::ProviderRows(DispatchArgs args) const {
    const std::string provider = TextOf(args[0].Value(), "The provider name");
    if (CompareText(provider, kSchemeProvider) != 0) {
        throw EOleError("Provider " + Quoted(provider) + " not found");
    }
    // A count of -1 asks for every row, as the classic provider interface does.
    Variant packet = SchemePacket(args[1].Value().AsInteger());
    args[2].Target() = int(packet[1].Array().ElementCount());
    return packet;
}

std::unique_ptr<OleClassRegistration> RegisterReportCounter(std::shared_ptr<JobStore> store) {
    return std::make_unique<OleClassRegistration>(kReportCounterProgId, [store] {
        return std::shared_ptr<Dispatch>(std::make_shared<ReportCounter>(store));
    });
}

} // namespace kvc::erp
