// TCanvas: GDI-style drawing on a bitmap: a brush fills, a pen draws lines
// and frames, a font writes text; copies between canvases go through the
// ternary raster operations of GDI. Every operation is clipped to the clip
// rectangle and works in the canvas's coordinates (origin moved by
// SetOrigin, as a control paints in its own client coordinates).
#pragma once

#include "toolkit/control.h"
#include "toolkit/font.h"
#include "toolkit/graphics/bitmap.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

KVC_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
         bsDiagCross);
KVC_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
KVC_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
         pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

// Ternary raster operations: bits 16..23 are the result for each
// combination of pattern (brush), source and destination bits.
using TCopyMode = std::uint32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;
// Paints the brush where the source is black and keeps the destination
// where it is white (PSDPxax): a black-and-white mask stamps a shape in the
// brush colour.
inline constexpr TCopyMode cmMaskPaintBrush = 0x00B8074A;
// Paints the brush where the source is white, keeps it where black (DSPDxax).
inline constexpr TCopyMode cmMaskPaintBrushWhite = 0x00E20746;

// DrawText flags, with the Windows values.
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_HIDEPREFIX = 0x100000;

class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBitmap& Bitmap() const { return *bitmap_; }
    TBrush Brush;
    TPen Pen;
    TFont Font;
    TCopyMode CopyMode = cmSrcCopy;

    // Coordinates: the origin moves every later operation; the clip
    // rectangle (in canvas coordinates) bounds what they touch.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    TRect ClipRect() const;
    // Narrows the clip rectangle to its intersection with rect.
    void IntersectClipRect(const TRect& rect);
    void SetClipRect(const TRect& rect);
    void ResetClip();

    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void FillRect(const TRect& rect);
    // A frame in the pen, filled with the brush.
    void Rectangle(const TRect& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    void Ellipse(const TRect& rect);
    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line to (x, y), the last point not drawn.
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    // The dotted rectangle of the focus, drawn by inverting every other
    // pixel (drawing it twice removes it).
    void DrawFocusRect(const TRect& rect);

    // Text in the font; the background is filled with the brush unless its
    // style is bsClear.
    void TextOut(int x, int y, std::string_view text);
    // Text clipped to rect.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    // Lays out text in rect with the DT_ flags; "&" marks an accelerator
    // (underlined) and "&&" writes "&" unless DT_NOPREFIX. With DT_CALCRECT
    // rect receives the extent and nothing is drawn. Answers the height.
    int DrawText(std::string_view text, TRect& rect, unsigned flags);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    TSize TextExtent(std::string_view text);

    // Copies the whole picture at (x, y); a transparent picture leaves its
    // transparent colour out.
    void Draw(int x, int y, const TBitmap& picture);
    // Scales the picture to rect (nearest pixel).
    void StretchDraw(const TRect& rect, const TBitmap& picture);
    // Copies source's rectangle into dest (scaled when sizes differ) through CopyMode.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // Copies the picture's rectangle into dest, the pixels of the
    // transparent colour replaced by the brush colour.
    void BrushCopy(const TRect& dest, const TBitmap& picture, const TRect& sourceRect,
                   TColor transparentColor);

private:
    // The clipped device rectangle of a canvas rectangle.
    TRect DeviceRect(const TRect& rect) const;
    void BlendPixel(int deviceX, int deviceY, std::uint32_t rgb, int coverage);
    void PutPenPixel(int x, int y);
    void FillSpan(int y, int x0, int x1, std::uint32_t rgb);
    friend class TTextPainter;

    TBitmap* bitmap_;
    TPoint origin_;
    TRect clip_;
    bool clipped_ = false;
    TPoint penPos_;
};

// The raster operation on one 24-bit pixel.
std::uint32_t ApplyRop3(TCopyMode rop, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dest);

// Intersection, union and point tests of rectangles.
TRect IntersectRect(const TRect& a, const TRect& b);
TRect UnionRect(const TRect& a, const TRect& b);
bool IsRectEmpty(const TRect& r);
TRect InflateRect(const TRect& r, int dx, int dy);
TRect OffsetRect(const TRect& r, int dx, int dy);
bool PtInRect(const TRect& r, TPoint p);

} // namespace kvc
