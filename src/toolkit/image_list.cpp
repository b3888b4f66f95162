#include "toolkit/image_list.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TCustomImageList) {
    c.Property("AllocBy", &TCustomImageList::GetAllocBy, &TCustomImageList::SetAllocBy);
    c.Property("BkColor", &TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor);
    c.Property("Bitmap", &TCustomImageList::GetBitmap, &TCustomImageList::SetBitmap);
    c.Property("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight);
    c.Property("Masked", &TCustomImageList::GetMasked, &TCustomImageList::SetMasked);
    c.Property("ShareImages", &TCustomImageList::GetShareImages, &TCustomImageList::SetShareImages);
    c.Property("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth);
    c.Event("OnChange", &TCustomImageList::OnChange);
}

KVC_REGISTER_CLASS(TImageList) {}

void TCustomImageList::SetWidth(int value) {
    if (value != width_) {
        width_ = value;
        Clear();
    }
}

void TCustomImageList::SetHeight(int value) {
    if (value != height_) {
        height_ = value;
        Clear();
    }
}

void TCustomImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw EInvalidOperation("Image index out of bounds (" + IntToStr(index) + ")");
    }
}

void TCustomImageList::CheckSize(const TImagePixels& pixels) const {
    if (pixels.size() != std::size_t(width_) * std::size_t(height_)) {
        throw EInvalidOperation("Invalid image size: " + IntToStr(int(pixels.size())) +
                                " pixels for " + IntToStr(width_) + " x " + IntToStr(height_));
    }
}

int TCustomImageList::Add(TImagePixels pixels) {
    CheckSize(pixels);
    images_.push_back(std::move(pixels));
    Change();
    return Count() - 1;
}

void TCustomImageList::Replace(int index, TImagePixels pixels) {
    CheckIndex(index);
    CheckSize(pixels);
    images_[std::size_t(index)] = std::move(pixels);
    Change();
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    images_.erase(images_.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    if (!images_.empty()) {
        images_.clear();
        Change();
    }
}

const TCustomImageList::TImagePixels& TCustomImageList::Image(int index) const {
    CheckIndex(index);
    return images_[std::size_t(index)];
}

void TCustomImageList::Change() {
    OnChange(this);
}

} // namespace kvc
