#pragma once
// A Printer and PrintTarget for tests: every printed text and box, page break
// and document end is logged with its position, font and page.
//
// Metric (fixed pitch, whatever the font name):
//   character width = 0.6 x points x 20 twips (120 at 10 points: eight
//                     characters fill one 960-twip tab stop);
//   line height     = points x 20 x 1.2 twips, rounded (240 at 10 points).
// Pages are 11520 twips (8 inches) wide and 15120 twips (10.5 inches) high
// unless the target says otherwise.

#include "ui/printer.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kl40::test {

struct PrintCall {
    enum class Kind { Text, Box, NewPage, EndDocument };
    Kind kind = Kind::Text;
    int page = 1;
    std::string text; // Text: as passed to print (a tab here is a fault)
    bool endLine = false;
    double x = 0, y = 0;   // Text: where it started; Box: first corner
    double x2 = 0, y2 = 0; // Box: second corner
    std::uint32_t colour = 0;
    std::string font;
    double size = 0;
    bool bold = false;
};

struct RecordedDocument {
    std::vector<PrintCall> calls;
    int pages = 1;
    bool ended = false;

    std::vector<PrintCall> where(PrintCall::Kind kind, const std::string* text = nullptr) const {
        std::vector<PrintCall> out;
        for (const auto& c : calls)
            if (c.kind == kind && (text == nullptr || c.text == *text)) out.push_back(c);
        return out;
    }
    std::vector<PrintCall> texts() const { return where(PrintCall::Kind::Text); }
    std::vector<PrintCall> find(const std::string& text) const {
        return where(PrintCall::Kind::Text, &text);
    }
    std::vector<PrintCall> boxes() const { return where(PrintCall::Kind::Box); }
    // The texts printed on the same page and line as `call`, left to right.
    std::vector<PrintCall> lineOf(const PrintCall& call) const {
        std::vector<PrintCall> out;
        for (const auto& c : texts())
            if (c.page == call.page && c.y == call.y) out.push_back(c);
        return out;
    }
};

class RecordingPrinter : public Printer {
public:
    RecordingPrinter(RecordedDocument& doc, double pageWidth, const std::set<std::string>& failing,
                     double pageHeight = 15120)
        : doc_(doc), pageWidth_(pageWidth), pageHeight_(pageHeight), failing_(failing) {}

    // 0.6 x points x 20, written as points x 12 to stay exact in binary.
    static double charWidth(double points) { return points * 12; }
    static double lineHeight(double points) { return std::round(points * 24); }

    void setFontName(const std::string& name) override {
        fault("setFontName");
        font_ = name;
    }
    void setFontSize(double points) override {
        fault("setFontSize");
        size_ = points;
    }
    void setFontBold(bool bold) override {
        fault("setFontBold");
        bold_ = bold;
    }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double twips) override {
        fault("setCurrentX");
        x_ = twips;
    }
    void setCurrentY(double twips) override {
        fault("setCurrentY");
        y_ = twips;
    }
    double pageWidth() const override { return pageWidth_; }
    double pageHeight() const override { return pageHeight_; }
    double textWidth(const std::string& text) const override {
        return static_cast<double>(text.size()) * charWidth(size_);
    }
    void print(const std::string& text, bool endLine) override {
        PrintCall& c = log("print", PrintCall::Kind::Text);
        c.text = text;
        c.endLine = endLine;
        c.x = x_;
        c.y = y_;
        x_ = endLine ? 0 : x_ + textWidth(text);
        if (endLine) y_ += lineHeight(size_);
    }
    void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) override {
        PrintCall& c = log("drawBox", PrintCall::Kind::Box);
        c.x = x1;
        c.y = y1;
        c.x2 = x2;
        c.y2 = y2;
        c.colour = colour;
    }
    void newPage() override {
        log("newPage", PrintCall::Kind::NewPage);
        ++doc_.pages;
        x_ = 0;
        y_ = 0;
    }
    void endDocument() override {
        log("endDocument", PrintCall::Kind::EndDocument);
        doc_.ended = true;
    }

private:
    void fault(const std::string& op) const {
        if (failing_.count(op) != 0) throw std::runtime_error("printer failure in " + op);
    }
    PrintCall& log(const std::string& op, PrintCall::Kind kind) {
        fault(op);
        PrintCall& c = doc_.calls.emplace_back();
        c.kind = kind;
        c.page = doc_.pages;
        c.font = font_;
        c.size = size_;
        c.bold = bold_;
        return c;
    }

    RecordedDocument& doc_;
    double pageWidth_;
    double pageHeight_;
    const std::set<std::string>& failing_;
    std::string font_ = "System";
    double size_ = 12;
    bool bold_ = false;
    double x_ = 0, y_ = 0;
};

class RecordingPrintTarget : public PrintTarget {
public:
    // Queue the outcome of the next printer dialog: a copy count or a cancel.
    void chooseCopies(int copies) { answers.emplace_back(copies); }
    void cancelDialog() { answers.emplace_back(std::nullopt); }

    std::optional<int> ChoosePrinter() override {
        ++dialogsShown;
        if (answers.empty()) throw std::logic_error("unexpected printer dialog");
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::unique_ptr<Printer> StartDocument() override {
        if (noPrinter) throw std::runtime_error("no printer");
        documents.push_back(std::make_unique<RecordedDocument>());
        return std::make_unique<RecordingPrinter>(*documents.back(), pageWidth, failing,
                                                  pageHeight);
    }
    const RecordedDocument& document(std::size_t i) const { return *documents.at(i); }

    double pageWidth = 11520;
    double pageHeight = 15120;
    bool noPrinter = false;
    std::set<std::string> failing; // printer operations that throw ("newPage", ...)
    int dialogsShown = 0;
    std::deque<std::optional<int>> answers;
    std::vector<std::unique_ptr<RecordedDocument>> documents;
};

} // namespace kl40::test
