#include "formats/json_reading.h"

#include "core/echo_text.h"

#include <set>
#include <vector>

namespace kl40 {

namespace {

using nlohmann::json;

struct DuplicateKey {
    std::string key;
};

void eraseFirst(std::string& text, std::string_view what) {
    if (const auto at = text.find(what); at != std::string::npos) text.erase(at, what.size());
}

} // namespace

std::string PlainJsonMessage(std::string_view what) {
    std::string text(what);
    if (!text.empty() && text.front() == '[') {
        const auto end = text.find("] ");
        if (end != std::string::npos) text.erase(0, end + 2);
    }
    eraseFirst(text, "parse error at ");
    // "syntax error while parsing value - " and its kin for keys and objects.
    const auto syntax = text.find("syntax error while parsing ");
    if (syntax != std::string::npos) {
        const auto dash = text.find(" - ", syntax);
        if (dash != std::string::npos) text.erase(syntax, dash + 3 - syntax);
    }
    // The message quotes what was last read, which may be any bytes.
    return EchoText(text);
}

std::variant<json, JsonSyntaxError> ParseJsonStrictly(std::string_view text) {
    // The keys seen so far in each object that is open, innermost last.
    std::vector<std::set<std::string>> openObjects;
    const json::parser_callback_t watchKeys = [&openObjects](int, json::parse_event_t event,
                                                             json& parsed) {
        switch (event) {
        case json::parse_event_t::object_start:
            openObjects.emplace_back();
            break;
        case json::parse_event_t::object_end:
            if (!openObjects.empty()) openObjects.pop_back();
            break;
        case json::parse_event_t::key:
            if (!openObjects.empty() &&
                !openObjects.back().insert(parsed.get<std::string>()).second)
                throw DuplicateKey{parsed.get<std::string>()};
            break;
        default:
            break;
        }
        return true;
    };
    try {
        return json::parse(text.begin(), text.end(), watchKeys);
    } catch (const DuplicateKey& duplicate) {
        return JsonSyntaxError{
            "the key " + json(duplicate.key).dump(-1, ' ', false, json::error_handler_t::replace) +
            " is given twice in one object"};
    } catch (const json::exception& e) {
        // A syntax error, or a number too large for a double ("1e400").
        return JsonSyntaxError{PlainJsonMessage(e.what())};
    }
}

} // namespace kl40
