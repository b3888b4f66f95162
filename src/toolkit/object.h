// TObject, the root of the toolkit's classes, and TPersistent, the root of
// objects that have published properties stored in form definitions.
#pragma once

#include "toolkit/class_info.h"

#include <string_view>

namespace kvc {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
    std::string_view ClassName() const { return ClassType().Name(); }
    const TClassInfo* ClassParent() const { return ClassType().Parent(); }
    bool InheritsFrom(const TClassInfo& info) const { return ClassType().InheritsFrom(info); }
    template <class T> bool Is() const { return InheritsFrom(T::StaticClassInfo()); }

    // Runs once the object is fully constructed, before anyone else uses it
    // (the creation helpers call it); forms read their definitions here.
    virtual void AfterConstruction() {}
};

// The cast the classic "as" operator makes: null when obj is not a T.
template <class T> T* As(TObject* obj) {
    return obj != nullptr && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}
template <class T> const T* As(const TObject* obj) {
    return obj != nullptr && obj->Is<T>() ? static_cast<const T*>(obj) : nullptr;
}

template <class T> class TClassBuilder;

#define KVC_CLASS(Name, Parent)                                                                    \
public:                                                                                            \
    using inherited = Parent;                                                                      \
    static const ::kvc::TClassInfo& StaticClassInfo();                                             \
    const ::kvc::TClassInfo& ClassType() const override {                                          \
        return StaticClassInfo();                                                                  \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    friend class ::kvc::TClassBuilder<Name>;                                                       \
    static void RegisterMembers(::kvc::TClassBuilder<Name>& c);                                    \
                                                                                                   \
public:

class TPersistent : public TObject {
    KVC_CLASS(TPersistent, TObject)
public:
    // Copies the published state of source; the base raises EConvertError
    // ("Cannot assign a TFoo to a TBar").
    virtual void Assign(const TPersistent& source);
};

} // namespace kvc
