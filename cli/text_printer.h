#pragma once
// A printer that lays the reports out as plain text on a grid of fixed-pitch
// columns (one column per 120 twips, the width of a 10-point fixed-pitch
// character), so the command-line tool prints the same rows and columns as
// the paper reports.

#include "ui/printer.h"

#include <ostream>
#include <string>
#include <vector>

namespace kl40::cli {

class TextPrinter : public Printer {
public:
    explicit TextPrinter(std::ostream& out) : out_(out) {}

    void setFontName(const std::string&) override {}
    void setFontSize(double) override {}
    void setFontBold(bool) override {}
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double twips) override { x_ = twips; }
    void setCurrentY(double twips) override { y_ = twips; }
    double pageWidth() const override { return kPageWidth; }
    double pageHeight() const override { return kPageHeight; }
    double textWidth(const std::string& text) const override;
    void print(const std::string& text, bool endLine) override;
    void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) override;
    void newPage() override;
    void endDocument() override;

    static constexpr double kColumnTwips = 120;
    static constexpr double kPageWidth = 11520;  // 8 inches of printable width
    static constexpr double kPageHeight = 15120; // 10.5 inches of printable height

private:
    void endCurrentLine();

    std::ostream& out_;
    std::vector<std::string> lines_;
    std::string current_;
    double x_ = 0;
    double y_ = 0;
};

} // namespace kl40::cli
