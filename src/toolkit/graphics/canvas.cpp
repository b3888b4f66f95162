#include "toolkit/graphics/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kvc {

namespace {

constexpr std::uint32_t kRgbMask = 0xFFFFFF;

std::uint32_t Rgb(TColor color) {
    return std::uint32_t(ColorToRGB(color)) & kRgbMask;
}

// The pen modes as raster operations of two operands (pen P, destination D).
std::uint32_t ApplyPenMode(TPenMode mode, std::uint32_t p, std::uint32_t d) {
    switch (mode) {
    case pmBlack:
        return 0;
    case pmWhite:
        return kRgbMask;
    case pmNop:
        return d;
    case pmNot:
        return ~d & kRgbMask;
    case pmCopy:
        return p;
    case pmNotCopy:
        return ~p & kRgbMask;
    case pmMergePenNot:
        return (p | ~d) & kRgbMask;
    case pmMaskPenNot:
        return p & ~d & kRgbMask;
    case pmMergeNotPen:
        return (~p | d) & kRgbMask;
    case pmMaskNotPen:
        return ~p & d & kRgbMask;
    case pmMerge:
        return p | d;
    case pmNotMerge:
        return ~(p | d) & kRgbMask;
    case pmMask:
        return p & d;
    case pmNotMask:
        return ~(p & d) & kRgbMask;
    case pmXor:
        return p ^ d;
    case pmNotXor:
        return ~(p ^ d) & kRgbMask;
    }
    return p;
}

} // namespace

std::uint32_t ApplyRop3(TCopyMode rop, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dest) {
    unsigned table = (rop >> 16) & 0xFF;
    // Common cases first; the general case combines the eight minterms.
    switch (table) {
    case 0xCC:
        return source & kRgbMask;
    case 0xF0:
        return pattern & kRgbMask;
    default:
        break;
    }
    std::uint32_t result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if ((table >> index & 1) == 0) {
            continue;
        }
        std::uint32_t p = (index & 4) != 0 ? pattern : ~pattern;
        std::uint32_t s = (index & 2) != 0 ? source : ~source;
        std::uint32_t d = (index & 1) != 0 ? dest : ~dest;
        result |= p & s & d;
    }
    return result & kRgbMask;
}

TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? TRect{} : r;
}

TRect UnionRect(const TRect& a, const TRect& b) {
    if (IsRectEmpty(a)) {
        return b;
    }
    if (IsRectEmpty(b)) {
        return a;
    }
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

TRect InflateRect(const TRect& r, int dx, int dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

TRect OffsetRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool PtInRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(&bitmap) {
    Font.SetColor(clBlack);
}

TRect TCanvas::ClipRect() const {
    TRect device = clipped_ ? clip_ : TRect{0, 0, bitmap_->GetWidth(), bitmap_->GetHeight()};
    device = IntersectRect(device, {0, 0, bitmap_->GetWidth(), bitmap_->GetHeight()});
    return OffsetRect(device, -origin_.X, -origin_.Y);
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    TRect device = OffsetRect(rect, origin_.X, origin_.Y);
    clip_ = clipped_ ? IntersectRect(clip_, device) : device;
    clipped_ = true;
}

void TCanvas::SetClipRect(const TRect& rect) {
    clip_ = OffsetRect(rect, origin_.X, origin_.Y);
    clipped_ = true;
}

void TCanvas::ResetClip() {
    clipped_ = false;
}

TRect TCanvas::DeviceRect(const TRect& rect) const {
    TRect device = OffsetRect(rect, origin_.X, origin_.Y);
    TRect bounds{0, 0, bitmap_->GetWidth(), bitmap_->GetHeight()};
    if (clipped_) {
        bounds = IntersectRect(bounds, clip_);
    }
    return IntersectRect(device, bounds);
}

TColor TCanvas::GetPixel(int x, int y) const {
    TRect r = DeviceRect({x, y, x + 1, y + 1});
    if (IsRectEmpty(r)) {
        return TColor(-1);
    }
    return TColor(bitmap_->Pixel(r.Left, r.Top) & kRgbMask);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    TRect r = DeviceRect({x, y, x + 1, y + 1});
    if (!IsRectEmpty(r)) {
        bitmap_->SetPixel(r.Left, r.Top, Rgb(color));
    }
}

void TCanvas::FillSpan(int y, int x0, int x1, std::uint32_t rgb) {
    for (int x = x0; x < x1; ++x) {
        bitmap_->SetPixel(x, y, rgb);
    }
}

void TCanvas::FillRect(const TRect& rect) {
    if (Brush.Style == bsClear) {
        return;
    }
    TRect r = DeviceRect(rect);
    std::uint32_t rgb = Rgb(Brush.Color);
    for (int y = r.Top; y < r.Bottom; ++y) {
        FillSpan(y, r.Left, r.Right, rgb);
    }
}

void TCanvas::FrameRect(const TRect& rect) {
    if (IsRectEmpty(rect)) {
        return;
    }
    TBrushStyle style = Brush.Style;
    Brush.Style = bsSolid;
    FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1});
    FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
    FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
    FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
    Brush.Style = style;
}

void TCanvas::Rectangle(const TRect& rect) {
    FillRect(InflateRect(rect, -1, -1));
    if (Pen.Style == psClear) {
        return;
    }
    Polyline({{rect.Left, rect.Top},
              {rect.Right - 1, rect.Top},
              {rect.Right - 1, rect.Bottom - 1},
              {rect.Left, rect.Bottom - 1},
              {rect.Left, rect.Top}});
}

void TCanvas::PutPenPixel(int x, int y) {
    int half = (std::max(Pen.Width, 1) - 1) / 2;
    int extent = std::max(Pen.Width, 1);
    TRect r = DeviceRect({x - half, y - half, x - half + extent, y - half + extent});
    std::uint32_t pen = Rgb(Pen.Color);
    for (int py = r.Top; py < r.Bottom; ++py) {
        for (int px = r.Left; px < r.Right; ++px) {
            std::uint32_t d = bitmap_->Pixel(px, py) & kRgbMask;
            bitmap_->SetPixel(px, py, ApplyPenMode(Pen.Mode, pen, d));
        }
    }
}

void TCanvas::LineTo(int x, int y) {
    if (Pen.Style != psClear) {
        // Bresenham; dotted pens draw every other pixel, dashed ones 6 on, 2 off.
        int x0 = penPos_.X;
        int y0 = penPos_.Y;
        int dx = std::abs(x - x0);
        int dy = -std::abs(y - y0);
        int sx = x0 < x ? 1 : -1;
        int sy = y0 < y ? 1 : -1;
        int err = dx + dy;
        int step = 0;
        while (x0 != x || y0 != y) {
            bool on = true;
            switch (Pen.Style) {
            case psDot:
                on = step % 2 == 0;
                break;
            case psDash:
                on = step % 8 < 6;
                break;
            case psDashDot:
                on = step % 12 < 6 || step % 12 == 8;
                break;
            case psDashDotDot:
                on = step % 14 < 6 || step % 14 == 8 || step % 14 == 11;
                break;
            default:
                break;
            }
            if (on) {
                PutPenPixel(x0, y0);
            }
            ++step;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
    penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) {
        return;
    }
    MoveTo(points.front().X, points.front().Y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        LineTo(points[i].X, points[i].Y);
    }
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) {
        return;
    }
    if (Brush.Style != bsClear) {
        // Even-odd scan conversion through pixel centres.
        int top = points.front().Y;
        int bottom = top;
        for (const TPoint& p : points) {
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
        }
        std::uint32_t rgb = Rgb(Brush.Color);
        for (int y = top; y <= bottom; ++y) {
            std::vector<int> xs;
            double cy = y + 0.5;
            for (std::size_t i = 0; i < points.size(); ++i) {
                TPoint a = points[i];
                TPoint b = points[(i + 1) % points.size()];
                if ((a.Y <= cy) != (b.Y <= cy)) {
                    double t = (cy - a.Y) / double(b.Y - a.Y);
                    xs.push_back(int(a.X + t * (b.X - a.X) + 0.5));
                }
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                TRect r = DeviceRect({xs[i], y, xs[i + 1], y + 1});
                if (!IsRectEmpty(r)) {
                    FillSpan(r.Top, r.Left, r.Right, rgb);
                }
            }
        }
    }
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    Polyline(closed);
}

void TCanvas::Ellipse(const TRect& rect) {
    int w = rect.Width();
    int h = rect.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    double rx = w / 2.0;
    double ry = h / 2.0;
    double cx = rect.Left + rx;
    double cy = rect.Top + ry;
    std::uint32_t fill = Rgb(Brush.Color);
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        double dy = (y + 0.5 - cy) / ry;
        double span = 1.0 - dy * dy;
        if (span < 0) {
            continue;
        }
        double half = rx * std::sqrt(span);
        int x0 = int(std::lround(cx - half));
        int x1 = int(std::lround(cx + half));
        if (Brush.Style != bsClear) {
            TRect r = DeviceRect({x0, y, x1, y + 1});
            if (!IsRectEmpty(r)) {
                FillSpan(r.Top, r.Left, r.Right, fill);
            }
        }
        if (Pen.Style != psClear && x1 > x0) {
            PutPenPixel(x0, y);
            PutPenPixel(x1 - 1, y);
        }
    }
    if (Pen.Style != psClear) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            double dx = (x + 0.5 - cx) / rx;
            double span = 1.0 - dx * dx;
            if (span < 0) {
                continue;
            }
            double half = ry * std::sqrt(span);
            int y0 = int(std::lround(cy - half));
            int y1 = int(std::lround(cy + half));
            if (y1 > y0) {
                PutPenPixel(x, y0);
                PutPenPixel(x, y1 - 1);
            }
        }
    }
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    // Every other pixel along the frame, counted from the top-left corner,
    // inverted: what Windows draws with its focus brush in XOR.
    auto invert = [this](int x, int y) {
        TRect r = DeviceRect({x, y, x + 1, y + 1});
        if (!IsRectEmpty(r)) {
            std::uint32_t d = bitmap_->Pixel(r.Left, r.Top) & kRgbMask;
            bitmap_->SetPixel(r.Left, r.Top, ~d & kRgbMask);
        }
    };
    if (IsRectEmpty(rect)) {
        return;
    }
    for (int x = rect.Left; x < rect.Right; ++x) {
        if ((x - rect.Left) % 2 == 0) {
            invert(x, rect.Top);
        }
        if (rect.Bottom - 1 > rect.Top && (x - rect.Left + rect.Bottom - 1 - rect.Top) % 2 == 0) {
            invert(x, rect.Bottom - 1);
        }
    }
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        if ((y - rect.Top) % 2 == 0) {
            invert(rect.Left, y);
        }
        if (rect.Right - 1 > rect.Left && (y - rect.Top + rect.Right - 1 - rect.Left) % 2 == 0) {
            invert(rect.Right - 1, y);
        }
    }
}

void TCanvas::Draw(int x, int y, const TBitmap& picture) {
    TRect src{0, 0, picture.GetWidth(), picture.GetHeight()};
    TRect dest = OffsetRect(src, x, y);
    if (!picture.GetTransparent()) {
        TCopyMode mode = CopyMode;
        CopyMode = cmSrcCopy;
        CopyRect(dest, const_cast<TBitmap&>(picture).Canvas(), src);
        CopyMode = mode;
        return;
    }
    std::uint32_t key = Rgb(picture.GetTransparentColor());
    TRect r = DeviceRect(dest);
    for (int dy = r.Top; dy < r.Bottom; ++dy) {
        for (int dx = r.Left; dx < r.Right; ++dx) {
            std::uint32_t p = picture.Pixel(dx - origin_.X - x, dy - origin_.Y - y);
            if ((p & kRgbMask) != key) {
                bitmap_->SetPixel(dx, dy, p & kRgbMask);
            }
        }
    }
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& picture) {
    TCopyMode mode = CopyMode;
    CopyMode = cmSrcCopy;
    CopyRect(rect, const_cast<TBitmap&>(picture).Canvas(),
             {0, 0, picture.GetWidth(), picture.GetHeight()});
    CopyMode = mode;
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    if (IsRectEmpty(dest) || IsRectEmpty(sourceRect)) {
        return;
    }
    const TBitmap& src = *source.bitmap_;
    TRect device = DeviceRect(dest);
    TRect srcDevice = OffsetRect(sourceRect, source.origin_.X, source.origin_.Y);
    std::uint32_t pattern = Rgb(Brush.Color);
    unsigned table = (CopyMode >> 16) & 0xFF;
    bool usesSource = (((table >> 2) ^ table) & 0x33) != 0;
    for (int y = device.Top; y < device.Bottom; ++y) {
        int sy =
            srcDevice.Top +
            int((std::int64_t(y - origin_.Y - dest.Top) * sourceRect.Height()) / dest.Height());
        for (int x = device.Left; x < device.Right; ++x) {
            int sx =
                srcDevice.Left +
                int((std::int64_t(x - origin_.X - dest.Left) * sourceRect.Width()) / dest.Width());
            std::uint32_t s = 0;
            if (usesSource) {
                if (sx < 0 || sy < 0 || sx >= src.GetWidth() || sy >= src.GetHeight()) {
                    continue;
                }
                s = src.Pixel(sx, sy) & kRgbMask;
            }
            std::uint32_t d = bitmap_->Pixel(x, y) & kRgbMask;
            bitmap_->SetPixel(x, y, ApplyRop3(CopyMode, pattern, s, d));
        }
    }
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& picture, const TRect& sourceRect,
                        TColor transparentColor) {
    if (IsRectEmpty(dest) || IsRectEmpty(sourceRect)) {
        return;
    }
    std::uint32_t key = Rgb(transparentColor);
    std::uint32_t brush = Rgb(Brush.Color);
    TRect device = DeviceRect(dest);
    for (int y = device.Top; y < device.Bottom; ++y) {
        int sy = sourceRect.Top + (y - origin_.Y - dest.Top) * sourceRect.Height() / dest.Height();
        for (int x = device.Left; x < device.Right; ++x) {
            int sx =
                sourceRect.Left + (x - origin_.X - dest.Left) * sourceRect.Width() / dest.Width();
            if (sx < 0 || sy < 0 || sx >= picture.GetWidth() || sy >= picture.GetHeight()) {
                continue;
            }
            std::uint32_t p = picture.Pixel(sx, sy) & kRgbMask;
            bitmap_->SetPixel(x, y, p == key ? brush : p);
        }
    }
}

} // namespace kvc
