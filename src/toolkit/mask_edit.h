// TMaskEdit: an edit whose text follows an edit mask. The window shows
// EditText (literals in place, blanks for unfilled positions); Text is what
// the mask's save-literals field says. Typing fills the position at the caret
// and skips literals; a character that does not fit is refused. Leaving the
// edit after the user changed it raises EDBEditError when a required
// position is unfilled, and the focus stays in the edit; Esc abandons the
// user's changes. Without a mask it is a plain edit.
#pragma once

#include "toolkit/edit.h"
#include "toolkit/mask/edit_mask.h"

namespace kvc {

// A masked text that does not satisfy its mask.
KVC_DECLARE_EXCEPTION(EDBEditError, Exception);

class TMaskEdit : public TCustomEdit {
    KVC_CLASS(TMaskEdit, TCustomEdit)
public:
    TMaskEdit();

    const std::string& GetEditMask() const { return masked_.Mask().Source(); }
    // Re-formats the current text under the new mask; raises no OnChange
    // unless what the edit shows changes.
    void SetEditMask(const std::string& mask);
    bool IsMasked() const { return !masked_.Mask().IsEmpty(); }

    // Hides TControl::GetText, which answers what the window shows.
    std::string GetText() const;
    void SetText(const std::string& text) override;
    const std::string& GetEditText() const { return text_; }
    void SetEditText(const std::string& text);

    // Raises EDBEditError (and puts the caret at the first unfilled required
    // position) when the user changed the text and the mask is not satisfied.
    void ValidateEdit();

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    // Shows the masked content, raising OnChange when it differs.
    void Sync();
    // Sync after typing: a change marks the edit modified first.
    void UserChanged();
    // Clears the input positions of the selection.
    void ClearSelection();

    MaskedText masked_;
    // What the edit showed when the focus came in, for Esc.
    std::string enterText_;
    bool reentering_ = false;
};

} // namespace kvc
