// TCustomImageList and TImageList: numbered pictures of one size that tool
// bars, menus, list and tree views refer to by index. Until the toolkit has
// bitmaps, an image is its pixels as plain data (Width x Height colours,
// row by row), and a definition's stored picture data is kept as it was read.
#pragma once

#include "toolkit/colors.h"
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <cstdint>
#include <vector>

namespace kvc {

class TCustomImageList : public TComponent {
    KVC_CLASS(TCustomImageList, TComponent)
public:
    using TImagePixels = std::vector<TColor>;

    int GetWidth() const { return width_; }
    // Changing the size clears the images.
    void SetWidth(int value);
    int GetHeight() const { return height_; }
    void SetHeight(int value);
    int GetAllocBy() const { return allocBy_; }
    void SetAllocBy(int value) { allocBy_ = value; }
    bool GetMasked() const { return masked_; }
    void SetMasked(bool value) { masked_ = value; }
    TColor GetBkColor() const { return bkColor_; }
    void SetBkColor(TColor value) { bkColor_ = value; }
    bool GetShareImages() const { return shareImages_; }
    void SetShareImages(bool value) { shareImages_ = value; }
    // The picture data a definition stores, kept unread.
    std::vector<std::uint8_t> GetBitmap() const { return stored_; }
    void SetBitmap(const std::vector<std::uint8_t>& data) { stored_ = data; }

    int Count() const { return int(images_.size()); }
    // Pixels of another size than Width x Height raise EInvalidOperation.
    int Add(TImagePixels pixels);
    void Replace(int index, TImagePixels pixels);
    void Delete(int index);
    void Clear();
    const TImagePixels& Image(int index) const;

    TNotifyEvent OnChange;

private:
    void CheckIndex(int index) const;
    void CheckSize(const TImagePixels& pixels) const;
    void Change();

    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    bool masked_ = true;
    bool shareImages_ = false;
    TColor bkColor_ = clNone;
    std::vector<std::uint8_t> stored_;
    std::vector<TImagePixels> images_;
};

class TImageList : public TCustomImageList {
    KVC_CLASS(TImageList, TCustomImageList)
};

} // namespace kvc
