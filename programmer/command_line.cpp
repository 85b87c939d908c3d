#include "programmer/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kl40 {

std::variant<std::vector<std::string>, std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false; // a quote makes an argument even when it stays empty
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            if (++i == text.size()) return std::string("the command ends in a lone backslash");
            current += text[i];
        } else if (c == '\'') {
            const std::size_t close = text.find('\'', i + 1);
            if (close == std::string::npos) return std::string("a quote ' is not closed");
            current.append(text, i + 1, close - i - 1);
            i = close;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i == text.size()) return std::string("a quote \" is not closed");
                if (text[i] == '"') break;
                if (text[i] == '\\' && i + 1 < text.size() &&
                    (text[i + 1] == '"' || text[i + 1] == '\\'))
                    ++i;
                current += text[i];
            }
        } else {
            current += c;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    if (arguments.empty()) return std::string("no command");
    return arguments;
}

std::vector<std::string> FillCommandLine(std::vector<std::string> arguments,
                                         const std::string& device, const std::string& file) {
    for (std::string& argument : arguments) {
        // One pass over the original text, so a device name that contains
        // "{file}" is not filled in again.
        std::string filled;
        for (std::size_t i = 0; i < argument.size();) {
            if (argument.compare(i, 8, "{device}") == 0) {
                filled += device;
                i += 8;
            } else if (argument.compare(i, 6, "{file}") == 0) {
                filled += file;
                i += 6;
            } else {
                filled += argument[i++];
            }
        }
        argument = std::move(filled);
    }
    return arguments;
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty()) text += ' ';
        const bool plain =
            !argument.empty() && std::all_of(argument.begin(), argument.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) ||
                       std::string_view("@%+=:,./_-").find(c) != std::string_view::npos;
            });
        if (plain) {
            text += argument;
            continue;
        }
        // In single quotes everything is literal; a quote itself is closed,
        // escaped and reopened.
        text += '\'';
        for (char c : argument)
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        text += '\'';
    }
    return text;
}

} // namespace kl40
