#include "services/host_services/host_services.h"

#include "runtime/strings.h"
#include "runtime/variant_array.h"

namespace kvc::services {

namespace {

// The object of a present service; null for an absent one.
Dispatch* ServiceObject(const Variant& service) {
    return service.IsDispatch() ? service.AsDispatch().get() : nullptr;
}

std::optional<std::string> CallText(const Variant& service, std::string_view method,
                                    std::initializer_list<DispatchArg> args) {
    Dispatch* object = ServiceObject(service);
    if (object == nullptr) {
        return std::nullopt;
    }
    return VarToStr(object->Call(method, args));
}

std::optional<bool> CallValidator(const Variant& validator, std::string_view method,
                                  std::int32_t productId, const Variant& dataRestriction,
                                  ValidatorCall& call) {
    Dispatch* object = ServiceObject(validator);
    if (object == nullptr) {
        return std::nullopt;
    }
    object->Put("ProductID", productId);
    object->Put("BaseLimited", dataRestriction);
    return object
        ->Call(method, {ByRef(call.Table), ByRef(call.QueryNumber), ByRef(call.DatabaseID),
                        ByRef(call.Value), ByRef(call.Result)})
        .AsBoolean();
}

} // namespace

bool IsServicePresent(const Variant& service) {
    return ServiceObject(service) != nullptr;
}

std::optional<std::string> GetMessage(const Variant& app, std::string_view kind,
                                      std::string_view number) {
    return CallText(app, "GetMessage", {std::string(kind), std::string(number)});
}

std::optional<std::string> GetFileList(const Variant& app, std::string_view fileName) {
    return CallText(app, "GetFileList", {VarArrayOf({LowerCase(fileName)})});
}

bool CallHelp(const Variant& app, std::string_view module, std::string_view topic) {
    Dispatch* object = ServiceObject(app);
    if (object == nullptr) {
        return false;
    }
    object->Call("CallHelp", {VarArrayOf({std::string(module), std::string(topic)})});
    return true;
}

std::optional<Variant> GetSysInfo(const Variant& counter, Variant& companyId) {
    Dispatch* object = ServiceObject(counter);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("GetSysInfo", {ByRef(companyId)});
}

std::optional<Variant> GetCounter(const Variant& counter, std::string_view key, Variant& value,
                                  const std::string& companyId, const std::string& databaseId) {
    Dispatch* object = ServiceObject(counter);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("GetCounter",
                        {UpperCase(key), ByRef(value), VarArrayOf({companyId, databaseId})});
}

std::optional<bool> QueryData(const Variant& validator, std::int32_t productId,
                              const Variant& dataRestriction, ValidatorCall& call) {
    return CallValidator(validator, "QueryData", productId, dataRestriction, call);
}

std::optional<bool> CheckValue(const Variant& validator, std::int32_t productId,
                               const Variant& dataRestriction, ValidatorCall& call) {
    return CallValidator(validator, "CheckValue", productId, dataRestriction, call);
}

Variant F2Request::ToArray() const {
    Variant a = VarArrayCreate({0, 18});
    a[0] = Table;
    a[1] = QueryNumber;
    a[2] = Condition;
    a[3] = MultipleChoice;
    a[4] = ExtraText;
    a[5] = CompanyID;
    a[6] = DatabaseID;
    a[7] = std::int64_t(Window);
    a[8] = 1;
    a[9] = false;
    a[10] = ProductID;
    a[14] = DataRestriction;
    a[15] = Right8Flag;
    a[16] = Right7Flag;
    a[17] = AppObject;
    a[18] = UserID;
    return a;
}

std::optional<Variant> F2GetData(const Variant& f2Window, const F2Request& request) {
    Dispatch* object = ServiceObject(f2Window);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("F2GetData", {request.ToArray()});
}

std::optional<std::string> GetPhrase(const Variant& f2Window, Variant& userId, Variant& databaseId,
                                     HWND window) {
    return CallText(f2Window, "GetPhrase",
                    {ByRef(userId), ByRef(databaseId), std::int64_t(window)});
}

std::optional<std::string> ShowInputDay(const Variant& f2Window, bool yearsFrom1911,
                                        std::string_view date, std::string_view databaseId) {
    return CallText(f2Window, "ShowInputDay",
                    {VarArrayOf({yearsFrom1911, std::string(date), std::string(databaseId)})});
}

std::optional<std::string> Request(const Variant& server, const Variant& conditionRequest) {
    return CallText(server, "Request", {conditionRequest});
}

std::optional<std::string> Request1(const Variant& server, const Variant& conditionRequest,
                                    std::string_view text) {
    return CallText(server, "Request1", {conditionRequest, std::string(text)});
}

std::optional<std::string> ErrorDescript(const Variant& server) {
    return CallText(server, "ErrorDescript", {});
}

bool UpdateStatus1(const Variant& server, Variant& text, std::string_view status, TDateTime when) {
    Dispatch* object = ServiceObject(server);
    if (object == nullptr) {
        return false;
    }
    object->Call("UpdateStatus1", {ByRef(text), std::string(status), Variant::FromDate(when)});
    return true;
}

std::optional<std::int32_t> SQLType(const Variant& server) {
    Dispatch* object = ServiceObject(server);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("SQLType").AsInteger();
}

std::optional<Variant> GetPower(const Variant& server, const Variant& request) {
    Dispatch* object = ServiceObject(server);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("GetPower", {request});
}

std::optional<std::string> InsertConTable(const Variant& server, Variant& record) {
    return CallText(server, "InsertConTable", {ByRef(record)});
}

std::optional<std::string> DeleteConTable(const Variant& server, Variant& record) {
    return CallText(server, "DeleteConTable", {ByRef(record)});
}

std::optional<std::string> ChangeConName(const Variant& server, Variant& oldName,
                                         Variant& newName) {
    return CallText(server, "ChangeConName", {ByRef(oldName), ByRef(newName)});
}

std::optional<Variant> LoadTable(const Variant& server, Variant& request) {
    Dispatch* object = ServiceObject(server);
    if (object == nullptr) {
        return std::nullopt;
    }
    return object->Call("LoadTable", {ByRef(request)});
}

} // namespace kvc::services
