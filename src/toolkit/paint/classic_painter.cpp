#include "toolkit/paint/classic_painter.h"

#include <algorithm>

namespace kvc::classic {

namespace {

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1, TColor color) {
    canvas.Pen.Color = color;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

TColor Mix(TColor a, TColor b, int num, int den) {
    TColor x = ColorToRGB(a);
    TColor y = ColorToRGB(b);
    auto mix = [&](int u, int v) { return u + (v - u) * num / std::max(den, 1); };
    return RGBColor(mix(GetRValue(x), GetRValue(y)), mix(GetGValue(x), GetGValue(y)),
                    mix(GetBValue(x), GetBValue(y)));
}

} // namespace

void Frame3D(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight) {
    if (IsRectEmpty(rect)) {
        return;
    }
    int r = rect.Right - 1;
    int b = rect.Bottom - 1;
    Line(canvas, rect.Left, b - 1, rect.Left, rect.Top - 1, topLeft);
    Line(canvas, rect.Left, rect.Top, r, rect.Top, topLeft);
    Line(canvas, r, rect.Top, r, b + 1, bottomRight);
    Line(canvas, rect.Left, b, r, b, bottomRight);
}

TRect RaisedEdge(TCanvas& canvas, const TRect& rect) {
    Frame3D(canvas, rect, cl3DLight, cl3DDkShadow);
    TRect inner = InflateRect(rect, -1, -1);
    Frame3D(canvas, inner, clBtnHighlight, clBtnShadow);
    return InflateRect(inner, -1, -1);
}

TRect SunkenEdge(TCanvas& canvas, const TRect& rect) {
    Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
    TRect inner = InflateRect(rect, -1, -1);
    Frame3D(canvas, inner, cl3DDkShadow, cl3DLight);
    return InflateRect(inner, -1, -1);
}

TRect Bevel(TCanvas& canvas, const TRect& rect, bool raised, int width) {
    TRect r = rect;
    for (int i = 0; i < width; ++i) {
        Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow,
                raised ? clBtnShadow : clBtnHighlight);
        r = InflateRect(r, -1, -1);
    }
    return r;
}

void EtchedFrame(TCanvas& canvas, const TRect& rect) {
    Frame3D(canvas, OffsetRect({rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1}, 1, 1),
            clBtnHighlight, clBtnHighlight);
    Frame3D(canvas, {rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1}, clBtnShadow,
            clBtnShadow);
}

TRect ButtonFace(TCanvas& canvas, const TRect& rect, const TButtonLook& look) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(rect);
    TRect r = rect;
    if (look.isDefault) {
        canvas.Brush.Color = clWindowFrame;
        canvas.FrameRect(r);
        r = InflateRect(r, -1, -1);
    }
    if (look.pressed) {
        canvas.Brush.Color = clBtnShadow;
        canvas.FrameRect(r);
        return OffsetRect(InflateRect(r, -1, -1), 1, 1);
    }
    if (look.flat) {
        return InflateRect(r, -1, -1);
    }
    return RaisedEdge(canvas, r);
}

void Text(TCanvas& canvas, std::string_view text, TRect rect, unsigned flags, bool enabled) {
    TBrushStyle style = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    if (enabled) {
        canvas.DrawText(text, rect, flags);
    } else {
        TColor color = canvas.Font.GetColor();
        TRect shifted = OffsetRect(rect, 1, 1);
        canvas.Font.SetColor(clBtnHighlight);
        canvas.DrawText(text, shifted, flags);
        canvas.Font.SetColor(clBtnShadow);
        canvas.DrawText(text, rect, flags);
        canvas.Font.SetColor(color);
    }
    canvas.Brush.Style = style;
}

void FocusRect(TCanvas& canvas, const TRect& rect) {
    canvas.DrawFocusRect(rect);
}

void CaptionBar(TCanvas& canvas, const TRect& rect, std::string_view caption, bool active,
                bool closeBox) {
    TColor from = active ? clActiveCaption : clInactiveCaption;
    TColor to = active ? clGradientActiveCaption : clGradientInactiveCaption;
    int width = std::max(rect.Width(), 1);
    canvas.Brush.Style = bsSolid;
    for (int x = rect.Left; x < rect.Right; ++x) {
        canvas.Brush.Color = Mix(from, to, x - rect.Left, width - 1);
        canvas.FillRect({x, rect.Top, x + 1, rect.Bottom});
    }
    TRect text{rect.Left + 4, rect.Top, rect.Right - (closeBox ? 22 : 4), rect.Bottom};
    canvas.Font.SetStyle(TFontStyles{fsBold});
    canvas.Font.SetColor(active ? clCaptionText : clInactiveCaptionText);
    canvas.Brush.Style = bsClear;
    canvas.DrawText(caption, text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS);
    if (closeBox) {
        int size = rect.Height() - 4;
        TRect box{rect.Right - size - 2 - 2, rect.Top + 2, rect.Right - 2, rect.Top + 2 + size};
        TRect inner = ButtonFace(canvas, box, {});
        // The "x" of the close box, two pixels wide.
        int cx = (inner.Left + inner.Right) / 2;
        int cy = (inner.Top + inner.Bottom) / 2;
        for (int d = -3; d <= 3; ++d) {
            for (int w = 0; w < 2; ++w) {
                canvas.SetPixel(cx + d - 1 + w, cy + d, clBtnText);
                canvas.SetPixel(cx - d - 1 + w, cy + d, clBtnText);
            }
        }
    }
}

void Tab(TCanvas& canvas, const TRect& rect, bool active) {
    TRect r = active ? TRect{rect.Left - 2, rect.Top - 2, rect.Right + 2, rect.Bottom + 1} : rect;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(r);
    // Left and top in highlight with a cut corner, right in the shadows.
    Line(canvas, r.Left, r.Bottom - 1, r.Left, r.Top + 1, clBtnHighlight);
    Line(canvas, r.Left + 1, r.Top + 1, r.Left + 2, r.Top, clBtnHighlight);
    Line(canvas, r.Left + 2, r.Top, r.Right - 2, r.Top, clBtnHighlight);
    Line(canvas, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom, clBtnShadow);
    Line(canvas, r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom, cl3DDkShadow);
    canvas.SetPixel(r.Right - 2, r.Top + 1, cl3DDkShadow);
}

void CheckMark(TCanvas& canvas, const TRect& rect, TColor color) {
    int x = rect.Left + (rect.Width() - 7) / 2;
    int y = rect.Top + (rect.Height() - 7) / 2;
    for (int i = 0; i < 7; ++i) {
        int top = i < 3 ? y + 2 + i : y + 4 - (i - 2);
        for (int h = 0; h < 3; ++h) {
            canvas.SetPixel(x + i, top + h, color);
        }
    }
}

} // namespace kvc::classic
