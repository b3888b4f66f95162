// What the painters of the toolkit's controls share: the painters' own
// table entries and small helpers over the canvas.
#pragma once

#include "toolkit/paint/render.h"
#include "toolkit/win_control.h"

namespace kvc::painting {

inline TRect Bounds(const TControl& control) {
    return {0, 0, control.GetWidth(), control.GetHeight()};
}

inline void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(rect);
}

inline bool HasFocus(const TControl& control) {
    const auto* win = As<TWinControl>(&control);
    return win != nullptr && win->Focused();
}

inline unsigned AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

// The colour of the control's parent, on which a control without a face of
// its own sits.
inline TColor ParentColor(const TControl& control) {
    return control.Parent() != nullptr ? control.Parent()->GetColor() : clBtnFace;
}

// Painters of the edit family, used by the controls built on an edit.
void PaintEdit(TControl& control, TCanvas& canvas);
void PaintForm(TControl& control, TCanvas& canvas);

// Buttons, boxes and bars.
void PaintGroupBox(TControl& control, TCanvas& canvas);
void PaintCheckBox(TControl& control, TCanvas& canvas);
void PaintRadioButton(TControl& control, TCanvas& canvas);
void PaintBitBtn(TControl& control, TCanvas& canvas);
void PaintSpeedButton(TControl& control, TCanvas& canvas);
void PaintToolBar(TControl& control, TCanvas& canvas);
void PaintToolButton(TControl& control, TCanvas& canvas);
void PaintSplitter(TControl& control, TCanvas& canvas);
void PaintStatusBar(TControl& control, TCanvas& canvas);
void PaintTabSet(TControl& control, TCanvas& canvas);
void PaintMessageForm(TControl& control, TCanvas& canvas);

// Fields and views.
void PaintComboBox(TControl& control, TCanvas& canvas);
void PaintListBox(TControl& control, TCanvas& canvas);
void PaintMemo(TControl& control, TCanvas& canvas);
void PaintSpinEdit(TControl& control, TCanvas& canvas);
void PaintListView(TControl& control, TCanvas& canvas);
void PaintTreeView(TControl& control, TCanvas& canvas);
void PaintGrid(TControl& control, TCanvas& canvas);

} // namespace kvc::painting
