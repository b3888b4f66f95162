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

TRect LatchedFace(TCanvas& canvas, const TRect& rect) {
    TRect inner = Bevel(canvas, rect, false, 1);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(inner);
    for (int y = inner.Top; y < inner.Bottom; ++y) {
        for (int x = inner.Left + ((y + inner.Left) & 1); x < inner.Right; x += 2) {
            canvas.SetPixel(x, y, clBtnHighlight);
        }
    }
    return OffsetRect(inner, 1, 1);
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

namespace {

bool InCircle(int x, int y, int size, double radius) {
    double c = size / 2.0;
    double dx = x + 0.5 - c;
    double dy = y + 0.5 - c;
    return dx * dx + dy * dy <= radius * radius;
}

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(rect);
}

} // namespace

TRect CheckBox(TCanvas& canvas, TPoint topLeft, TCheckLook look, bool enabled) {
    TRect box{topLeft.X, topLeft.Y, topLeft.X + 13, topLeft.Y + 13};
    TRect field = SunkenEdge(canvas, box);
    bool dim = !enabled || look == TCheckLook::grayed;
    FillSolid(canvas, field, dim ? clBtnFace : clWindow);
    if (look != TCheckLook::unchecked) {
        CheckMark(canvas, field, dim ? clBtnShadow : clWindowText);
    }
    return box;
}

TRect RadioButton(TCanvas& canvas, TPoint topLeft, bool checked, bool enabled) {
    constexpr int kSize = 12;
    // Two rings, shadows on the top-left half and lights on the bottom-right,
    // around the round field, as the square edges of a check box do.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool topLeftHalf = x + y < kSize - 1;
            TColor color;
            if (InCircle(x, y, kSize, 4.3)) {
                color = enabled ? clWindow : clBtnFace;
            } else if (InCircle(x, y, kSize, 5.2)) {
                color = topLeftHalf ? cl3DDkShadow : cl3DLight;
            } else if (InCircle(x, y, kSize, 6.1)) {
                color = topLeftHalf ? clBtnShadow : clBtnHighlight;
            } else {
                continue;
            }
            canvas.SetPixel(topLeft.X + x, topLeft.Y + y, color);
        }
    }
    if (checked) {
        TColor dot = enabled ? clWindowText : clBtnShadow;
        FillSolid(canvas, {topLeft.X + 5, topLeft.Y + 4, topLeft.X + 7, topLeft.Y + 8}, dot);
        FillSolid(canvas, {topLeft.X + 4, topLeft.Y + 5, topLeft.X + 8, topLeft.Y + 7}, dot);
    }
    return {topLeft.X, topLeft.Y, topLeft.X + kSize, topLeft.Y + kSize};
}

void Arrow(TCanvas& canvas, const TRect& rect, TArrow direction, int size, bool enabled) {
    // size is the length of the triangle's base row; each next row is two
    // pixels shorter.
    int rows = (size + 1) / 2;
    bool vertical = direction == TArrow::up || direction == TArrow::down;
    int cx = rect.Left + (rect.Width() - (vertical ? size : rows)) / 2;
    int cy = rect.Top + (rect.Height() - (vertical ? rows : size)) / 2;
    auto paint = [&](int dx, int dy, TColor color) {
        for (int i = 0; i < rows; ++i) {
            int from = i;
            int to = size - i;
            // Row i counted from the base; the base is at the side opposite the point.
            int line = direction == TArrow::down || direction == TArrow::right ? i : rows - 1 - i;
            for (int p = from; p < to; ++p) {
                int x = vertical ? cx + p : cx + line;
                int y = vertical ? cy + line : cy + p;
                canvas.SetPixel(x + dx, y + dy, color);
            }
        }
    };
    if (enabled) {
        paint(0, 0, clBtnText);
    } else {
        paint(1, 1, clBtnHighlight);
        paint(0, 0, clBtnShadow);
    }
}

void ArrowButton(TCanvas& canvas, const TRect& rect, TArrow direction, bool pressed, bool enabled) {
    TButtonLook look;
    look.pressed = pressed;
    TRect inner = ButtonFace(canvas, rect, look);
    int size = std::clamp(std::min(inner.Width(), inner.Height() * 2) - 3, 1, 7) | 1;
    Arrow(canvas, inner, direction, size, enabled);
}

TRect HeaderCell(TCanvas& canvas, const TRect& rect) {
    FillSolid(canvas, rect, clBtnFace);
    Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow);
    TRect inner = InflateRect(rect, -1, -1);
    Line(canvas, inner.Right - 1, inner.Top, inner.Right - 1, inner.Bottom, clBtnShadow);
    Line(canvas, inner.Left, inner.Bottom - 1, inner.Right, inner.Bottom - 1, clBtnShadow);
    return {inner.Left, inner.Top, inner.Right - 1, inner.Bottom - 1};
}

void DialogIcon(TCanvas& canvas, TPoint topLeft, TDialogIcon icon) {
    TRect box{topLeft.X, topLeft.Y, topLeft.X + 32, topLeft.Y + 32};
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = pmCopy;
    canvas.Brush.Style = bsSolid;
    TColor mark = clWhite;
    std::string_view sign;
    switch (icon) {
    case TDialogIcon::warning: {
        // A yellow triangle with a black "!".
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clYellow;
        canvas.Polygon({{box.Left + 15, box.Top + 1},
                        {box.Right - 1, box.Bottom - 3},
                        {box.Left, box.Bottom - 3}});
        mark = clBlack;
        sign = "!";
        break;
    }
    case TDialogIcon::error:
        canvas.Pen.Color = clMaroon;
        canvas.Brush.Color = clRed;
        canvas.Ellipse(InflateRect(box, -1, -1));
        // The white cross.
        for (int d = -6; d <= 6; ++d) {
            for (int w = -1; w <= 1; ++w) {
                canvas.SetPixel(box.Left + 16 + d + w, box.Top + 16 + d, clWhite);
                canvas.SetPixel(box.Left + 16 - d + w, box.Top + 16 + d, clWhite);
            }
        }
        return;
    case TDialogIcon::information:
        canvas.Pen.Color = clNavy;
        canvas.Brush.Color = clWhite;
        canvas.Ellipse(InflateRect(box, -1, -1));
        mark = clBlue;
        sign = "i";
        break;
    case TDialogIcon::confirmation:
        canvas.Pen.Color = clNavy;
        canvas.Brush.Color = clWhite;
        canvas.Ellipse(InflateRect(box, -1, -1));
        mark = clBlue;
        sign = "?";
        break;
    }
    TColor color = canvas.Font.GetColor();
    TFontStyles styles = canvas.Font.GetStyle();
    int height = canvas.Font.GetHeight();
    canvas.Font.SetHeight(-20);
    canvas.Font.SetStyle(TFontStyles{fsBold});
    canvas.Font.SetColor(mark);
    canvas.Brush.Style = bsClear;
    TRect text = icon == TDialogIcon::warning
                     ? TRect{box.Left, box.Top + 8, box.Right, box.Bottom - 2}
                     : box;
    canvas.DrawText(sign, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    canvas.Font.SetHeight(height);
    canvas.Font.SetStyle(styles);
    canvas.Font.SetColor(color);
}

} // namespace kvc::classic
