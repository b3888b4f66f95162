// TCustomEdit: a single-line text field. Typing inserts at the caret,
// replacing the selection; MaxLength counts characters and limits typing
// only; ReadOnly refuses typing; every change of the text raises OnChange.
// TEdit is the plain edit; masked and spin edits are its siblings, so that
// "is a TEdit" keeps meaning a plain edit.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

class TCustomEdit : public TWinControl {
    KVC_CLASS(TCustomEdit, TWinControl)
public:
    TCustomEdit();

    void SetText(const std::string& text) override;
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool GetAutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    TEditCharCase GetCharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    char32_t GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t value) { passwordChar_ = value; }
    const std::string& GetImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }

    // Selection in characters.
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelStart(int start);
    void SetSelLength(int length);
    std::string SelText() const;
    // Replaces the selection (MaxLength does not apply to code).
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }
    int Length() const;

    // Set by typing, cleared when code sets the text.
    bool GetModified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoEnter() override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    // Replaces characters [start, start + length) and puts the caret after them.
    void Replace(int start, int length, const std::u32string& with);

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    TEditCharCase charCase_ = ecNormal;
    char32_t passwordChar_ = 0;
    std::string imeName_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool modified_ = false;
};

class TEdit : public TCustomEdit {
    KVC_CLASS(TEdit, TCustomEdit)
};

// UTF-8 text and its characters.
std::u32string ToChars(std::string_view text);
std::string FromChars(std::u32string_view chars);

} // namespace kvc
