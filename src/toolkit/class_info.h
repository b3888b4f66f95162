// Class information: each toolkit class has one record with its name, its
// parent's record, a factory for construction by name, and its published
// properties, methods and component fields. Lookups by name ignore letter
// case and walk the class chain, the most derived class first.
#pragma once

#include "toolkit/event.h"
#include "toolkit/type_info.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kvc {

class TObject;
class TComponent;
class TStringList;

enum class TPropKind {
    String,
    Integer,
    Char,
    Enumeration,
    Set,
    Float,
    Boolean,
    Object,
    StringList,
    Collection,
    Event,
    Binary
};

std::string_view PropKindName(TPropKind kind);

// One published property. Only the accessors of its kind are set; a property
// without a setter is read-only.
struct TPropInfo {
    std::string name;
    TPropKind kind = TPropKind::Integer;
    const TEnumInfo* enumInfo = nullptr; // Enumeration; Set: the element type
    const TIdentMap* identMap = nullptr; // Integer with named values (colours, ...)
    // Object, Collection: the class of the value, looked up when asked, since
    // two classes may refer to each other.
    const TClassInfo& (*objectClassOf)() = nullptr;
    bool isReference = false;                   // Object: a reference to a component
    const TEventSignature* signature = nullptr; // Event

    std::function<std::int64_t(const TObject&)> getOrd; // Integer, Char, Enumeration, Set, Boolean
    std::function<void(TObject&, std::int64_t)> setOrd;
    std::function<std::string(const TObject&)> getStr;
    std::function<void(TObject&, const std::string&)> setStr;
    std::function<double(const TObject&)> getFloat;
    std::function<void(TObject&, double)> setFloat;
    std::function<TObject*(const TObject&)> getObject; // Object, Collection
    std::function<void(TObject&, TObject*)> setObject;
    std::function<TStringList*(const TObject&)> getList;
    std::function<void(TObject&, const TStringList&)> setList;
    std::function<TMethod(const TObject&)> getEvent;
    std::function<void(TObject&, const TMethod&)> setEvent;
    std::function<std::vector<std::uint8_t>(const TObject&)> getBytes;
    std::function<void(TObject&, const std::vector<std::uint8_t>&)> setBytes;

    const TClassInfo* ObjectClass() const { return objectClassOf ? &objectClassOf() : nullptr; }
    bool IsOrdinal() const;
    bool IsReadOnly() const;
};

// A published component field of a form: set when an owned component of that
// name is inserted, cleared when it is removed.
struct TFieldInfo {
    std::string name;
    const TClassInfo& (*fieldClassOf)() = nullptr;
    std::function<void(TObject&, TObject*)> set;
    const TClassInfo& FieldClass() const { return fieldClassOf(); }
};

class TClassInfo {
public:
    using Factory = std::unique_ptr<TObject> (*)();
    using Initializer = std::function<void(TClassInfo&)>;

    TClassInfo(std::string_view name, const TClassInfo* parent, Factory factory,
               const Initializer& init);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    std::string_view Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    Factory GetFactory() const { return factory_; }
    bool InheritsFrom(const TClassInfo& other) const;

    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TMethodInfo* FindMethodByThunk(TMethodThunk thunk) const;
    const TFieldInfo* FindField(std::string_view name) const;
    // Own and inherited properties, base class first, each name once.
    std::vector<const TPropInfo*> Properties() const;

    // For the class builder while the record is initialised.
    TPropInfo& AddProperty(TPropInfo info);
    void AddMethod(std::string_view name, const TEventSignature& signature, TMethodThunk thunk);
    void AddField(TFieldInfo info);

private:
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    template <class T>
    using NameMap = std::unordered_map<std::string, const T*, NoCaseHash, NoCaseEqual>;

    std::string name_;
    const TClassInfo* parent_;
    Factory factory_;
    std::deque<TPropInfo> properties_;
    std::deque<std::string> methodNames_;
    std::deque<TMethodInfo> methods_;
    std::deque<TFieldInfo> fields_;
    // Own and inherited entries; own ones replace inherited ones of the same name.
    NameMap<TPropInfo> propertyIndex_;
    NameMap<TMethodInfo> methodIndex_;
    NameMap<TFieldInfo> fieldIndex_;
};

// The class registry: classes that definitions and class references can name.
// The toolkit's own classes are registered on first use.
void RegisterClass(const TClassInfo& info);
void UnregisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
// Whether code is the record of a published method of some class.
bool IsMethodRecord(const TMethodInfo* code);

} // namespace kvc
