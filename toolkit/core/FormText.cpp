#include "toolkit/core/FormText.h"

#include "toolkit/core/Error.h"
#include "toolkit/core/Text.h"

#include <cctype>

namespace toolkit {

namespace {

bool identifierStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool identifierPart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    FormObject parseDocument()
    {
        FormObject root = parseObject();
        skipBlanks();
        if (position_ < text_.size()) fail("text after the final 'end'");
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw Error(format("Form description line %d: %s", line_, what.c_str()));
    }

    void skipBlanks()
    {
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c == '\n') ++line_;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                ++position_;
            else if (c == '/' && position_ + 1 < text_.size() && text_[position_ + 1] == '/')
                while (position_ < text_.size() && text_[position_] != '\n') ++position_;
            else
                break;
        }
    }

    bool atEnd()
    {
        skipBlanks();
        return position_ >= text_.size();
    }

    char peek()
    {
        skipBlanks();
        return position_ < text_.size() ? text_[position_] : '\0';
    }

    void expect(char c)
    {
        if (peek() != c) fail(format("'%c' expected", c));
        ++position_;
    }

    std::string identifier(bool dotted)
    {
        if (!identifierStart(peek())) fail("a name expected");
        const std::size_t start = position_;
        while (position_ < text_.size() &&
               (identifierPart(text_[position_]) ||
                (dotted && text_[position_] == '.' && position_ + 1 < text_.size() && identifierStart(text_[position_ + 1]))))
            ++position_;
        return std::string(text_.substr(start, position_ - start));
    }

    FormObject parseObject()
    {
        FormObject object;
        skipBlanks();
        object.line = line_;
        if (!sameTextAscii(identifier(false), "object")) fail("'object' expected");
        object.name = identifier(false);
        expect(':');
        object.className = identifier(false);
        while (true) {
            if (atEnd()) fail(format("'end' of %s missing", object.name.c_str()));
            const std::size_t mark = position_;
            const int markLine = line_;
            const std::string word = identifier(true);
            if (sameTextAscii(word, "end")) break;
            if (sameTextAscii(word, "object")) {
                position_ = mark;
                line_ = markLine;
                object.children.push_back(parseObject());
                continue;
            }
            FormProperty property{word, {}, line_};
            expect('=');
            property.value = parseValue();
            object.properties.push_back(std::move(property));
        }
        return object;
    }

    std::string parseText()
    {
        std::string result;
        while (true) {
            const char c = peek();
            if (c == '\'') {
                ++position_;
                while (true) {
                    if (position_ >= text_.size() || text_[position_] == '\n') fail("unterminated text");
                    if (text_[position_] == '\'') {
                        if (position_ + 1 < text_.size() && text_[position_ + 1] == '\'') {
                            result += '\'';
                            position_ += 2;
                            continue;
                        }
                        ++position_;
                        break;
                    }
                    result += text_[position_++];
                }
            } else if (c == '#') {
                ++position_;
                const std::size_t start = position_;
                while (position_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[position_]))) ++position_;
                if (start == position_ || position_ - start > 3) fail("character code expected after '#'");
                const int code = std::stoi(std::string(text_.substr(start, position_ - start)));
                if (code > 255) fail("character code above 255");
                result += static_cast<char>(code);
            } else {
                break;
            }
            // Parts written side by side ('a'#9'b') form one text; a
            // blank between two quoted texts separates them (in lists).
            if (position_ < text_.size() && (text_[position_] == '\'' || text_[position_] == '#')) continue;
            const char next = peek();
            if (next == '+') {
                ++position_;
                const char part = peek();
                if (part != '\'' && part != '#') fail("text expected after '+'");
            } else if (next != '#') {
                break;  // '#' joins without '+'; another quote starts a new text
            }
        }
        return result;
    }

    FormValue parseValue()
    {
        const char c = peek();
        if (c == '\'' || c == '#') return parseText();
        if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
            const std::size_t start = position_;
            ++position_;
            while (position_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[position_]))) ++position_;
            const std::string digits(text_.substr(start, position_ - start));
            if (digits == "-" || digits == "+") fail("number expected");
            if (digits.size() > 12) fail(format("number %s out of range", digits.c_str()));
            return std::int64_t{std::stoll(digits)};
        }
        if (c == '[') {
            ++position_;
            SetValue set;
            if (peek() != ']') {
                set.members.push_back(identifier(false));
                while (peek() == ',') {
                    ++position_;
                    set.members.push_back(identifier(false));
                }
            }
            expect(']');
            return set;
        }
        if (c == '(') {
            ++position_;
            TextList list;
            while (peek() != ')') {
                if (atEnd()) fail("')' expected");
                if (peek() != '\'' && peek() != '#') fail("text expected in the list");
                list.lines.push_back(parseText());
            }
            ++position_;
            return list;
        }
        if (identifierStart(c)) return Identifier{identifier(false)};
        fail("value expected");
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
};

} // namespace

FormObject parseFormText(std::string_view text)
{
    return Parser(text).parseDocument();
}

} // namespace toolkit
