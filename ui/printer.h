#pragma once
// The printer as the reports see it: a page addressed in twips (1440 to the
// inch) from the top-left corner of the printable area, a current print
// position, and one font (name, size in points, bold). The desktop view
// implements it over the platform's printing; tests record the calls.
//
// Tabs are not the printer's business: `PrintText` splits a text at its tab
// characters and moves the position itself, so every printer lays out tabbed
// columns the same way.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

inline constexpr int kTwipsPerInch = 1440;
// A tab moves the print position to the next multiple of this many twips.
inline constexpr int kTabStopTwips = 960;

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;

    // Current print position in twips from the left and top edges.
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double twips) = 0;
    virtual void setCurrentY(double twips) = 0;

    // Width of the printable area in twips.
    virtual double pageWidth() const = 0;
    // Height of the printable area in twips.
    virtual double pageHeight() const = 0;
    // Width of `text` in the current font, in twips.
    virtual double textWidth(const std::string& text) const = 0;

    // Prints `text` (which holds no tab) at the current position. With
    // `endLine` the position then moves to the left edge, one line height of
    // the current font down; without it the position stays just after the text.
    virtual void print(const std::string& text, bool endLine) = 0;

    // Draws a box with corners (x1, y1) and (x2, y2) in the colour 0xRRGGBB.
    // The print position does not move.
    virtual void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) = 0;

    virtual void newPage() = 0;
    // Ends the document and sends it to the printer.
    virtual void endDocument() = 0;
};

// Prints `text` like `Printer::print`, except that every tab character moves
// the position on to the next multiple of `kTabStopTwips` from the left edge.
void PrintText(Printer& printer, std::string_view text, bool endLine);

// Prints a line holding `text` and ends it.
inline void PrintLine(Printer& printer, std::string_view text) {
    PrintText(printer, text, true);
}

// Where the printed copies go. The desktop view implements it with the
// platform's printer dialog and printer; tests record what would be printed.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Shows the printer dialog. Returns the number of copies chosen, or
    // nothing when the operator cancels.
    virtual std::optional<int> ChoosePrinter() = 0;
    // Starts one document on the chosen printer. May return null or throw when
    // no printer is available.
    virtual std::unique_ptr<Printer> StartDocument() = 0;
};

// Shows on screen the pages a document would print, on the paper of the
// printer settings. `draw` lays the whole document out on the printer it is
// given and ends it; the preview may run it again (after a page set-up).
class PreviewTarget {
public:
    virtual ~PreviewTarget() = default;
    virtual void ShowPreview(const std::function<void(Printer&)>& draw) = 0;
};

} // namespace kl40
