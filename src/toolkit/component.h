// TComponent: named, owned objects with free notification.
//
// Ownership is the one the classic toolkit defines: an owner destroys the
// components it owns, the last created first, after its own destruction
// handlers have run. An unowned component belongs to whoever created it,
// through a TOwned<T> (a unique_ptr that runs the component's destruction
// steps before deleting it).
//
//   auto form = MakeUnique<TForm>();          // unowned, held by the caller
//   auto* edit = Create<TEdit>(form.get());   // owned by the form
//   edit->Free();                             // destroyed at once, removed from the form
#pragma once

#include "runtime/exceptions.h"
#include "toolkit/object.h"
#include "toolkit/set.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvc {

// A component name that is invalid or already taken, or a component in the
// wrong place.
KVC_DECLARE_EXCEPTION(EComponentError, Exception);

enum TComponentStateElement : int {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups
};
using TComponentState = TSet<TComponentStateElement>;

enum TOperation : int { opInsert, opRemove };

class TComponent;

struct ComponentDeleter {
    void operator()(TComponent* component) const;
};

template <class T> using TOwned = std::unique_ptr<T, ComponentDeleter>;

class TComponent : public TPersistent {
    KVC_CLASS(TComponent, TPersistent)
public:
    TComponent();
    ~TComponent() override;

    const std::string& GetName() const { return name_; }
    // An invalid identifier or a name another component of the same owner has
    // (letter case ignored) raises EComponentError.
    void SetName(std::string_view name);
    TComponent* Owner() const { return owner_; }
    std::intptr_t GetTag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // The owned component of that name (letter case ignored), or null.
    TComponent* FindComponent(std::string_view name) const;
    template <class T> T* Find(std::string_view name) const { return As<T>(FindComponent(name)); }

    TComponentState ComponentState() const { return state_; }
    bool IsLoading() const { return state_.Contains(csLoading); }
    bool IsDestroying() const { return state_.Contains(csDestroying); }
    // For the definition loader and the framework; the toolkit keeps
    // csDestroying itself.
    void IncludeState(TComponentStateElement e) { state_.Include(e); }
    void ExcludeState(TComponentStateElement e) { state_.Exclude(e); }

    // Asks for a removal notice (Notification with opRemove) when other is
    // destroyed; the notice goes both ways.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Destroys the component now. An unowned component is destroyed through
    // its holder instead: Free on one raises EInvalidOperation.
    void Free();

    // Takes ownership; the component must have no owner.
    TComponent* InsertComponent(TOwned<TComponent> component);
    // Gives up ownership of an owned component.
    TOwned<TComponent> RemoveComponent(TComponent* component);

    // Called once the component's definition has been read and its references
    // resolved; clears csLoading.
    virtual void Loaded();
    // The component a definition nests this one in (controls take it as their
    // parent); the base ignores it.
    virtual void SetParentComponent(TComponent* parent);

    // A token that expires when the component starts being destroyed; code
    // that raises an event and continues afterwards checks it.
    std::weak_ptr<const void> LifeToken() const { return life_; }

    // The class reference the classic "TComponentClass" was: construction by class.
    static TOwned<TComponent> CreateInstance(const TClassInfo& cls);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // The first step of destruction, while the whole object and everything it
    // owns still exist. Overrides run their own steps (OnDestroy) first and
    // then call the inherited one, which destroys the owned components.
    virtual void BeforeDestruction();

private:
    friend struct ComponentDeleter;
    void DestroyPhase();
    void DestroyComponents();
    void SetOwnerField(const TComponent& component, TComponent* value);
    void RemoveNotifier(TComponent* other);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TOwned<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_;
    std::intptr_t tag_ = 0;
    std::shared_ptr<const char> life_;
};

// Whether a component is still alive after running code that may destroy it.
class TDestroyGuard {
public:
    explicit TDestroyGuard(const TComponent& component) : token_(component.LifeToken()) {}
    bool Alive() const { return !token_.expired(); }

private:
    std::weak_ptr<const void> token_;
};

// A reference that becomes null when its target is destroyed.
template <class T> class TWeakRef {
public:
    TWeakRef() = default;
    TWeakRef(T* target) { // NOLINT: converts like the pointer it stands for
        Reset(target);
    }
    void Reset(T* target = nullptr) {
        target_ = target;
        token_ = target != nullptr ? target->LifeToken() : std::weak_ptr<const void>();
    }
    T* Get() const { return token_.expired() ? nullptr : target_; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

private:
    T* target_ = nullptr;
    std::weak_ptr<const void> token_;
};

// Creates a T owned by owner (which must not be null) and answers it.
template <class T> T* Create(TComponent* owner) {
    if (owner == nullptr) {
        throw EComponentError(std::string(T::StaticClassInfo().Name()) +
                              ": Create needs an owner; use MakeUnique for an unowned one");
    }
    auto* raw = static_cast<T*>(owner->InsertComponent(TOwned<TComponent>(new T)));
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

// Creates an unowned T held by the caller.
template <class T> TOwned<T> MakeUnique() {
    TOwned<T> object(new T);
    object->AfterConstruction();
    return object;
}

// Virtual construction: a component of a registered class, owned by owner.
// A class without a factory or that is no component raises EComponentError.
TComponent* CreateComponent(const TClassInfo& cls, TComponent* owner);

} // namespace kvc
