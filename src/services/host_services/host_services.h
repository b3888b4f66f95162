// Typed wrappers over the late-bound services of the ERP host and its
// application server. Each service is a Variant holding an automation object;
// an Unassigned (Empty), Null or nil service is absent, and its wrappers
// answer std::nullopt (or false for calls without an answer) without calling.
// A call on a present service that fails raises EOleError: callers decide
// what a failure means, as the features that use them say.
#pragma once

#include "runtime/dispatch.h"
#include "runtime/variant.h"
#include "toolkit/messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvc::services {

// Whether a service variant holds an object to call.
bool IsServicePresent(const Variant& service);

// --- The application object (AppObject) ---

// A catalogue text by kind letter and number ("E", "000038").
std::optional<std::string> GetMessage(const Variant& app, std::string_view kind,
                                      std::string_view number);
// The list text of a file; fileName is sent in lower case.
std::optional<std::string> GetFileList(const Variant& app, std::string_view fileName);
// Help for a module and topic; false when the service is absent.
bool CallHelp(const Variant& app, std::string_view module, std::string_view topic);

// --- The counter (Com_Counter) ---

// The company's system variables: a two-dimensional array, [0, i] a name and
// [1, i] its value. companyId is passed by reference, as the service wants.
std::optional<Variant> GetSysInfo(const Variant& counter, Variant& companyId);
// A counter value; key is sent in upper case, value by reference.
std::optional<Variant> GetCounter(const Variant& counter, std::string_view key, Variant& value,
                                  const std::string& companyId, const std::string& databaseId);

// --- The validator (Com_Validator) ---

// The by-reference arguments of QueryData and CheckValue; the service writes
// its data to Result (and may rewrite the others).
struct ValidatorCall {
    Variant Table;
    Variant QueryNumber;
    Variant DatabaseID;
    Variant Value;
    Variant Result;
};

// ProductID and BaseLimited are set on the validator before each call. True
// when found (QueryData) or valid (CheckValue).
std::optional<bool> QueryData(const Variant& validator, std::int32_t productId,
                              const Variant& dataRestriction, ValidatorCall& call);
std::optional<bool> CheckValue(const Variant& validator, std::int32_t productId,
                               const Variant& dataRestriction, ValidatorCall& call);

// --- The lookup window (Com_F2Window) ---

// The 19 elements of a lookup request. Condition and ExtraText are sent as
// given: the caller converts them for the server first.
struct F2Request {
    Variant Table;               // 0
    Variant QueryNumber;         // 1
    Variant Condition;           // 2
    bool MultipleChoice = false; // 3
    Variant ExtraText;           // 4
    std::string CompanyID;       // 5
    std::string DatabaseID;      // 6
    HWND Window = 0;             // 7
    // 8 is the integer 1, 9 false, 11 to 13 empty.
    std::int32_t ProductID = 0; // 10
    Variant DataRestriction;    // 14
    Variant Right8Flag;         // 15
    Variant Right7Flag;         // 16
    Variant AppObject;          // 17
    std::string UserID;         // 18

    // The array [0..18] the service reads.
    Variant ToArray() const;
};

std::optional<Variant> F2GetData(const Variant& f2Window, const F2Request& request);
std::optional<std::string> GetPhrase(const Variant& f2Window, Variant& userId, Variant& databaseId,
                                     HWND window);
// A date picked by the user, "YYYYMMDD", or "" when none was chosen.
std::optional<std::string> ShowInputDay(const Variant& f2Window, bool yearsFrom1911,
                                        std::string_view date, std::string_view databaseId);

// --- The application server (ServerObject) ---

// "ERROR" or the result text.
std::optional<std::string> Request(const Variant& server, const Variant& conditionRequest);
std::optional<std::string> Request1(const Variant& server, const Variant& conditionRequest,
                                    std::string_view text);
std::optional<std::string> ErrorDescript(const Variant& server);
bool UpdateStatus1(const Variant& server, Variant& text, std::string_view status, TDateTime when);
std::optional<std::int32_t> SQLType(const Variant& server);
std::optional<Variant> GetPower(const Variant& server, const Variant& request);
// Empty text on success, else the error text.
std::optional<std::string> InsertConTable(const Variant& server, Variant& record);
std::optional<std::string> DeleteConTable(const Variant& server, Variant& record);
std::optional<std::string> ChangeConName(const Variant& server, Variant& oldName, Variant& newName);
std::optional<Variant> LoadTable(const Variant& server, Variant& request);

} // namespace kvc::services
