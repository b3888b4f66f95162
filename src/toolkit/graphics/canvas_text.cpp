// The text operations of TCanvas. They live in the fonts target with the
// font engine, so that code that only moves pixels never links FreeType.
#include "runtime/utf8.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/font_engine.h"

#include <algorithm>

namespace kvc {

namespace {

constexpr std::uint32_t kRgbMask = 0xFFFFFF;

// A line of text ready to draw: its characters and which one is underlined
// as the accelerator (-1: none).
struct TTextLine {
    std::u32string chars;
    int accel = -1;
};

std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();) {
        out.push_back(NextCodePoint(text, pos));
    }
    return out;
}

// Removes the "&" marks: "&&" is one "&", "&x" underlines x.
TTextLine StripPrefix(const std::u32string& chars, unsigned flags) {
    TTextLine line;
    if ((flags & DT_NOPREFIX) != 0) {
        line.chars = chars;
        return line;
    }
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'&' && i + 1 < chars.size()) {
            ++i;
            if (chars[i] != U'&' && line.accel < 0 && (flags & DT_HIDEPREFIX) == 0) {
                line.accel = int(line.chars.size());
            }
        } else if (chars[i] == U'&') {
            continue;
        }
        line.chars.push_back(chars[i]);
    }
    return line;
}

bool BreaksAnywhere(char32_t ch) {
    return ch >= 0x2E80; // CJK text breaks between any two characters
}

} // namespace

// Draws one line of glyphs with its baseline at y + ascent.
class TTextPainter {
public:
    TTextPainter(TCanvas& canvas, TResolvedFont& font) : canvas_(canvas), font_(font) {}

    int Width(std::u32string_view chars) {
        int width = 0;
        for (char32_t ch : chars) {
            width += font_.Advance(ch);
        }
        return width;
    }

    void Draw(int x, int y, const TTextLine& line, const TRect* clip) {
        TCanvas& c = canvas_;
        int width = Width(line.chars);
        TRect cell{x, y, x + width, y + font_.Height()};
        if (clip != nullptr) {
            cell = IntersectRect(cell, *clip);
        }
        if (c.Brush.Style != bsClear) {
            c.FillRect(cell);
        }
        TRect device =
            c.DeviceRect(clip != nullptr ? *clip : TRect{x, y, x + width, y + font_.Height()});
        if (clip == nullptr) {
            // Without a clip rectangle glyphs may reach outside their cell.
            device = c.DeviceRect({x - 4, y - 4, x + width + 8, y + font_.Height() + 4});
        }
        std::uint32_t rgb = std::uint32_t(ColorToRGB(c.Font.GetColor())) & kRgbMask;
        int baseline = y + font_.Ascent() + c.origin_.Y;
        int pen = x + c.origin_.X;
        int accelLeft = 0;
        int accelRight = 0;
        for (std::size_t i = 0; i < line.chars.size(); ++i) {
            const TGlyph& g = font_.Glyph(line.chars[i]);
            if (int(i) == line.accel) {
                accelLeft = pen;
                accelRight = pen + g.advance;
            }
            for (int gy = 0; gy < g.height; ++gy) {
                int dy = baseline - g.top + gy;
                if (dy < device.Top || dy >= device.Bottom) {
                    continue;
                }
                for (int gx = 0; gx < g.width; ++gx) {
                    int dx = pen + g.left + gx;
                    if (dx < device.Left || dx >= device.Right) {
                        continue;
                    }
                    int a = g.coverage[std::size_t(gy) * std::size_t(g.width) + std::size_t(gx)];
                    if (a != 0) {
                        c.BlendPixel(dx, dy, rgb, a);
                    }
                }
            }
            pen += g.advance;
        }
        int thickness = std::max(1, font_.PixelSize() / 14);
        auto rule = [&](int left, int right, int top) {
            for (int t = 0; t < thickness; ++t) {
                for (int dx = left; dx < right; ++dx) {
                    if (PtInRect(device, {dx, top + t})) {
                        c.BlendPixel(dx, top + t, rgb, 255);
                    }
                }
            }
        };
        if (font_.Underline()) {
            rule(x + c.origin_.X, pen, baseline + 1);
        } else if (line.accel >= 0) {
            rule(accelLeft, accelRight, baseline + 1);
        }
        if (font_.StrikeOut()) {
            rule(x + c.origin_.X, pen, baseline - font_.Ascent() / 3);
        }
    }

private:
    TCanvas& canvas_;
    TResolvedFont& font_;
};

void TCanvas::BlendPixel(int deviceX, int deviceY, std::uint32_t rgb, int coverage) {
    if (coverage >= 255) {
        bitmap_->SetPixel(deviceX, deviceY, rgb);
        return;
    }
    std::uint32_t d = bitmap_->Pixel(deviceX, deviceY) & kRgbMask;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int fg = int((rgb >> shift) & 0xFF);
        int bg = int((d >> shift) & 0xFF);
        int v = (fg * coverage + bg * (255 - coverage) + 127) / 255;
        out |= std::uint32_t(v) << shift;
    }
    bitmap_->SetPixel(deviceX, deviceY, out);
}

int TCanvas::TextWidth(std::string_view text) {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(std::string_view text) {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(std::string_view text) {
    TResolvedFont& font = FontEngine().Resolve(Font);
    TTextPainter painter(*this, font);
    return {painter.Width(Decode(text)), font.Height()};
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    TResolvedFont& font = FontEngine().Resolve(Font);
    TTextPainter painter(*this, font);
    TTextLine line{Decode(text), -1};
    painter.Draw(x, y, line, nullptr);
    penPos_ = {x + painter.Width(line.chars), y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    TResolvedFont& font = FontEngine().Resolve(Font);
    TTextPainter painter(*this, font);
    if (Brush.Style != bsClear) {
        FillRect(rect);
    }
    TBrushStyle style = Brush.Style;
    Brush.Style = bsClear;
    painter.Draw(x, y, TTextLine{Decode(text), -1}, &rect);
    Brush.Style = style;
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned flags) {
    TResolvedFont& font = FontEngine().Resolve(Font);
    TTextPainter painter(*this, font);
    std::u32string chars = Decode(text);
    // Paragraphs, then lines broken at the rectangle's width.
    std::vector<TTextLine> lines;
    std::vector<std::u32string> paragraphs;
    if ((flags & DT_SINGLELINE) != 0) {
        std::u32string one;
        for (char32_t ch : chars) {
            if (ch != U'\r' && ch != U'\n') {
                one.push_back(ch);
            }
        }
        paragraphs.push_back(std::move(one));
    } else {
        paragraphs.emplace_back();
        for (char32_t ch : chars) {
            if (ch == U'\n') {
                paragraphs.emplace_back();
            } else if (ch != U'\r') {
                paragraphs.back().push_back(ch);
            }
        }
    }
    int maxWidth = rect.Width();
    for (const std::u32string& paragraph : paragraphs) {
        TTextLine whole = StripPrefix(paragraph, flags);
        if ((flags & DT_WORDBREAK) == 0 || (flags & DT_SINGLELINE) != 0) {
            lines.push_back(std::move(whole));
            continue;
        }
        // Greedy breaking: after a space, or on either side of a CJK character.
        std::size_t start = 0;
        while (start < whole.chars.size() || (start == 0 && whole.chars.empty())) {
            std::size_t end = start;
            std::size_t lastBreak = std::u32string::npos;
            int width = 0;
            while (end < whole.chars.size()) {
                int advance = font.Advance(whole.chars[end]);
                if (width + advance > maxWidth && end > start) {
                    break;
                }
                width += advance;
                ++end;
                if (whole.chars[end - 1] == U' ' || BreaksAnywhere(whole.chars[end - 1]) ||
                    (end < whole.chars.size() && BreaksAnywhere(whole.chars[end]))) {
                    lastBreak = end;
                }
            }
            if (end < whole.chars.size() && lastBreak != std::u32string::npos) {
                end = lastBreak;
            }
            TTextLine line;
            line.chars = whole.chars.substr(start, end - start);
            while (!line.chars.empty() && line.chars.back() == U' ' && end < whole.chars.size()) {
                line.chars.pop_back();
            }
            if (whole.accel >= int(start) && whole.accel < int(end)) {
                line.accel = whole.accel - int(start);
            }
            lines.push_back(std::move(line));
            start = end;
            while (start < whole.chars.size() && whole.chars[start] == U' ' && start != 0) {
                ++start;
            }
            if (whole.chars.empty()) {
                break;
            }
        }
    }
    int lineHeight = font.Height();
    int height = lineHeight * int(lines.size());
    if ((flags & DT_CALCRECT) != 0) {
        int width = 0;
        for (const TTextLine& line : lines) {
            width = std::max(width, painter.Width(line.chars));
        }
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
        return height;
    }
    int y = rect.Top;
    if ((flags & DT_SINGLELINE) != 0) {
        if ((flags & DT_VCENTER) != 0) {
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        } else if ((flags & DT_BOTTOM) != 0) {
            y = rect.Bottom - lineHeight;
        }
    }
    const TRect* clip = (flags & DT_NOCLIP) != 0 ? nullptr : &rect;
    for (const TTextLine& line : lines) {
        int width = painter.Width(line.chars);
        int x = rect.Left;
        if ((flags & DT_CENTER) != 0) {
            x = rect.Left + (rect.Width() - width) / 2;
        } else if ((flags & DT_RIGHT) != 0) {
            x = rect.Right - width;
        }
        painter.Draw(x, y, line, clip);
        y += lineHeight;
    }
    return height;
}

} // namespace kvc
