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
#include <QPageSize>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

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
    double textWidth(const std::string& text) const override;
    void print(const std::string& text, bool endLine) override;
    void drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) override;
    void newPage() override;
    void endDocument() override;

    // Height of the printable area in twips.
    double pageHeight() const;
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

// File name of document `number` (from 1) of a series written to `pattern`:
// "%1" in the pattern is replaced by the number; without "%1" the first
// document takes the pattern as it is and later ones get "-2", "-3", ...
// before the file's suffix ("list.pdf", "list-2.pdf").
QString DocumentFileName(const QString& pattern, int number);

// The platform's printer dialog and printers. The dialog's printer settings
// are kept from one printout to the next. Each copy is printed as a document
// of its own, so the printer itself is always asked for one copy. When the
// operator picks printing to a file, each copy goes to its own file named by
// `DocumentFileName`. The preview shows a document on the paper of the same
// printer settings.
class QtPrintTarget final : public PrintTarget, public PreviewTarget {
public:
    explicit QtPrintTarget(QWidget* parent = nullptr);
    ~QtPrintTarget() override;
    QtPrintTarget(const QtPrintTarget&) = delete;
    QtPrintTarget& operator=(const QtPrintTarget&) = delete;

    std::optional<int> ChoosePrinter() override;
    std::unique_ptr<Printer> StartDocument() override;
    // The platform's print preview window, modal. Its page set-up changes the
    // printer settings; printing goes through the print selection window, so
    // that every copy is a document of its own.
    void ShowPreview(const std::function<void(Printer&)>& draw) override;

    // The printer the dialog sets up.
    QPrinter& printer() { return *printer_; }

private:
    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    QString fileNamePattern_; // the output file chosen in the dialog, if any
    int documents_ = 0;
};

// Prints to PDF files without a dialog: every printout gives `copies`
// documents, each written to its own file named by `DocumentFileName`.
class PdfPrintTarget final : public PrintTarget {
public:
    PdfPrintTarget(QString pathPattern, int copies);

    // Paper size of the files; the printer's default (from the locale) unless set.
    void setPageSize(const QPageSize& size);

    std::optional<int> ChoosePrinter() override;
    std::unique_ptr<Printer> StartDocument() override;

    // Every file started so far, in order.
    const std::vector<QString>& files() const { return files_; }

private:
    QString pattern_;
    int copies_;
    std::optional<QPageSize> pageSize_;
    std::vector<QString> files_;
};

} // namespace kl40::qt
