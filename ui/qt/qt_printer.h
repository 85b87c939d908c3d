#pragma once
// The reports' printer on Qt: a QPainter on a QPrinter, addressed in twips.
//
// Coordinates. The printer is put into full-page mode, so the painter covers
// the whole sheet, and every position is then offset by the printer's
// hardware margins: (0, 0) is the top-left corner of the printable area and
// `pageWidth()` its width, as the Printer interface has it. Margins the
// operator sets in a page set-up dialog do not move the reports. A PDF file
// has no hardware margins, so there the printable area is the whole sheet.
//
// Lines. The vertical position is the top of the current line; text is drawn
// on the baseline one font ascent below it, and ending a line moves down by
// the font's line spacing. A line that would not fit above the bottom of the
// printable area goes to the top of a new page (the page is started only when
// something is drawn on it, so a report that fills a page exactly gets no
// blank page after it).
//
// Boxes are filled: the reports' rule is a solid bar 50 twips high.

#include "ui/printer.h"

#include <QFont>
#include <QPainter>
#include <QRectF>

#include <cstdint>
#include <memory>
#include <string>

class QPrinter;

namespace kl40::qt {

class QtPrinter final : public Printer {
    struct Key {};

public:
    // Starts a document on `device`, which must outlive the returned printer.
    // Null when the device cannot start one (no printer, an unwritable file).
    static std::unique_ptr<QtPrinter> begin(QPrinter& device);
    // The same, for a device that the printer owns from then on.
    static std::unique_ptr<QtPrinter> begin(std::unique_ptr<QPrinter> device);

    QtPrinter(Key, QPrinter& device, std::unique_ptr<QPrinter> owned);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;

    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double twips) override { x_ = twips; }
    void setCurrentY(double twips) override { y_ = twips; }

    double pageWidth() const override;
    double pageHeight() const override;
    double textWidth(const std::string& text) const override;
    void print(const std::string& text, bool endLine) override;
    void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) override;
    void newPage() override;
    void endDocument() override;

    // Height of one line in the current font, in twips.
    double lineHeight() const;
    // The font as requested; the one actually used is QFontInfo(font()).
    const QFont& font() const { return font_; }
    // Pages begun so far (1 for a fresh document).
    int pages() const { return pages_; }

private:
    double toDevice(double twips) const;
    double toTwips(double pixels) const;
    void applyFont();
    // Starts the page that an overflow left pending, before drawing on it.
    void startPendingPage();

    std::unique_ptr<QPrinter> owned_; // declared before the painter: outlives it
    QPrinter& device_;
    QPainter painter_;
    QRectF area_; // printable area in device pixels, relative to the sheet
    double resolution_ = 0;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
    bool pagePending_ = false;
    int pages_ = 1;
};

} // namespace kl40::qt
