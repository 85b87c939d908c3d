#pragma once
// Parsing JSON text strictly: a key given twice in one object is refused, and
// errors read "line L, column C: what was expected" instead of the parser's
// own wording.

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <variant>

namespace kl40 {

struct JsonSyntaxError {
    std::string message;
};

std::variant<nlohmann::json, JsonSyntaxError> ParseJsonStrictly(std::string_view text);

// The parser's message without its exception tag: "[json.exception.parse_error.101]
// parse error at line 1, column 9: syntax error while parsing value - invalid
// literal; ..." becomes "line 1, column 9: invalid literal; ...".
std::string PlainJsonMessage(std::string_view what);

} // namespace kl40
