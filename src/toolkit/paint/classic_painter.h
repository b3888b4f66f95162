// The classic Windows 2000 look, in one place: 3-D bevels and fields, push
// buttons, focus rectangles, embossed disabled text, caption bars, window
// frames and tabs. Controls paint themselves by calling these.
#pragma once

#include "toolkit/graphics/canvas.h"

#include <string_view>

namespace kvc {

namespace classic {

// A one-pixel frame: top-left in one colour, bottom-right in another.
void Frame3D(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight);
// Two-pixel raised edge of buttons and windows (highlight, light / dark
// shadow, shadow); answers the area inside.
TRect RaisedEdge(TCanvas& canvas, const TRect& rect);
// Two-pixel sunken edge of edits and lists; answers the area inside.
TRect SunkenEdge(TCanvas& canvas, const TRect& rect);
// A panel bevel of the given width; answers the area inside.
TRect Bevel(TCanvas& canvas, const TRect& rect, bool raised, int width);
// The etched line of group boxes.
void EtchedFrame(TCanvas& canvas, const TRect& rect);

struct TButtonLook {
    bool pressed = false;
    bool isDefault = false; // the black outer frame of the default button
    bool flat = false;
};
// Face and edges of a push button; answers the content area.
TRect ButtonFace(TCanvas& canvas, const TRect& rect, const TButtonLook& look);

// Text laid out with DT_ flags in the canvas font; a disabled text is
// embossed: highlight one pixel right and down, then the shadow colour.
void Text(TCanvas& canvas, std::string_view text, TRect rect, unsigned flags, bool enabled);
// The dotted focus rectangle.
void FocusRect(TCanvas& canvas, const TRect& rect);

// The caption bar of a window: a gradient in the active or inactive caption
// colours, the caption in bold, and the close box.
void CaptionBar(TCanvas& canvas, const TRect& rect, std::string_view caption, bool active,
                bool closeBox);
// A page-control tab; the active one is raised two pixels and joins the page.
void Tab(TCanvas& canvas, const TRect& rect, bool active);
// The check mark of a check box or menu item in the rectangle.
void CheckMark(TCanvas& canvas, const TRect& rect, TColor color);

} // namespace classic

} // namespace kvc
