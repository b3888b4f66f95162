// TSpeedButton: a flat tool button that is no window and never takes the
// focus. Buttons of one parent with the same GroupIndex (not 0) form a group
// in which at most one is down; without AllowAllUp one always stays down.
// Down set by code raises nothing; a click toggles Down in a group and then
// raises OnClick.
#pragma once

#include "toolkit/control.h"
#include "toolkit/glyph_data.h"

#include <memory>
#include <vector>

namespace kvc {

class TSpeedButton : public TControl {
    KVC_CLASS(TSpeedButton, TControl)
public:
    TSpeedButton();

    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // A button outside any group cannot stay down; a down button of a group
    // without AllowAllUp only goes up when another one goes down.
    bool GetDown() const { return down_; }
    void SetDown(bool value);
    // Shared by the whole group.
    bool GetAllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool value) { flat_ = value; }
    TGlyphData* GetGlyph() const { return glyph_.get(); }
    void SetGlyph(TGlyphData* glyph);
    TNumGlyphs GetNumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout GetLayout() const { return layout_; }
    void SetLayout(TButtonLayout value) { layout_ = value; }
    int GetMargin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; }
    int GetSpacing() const { return spacing_; }
    void SetSpacing(int value) { spacing_ = value; }
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }

    void Click() override;

private:
    // The other buttons of the group, on the same parent.
    std::vector<TSpeedButton*> GroupMembers() const;
    void UpdateExclusive();

    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    std::unique_ptr<TGlyphData> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = true;
};

} // namespace kvc
