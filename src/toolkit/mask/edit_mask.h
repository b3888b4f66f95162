// The classic edit-mask language of masked edits: "mask;save literals;blank".
//
//   L l  letter, required / optional      A a  letter or digit, required / optional
//   C c  any character, req. / optional   0 9  digit, required / optional
//   #    digit or sign, optional          > <  upper / lower case from here, <> as typed
//   \    the next character is a literal  _    a space literal
//   /    the date separator               :    the time separator
//   !    optional positions left unfilled stay at the front of their section
//        when a text is set (the system only tests for it)
//
// Any other character is a literal. The second field "0" drops the literals
// from Text, anything else keeps them (the default); the third field is the
// blank character shown for unfilled positions ("_" by default).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

class EditMask {
public:
    enum class Kind { Literal, Letter, LetterOrDigit, AnyCharacter, Digit, DigitOrSign };
    enum class CaseConversion { None, Upper, Lower };

    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        CaseConversion conversion = CaseConversion::None;
        char32_t literal = 0; // for literals

        bool IsInput() const { return kind != Kind::Literal; }
        bool operator==(const Position&) const = default;
    };

    // An empty text is no mask: the edit takes any text.
    explicit EditMask(std::string_view mask = {});

    const std::string& Source() const { return source_; }
    bool IsEmpty() const { return positions_.empty(); }
    bool SaveLiterals() const { return saveLiterals_; }
    char32_t Blank() const { return blank_; }
    bool Reverse() const { return reverse_; }

    std::size_t Length() const { return positions_.size(); }
    const Position& At(std::size_t index) const { return positions_[index]; }
    // Same positions (kinds, cases and literals), whatever the other two fields say.
    bool SameLayout(const EditMask& other) const { return positions_ == other.positions_; }

    // c converted to the position's case when the position takes it, else 0.
    char32_t Accept(std::size_t index, char32_t c) const;

private:
    std::string source_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    char32_t blank_ = U'_';
    bool reverse_ = false;
};

// What a masked edit holds: one cell per mask position. Typing, setting texts
// and reading them back follow the classic masked edit.
class MaskedText {
public:
    explicit MaskedText(EditMask mask = EditMask());

    const EditMask& Mask() const { return mask_; }
    // Re-formats the content under the new mask: a mask with the same positions
    // keeps every cell; another takes the entered characters in order.
    void SetMask(EditMask mask);

    // What the edit shows: literals in place, unfilled positions as the blank.
    std::string EditText() const;
    // Position by position; a character that does not fit leaves its position unfilled.
    void SetEditText(std::string_view text);
    // With saved literals, EditText with unfilled positions as spaces; without,
    // only the entered characters, in order.
    std::string Text() const;
    // Characters go into the positions in order; a literal in the text at a
    // literal position is taken as that literal, and a literal typed early
    // skips the optional positions before it.
    void SetText(std::string_view text);
    // The entered characters, in order, without literals or unfilled positions.
    std::string EnteredText() const;

    // Typing at the caret (a position index): answers whether the character was
    // taken, and moves the caret past what it filled or skipped.
    bool Type(std::size_t& caret, char32_t c);
    // Backspace clears the input position before the caret and moves there.
    void Backspace(std::size_t& caret);
    // Delete clears the input position at the caret.
    void Delete(std::size_t caret);
    void Clear();

    // The first input position at or after index (Length() when none).
    std::size_t NextInput(std::size_t index) const;
    bool IsBlank() const;
    // True when every required position is filled; otherwise false and the
    // first unfilled required position.
    bool Validate(std::size_t& firstInvalid) const;

private:
    void Fill(std::u32string_view text);
    bool SkipToLiteral(std::size_t& index, char32_t c) const;
    void RightAlignSections();

    EditMask mask_;
    std::u32string cells_; // 0 marks an unfilled input position
    std::string plain_;    // the text when there is no mask
};

// A text put into a masked edit with that mask and read back without the mask:
// the entered characters without the mask's literals.
std::string StripMask(std::string_view text, std::string_view mask);

} // namespace kvc
