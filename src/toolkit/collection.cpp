#include "toolkit/collection.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/component.h"

namespace kvc {

KVC_REGISTER_CLASS(TCollectionItem) {}
KVC_REGISTER_CLASS(TCollection) {}

int TCollectionItem::Index() const {
    if (collection_ == nullptr) {
        return -1;
    }
    for (int i = 0; i < collection_->Count(); ++i) {
        if (collection_->Items(i) == this) {
            return i;
        }
    }
    return -1;
}

TCollection::TCollection(const TClassInfo& itemClass) : itemClass_(&itemClass) {
    if (!itemClass.InheritsFrom(TCollectionItem::StaticClassInfo()) ||
        itemClass.GetFactory() == nullptr) {
        throw EComponentError(std::string(itemClass.Name()) + " cannot be a collection item class");
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throw EComponentError("List index out of bounds (" + IntToStr(index) + ")");
    }
    return items_[std::size_t(index)].get();
}

TCollectionItem* TCollection::Add() {
    std::unique_ptr<TObject> object = itemClass_->GetFactory()();
    std::unique_ptr<TCollectionItem> item(static_cast<TCollectionItem*>(object.release()));
    item->collection_ = this;
    items_.push_back(std::move(item));
    Changed();
    return items_.back().get();
}

void TCollection::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TCollection::Clear() {
    if (!items_.empty()) {
        items_.clear();
        Changed();
    }
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = As<TCollection>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    items_.clear();
    for (const auto& item : other->items_) {
        Add()->Assign(*item);
    }
    Changed();
}

void TCollection::Changed() {
    if (OnChange) {
        OnChange();
    }
}

} // namespace kvc
