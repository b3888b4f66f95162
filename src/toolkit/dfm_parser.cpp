#include "toolkit/dfm_parser.h"

#include "runtime/strings.h"
#include "runtime/utf8.h"

#include <cctype>
#include <cstdlib>

namespace kvc {

namespace {

enum class Tok { End, Ident, Integer, Float, String, Symbol, Binary };

struct Token {
    Tok kind = Tok::End;
    std::string text; // identifier, decoded string, symbol, binary hex digits
    std::int64_t integer = 0;
    double number = 0;
    int line = 1;
};

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Lexer {
public:
    Lexer(std::string_view text, std::string_view file) : text_(text), file_(file) {}

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EReadError(std::string(file_) + ":" + IntToStr(line) + ": " + message);
    }

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) {
            return t;
        }
        char c = text_[pos_];
        if (IsIdentStart(c)) {
            std::size_t start = pos_;
            while (pos_ < text_.size() && IsIdentChar(text_[pos_])) {
                ++pos_;
            }
            t.kind = Tok::Ident;
            t.text = std::string(text_.substr(start, pos_ - start));
            return t;
        }
        if (c == '\'' || c == '#') {
            t.kind = Tok::String;
            t.text = ReadString();
            return t;
        }
        if (c == '$' || std::isdigit(static_cast<unsigned char>(c)) ||
            ((c == '-' || c == '+') && pos_ + 1 < text_.size() &&
             (std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])) ||
              text_[pos_ + 1] == '$'))) {
            return ReadNumber(t);
        }
        if (c == '{') {
            ++pos_;
            t.kind = Tok::Binary;
            while (pos_ < text_.size() && text_[pos_] != '}') {
                char h = text_[pos_++];
                if (h == '\n') {
                    ++line_;
                } else if (std::isxdigit(static_cast<unsigned char>(h))) {
                    t.text.push_back(h);
                } else if (!std::isspace(static_cast<unsigned char>(h))) {
                    Fail(line_, "invalid binary data");
                }
            }
            if (pos_ >= text_.size()) {
                Fail(t.line, "unterminated binary data");
            }
            ++pos_;
            return t;
        }
        t.kind = Tok::Symbol;
        t.text = std::string(1, c);
        ++pos_;
        return t;
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (pos_ == 0 && text_.substr(0, 3) == "\xEF\xBB\xBF") {
                pos_ = 3;
            } else {
                break;
            }
        }
    }

    // Quoted pieces and #nn codes, adjacent or joined by "+".
    std::string ReadString() {
        std::string out;
        int startLine = line_;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\'') {
                ++pos_;
                while (true) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n') {
                        Fail(startLine, "unterminated string");
                    }
                    char s = text_[pos_++];
                    if (s == '\'') {
                        if (pos_ < text_.size() && text_[pos_] == '\'') {
                            out.push_back('\'');
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    out.push_back(s);
                }
            } else if (c == '#') {
                ++pos_;
                std::size_t start = pos_;
                bool hex = pos_ < text_.size() && text_[pos_] == '$';
                if (hex) {
                    ++pos_;
                }
                while (pos_ < text_.size() &&
                       (hex ? std::isxdigit(static_cast<unsigned char>(text_[pos_]))
                            : std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
                    ++pos_;
                }
                std::int64_t code = 0;
                if (!TryStrToInt64(text_.substr(start, pos_ - start), code) || code < 0 ||
                    code > 0x10FFFF) {
                    Fail(line_, "invalid character code");
                }
                AppendUtf8(out, char32_t(code));
            } else {
                // A "+" joins the next piece, possibly on the next line.
                std::size_t save = pos_;
                int saveLine = line_;
                SkipBlanks();
                if (pos_ < text_.size() && text_[pos_] == '+') {
                    ++pos_;
                    SkipBlanks();
                    if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
                        continue;
                    }
                    Fail(line_, "string expected after '+'");
                }
                pos_ = save;
                line_ = saveLine;
                break;
            }
        }
        return out;
    }

    Token ReadNumber(Token& t) {
        std::size_t start = pos_;
        if (text_[pos_] == '-' || text_[pos_] == '+') {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] == '$') {
            ++pos_;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
                ++pos_;
            }
            t.kind = Tok::Integer;
            if (!TryStrToInt64(text_.substr(start, pos_ - start), t.integer)) {
                Fail(t.line, "invalid number");
            }
            return t;
        }
        bool isFloat = false;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (std::isdigit(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '.' || c == 'e' || c == 'E') {
                isFloat = true;
                ++pos_;
                if ((c == 'e' || c == 'E') && pos_ < text_.size() &&
                    (text_[pos_] == '-' || text_[pos_] == '+')) {
                    ++pos_;
                }
            } else {
                break;
            }
        }
        std::string number(text_.substr(start, pos_ - start));
        if (isFloat) {
            char* end = nullptr;
            t.kind = Tok::Float;
            t.number = std::strtod(number.c_str(), &end);
            if (end == nullptr || *end != '\0') {
                Fail(t.line, "invalid number '" + number + "'");
            }
        } else {
            t.kind = Tok::Integer;
            if (!TryStrToInt64(number, t.integer)) {
                Fail(t.line, "invalid number '" + number + "'");
            }
        }
        return t;
    }

    std::string_view text_;
    std::string_view file_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    Parser(std::string_view text, std::string_view file) : lexer_(text, file) { Advance(); }

    DfmObject ParseRoot() {
        DfmObject root = ParseObject();
        if (current_.kind != Tok::End) {
            Fail("end of file expected");
        }
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) { lexer_.Fail(current_.line, message); }
    void Advance() { current_ = lexer_.Next(); }
    bool IsSymbol(char c) const {
        return current_.kind == Tok::Symbol && current_.text.size() == 1 && current_.text[0] == c;
    }
    bool IsWord(std::string_view word) const {
        return current_.kind == Tok::Ident && SameText(current_.text, word);
    }
    void Expect(char c) {
        if (!IsSymbol(c)) {
            Fail(std::string("'") + c + "' expected");
        }
        Advance();
    }
    std::string ExpectIdent(const char* what) {
        if (current_.kind != Tok::Ident) {
            Fail(std::string(what) + " expected");
        }
        std::string s = current_.text;
        Advance();
        return s;
    }

    DfmObject ParseObject() {
        DfmObject obj;
        obj.line = current_.line;
        if (IsWord("object")) {
            obj.kind = DfmObject::Kind::Object;
        } else if (IsWord("inherited")) {
            obj.kind = DfmObject::Kind::Inherited;
        } else if (IsWord("inline")) {
            obj.kind = DfmObject::Kind::Inline;
        } else {
            Fail("'object' or 'inherited' expected");
        }
        Advance();
        std::string first = ExpectIdent("component name");
        if (IsSymbol(':')) {
            Advance();
            obj.name = first;
            obj.className = ExpectIdent("class name");
        } else {
            obj.className = first;
        }
        if (IsSymbol('[')) { // the position index of an inherited component
            Advance();
            while (!IsSymbol(']') && current_.kind != Tok::End) {
                Advance();
            }
            Expect(']');
        }
        while (!IsWord("end")) {
            if (current_.kind == Tok::End) {
                Fail("'end' expected");
            }
            if (IsWord("object") || IsWord("inherited") || IsWord("inline")) {
                obj.children.push_back(ParseObject());
            } else {
                obj.properties.push_back(ParseProperty());
            }
        }
        Advance();
        return obj;
    }

    DfmProperty ParseProperty() {
        DfmProperty p;
        p.line = current_.line;
        p.name = ExpectIdent("property name");
        while (IsSymbol('.')) {
            Advance();
            p.name += "." + ExpectIdent("property name");
        }
        Expect('=');
        p.value = ParseValue();
        return p;
    }

    DfmValue ParseValue() {
        DfmValue v;
        v.line = current_.line;
        switch (current_.kind) {
        case Tok::Integer:
            v.kind = DfmValue::Kind::Integer;
            v.integer = current_.integer;
            Advance();
            return v;
        case Tok::Float:
            v.kind = DfmValue::Kind::Float;
            v.number = current_.number;
            Advance();
            return v;
        case Tok::String:
            v.kind = DfmValue::Kind::String;
            v.text = current_.text;
            Advance();
            return v;
        case Tok::Binary:
            v.kind = DfmValue::Kind::Binary;
            if (current_.text.size() % 2 != 0) {
                Fail("odd number of hexadecimal digits in binary data");
            }
            for (std::size_t i = 0; i < current_.text.size(); i += 2) {
                v.bytes.push_back(
                    std::uint8_t(std::strtol(current_.text.substr(i, 2).c_str(), nullptr, 16)));
            }
            Advance();
            return v;
        case Tok::Ident:
            v.kind = DfmValue::Kind::Identifier;
            v.text = current_.text;
            Advance();
            while (IsSymbol('.')) {
                Advance();
                v.text += "." + ExpectIdent("identifier");
            }
            return v;
        case Tok::Symbol:
            break;
        case Tok::End:
            Fail("value expected");
        }
        if (IsSymbol('[')) {
            v.kind = DfmValue::Kind::Set;
            Advance();
            while (!IsSymbol(']')) {
                v.names.push_back(ExpectIdent("set element"));
                if (IsSymbol(',')) {
                    Advance();
                } else if (!IsSymbol(']')) {
                    Fail("',' or ']' expected");
                }
            }
            Advance();
            return v;
        }
        if (IsSymbol('(')) {
            v.kind = DfmValue::Kind::List;
            Advance();
            while (!IsSymbol(')')) {
                if (current_.kind == Tok::End) {
                    Fail("')' expected");
                }
                v.list.push_back(ParseValue());
            }
            Advance();
            return v;
        }
        if (IsSymbol('<')) {
            v.kind = DfmValue::Kind::Collection;
            Advance();
            while (!IsSymbol('>')) {
                if (!IsWord("item")) {
                    Fail("'item' expected");
                }
                Advance();
                std::vector<DfmProperty> item;
                while (!IsWord("end")) {
                    if (current_.kind == Tok::End) {
                        Fail("'end' expected");
                    }
                    item.push_back(ParseProperty());
                }
                Advance();
                v.items.push_back(std::move(item));
            }
            Advance();
            return v;
        }
        Fail("value expected, found '" + current_.text + "'");
    }

    Lexer lexer_;
    Token current_;
};

} // namespace

DfmObject ParseDfm(std::string_view text, std::string_view fileName) {
    Parser parser(text, fileName);
    return parser.ParseRoot();
}

std::string DfmRootClassName(std::string_view text) {
    Lexer lexer(text, "");
    try {
        Token t = lexer.Next();
        if (t.kind != Tok::Ident || !(SameText(t.text, "object") || SameText(t.text, "inherited") ||
                                      SameText(t.text, "inline"))) {
            return {};
        }
        Token name = lexer.Next();
        Token colon = lexer.Next();
        if (name.kind != Tok::Ident || colon.text != ":") {
            return {};
        }
        Token cls = lexer.Next();
        return cls.kind == Tok::Ident ? cls.text : std::string();
    } catch (const EReadError&) {
        return {};
    }
}

} // namespace kvc
