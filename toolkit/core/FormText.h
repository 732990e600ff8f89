#pragma once
// The text form of a component description:
//
//   object Name: TClass
//     Property = value
//     object Child: TOtherClass
//       ...
//     end
//   end
//
// Values: integers (with a sign), texts in single quotes ('' is a quote,
// #nn a character code, parts joined with + or written side by side),
// identifiers, sets [a, b] and text lists ('a' 'b'). Property names may
// be dotted (Font.Name).
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace toolkit {

struct Identifier {
    std::string name;
};
struct SetValue {
    std::vector<std::string> members;
};
struct TextList {
    std::vector<std::string> lines;
};
using FormValue = std::variant<std::int64_t, std::string, Identifier, SetValue, TextList>;

struct FormProperty {
    std::string name;
    FormValue value;
    int line = 0;
};

struct FormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
};

// Parses one object description; raises an error naming the line on
// malformed text.
FormObject parseFormText(std::string_view text);

} // namespace toolkit
