#include "cli/text_printer.h"

#include <algorithm>
#include <cmath>

namespace kl40::cli {

namespace {
std::size_t column(double twips) {
    const double c = std::nearbyint(twips / TextPrinter::kColumnTwips);
    return c > 0 && c < 1000 ? static_cast<std::size_t>(c) : 0;
}
bool blank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}
} // namespace

double TextPrinter::textWidth(const std::string& text) const {
    return static_cast<double>(text.size()) * kColumnTwips;
}

void TextPrinter::print(const std::string& text, bool endLine) {
    const std::size_t at = column(x_);
    if (current_.size() < at) current_.resize(at, ' ');
    current_.replace(at, std::min(text.size(), current_.size() - at), text);
    x_ += textWidth(text);
    if (endLine) endCurrentLine();
}

void TextPrinter::drawBox(double x1, double, double x2, double, std::uint32_t) {
    const std::size_t from = column(x1);
    const std::size_t to = std::max(from, column(x2));
    lines_.push_back(std::string(from, ' ') + std::string(to - from, '-'));
}

void TextPrinter::newPage() {
    if (!current_.empty()) endCurrentLine();
    lines_.emplace_back();
    x_ = 0;
    y_ = 0;
}

void TextPrinter::endCurrentLine() {
    lines_.push_back(current_);
    current_.clear();
    x_ = 0;
    y_ += 240;
}

void TextPrinter::endDocument() {
    if (!current_.empty()) endCurrentLine();
    // The paper layout's left margin and its runs of spacing lines mean
    // nothing on a terminal: drop the common indent and keep one blank line.
    std::size_t indent = std::string::npos;
    for (const auto& line : lines_)
        if (!blank(line)) indent = std::min(indent, line.find_first_not_of(' '));
    if (indent == std::string::npos) indent = 0;
    bool previousBlank = true;
    for (auto& line : lines_) {
        if (blank(line)) {
            if (!previousBlank) out_ << '\n';
            previousBlank = true;
            continue;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out_ << line.substr(indent) << '\n';
        previousBlank = false;
    }
    lines_.clear();
}

} // namespace kl40::cli
