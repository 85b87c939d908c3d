#pragma once
// Where the reports are printed on Qt: the platform's printer dialog and
// printers with their preview, or PDF files without a dialog. Each copy is a
// document of its own, printed by a QtPrinter.

#include "ui/printer.h"

#include <QPageSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace kl40::qt {

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
