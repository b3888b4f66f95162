#include "toolkit/component.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

namespace {

bool IsValidIdent(std::string_view s) {
    if (s.empty()) {
        return false;
    }
    auto alpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!alpha(s[0])) {
        return false;
    }
    return std::all_of(s.begin(), s.end(),
                       [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

} // namespace

void ComponentDeleter::operator()(TComponent* component) const {
    if (component == nullptr) {
        return;
    }
    component->DestroyPhase();
    delete component;
}

KVC_REGISTER_CLASS(TComponent) {
    c.Property("Name", &TComponent::GetName, &TComponent::SetName);
    c.Property("Tag", &TComponent::GetTag, &TComponent::SetTag);
}

TComponent::TComponent() : life_(std::make_shared<const char>('\0')) {}

TComponent::~TComponent() {
    // A component deleted without its destruction phase (never through the
    // toolkit) still gives up what it owns and the links to it.
    if (!state_.Contains(csDestroying)) {
        DestroyComponents();
        while (!freeNotifies_.empty()) {
            TComponent* other = freeNotifies_.back();
            freeNotifies_.pop_back();
            other->RemoveNotifier(this);
        }
    }
}

void TComponent::SetName(std::string_view name) {
    if (SameText(name, name_)) {
        name_ = std::string(name);
        return;
    }
    if (!name.empty() && !IsValidIdent(name)) {
        throw EComponentError("\"" + std::string(name) + "\" is not a valid component name");
    }
    if (owner_ != nullptr && !name.empty() && owner_->FindComponent(name) != nullptr) {
        throw EComponentError("A component named " + std::string(name) + " already exists");
    }
    if (owner_ != nullptr && !name_.empty()) {
        owner_->SetOwnerField(*this, nullptr);
    }
    name_ = std::string(name);
    if (owner_ != nullptr && !name_.empty()) {
        owner_->SetOwnerField(*this, this);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) {
        throw EComponentError("List index out of bounds (" + IntToStr(index) + ")");
    }
    return components_[std::size_t(index)].get();
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr) {
        return -1;
    }
    const auto& list = owner_->components_;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == this) {
            return int(i);
        }
    }
    return -1;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    for (const auto& c : components_) {
        if (SameText(c->name_, name)) {
            return c.get();
        }
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
    if (other == nullptr || other == this) {
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (other == nullptr) {
        return;
    }
    RemoveNotifier(other);
    other->RemoveNotifier(this);
}

void TComponent::RemoveNotifier(TComponent* other) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), other);
    if (it != freeNotifies_.end()) {
        freeNotifies_.erase(it);
    }
}

void TComponent::Free() {
    if (state_.Contains(csDestroying)) {
        return;
    }
    if (owner_ == nullptr) {
        throw EInvalidOperation("Free of the unowned component " + std::string(ClassName()) + " '" +
                                name_ + "': release it through its holder");
    }
    owner_->RemoveComponent(this).reset();
}

TComponent* TComponent::InsertComponent(TOwned<TComponent> component) {
    if (component == nullptr) {
        throw EComponentError("Cannot insert a null component");
    }
    if (component->owner_ != nullptr) {
        throw EComponentError("Component " + component->name_ + " already has an owner");
    }
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr) {
        throw EComponentError("A component named " + component->name_ + " already exists");
    }
    TComponent* raw = component.get();
    raw->owner_ = this;
    components_.push_back(std::move(component));
    if (!raw->name_.empty()) {
        SetOwnerField(*raw, raw);
    }
    Notification(raw, opInsert);
    return raw;
}

TOwned<TComponent> TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const auto& c) { return c.get() == component; });
    if (it == components_.end()) {
        throw EComponentError("The component is not owned by " + name_);
    }
    TOwned<TComponent> removed = std::move(*it);
    components_.erase(it);
    removed->owner_ = nullptr;
    if (!removed->name_.empty()) {
        SetOwnerField(*removed, nullptr);
    }
    if (!state_.Contains(csDestroying)) {
        Notification(removed.get(), opRemove);
    }
    return removed;
}

void TComponent::SetOwnerField(const TComponent& component, TComponent* value) {
    const TFieldInfo* field = ClassType().FindField(component.name_);
    if (field == nullptr) {
        return;
    }
    if (value != nullptr && !value->InheritsFrom(field->FieldClass())) {
        throw EComponentError("Field " + std::string(ClassName()) + "." + field->name +
                              " does not have a corresponding component of class " +
                              std::string(field->FieldClass().Name()));
    }
    field->set(*this, value);
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr) {
        RemoveFreeNotification(component);
    }
    for (const auto& c : components_) {
        c->Notification(component, operation);
    }
}

void TComponent::DestroyPhase() {
    if (state_.Contains(csDestroying)) {
        return;
    }
    state_.Include(csDestroying);
    life_.reset();
    BeforeDestruction();
}

void TComponent::BeforeDestruction() {
    DestroyComponents();
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveNotifier(this);
        other->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TOwned<TComponent> last = std::move(components_.back());
        components_.pop_back();
        last->owner_ = nullptr;
        if (!last->name_.empty()) {
            SetOwnerField(*last, nullptr);
        }
        last.reset();
    }
}

TOwned<TComponent> TComponent::CreateInstance(const TClassInfo& cls) {
    if (!cls.InheritsFrom(TComponent::StaticClassInfo())) {
        throw EComponentError(std::string(cls.Name()) + " is not a component class");
    }
    if (cls.GetFactory() == nullptr) {
        throw EComponentError("Cannot create an instance of the abstract class " +
                              std::string(cls.Name()));
    }
    std::unique_ptr<TObject> object = cls.GetFactory()();
    return TOwned<TComponent>(static_cast<TComponent*>(object.release()));
}

TComponent* CreateComponent(const TClassInfo& cls, TComponent* owner) {
    if (owner == nullptr) {
        throw EComponentError(std::string(cls.Name()) + ": CreateComponent needs an owner");
    }
    TComponent* raw = owner->InsertComponent(TComponent::CreateInstance(cls));
    TDestroyGuard guard(*raw);
    try {
        raw->AfterConstruction();
    } catch (...) {
        if (guard.Alive() && raw->Owner() == owner) {
            owner->RemoveComponent(raw).reset();
        }
        throw;
    }
    return raw;
}

} // namespace kvc
