// Colours as the classic $00BBGGRR integers; system colours are
// $80000000 + the Windows colour index, resolved by the painter.
#pragma once

#include "toolkit/type_info.h"

#include <cstdint>

namespace kvc {

enum TColor : std::int32_t {};

inline constexpr TColor RGBColor(int r, int g, int b) {
    return TColor((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

inline constexpr std::int32_t clSystemColor = std::int32_t(0x80000000u);
inline constexpr TColor SystemColor(int index) {
    return TColor(clSystemColor | index);
}

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);

inline constexpr TColor clBlack = TColor(0x000000);
inline constexpr TColor clMaroon = TColor(0x000080);
inline constexpr TColor clGreen = TColor(0x008000);
inline constexpr TColor clOlive = TColor(0x008080);
inline constexpr TColor clNavy = TColor(0x800000);
inline constexpr TColor clPurple = TColor(0x800080);
inline constexpr TColor clTeal = TColor(0x808000);
inline constexpr TColor clGray = TColor(0x808080);
inline constexpr TColor clSilver = TColor(0xC0C0C0);
inline constexpr TColor clRed = TColor(0x0000FF);
inline constexpr TColor clLime = TColor(0x00FF00);
inline constexpr TColor clYellow = TColor(0x00FFFF);
inline constexpr TColor clBlue = TColor(0xFF0000);
inline constexpr TColor clFuchsia = TColor(0xFF00FF);
inline constexpr TColor clAqua = TColor(0xFFFF00);
inline constexpr TColor clLtGray = TColor(0xC0C0C0);
inline constexpr TColor clDkGray = TColor(0x808080);
inline constexpr TColor clWhite = TColor(0xFFFFFF);
inline constexpr TColor clNone = TColor(0x1FFFFFFF);
inline constexpr TColor clDefault = TColor(0x20000000);

// "clWindow" and the other colour names.
const TIdentMap& IdentMapOf(TColor);

// The $00BBGGRR value a colour paints with: system colours through the
// classic Windows 2000 palette, clDefault as clWindow; other values as they are.
TColor ColorToRGB(TColor color);
inline constexpr int GetRValue(TColor c) {
    return int(c) & 0xFF;
}
inline constexpr int GetGValue(TColor c) {
    return (int(c) >> 8) & 0xFF;
}
inline constexpr int GetBValue(TColor c) {
    return (int(c) >> 16) & 0xFF;
}

} // namespace kvc
