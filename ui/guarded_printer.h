#pragma once
// A printer that forwards every call to the document's printer and swallows
// its failures, so that a driver error skips only the call that failed and the
// rest of a report still runs. Without a printer every call does nothing and
// every measure is 0.

#include "ui/printer.h"

#include <cstdint>
#include <string>

namespace kl40 {

class GuardedPrinter final : public Printer {
public:
    explicit GuardedPrinter(Printer* inner) : inner_(inner) {}

    void setFontName(const std::string& name) override {
        run([&](Printer& p) { p.setFontName(name); });
    }
    void setFontSize(double points) override {
        run([&](Printer& p) { p.setFontSize(points); });
    }
    void setFontBold(bool bold) override {
        run([&](Printer& p) { p.setFontBold(bold); });
    }
    double currentX() const override {
        return get([](const Printer& p) { return p.currentX(); });
    }
    double currentY() const override {
        return get([](const Printer& p) { return p.currentY(); });
    }
    void setCurrentX(double twips) override {
        run([&](Printer& p) { p.setCurrentX(twips); });
    }
    void setCurrentY(double twips) override {
        run([&](Printer& p) { p.setCurrentY(twips); });
    }
    double pageWidth() const override {
        return get([](const Printer& p) { return p.pageWidth(); });
    }
    double pageHeight() const override {
        return get([](const Printer& p) { return p.pageHeight(); });
    }
    double textWidth(const std::string& text) const override {
        return get([&](const Printer& p) { return p.textWidth(text); });
    }
    void print(const std::string& text, bool endLine) override {
        run([&](Printer& p) { p.print(text, endLine); });
    }
    void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) override {
        run([&](Printer& p) { p.drawBox(x1, y1, x2, y2, colour); });
    }
    void newPage() override {
        run([](Printer& p) { p.newPage(); });
    }
    void endDocument() override {
        run([](Printer& p) { p.endDocument(); });
    }

private:
    template <typename F> void run(F&& call) {
        if (inner_ == nullptr) return;
        try {
            call(*inner_);
        } catch (...) {
        }
    }
    template <typename F> double get(F&& call) const {
        if (inner_ == nullptr) return 0;
        try {
            return call(*inner_);
        } catch (...) {
            return 0;
        }
    }

    Printer* inner_;
};

} // namespace kl40
