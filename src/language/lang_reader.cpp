#include "language/lang_reader.h"

#include "runtime/strings.h"
#include "toolkit/class_info.h"
#include "toolkit/collection.h"
#include "toolkit/combo_box.h"
#include "toolkit/form.h"
#include "toolkit/list_view.h"
#include "toolkit/properties.h"
#include "toolkit/tree_view.h"

#include <optional>
#include <vector>

namespace kvc::language {

namespace {

// Where a path has led so far: an object, or a string list (which the
// toolkit keeps outside the object model).
struct Target {
    TObject* object = nullptr;
    TStringList* list = nullptr;
};

// "Items_3" -> ("Items", 3); a segment without "_" and a number keeps index -1.
struct Segment {
    std::string name;
    int index = -1;
    bool indexed = false;
};

Segment SplitSegment(const std::string& segment) {
    const std::size_t bar = segment.rfind('_');
    std::int32_t index = 0;
    if (bar == std::string::npos || !TryStrToInt(segment.substr(bar + 1), index)) {
        return {segment, -1, false};
    }
    return {segment.substr(0, bar), static_cast<int>(index), true};
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> segments;
    std::size_t start = 0;
    for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
        segments.push_back(Trim(path.substr(start, dot - start)));
        start = dot + 1;
    }
    segments.push_back(Trim(path.substr(start)));
    return segments;
}

// The object or string list a published property holds; nullopt when the
// object has no such property of either kind.
std::optional<Target> PropertyTarget(TObject* object, const std::string& name) {
    const TPropertyRef ref = FindPropertyPath(object, name);
    if (!ref || name.find('.') != std::string::npos) {
        return std::nullopt;
    }
    const TPropInfo& prop = *ref.prop;
    if ((prop.kind == TPropKind::Object || prop.kind == TPropKind::Collection) && prop.getObject) {
        TObject* value = prop.getObject(*ref.object);
        return value != nullptr ? std::optional<Target>(Target{value, nullptr}) : std::nullopt;
    }
    if (prop.kind == TPropKind::StringList && prop.getList) {
        TStringList* value = prop.getList(*ref.object);
        return value != nullptr ? std::optional<Target>(Target{nullptr, value}) : std::nullopt;
    }
    return std::nullopt;
}

// One indexed step ("Items_N", "Columns_N"); nullopt ends the walk unapplied.
// An index past the end names nothing, so the attribute is not applied.
std::optional<Target> IndexedStep(TObject* object, const Segment& segment) {
    const bool columns = SameText(segment.name, "Columns");
    if (auto* view = As<TListView>(object)) {
        if (columns) {
            TListColumns* all = view->GetColumns();
            if (all != nullptr && segment.index >= 0 && segment.index < all->Count()) {
                return Target{(*all)[segment.index], nullptr};
            }
            return std::nullopt;
        }
        if (segment.index >= 0 && segment.index < view->Items().Count()) {
            return Target{view->Items()[segment.index], nullptr};
        }
        return std::nullopt;
    }
    if (auto* tree = As<TTreeView>(object); tree != nullptr && !columns) {
        TTreeNodes* nodes = tree->GetItems();
        if (nodes != nullptr && segment.index >= 0 && segment.index < nodes->Count()) {
            return Target{nodes->Item(segment.index), nullptr};
        }
        return std::nullopt;
    }
    if (auto* collection = As<TCollection>(object)) {
        if (segment.index >= 0 && segment.index < collection->Count()) {
            return Target{collection->Items(segment.index), nullptr};
        }
        return std::nullopt;
    }
    return PropertyTarget(object, segment.name);
}

void SetLine(TStringList& list, int index, const std::string& value) {
    if (index < 0) {
        return;
    }
    while (list.Count() <= index) {
        list.Add("");
    }
    list.Put(index, value);
}

void ApplyValue(const Target& target, const Segment& last, const std::string& value) {
    if (target.list != nullptr) {
        SetLine(*target.list, last.index, value);
        return;
    }
    if (auto* row = As<TListItem>(target.object);
        row != nullptr && SameText(last.name, "Caption")) {
        row->SetCaption(value);
        return;
    }
    if (auto* node = As<TTreeNode>(target.object); node != nullptr && SameText(last.name, "Text")) {
        node->SetText(value);
        return;
    }
    TrySetPropertyPath(target.object, last.name, Variant(value));
}

bool IsIndexable(const Segment& segment) {
    return segment.indexed &&
           (SameText(segment.name, "Items") || SameText(segment.name, "Columns"));
}

} // namespace

void TComponentRead::ReadAttribute(const Variant& key) {
    if (element_.empty()) {
        return;
    }
    pugi::xml_attribute found;
    if (key.Kind() == VariantKind::Integer || key.Kind() == VariantKind::Int64) {
        const std::int64_t wanted = key.AsInt64();
        std::int64_t at = 0;
        for (pugi::xml_attribute a = element_.first_attribute(); a && !found;
             a = a.next_attribute(), ++at) {
            if (at == wanted) {
                found = a;
            }
        }
    } else if (key.IsString()) {
        found = element_.attribute(key.AsString().c_str());
    }
    if (found) {
        ApplyAttribute(found);
    }
}

void TComponentRead::ReadAll() {
    int count = 0;
    for (pugi::xml_attribute a = element_.first_attribute(); a; a = a.next_attribute()) {
        ++count;
    }
    for (int index = 0; index < count; ++index) {
        ReadAttribute(Variant(index));
    }
}

void TComponentRead::ApplyAttribute(pugi::xml_attribute attribute) {
    if (component_ == nullptr || !attribute) {
        return;
    }
    const std::vector<std::string> segments = SplitPath(attribute.name());
    const std::string value = attribute.value();
    Target target{component_, nullptr};
    std::size_t lastAt = segments.size() - 1;
    for (std::size_t at = 0; at + 1 < segments.size(); ++at) {
        const std::string& text = segments[at];
        if (target.object == nullptr) {
            return; // a string list holds no further properties
        }
        if (text.find('_') == std::string::npos) {
            const std::optional<Target> next = PropertyTarget(target.object, text);
            if (!next) {
                return;
            }
            target = *next;
            continue;
        }
        const Segment segment = SplitSegment(text);
        if (!IsIndexable(segment)) {
            lastAt = at; // the walk ends here; this segment names the property
            break;
        }
        const std::optional<Target> next = IndexedStep(target.object, segment);
        if (!next) {
            return;
        }
        target = *next;
    }
    const Segment last = SplitSegment(segments[lastAt]);
    if (target.object == component_ && last.index >= 0) {
        const std::optional<Target> property = PropertyTarget(component_, last.name);
        if (!property) {
            return;
        }
        target = *property;
    }
    if (target.object == nullptr && target.list == nullptr) {
        return;
    }
    ApplyValue(target, last, value);
}

void TCustomComboBoxRead::ReadAll() {
    auto* combo = As<TComboBox>(GetComponent());
    const int selected = combo != nullptr ? combo->GetItemIndex() : -1;
    TComponentRead::ReadAll();
    if (combo != nullptr) {
        combo->SetItemIndex(selected);
    }
}

void TwwDBCustomComboBoxRead::ReadAll() {
    TComponent* combo = GetComponent();
    const std::int64_t selected = GetOrdPropertyByName(combo, "ItemIndex");
    TComponentRead::ReadAll();
    SetOrdPropertyByName(combo, "ItemIndex", selected);
}

namespace {

bool IsInfoPowerComboBox(const TComponent& component) {
    for (const TClassInfo* cls = &component.ClassType(); cls != nullptr; cls = cls->Parent()) {
        if (SameText(cls->Name(), "TwwDBCustomComboBox")) {
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<ILangRead> TReaderFactory::CreateReader(TComponent* component,
                                                        pugi::xml_node element) {
    if (component != nullptr && IsInfoPowerComboBox(*component)) {
        return std::make_unique<TwwDBCustomComboBoxRead>(component, element);
    }
    if (As<TComboBox>(component) != nullptr) {
        return std::make_unique<TCustomComboBoxRead>(component, element);
    }
    return std::make_unique<TComponentRead>(component, element);
}

bool TLangReader::IsExcluded(const std::string& name) const {
    const std::string wanted = Trim(name);
    for (int i = 0; i < exclude_.Count(); ++i) {
        if (SameText(Trim(exclude_[i]), wanted)) {
            return true;
        }
    }
    return false;
}

void TLangReader::Apply(TComponent* component, pugi::xml_node element) {
    beforeLoad_(sender_, component, element);
    TReaderFactory::CreateReader(component, element)->ReadAll();
    afterLoad_(sender_, component, element);
}

void TLangReader::LoadComponent(TComponent* component) {
    if (component == nullptr) {
        return;
    }
    const pugi::xml_node root = document_.document_element();
    if (As<TCustomForm>(component) != nullptr && root) {
        Apply(component, root);
    }
    const std::string& name = component->GetName();
    if (!name.empty() && !IsExcluded(name)) {
        // The first element of that name anywhere in the document ("//name").
        const pugi::xml_node element = document_.find_node([&name](pugi::xml_node node) {
            return node.type() == pugi::node_element && name == node.name();
        });
        if (element) {
            Apply(component, element);
        }
    }
    for (int i = 0; i < component->ComponentCount(); ++i) {
        LoadComponent(component->Components(i));
    }
}

} // namespace kvc::language
