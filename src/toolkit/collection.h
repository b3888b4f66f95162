// TCollection and TCollectionItem: the owned, ordered items of a collection
// property (list view columns, status bar panels), written in form
// definitions as `< item ... end >`.
#pragma once

#include "toolkit/object.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvc {

class TCollection;

class TCollectionItem : public TPersistent {
    KVC_CLASS(TCollectionItem, TPersistent)
public:
    TCollection* Collection() const { return collection_; }
    int Index() const;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
    KVC_CLASS(TCollection, TPersistent)
public:
    // Items are made through the item class's factory.
    explicit TCollection(const TClassInfo& itemClass);

    const TClassInfo& ItemClass() const { return *itemClass_; }
    int Count() const { return int(items_.size()); }
    TCollectionItem* Items(int index) const;
    template <class T> T* Item(int index) const { return As<T>(Items(index)); }
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    void Assign(const TPersistent& source) override;

    // Called after items are added, deleted or cleared.
    std::function<void()> OnChange;

private:
    void Changed();

    const TClassInfo* itemClass_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};

} // namespace kvc
