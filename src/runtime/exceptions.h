// The exception classes of the system. Every exception carries a UTF-8 message
// and answers the class name a log line or an exception report prints.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kvc {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}

    std::string Message() const { return what(); }
    virtual std::string_view ClassName() const { return "Exception"; }
};

#define KVC_DECLARE_EXCEPTION(Name, Base)                                                          \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        std::string_view ClassName() const override { return #Name; }                              \
    }

// A text or value that does not read as the requested kind.
KVC_DECLARE_EXCEPTION(EConvertError, Exception);
// A variant conversion, array bound or operation that is not defined.
KVC_DECLARE_EXCEPTION(EVariantError, Exception);
// A late-bound call that failed: unknown ProgID, unknown member, or an error raised by the callee.
KVC_DECLARE_EXCEPTION(EOleError, Exception);
// A list index outside the list, or a duplicate refused by a sorted list.
KVC_DECLARE_EXCEPTION(EStringListError, Exception);
// An operation that is not allowed in the object's current state (focus on a hidden window, ...).
KVC_DECLARE_EXCEPTION(EInvalidOperation, Exception);
// A file or stream operation that failed.
KVC_DECLARE_EXCEPTION(EInOutError, Exception);
// The silent exception: unwinds without being reported.
KVC_DECLARE_EXCEPTION(EAbort, Exception);

} // namespace kvc
