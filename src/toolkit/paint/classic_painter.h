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

// A button latched down (a speed or tool button with Down set): a sunken
// one-pixel edge over a face dithered with the highlight colour; answers the
// content area, shifted one pixel right and down as a pressed button's is.
TRect LatchedFace(TCanvas& canvas, const TRect& rect);

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

// The 13 x 13 box of a check box: a sunken field, white unless disabled or
// grayed, with the check mark when checked or grayed (grayed in the shadow
// colour). Answers the box's rectangle.
enum class TCheckLook { unchecked, checked, grayed };
TRect CheckBox(TCanvas& canvas, TPoint topLeft, TCheckLook look, bool enabled);
// The 12 x 12 round field of a radio button, with its dot when checked.
TRect RadioButton(TCanvas& canvas, TPoint topLeft, bool checked, bool enabled);

enum class TArrow { up, down, left, right };
// A small solid triangle centred in the rectangle, pointing the given way;
// embossed when disabled.
void Arrow(TCanvas& canvas, const TRect& rect, TArrow direction, int size, bool enabled);
// A push button showing an arrow: the combo box's drop button, the halves
// of a spin button.
void ArrowButton(TCanvas& canvas, const TRect& rect, TArrow direction, bool pressed, bool enabled);

// A column header or a grid's fixed cell: a one-pixel raised bevel with a
// dark outer shadow on the bottom-right; answers the area inside.
TRect HeaderCell(TCanvas& canvas, const TRect& rect);

// The picture of a message dialog's kind, 32 x 32 at the point.
enum class TDialogIcon { warning, error, information, confirmation };
void DialogIcon(TCanvas& canvas, TPoint topLeft, TDialogIcon icon);

} // namespace classic

} // namespace kvc
