#include "ui/printer.h"

#include <cmath>

namespace kl40 {

void PrintText(Printer& printer, std::string_view text, bool endLine) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            printer.print(std::string(text.substr(start)), endLine);
            return;
        }
        if (tab > start) printer.print(std::string(text.substr(start, tab - start)), false);
        const double stops = std::floor(printer.currentX() / kTabStopTwips) + 1;
        printer.setCurrentX(stops * kTabStopTwips);
        start = tab + 1;
    }
}

} // namespace kl40
