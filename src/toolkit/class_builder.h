// Registration of a class's published members, one line each, inside
// KVC_REGISTER_CLASS(TClass) { ... }:
//
//   c.Property("Text", &TEdit::GetText, &TEdit::SetText);        // kind from the getter's type
//   c.Property("Align", &TControl::GetAlign, &TControl::SetAlign); // enumeration with names
//   c.Property("Font", &TControl::GetFont, &TControl::SetFont);    // object, dotted sub-properties
//   c.Event("OnChange", &TEdit::OnChange);
//   KVC_METHOD(btnOkClick);                                         // published method
//   KVC_FIELD(btnOk);                                               // component field of a form
#pragma once

#include "runtime/string_list.h"
#include "toolkit/object.h"

#include <concepts>
#include <memory>
#include <string>
#include <type_traits>

namespace kvc {

class TComponent;
class TCollection;

namespace detail {
template <class G> struct GetterTraits;
template <class B, class R> struct GetterTraits<R (B::*)() const> {
    using Value = std::remove_cvref_t<R>;
};
template <class S> struct SetterTraits;
template <class B, class P> struct SetterTraits<void (B::*)(P)> {
    using Arg = std::remove_cvref_t<P>;
};

template <class T> std::unique_ptr<TObject> Construct() {
    return std::make_unique<T>();
}
template <class T> constexpr TClassInfo::Factory FactoryOf() {
    if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>) {
        return &Construct<T>;
    } else {
        return nullptr;
    }
}
template <class T>
concept HasStaticClassInfo = requires {
    { T::StaticClassInfo() } -> std::same_as<const TClassInfo&>;
};
} // namespace detail

template <class T> class TClassBuilder {
public:
    using Class = T;

    explicit TClassBuilder(TClassInfo& info) : info_(info) {}

    static void Initialize(TClassInfo& info) {
        TClassBuilder builder(info);
        T::RegisterMembers(builder);
    }

    template <class Getter, class Setter = std::nullptr_t>
    TPropInfo& Property(std::string_view name, Getter getter, Setter setter = nullptr) {
        using V = typename detail::GetterTraits<Getter>::Value;
        TPropInfo p;
        p.name = std::string(name);
        auto self = [](const TObject& o) -> const T& { return static_cast<const T&>(o); };
        auto mut = [](TObject& o) -> T& { return static_cast<T&>(o); };
        constexpr bool hasSetter = !std::is_same_v<Setter, std::nullptr_t>;
        if constexpr (std::is_same_v<V, std::string>) {
            p.kind = TPropKind::String;
            p.getStr = [=](const TObject& o) { return (self(o).*getter)(); };
            if constexpr (hasSetter) {
                p.setStr = [=](TObject& o, const std::string& v) { (mut(o).*setter)(v); };
            }
        } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
            p.kind = TPropKind::Binary;
            p.getBytes = [=](const TObject& o) { return (self(o).*getter)(); };
            if constexpr (hasSetter) {
                p.setBytes = [=](TObject& o, const std::vector<std::uint8_t>& v) {
                    (mut(o).*setter)(v);
                };
            }
        } else if constexpr (std::is_same_v<V, double>) {
            p.kind = TPropKind::Float;
            p.getFloat = [=](const TObject& o) { return (self(o).*getter)(); };
            if constexpr (hasSetter) {
                p.setFloat = [=](TObject& o, double v) { (mut(o).*setter)(v); };
            }
        } else if constexpr (std::is_pointer_v<V>) {
            using Pointee = std::remove_cv_t<std::remove_pointer_t<V>>;
            if constexpr (std::is_same_v<Pointee, TStringList>) {
                p.kind = TPropKind::StringList;
                p.getList = [=](const TObject& o) { return (self(o).*getter)(); };
                if constexpr (hasSetter) {
                    p.setList = [=](TObject& o, const TStringList& v) { (mut(o).*setter)(v); };
                }
            } else {
                static_assert(detail::HasStaticClassInfo<Pointee>,
                              "an object property holds a toolkit class");
                p.kind = std::is_base_of_v<TCollection, Pointee> ? TPropKind::Collection
                                                                 : TPropKind::Object;
                p.objectClassOf = &Pointee::StaticClassInfo;
                p.isReference = std::is_base_of_v<TComponent, Pointee>;
                p.getObject = [=](const TObject& o) -> TObject* { return (self(o).*getter)(); };
                if constexpr (hasSetter) {
                    p.setObject = [=](TObject& o, TObject* v) {
                        (mut(o).*setter)(static_cast<Pointee*>(v));
                    };
                }
            }
        } else {
            p.getOrd = [=](const TObject& o) { return ToOrd((self(o).*getter)()); };
            if constexpr (hasSetter) {
                using A = typename detail::SetterTraits<Setter>::Arg;
                p.setOrd = [=](TObject& o, std::int64_t v) { (mut(o).*setter)(FromOrd<A>(v)); };
            }
            if constexpr (std::is_same_v<V, bool>) {
                p.kind = TPropKind::Boolean;
            } else if constexpr (std::is_same_v<V, char32_t>) {
                p.kind = TPropKind::Char;
            } else if constexpr (NamedEnum<V>) {
                p.kind = TPropKind::Enumeration;
                p.enumInfo = &EnumInfoOf(V{});
            } else if constexpr (NamedInteger<V>) {
                p.kind = TPropKind::Integer;
                p.identMap = &IdentMapOf(V{});
            } else if constexpr (requires { V::FromBits(0u); }) {
                p.kind = TPropKind::Set;
                p.enumInfo = &EnumInfoOf(ElementOf(V{}));
            } else {
                static_assert(std::is_integral_v<V>, "unsupported property type");
                p.kind = TPropKind::Integer;
            }
        }
        return info_.AddProperty(std::move(p));
    }

    template <class B, class... Args>
    TPropInfo& Event(std::string_view name, TEvent<Args...> B::*member) {
        TPropInfo p;
        p.name = std::string(name);
        p.kind = TPropKind::Event;
        p.signature = &TEvent<Args...>::Signature();
        p.getEvent = [=](const TObject& o) { return (static_cast<const T&>(o).*member).Method(); };
        p.setEvent = [=](TObject& o, const TMethod& m) { (static_cast<T&>(o).*member).Set(m); };
        return info_.AddProperty(std::move(p));
    }

    template <auto Member> void Method(std::string_view name) {
        using Traits = detail::MemberTraits<decltype(Member)>;
        info_.AddMethod(name, Traits::Signature(), Traits::template Thunk<Member>());
    }

    template <class B, class F> void Field(std::string_view name, F* B::*member) {
        TFieldInfo f;
        f.name = std::string(name);
        f.fieldClassOf = &F::StaticClassInfo;
        f.set = [=](TObject& o, TObject* c) { static_cast<T&>(o).*member = static_cast<F*>(c); };
        info_.AddField(std::move(f));
    }

private:
    template <class V> static std::int64_t ToOrd(V v) {
        if constexpr (requires { v.Bits(); }) {
            return std::int64_t(v.Bits());
        } else {
            return std::int64_t(v);
        }
    }
    template <class A> static A FromOrd(std::int64_t v) {
        if constexpr (requires { A::FromBits(0u); }) {
            return A::FromBits(std::uint32_t(v));
        } else if constexpr (std::is_same_v<A, bool>) {
            return v != 0;
        } else {
            return static_cast<A>(v);
        }
    }
    template <class E> static E ElementOf(TSet<E>) { return E{}; }

    TClassInfo& info_;
};

} // namespace kvc

#define KVC_REGISTER_CLASS(Name)                                                                   \
    const ::kvc::TClassInfo& Name::StaticClassInfo() {                                             \
        static const ::kvc::TClassInfo info(#Name, &inherited::StaticClassInfo(),                  \
                                            ::kvc::detail::FactoryOf<Name>(),                      \
                                            &::kvc::TClassBuilder<Name>::Initialize);              \
        return info;                                                                               \
    }                                                                                              \
    void Name::RegisterMembers([[maybe_unused]] ::kvc::TClassBuilder<Name>& c)

#define KVC_METHOD(Name) c.template Method<&std::remove_cvref_t<decltype(c)>::Class::Name>(#Name)
#define KVC_FIELD(Name) c.Field(#Name, &std::remove_cvref_t<decltype(c)>::Class::Name)
