#include "toolkit/properties.h"

#include "runtime/strings.h"
#include "runtime/utf8.h"

namespace kvc {

namespace {

bool IsText(const TPropInfo& p) {
    return p.kind == TPropKind::String || p.kind == TPropKind::Char;
}

// Whether value fits the ordinal property.
bool ValidOrdinal(const TPropInfo& p, std::int64_t value) {
    switch (p.kind) {
    case TPropKind::Enumeration:
        return value >= 0 && value < p.enumInfo->Count();
    case TPropKind::Set:
        return value >= 0 && (value >> p.enumInfo->Count()) == 0;
    case TPropKind::Boolean:
        return value == 0 || value == 1;
    case TPropKind::Char:
        return value >= 0 && value <= 0x10FFFF;
    default:
        return true;
    }
}

std::int64_t SetBitsFromText(const TPropInfo& p, std::string_view text) {
    std::string s = Trim(text);
    if (!s.empty() && s.front() == '[') {
        if (s.back() != ']') {
            throw EPropertyError("Invalid set value '" + s + "' for property " + p.name);
        }
        s = s.substr(1, s.size() - 2);
    }
    std::int64_t bits = 0;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t comma = s.find(',', start);
        std::string element =
            Trim(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!element.empty()) {
            auto v = p.enumInfo->ValueOf(element);
            if (!v) {
                throw EPropertyError("Invalid property value '" + element + "' for property " +
                                     p.name);
            }
            bits |= std::int64_t(1) << *v;
        }
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return bits;
}

} // namespace

TPropertyRef FindPropertyPath(TObject* object, std::string_view path) {
    if (object == nullptr || path.empty()) {
        return {};
    }
    while (true) {
        std::size_t dot = path.find('.');
        const TPropInfo* prop = object->ClassType().FindProperty(path.substr(0, dot));
        if (prop == nullptr) {
            return {};
        }
        if (dot == std::string_view::npos) {
            return {object, prop};
        }
        if (prop->kind != TPropKind::Object || prop->isReference) {
            return {};
        }
        object = prop->getObject(*object);
        if (object == nullptr) {
            return {};
        }
        path = path.substr(dot + 1);
    }
}

static TPropertyRef FindConst(const TObject* object, std::string_view path) {
    return FindPropertyPath(const_cast<TObject*>(object), path);
}

bool HasPublishedProperty(const TObject* component, std::string_view name) {
    return bool(FindConst(component, name));
}

std::string GetStrPropertyByName(const TObject* component, std::string_view name) {
    TPropertyRef ref = FindConst(component, name);
    if (!ref || !IsText(*ref.prop)) {
        return {};
    }
    if (ref.prop->kind == TPropKind::Char) {
        std::string out;
        if (auto c = ref.prop->getOrd(*ref.object); c != 0) {
            AppendUtf8(out, char32_t(c));
        }
        return out;
    }
    return ref.prop->getStr(*ref.object);
}

bool SetStrPropertyByName(TObject* component, std::string_view name, const std::string& value) {
    TPropertyRef ref = FindPropertyPath(component, name);
    if (!ref || !IsText(*ref.prop) || ref.prop->IsReadOnly()) {
        return false;
    }
    if (ref.prop->kind == TPropKind::Char) {
        if (Utf8Length(value) > 1) {
            return false;
        }
        std::size_t pos = 0;
        ref.prop->setOrd(*ref.object, value.empty() ? 0 : NextCodePoint(value, pos));
        return true;
    }
    ref.prop->setStr(*ref.object, value);
    return true;
}

std::int64_t GetOrdPropertyByName(const TObject* control, std::string_view name) {
    TPropertyRef ref = FindConst(control, name);
    if (!ref || !ref.prop->IsOrdinal()) {
        return 0;
    }
    return ref.prop->getOrd(*ref.object);
}

bool SetOrdPropertyByName(TObject* component, std::string_view name, std::int64_t value) {
    TPropertyRef ref = FindPropertyPath(component, name);
    if (!ref || !ref.prop->IsOrdinal() || !ref.prop->setOrd || !ValidOrdinal(*ref.prop, value)) {
        return false;
    }
    ref.prop->setOrd(*ref.object, value);
    return true;
}

TMethod GetEventByName(const TObject* object, std::string_view name) {
    TPropertyRef ref = FindConst(object, name);
    if (!ref || ref.prop->kind != TPropKind::Event) {
        return {};
    }
    return ref.prop->getEvent(*ref.object);
}

bool SetEventByName(TObject* object, std::string_view name, const TMethod& handler) {
    TPropertyRef ref = FindPropertyPath(object, name);
    if (!ref || ref.prop->kind != TPropKind::Event) {
        return false;
    }
    if (handler.Code != nullptr && handler.Code->signature != ref.prop->signature) {
        return false;
    }
    ref.prop->setEvent(*ref.object, handler);
    return true;
}

void SetPropertyPath(TObject* object, std::string_view path, const Variant& value) {
    TPropertyRef ref = FindPropertyPath(object, path);
    if (!ref) {
        throw EPropertyError("Property " + std::string(path) + " does not exist");
    }
    const TPropInfo& p = *ref.prop;
    TObject& target = *ref.object;
    if (p.IsReadOnly()) {
        throw EPropertyError("Property " + p.name + " is read-only");
    }
    bool integral = value.Kind() == VariantKind::Integer || value.Kind() == VariantKind::Int64 ||
                    value.Kind() == VariantKind::Boolean;
    switch (p.kind) {
    case TPropKind::Integer: {
        std::int64_t v = 0;
        if (p.identMap != nullptr && value.IsString()) {
            std::string text = Trim(value.AsString());
            auto named = p.identMap->ValueOf(text);
            if (named) {
                v = *named;
            } else if (!TryStrToInt64(text, v)) {
                throw EPropertyError("Invalid property value '" + text + "' for property " +
                                     p.name);
            }
        } else {
            v = value.AsInt64();
        }
        p.setOrd(target, v);
        return;
    }
    case TPropKind::Enumeration:
    case TPropKind::Set: {
        std::int64_t v = 0;
        if (integral) {
            v = value.AsInt64();
        } else if (p.kind == TPropKind::Set) {
            v = SetBitsFromText(p, value.AsString());
        } else {
            std::string text = Trim(value.AsString());
            auto e = p.enumInfo->ValueOf(text);
            if (!e) {
                throw EPropertyError("Invalid property value '" + text + "' for property " +
                                     p.name);
            }
            v = *e;
        }
        if (!ValidOrdinal(p, v)) {
            throw EPropertyError("Invalid property value for property " + p.name);
        }
        p.setOrd(target, v);
        return;
    }
    case TPropKind::Boolean:
        p.setOrd(target, value.AsBoolean() ? 1 : 0);
        return;
    case TPropKind::Char: {
        std::int64_t code = 0;
        if (integral) {
            code = value.AsInt64();
        } else {
            std::string text = value.AsString();
            if (Utf8Length(text) > 1) {
                throw EPropertyError("Invalid property value '" + text + "' for property " +
                                     p.name);
            }
            std::size_t pos = 0;
            code = text.empty() ? 0 : NextCodePoint(text, pos);
        }
        if (!ValidOrdinal(p, code)) {
            throw EPropertyError("Invalid property value for property " + p.name);
        }
        p.setOrd(target, code);
        return;
    }
    case TPropKind::String:
        p.setStr(target, value.AsString());
        return;
    case TPropKind::Float:
        p.setFloat(target, value.AsDouble());
        return;
    default:
        throw EPropertyError("Property " + p.name + " of kind " +
                             std::string(PropKindName(p.kind)) + " cannot take a variant value");
    }
}

bool TrySetPropertyPath(TObject* object, std::string_view path, const Variant& value) {
    try {
        SetPropertyPath(object, path, value);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

TObject* GetObjectProperty(const TObject* object, std::string_view name) {
    TPropertyRef ref = FindConst(object, name);
    if (!ref || (ref.prop->kind != TPropKind::Object && ref.prop->kind != TPropKind::Collection)) {
        return nullptr;
    }
    return ref.prop->getObject(*ref.object);
}

} // namespace kvc
