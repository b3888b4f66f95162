// The textual form-definition format: a tokenizer and a parser into a tree
// of objects with their properties. Errors raise EReadError naming the file
// and the line ("frmMain.dfm:12: ...").
#pragma once

#include "runtime/exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

KVC_DECLARE_EXCEPTION(EFilerError, Exception);
// A definition that cannot be read: bad syntax, an unknown property, a value
// of the wrong kind.
KVC_DECLARE_EXCEPTION(EReadError, EFilerError);
// A definition names a class nobody registered.
KVC_DECLARE_EXCEPTION(EClassNotFound, EFilerError);

struct DfmProperty;

struct DfmValue {
    enum class Kind { Integer, Float, String, Identifier, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    int line = 0;
    std::int64_t integer = 0;
    double number = 0;
    std::string text;                            // String, Identifier
    std::vector<std::string> names;              // Set
    std::vector<DfmValue> list;                  // List
    std::vector<std::vector<DfmProperty>> items; // Collection
    std::vector<std::uint8_t> bytes;             // Binary
};

struct DfmProperty {
    std::string name; // dotted for properties of object-valued properties
    DfmValue value;
    int line = 0;
};

struct DfmObject {
    enum class Kind { Object, Inherited, Inline };
    Kind kind = Kind::Object;
    std::string name;
    std::string className;
    int line = 0;
    std::vector<DfmProperty> properties;
    std::vector<DfmObject> children;
};

DfmObject ParseDfm(std::string_view text, std::string_view fileName);

// The class named on the first "object X: TClass" or "inherited X: TClass"
// line; empty when there is none.
std::string DfmRootClassName(std::string_view text);

} // namespace kvc
