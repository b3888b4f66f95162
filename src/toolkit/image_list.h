// TCustomImageList and TImageList: numbered pictures of one size that tool
// bars, menus, list and tree views refer to by index. An image is its pixels
// (Width x Height colours, row by row) and its mask (which pixels are left
// out when it is drawn); a definition's stored picture data is kept as it
// was read. The members that take bitmaps and canvases live with them in
// the graphics library (image_list_draw.cpp), so the toolkit's core needs
// no pixels of its own.
#pragma once

#include "toolkit/colors.h"
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <cstdint>
#include <vector>

namespace kvc {

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
    KVC_CLASS(TCustomImageList, TComponent)
public:
    using TImagePixels = std::vector<TColor>;
    // One flag a pixel, true where the image is transparent.
    using TImageMask = std::vector<bool>;

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
    // An image added without a mask is opaque everywhere.
    int Add(TImagePixels pixels);
    // The pixels of transparentColor are left out when the image is drawn.
    int AddMasked(TImagePixels pixels, TColor transparentColor);
    void Replace(int index, TImagePixels pixels);
    void Delete(int index);
    void Clear();
    const TImagePixels& Image(int index) const;
    const TImageMask& Mask(int index) const;

    // Bitmaps (defined in the graphics library). A bitmap as wide as several
    // images adds them all, left to right; its height must be Height and its
    // width a multiple of Width, or EInvalidOperation is raised. Answers the
    // index of the first image added.
    // The mask's white pixels are transparent, its black ones opaque; no
    // mask leaves the images opaque.
    int Add(const TBitmap& image, const TBitmap* mask);
    // The pixels of maskColor are transparent; clDefault takes the bitmap's
    // transparent colour (its bottom-left pixel unless set).
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Draws the image with its transparent pixels left out (painted in
    // BkColor when that is not clNone). A disabled image is drawn embossed:
    // the shape of its dark pixels in the highlight colour one pixel right
    // and down, then in the shadow colour on top.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // The image on a bitmap of Width x Height, its transparent pixels in
    // BkColor (white when BkColor is clNone).
    void GetBitmap(int index, TBitmap& image) const;

    TNotifyEvent OnChange;

private:
    void CheckIndex(int index) const;
    void CheckSize(const TImagePixels& pixels) const;
    int AddImage(TImagePixels pixels, TImageMask mask);
    void Change();

    struct TImage {
        TImagePixels pixels;
        TImageMask mask;
    };

    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    bool masked_ = true;
    bool shareImages_ = false;
    TColor bkColor_ = clNone;
    std::vector<std::uint8_t> stored_;
    std::vector<TImage> images_;
};

class TImageList : public TCustomImageList {
    KVC_CLASS(TImageList, TCustomImageList)
};

} // namespace kvc
