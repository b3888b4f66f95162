#include "toolkit/image_list.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TCustomImageList) {
    c.Property("AllocBy", &TCustomImageList::GetAllocBy, &TCustomImageList::SetAllocBy);
    c.Property("BkColor", &TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor);
    // GetBitmap also names the copy of one image into a bitmap.
    using TStoredGetter = std::vector<std::uint8_t> (TCustomImageList::*)() const;
    c.Property("Bitmap", static_cast<TStoredGetter>(&TCustomImageList::GetBitmap),
               &TCustomImageList::SetBitmap);
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

int TCustomImageList::AddImage(TImagePixels pixels, TImageMask mask) {
    CheckSize(pixels);
    images_.push_back({std::move(pixels), std::move(mask)});
    Change();
    return Count() - 1;
}

int TCustomImageList::Add(TImagePixels pixels) {
    TImageMask opaque(pixels.size(), false);
    return AddImage(std::move(pixels), std::move(opaque));
}

int TCustomImageList::AddMasked(TImagePixels pixels, TColor transparentColor) {
    TColor key = ColorToRGB(transparentColor);
    TImageMask mask(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        mask[i] = ColorToRGB(pixels[i]) == key;
    }
    return AddImage(std::move(pixels), std::move(mask));
}

void TCustomImageList::Replace(int index, TImagePixels pixels) {
    CheckIndex(index);
    CheckSize(pixels);
    TImageMask opaque(pixels.size(), false);
    images_[std::size_t(index)] = {std::move(pixels), std::move(opaque)};
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
    return images_[std::size_t(index)].pixels;
}

const TCustomImageList::TImageMask& TCustomImageList::Mask(int index) const {
    CheckIndex(index);
    return images_[std::size_t(index)].mask;
}

void TCustomImageList::Change() {
    OnChange(this);
}

} // namespace kvc
