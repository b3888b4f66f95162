#include "toolkit/colors.h"

#include <iterator>

namespace kvc {

const TIdentMap& IdentMapOf(TColor) {
    static const TIdentMap map("TColor", {{"clBlack", clBlack},
                                          {"clMaroon", clMaroon},
                                          {"clGreen", clGreen},
                                          {"clOlive", clOlive},
                                          {"clNavy", clNavy},
                                          {"clPurple", clPurple},
                                          {"clTeal", clTeal},
                                          {"clGray", clGray},
                                          {"clSilver", clSilver},
                                          {"clRed", clRed},
                                          {"clLime", clLime},
                                          {"clYellow", clYellow},
                                          {"clBlue", clBlue},
                                          {"clFuchsia", clFuchsia},
                                          {"clAqua", clAqua},
                                          {"clWhite", clWhite},
                                          {"clLtGray", clLtGray},
                                          {"clDkGray", clDkGray},
                                          {"clScrollBar", clScrollBar},
                                          {"clBackground", clBackground},
                                          {"clActiveCaption", clActiveCaption},
                                          {"clInactiveCaption", clInactiveCaption},
                                          {"clMenu", clMenu},
                                          {"clWindow", clWindow},
                                          {"clWindowFrame", clWindowFrame},
                                          {"clMenuText", clMenuText},
                                          {"clWindowText", clWindowText},
                                          {"clCaptionText", clCaptionText},
                                          {"clActiveBorder", clActiveBorder},
                                          {"clInactiveBorder", clInactiveBorder},
                                          {"clAppWorkSpace", clAppWorkSpace},
                                          {"clHighlight", clHighlight},
                                          {"clHighlightText", clHighlightText},
                                          {"clBtnFace", clBtnFace},
                                          {"clBtnShadow", clBtnShadow},
                                          {"clGrayText", clGrayText},
                                          {"clBtnText", clBtnText},
                                          {"clInactiveCaptionText", clInactiveCaptionText},
                                          {"clBtnHighlight", clBtnHighlight},
                                          {"cl3DDkShadow", cl3DDkShadow},
                                          {"cl3DLight", cl3DLight},
                                          {"clInfoText", clInfoText},
                                          {"clInfoBk", clInfoBk},
                                          {"clHotLight", clHotLight},
                                          {"clGradientActiveCaption", clGradientActiveCaption},
                                          {"clGradientInactiveCaption", clGradientInactiveCaption},
                                          {"clNone", clNone},
                                          {"clDefault", clDefault}});
    return map;
}

TColor ColorToRGB(TColor color) {
    // The Windows 2000 standard scheme, by system colour index.
    static constexpr TColor kClassicScheme[] = {
        RGBColor(0xD4, 0xD0, 0xC8), // scroll bar
        RGBColor(0x3A, 0x6E, 0xA5), // desktop
        RGBColor(0x0A, 0x24, 0x6A), // active caption
        RGBColor(0x80, 0x80, 0x80), // inactive caption
        RGBColor(0xD4, 0xD0, 0xC8), // menu
        RGBColor(0xFF, 0xFF, 0xFF), // window
        RGBColor(0x00, 0x00, 0x00), // window frame
        RGBColor(0x00, 0x00, 0x00), // menu text
        RGBColor(0x00, 0x00, 0x00), // window text
        RGBColor(0xFF, 0xFF, 0xFF), // caption text
        RGBColor(0xD4, 0xD0, 0xC8), // active border
        RGBColor(0xD4, 0xD0, 0xC8), // inactive border
        RGBColor(0x80, 0x80, 0x80), // application work space
        RGBColor(0x0A, 0x24, 0x6A), // highlight
        RGBColor(0xFF, 0xFF, 0xFF), // highlight text
        RGBColor(0xD4, 0xD0, 0xC8), // button face
        RGBColor(0x80, 0x80, 0x80), // button shadow
        RGBColor(0x80, 0x80, 0x80), // gray text
        RGBColor(0x00, 0x00, 0x00), // button text
        RGBColor(0xD4, 0xD0, 0xC8), // inactive caption text
        RGBColor(0xFF, 0xFF, 0xFF), // button highlight
        RGBColor(0x40, 0x40, 0x40), // 3-D dark shadow
        RGBColor(0xD4, 0xD0, 0xC8), // 3-D light
        RGBColor(0x00, 0x00, 0x00), // tooltip text
        RGBColor(0xFF, 0xFF, 0xE1), // tooltip background
        RGBColor(0xB5, 0xB5, 0xB5), // (unused)
        RGBColor(0x00, 0x00, 0x80), // hot-tracked item
        RGBColor(0xA6, 0xCA, 0xF0), // active caption gradient
        RGBColor(0xC0, 0xC0, 0xC0), // inactive caption gradient
    };
    if (color == clDefault) {
        return ColorToRGB(clWindow);
    }
    if ((std::int32_t(color) & clSystemColor) != 0) {
        auto index = std::size_t(std::int32_t(color) & 0xFF);
        return index < std::size(kClassicScheme) ? kClassicScheme[index] : clBlack;
    }
    return color;
}

} // namespace kvc
