#include "toolkit/mask/edit_mask.h"

#include "runtime/datetime.h"
#include "runtime/utf8.h"

namespace kvc {
namespace {

std::u32string Decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        out += NextCodePoint(text, pos);
    }
    return out;
}

bool IsAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool IsAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
// Letters of other scripts (Chinese among them) count as letters, as the
// classic character test of the system answered for them.
bool IsLetter(char32_t c) {
    return IsAsciiLetter(c) || c >= 0xC0;
}

char32_t ToUpper(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - 32 : c;
}
char32_t ToLower(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c + 32 : c;
}

// Splits "mask;save;blank" at the separators that are not escaped.
std::vector<std::string_view> Fields(std::string_view mask) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '\\') {
            ++i;
        } else if (mask[i] == ';' && fields.size() < 2) {
            fields.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(mask.substr(start));
    return fields;
}

} // namespace

EditMask::EditMask(std::string_view mask) : source_(mask) {
    const auto fields = Fields(mask);
    if (fields.size() > 1) {
        saveLiterals_ = fields[1] != "0";
    }
    if (fields.size() > 2 && !fields[2].empty()) {
        std::size_t pos = 0;
        blank_ = NextCodePoint(fields[2], pos);
    }
    const std::u32string chars = Decode(fields[0]);
    const auto& settings = FormatSettings();
    auto conversion = CaseConversion::None;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        Position p;
        p.conversion = conversion;
        switch (c) {
        case U'!':
            reverse_ = true;
            continue;
        case U'>':
            conversion = CaseConversion::Upper;
            continue;
        case U'<':
            if (i + 1 < chars.size() && chars[i + 1] == U'>') {
                ++i;
                conversion = CaseConversion::None;
            } else {
                conversion = CaseConversion::Lower;
            }
            continue;
        case U'\\':
            if (i + 1 == chars.size()) {
                continue; // a trailing escape escapes nothing
            }
            p.literal = chars[++i];
            break;
        case U'L':
        case U'l':
            p.kind = Kind::Letter;
            break;
        case U'A':
        case U'a':
            p.kind = Kind::LetterOrDigit;
            break;
        case U'C':
        case U'c':
            p.kind = Kind::AnyCharacter;
            break;
        case U'0':
        case U'9':
            p.kind = Kind::Digit;
            break;
        case U'#':
            p.kind = Kind::DigitOrSign;
            break;
        case U'_':
            p.literal = U' ';
            break;
        case U'/':
            p.literal = char32_t(static_cast<unsigned char>(settings.DateSeparator));
            break;
        case U':':
            p.literal = char32_t(static_cast<unsigned char>(settings.TimeSeparator));
            break;
        default:
            p.literal = c;
        }
        p.required = c == U'L' || c == U'A' || c == U'C' || c == U'0';
        positions_.push_back(p);
    }
}

char32_t EditMask::Accept(std::size_t index, char32_t c) const {
    const Position& p = positions_[index];
    bool fits = false;
    switch (p.kind) {
    case Kind::Literal:
        return 0;
    case Kind::Letter:
        fits = IsLetter(c);
        break;
    case Kind::LetterOrDigit:
        fits = IsLetter(c) || IsAsciiDigit(c);
        break;
    case Kind::AnyCharacter:
        fits = c >= U' ';
        break;
    case Kind::Digit:
        fits = IsAsciiDigit(c);
        break;
    case Kind::DigitOrSign:
        fits = IsAsciiDigit(c) || c == U'+' || c == U'-';
        break;
    }
    if (!fits) {
        return 0;
    }
    switch (p.conversion) {
    case CaseConversion::Upper:
        return ToUpper(c);
    case CaseConversion::Lower:
        return ToLower(c);
    default:
        return c;
    }
}

MaskedText::MaskedText(EditMask mask) : mask_(std::move(mask)), cells_(mask_.Length(), 0) {}

void MaskedText::SetMask(EditMask mask) {
    if (mask.SameLayout(mask_)) {
        mask_ = std::move(mask);
        return;
    }
    const std::string entered = mask_.IsEmpty() ? plain_ : EnteredText();
    mask_ = std::move(mask);
    cells_.assign(mask_.Length(), 0);
    plain_.clear();
    if (mask_.IsEmpty()) {
        plain_ = entered;
        return;
    }
    // Entered characters go into the input positions one after another.
    const std::u32string chars = Decode(entered);
    std::size_t next = 0;
    for (std::size_t i = 0; i < cells_.size() && next < chars.size(); ++i) {
        if (mask_.At(i).IsInput()) {
            cells_[i] = mask_.Accept(i, chars[next++]);
        }
    }
}

std::string MaskedText::EditText() const {
    if (mask_.IsEmpty()) {
        return plain_;
    }
    std::string out;
    out.reserve(cells_.size());
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const auto& p = mask_.At(i);
        AppendUtf8(out, p.IsInput() ? (cells_[i] != 0 ? cells_[i] : mask_.Blank()) : p.literal);
    }
    return out;
}

void MaskedText::SetEditText(std::string_view text) {
    if (mask_.IsEmpty()) {
        plain_ = text;
        return;
    }
    const std::u32string chars = Decode(text);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const bool given = i < chars.size() && chars[i] != mask_.Blank();
        cells_[i] = given && mask_.At(i).IsInput() ? mask_.Accept(i, chars[i]) : 0;
    }
}

std::string MaskedText::Text() const {
    if (mask_.IsEmpty()) {
        return plain_;
    }
    if (!mask_.SaveLiterals()) {
        return EnteredText();
    }
    std::string out;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const auto& p = mask_.At(i);
        AppendUtf8(out, p.IsInput() ? (cells_[i] != 0 ? cells_[i] : U' ') : p.literal);
    }
    return out;
}

void MaskedText::SetText(std::string_view text) {
    if (mask_.IsEmpty()) {
        plain_ = text;
        return;
    }
    Clear();
    Fill(Decode(text));
    if (mask_.Reverse()) {
        RightAlignSections();
    }
}

std::string MaskedText::EnteredText() const {
    if (mask_.IsEmpty()) {
        return plain_;
    }
    std::string out;
    for (char32_t c : cells_) {
        if (c != 0) {
            AppendUtf8(out, c);
        }
    }
    return out;
}

void MaskedText::Fill(std::u32string_view text) {
    std::size_t index = 0;
    for (char32_t c : text) {
        while (index < cells_.size()) {
            const auto& p = mask_.At(index);
            if (!p.IsInput()) {
                ++index;
                if (c == p.literal) {
                    break; // the text's literal stands at the mask's literal
                }
                continue;
            }
            if (c == U' ' || c == mask_.Blank()) {
                ++index; // left unfilled
            } else if (const char32_t accepted = mask_.Accept(index, c)) {
                cells_[index++] = accepted;
            } else if (!SkipToLiteral(index, c)) {
                ++index; // a character that does not fit is dropped with its position
            }
            break;
        }
    }
}

bool MaskedText::SkipToLiteral(std::size_t& index, char32_t c) const {
    for (std::size_t i = index; i < cells_.size(); ++i) {
        const auto& p = mask_.At(i);
        if (!p.IsInput()) {
            if (p.literal != c) {
                return false;
            }
            index = i + 1;
            return true;
        }
        if (p.required) {
            return false;
        }
    }
    return false;
}

void MaskedText::RightAlignSections() {
    for (std::size_t start = 0; start < cells_.size();) {
        if (!mask_.At(start).IsInput()) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < cells_.size() && mask_.At(end).IsInput()) {
            ++end;
        }
        std::u32string filled;
        for (std::size_t i = start; i < end; ++i) {
            if (cells_[i] != 0) {
                filled += cells_[i];
            }
        }
        const std::size_t offset = (end - start) - filled.size();
        for (std::size_t i = start; i < end; ++i) {
            cells_[i] = i - start < offset ? 0 : mask_.Accept(i, filled[i - start - offset]);
        }
        start = end;
    }
}

bool MaskedText::Type(std::size_t& caret, char32_t c) {
    if (mask_.IsEmpty()) {
        return false;
    }
    // A literal typed at a literal moves past it.
    if (caret < cells_.size() && !mask_.At(caret).IsInput() && mask_.At(caret).literal == c) {
        ++caret;
        return true;
    }
    // The caret already skipped this literal after the previous section was full.
    if (caret > 0 && caret <= cells_.size() && !mask_.At(caret - 1).IsInput() &&
        mask_.At(caret - 1).literal == c) {
        return true;
    }
    std::size_t index = NextInput(caret);
    if (index >= cells_.size()) {
        return false;
    }
    if (const char32_t accepted = mask_.Accept(index, c)) {
        cells_[index] = accepted;
        caret = NextInput(index + 1);
        if (caret >= cells_.size()) {
            caret = cells_.size();
        }
        return true;
    }
    if (SkipToLiteral(index, c)) {
        caret = index;
        return true;
    }
    return false;
}

void MaskedText::Backspace(std::size_t& caret) {
    while (caret > 0) {
        --caret;
        if (mask_.At(caret).IsInput()) {
            cells_[caret] = 0;
            return;
        }
    }
}

void MaskedText::Delete(std::size_t caret) {
    if (caret < cells_.size() && mask_.At(caret).IsInput()) {
        cells_[caret] = 0;
    }
}

void MaskedText::Clear() {
    cells_.assign(mask_.Length(), 0);
    plain_.clear();
}

std::size_t MaskedText::NextInput(std::size_t index) const {
    while (index < cells_.size() && !mask_.At(index).IsInput()) {
        ++index;
    }
    return index;
}

bool MaskedText::IsBlank() const {
    if (mask_.IsEmpty()) {
        return plain_.empty();
    }
    for (char32_t c : cells_) {
        if (c != 0) {
            return false;
        }
    }
    return true;
}

bool MaskedText::Validate(std::size_t& firstInvalid) const {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (mask_.At(i).required && cells_[i] == 0) {
            firstInvalid = i;
            return false;
        }
    }
    return true;
}

std::string StripMask(std::string_view text, std::string_view mask) {
    MaskedText edit{EditMask(mask)};
    edit.SetText(text);
    return edit.EnteredText();
}

} // namespace kvc
