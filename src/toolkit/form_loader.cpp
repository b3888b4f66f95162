#include "toolkit/form_loader.h"

#include "runtime/string_list.h"
#include "runtime/strings.h"
#include "runtime/utf8.h"
#include "toolkit/collection.h"
#include "toolkit/form.h"
#include "toolkit/form_definitions.h"

#include <algorithm>
#include <vector>

namespace kvc {

namespace {

std::string Describe(const TObject& object) {
    if (const auto* c = As<TComponent>(&object)) {
        return std::string(c->ClassName()) + " '" + c->GetName() + "'";
    }
    return std::string(object.ClassName());
}

class Loader {
public:
    explicit Loader(TComponent& root) : root_(root) {}

    // className: the class whose definition this is (the root's class or
    // one of its ancestors).
    void Apply(const DfmObject& tree, std::string_view fileName, std::string_view className) {
        file_ = std::string(fileName);
        if (!SameText(tree.className, className)) {
            Fail(tree.line,
                 "the definition is of " + tree.className + ", not of " + std::string(className));
        }
        if (!tree.name.empty() && !SameText(tree.name, root_.GetName())) {
            Guard(tree.line, [&] { root_.SetName(UniqueRootName(tree.name)); });
        }
        Track(root_);
        ApplyProperties(root_, tree.properties);
        for (const DfmObject& child : tree.children) {
            ApplyChild(child, root_);
        }
    }

    void Finish() {
        for (const Fixup& f : fixups_) {
            file_ = f.file;
            Resolve(f);
        }
        fixups_.clear();
        for (TComponent* c : loaded_) {
            c->ExcludeState(csReading);
        }
        for (TComponent* c : loaded_) {
            c->Loaded();
        }
    }

private:
    struct Fixup {
        TObject* target;
        const TPropInfo* prop;
        std::string name;
        std::string file;
        int line;
    };

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EReadError(file_ + ":" + IntToStr(line) + ": " + message);
    }

    template <class F> void Guard(int line, F&& action) {
        try {
            action();
        } catch (const EFilerError&) {
            throw;
        } catch (const Exception& e) {
            Fail(line, e.Message());
        }
    }

    void Track(TComponent& c) {
        if (std::find(loaded_.begin(), loaded_.end(), &c) == loaded_.end()) {
            c.IncludeState(csLoading);
            c.IncludeState(csReading);
            loaded_.push_back(&c);
        }
    }

    // A second form of a class owned by the same owner is named frmX_1, ...
    std::string UniqueRootName(const std::string& name) const {
        TComponent* owner = root_.Owner();
        if (owner == nullptr || owner->FindComponent(name) == nullptr) {
            return name;
        }
        for (int i = 1;; ++i) {
            std::string candidate = name + "_" + IntToStr(i);
            TComponent* taken = owner->FindComponent(candidate);
            if (taken == nullptr || taken == &root_) {
                return candidate;
            }
        }
    }

    const TClassInfo* ClassFor(const DfmObject& node) const {
        if (const TClassInfo* cls = FindClass(node.className)) {
            return cls;
        }
        // A class nobody registered is still known through the form's field
        // of that name.
        if (const TFieldInfo* field = root_.ClassType().FindField(node.name)) {
            if (SameText(field->FieldClass().Name(), node.className)) {
                return &field->FieldClass();
            }
        }
        return nullptr;
    }

    void ApplyChild(const DfmObject& node, TComponent& parent) {
        TComponent* component = nullptr;
        if (node.kind == DfmObject::Kind::Inherited) {
            component = root_.FindComponent(node.name);
            if (component == nullptr) {
                Fail(node.line, "inherited component '" + node.name + "' not found");
            }
            if (!SameText(component->ClassName(), node.className)) {
                Fail(node.line, "inherited component '" + node.name + "' is a " +
                                    std::string(component->ClassName()) + ", not a " +
                                    node.className);
            }
        } else {
            const TClassInfo* cls = ClassFor(node);
            if (cls == nullptr) {
                throw EClassNotFound(file_ + ":" + IntToStr(node.line) + ": class '" +
                                     node.className + "' not found (component '" + node.name +
                                     "')");
            }
            Guard(node.line, [&] {
                TOwned<TComponent> created = TComponent::CreateInstance(*cls);
                created->IncludeState(csLoading);
                created->IncludeState(csReading);
                created->SetName(node.name);
                component = root_.InsertComponent(std::move(created));
                component->AfterConstruction();
                component->SetParentComponent(&parent);
            });
        }
        Track(*component);
        ApplyProperties(*component, node.properties);
        for (const DfmObject& child : node.children) {
            ApplyChild(child, *component);
        }
    }

    void ApplyProperties(TObject& target, const std::vector<DfmProperty>& properties) {
        for (const DfmProperty& p : properties) {
            ApplyProperty(target, p);
        }
    }

    void ApplyProperty(TObject& target, const DfmProperty& p) {
        TObject* object = &target;
        std::string_view path = p.name;
        while (true) {
            std::size_t dot = path.find('.');
            std::string_view part = path.substr(0, dot);
            const TPropInfo* prop = object->ClassType().FindProperty(part);
            if (prop == nullptr) {
                Fail(p.line, "unknown property '" + p.name + "' of " + Describe(target));
            }
            if (dot == std::string_view::npos) {
                SetValue(*object, *prop, p, target);
                return;
            }
            std::string_view rest = path.substr(dot + 1);
            if (prop->kind == TPropKind::StringList && SameText(rest, "Strings")) {
                SetValue(*object, *prop, p, target);
                return;
            }
            if (prop->kind != TPropKind::Object || prop->isReference) {
                Fail(p.line, "property '" + std::string(part) + "' of " + Describe(target) +
                                 " has no sub-properties");
            }
            object = prop->getObject(*object);
            if (object == nullptr) {
                Fail(p.line, "property '" + std::string(part) + "' of " + Describe(target) +
                                 " holds no object");
            }
            path = rest;
        }
    }

    [[noreturn]] void BadValue(const DfmProperty& p, const TObject& owner,
                               const std::string& expected) {
        Fail(p.value.line, "invalid value for property '" + p.name + "' of " + Describe(owner) +
                               ": " + expected + " expected");
    }

    void SetValue(TObject& object, const TPropInfo& prop, const DfmProperty& p,
                  const TObject& owner) {
        using K = DfmValue::Kind;
        const DfmValue& v = p.value;
        if (prop.IsReadOnly() && prop.kind != TPropKind::StringList &&
            prop.kind != TPropKind::Collection) {
            Fail(p.line, "property '" + p.name + "' of " + Describe(owner) + " is read-only");
        }
        switch (prop.kind) {
        case TPropKind::String:
            if (v.kind != K::String) {
                BadValue(p, owner, "a text");
            }
            Guard(p.line, [&] { prop.setStr(object, v.text); });
            return;
        case TPropKind::Integer: {
            std::int64_t value = 0;
            if (v.kind == K::Integer) {
                value = v.integer;
            } else if (v.kind == K::Identifier && prop.identMap != nullptr &&
                       prop.identMap->ValueOf(v.text)) {
                value = *prop.identMap->ValueOf(v.text);
            } else {
                BadValue(p, owner,
                         prop.identMap != nullptr
                             ? "an integer or a name of " + std::string(prop.identMap->TypeName())
                             : "an integer");
            }
            Guard(p.line, [&] { prop.setOrd(object, value); });
            return;
        }
        case TPropKind::Char: {
            std::int64_t value = 0;
            if (v.kind == K::Integer) {
                value = v.integer;
            } else if (v.kind == K::String && Utf8Length(v.text) == 1) {
                std::size_t pos = 0;
                value = NextCodePoint(v.text, pos);
            } else {
                BadValue(p, owner, "a character");
            }
            Guard(p.line, [&] { prop.setOrd(object, value); });
            return;
        }
        case TPropKind::Enumeration: {
            auto value = v.kind == K::Identifier ? prop.enumInfo->ValueOf(v.text) : std::nullopt;
            if (!value) {
                BadValue(p, owner, "a value of " + std::string(prop.enumInfo->TypeName()));
            }
            Guard(p.line, [&] { prop.setOrd(object, *value); });
            return;
        }
        case TPropKind::Set: {
            if (v.kind != K::Set) {
                BadValue(p, owner, "a set");
            }
            std::int64_t bits = 0;
            for (const std::string& name : v.names) {
                auto e = prop.enumInfo->ValueOf(name);
                if (!e) {
                    BadValue(p, owner, "a set of " + std::string(prop.enumInfo->TypeName()));
                }
                bits |= std::int64_t(1) << *e;
            }
            Guard(p.line, [&] { prop.setOrd(object, bits); });
            return;
        }
        case TPropKind::Boolean: {
            if (v.kind != K::Identifier ||
                !(SameText(v.text, "True") || SameText(v.text, "False"))) {
                BadValue(p, owner, "True or False");
            }
            bool value = SameText(v.text, "True");
            Guard(p.line, [&] { prop.setOrd(object, value ? 1 : 0); });
            return;
        }
        case TPropKind::Float: {
            if (v.kind != K::Integer && v.kind != K::Float) {
                BadValue(p, owner, "a number");
            }
            double value = v.kind == K::Integer ? double(v.integer) : v.number;
            Guard(p.line, [&] { prop.setFloat(object, value); });
            return;
        }
        case TPropKind::Object:
        case TPropKind::Event:
            if (v.kind != K::Identifier || (prop.kind == TPropKind::Object && !prop.isReference)) {
                BadValue(p, owner,
                         prop.kind == TPropKind::Event ? "a method name" : "a component name");
            }
            fixups_.push_back(Fixup{&object, &prop, v.text, file_, v.line});
            return;
        case TPropKind::StringList: {
            if (v.kind != K::List) {
                BadValue(p, owner, "a list of texts");
            }
            TStringList list;
            for (const DfmValue& item : v.list) {
                if (item.kind != K::String) {
                    BadValue(p, owner, "a list of texts");
                }
                list.Add(item.text);
            }
            Guard(p.line, [&] {
                if (prop.setList) {
                    prop.setList(object, list);
                } else if (TStringList* target = prop.getList(object)) {
                    *target = list;
                }
            });
            return;
        }
        case TPropKind::Collection: {
            if (v.kind != K::Collection) {
                BadValue(p, owner, "a collection");
            }
            auto* collection = static_cast<TCollection*>(prop.getObject(object));
            if (collection == nullptr) {
                Fail(p.line,
                     "property '" + p.name + "' of " + Describe(owner) + " holds no collection");
            }
            Guard(p.line, [&] { collection->Clear(); });
            for (const auto& itemProperties : v.items) {
                TCollectionItem* item = nullptr;
                Guard(p.line, [&] { item = collection->Add(); });
                for (const DfmProperty& ip : itemProperties) {
                    ApplyProperty(*item, ip);
                }
            }
            return;
        }
        case TPropKind::Binary:
            if (v.kind != K::Binary) {
                BadValue(p, owner, "binary data");
            }
            Guard(p.line, [&] { prop.setBytes(object, v.bytes); });
            return;
        }
    }

    void Resolve(const Fixup& f) {
        bool nil = SameText(f.name, "nil");
        if (f.prop->kind == TPropKind::Event) {
            TMethod method;
            if (!nil) {
                const TMethodInfo* info = root_.ClassType().FindMethod(f.name);
                if (info == nullptr) {
                    Fail(f.line, "unknown method '" + f.name + "' for property '" + f.prop->name +
                                     "' of " + Describe(*f.target));
                }
                method = TMethod{info, &root_};
            }
            Guard(f.line, [&] { f.prop->setEvent(*f.target, method); });
            return;
        }
        TComponent* component = nullptr;
        if (!nil) {
            component = SameText(f.name, root_.GetName()) ? &root_ : root_.FindComponent(f.name);
            if (component == nullptr) {
                Fail(f.line, "unknown component '" + f.name + "' for property '" + f.prop->name +
                                 "' of " + Describe(*f.target));
            }
            if (!component->InheritsFrom(*f.prop->ObjectClass())) {
                Fail(f.line, "component '" + f.name + "' is a " +
                                 std::string(component->ClassName()) + ", not a " +
                                 std::string(f.prop->ObjectClass()->Name()) + " for property '" +
                                 f.prop->name + "'");
            }
        }
        Guard(f.line, [&] { f.prop->setObject(*f.target, component); });
    }

    TComponent& root_;
    std::string file_;
    std::vector<Fixup> fixups_;
    std::vector<TComponent*> loaded_;
};

} // namespace

void ReadComponentDefinition(TComponent& root, const DfmObject& tree, std::string_view fileName) {
    Loader loader(root);
    loader.Apply(tree, fileName, root.ClassName());
    loader.Finish();
}

void ReadFormDefinitions(TCustomForm& form) {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* cls = &form.ClassType();
         cls != nullptr && cls != &TForm::StaticClassInfo() &&
         cls != &TCustomForm::StaticClassInfo();
         cls = cls->Parent()) {
        chain.insert(chain.begin(), cls);
    }
    Loader loader(form);
    bool any = false;
    for (const TClassInfo* cls : chain) {
        auto tree = ParsedFormDefinition(cls->Name());
        if (!tree) {
            continue;
        }
        any = true;
        const TFormDefinition* definition = FindFormDefinition(cls->Name());
        loader.Apply(*tree, definition->fileName, cls->Name());
    }
    if (any) {
        loader.Finish();
    }
}

} // namespace kvc
