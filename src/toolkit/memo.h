// TMemo: a multi-line text field whose content is its Lines. Text is the
// lines joined by CR LF. Typing works at the caret (a line and a column in
// characters): Enter breaks the line when WantReturns is set, Tab inserts a
// tab only with WantTabs, Backspace at a line's start joins it to the one
// before. Every change made through the memo raises OnChange; code that
// changes Lines directly raises nothing.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/edit.h"

#include <memory>

namespace kvc {

KVC_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);

class TMemo : public TWinControl {
    KVC_CLASS(TMemo, TWinControl)
public:
    TMemo();

    TStringList* GetLines() const { return lines_.get(); }
    void SetLines(const TStringList& lines);
    // Hides TControl::GetText, which answers the text as last shown.
    std::string GetText() const;
    void SetText(const std::string& text) override;

    // The caret: the line and the column (characters) it is in.
    int CaretLine() const { return caretLine_; }
    int CaretColumn() const { return caretColumn_; }
    // Clamped to the lines that exist.
    void SetCaretPos(int line, int column);

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value) { scrollBars_ = value; }
    bool GetWantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool GetWantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }

    bool WantsKey(Word key, TShiftState shift) const override;

    // Its position is the first line shown (wrapped lines counted as shown).
    TViewScrollBar* VertScrollBar() override { return &vertScroll_; }

    TNotifyEvent OnChange;

protected:
    void Loaded() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    std::u32string Line(int index) const;
    void PutLine(int index, const std::u32string& chars);
    int TextLength() const;
    // Refreshes the shown text and raises OnChange.
    void Changed();
    void Insert(char32_t ch);
    void BreakLine();
    void DeleteBefore();
    void DeleteAt();

    std::unique_ptr<TStringList> lines_;
    TViewScrollBar vertScroll_;
    int caretLine_ = 0;
    int caretColumn_ = 0;
    TAlignment alignment_ = taLeftJustify;
    int maxLength_ = 0;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
};

} // namespace kvc
