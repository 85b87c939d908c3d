#include "ui/qt/qt_print_targets.h"

#include "ui/qt/qt_printer.h"

#include <QAction>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace kl40::qt {

namespace {

constexpr const char* kDocumentName = "KL40";

} // namespace

QString DocumentFileName(const QString& pattern, int number) {
    if (pattern.contains(QLatin1String("%1"))) return pattern.arg(number);
    if (number <= 1) return pattern;
    const QString numbered = QStringLiteral("-%1").arg(number);
    const QString suffix = QFileInfo(pattern).suffix();
    if (suffix.isEmpty()) return pattern + numbered;
    return pattern.left(pattern.size() - suffix.size() - 1) + numbered + '.' + suffix;
}

QtPrintTarget::QtPrintTarget(QWidget* parent)
    : parent_(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setDocName(kDocumentName);
}

QtPrintTarget::~QtPrintTarget() = default;

std::optional<int> QtPrintTarget::ChoosePrinter() {
    // Show the file the operator chose last time, not the last numbered copy.
    if (!fileNamePattern_.isEmpty()) printer_->setOutputFileName(fileNamePattern_);

    QPrintDialog dialog(printer_.get(), parent_);
    // The reports are printed whole, and every copy is a document of its own.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;

    const int copies = std::max(1, printer_->copyCount());
    // The copies are printed one document each; the printer must not multiply
    // them again.
    printer_->setCopyCount(1);
    fileNamePattern_ =
        printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
    documents_ = 0;
    return copies;
}

std::unique_ptr<Printer> QtPrintTarget::StartDocument() {
    ++documents_;
    if (!fileNamePattern_.isEmpty())
        printer_->setOutputFileName(DocumentFileName(fileNamePattern_, documents_));
    return QtPrinter::begin(*printer_);
}

void QtPrintTarget::ShowPreview(const std::function<void(Printer&)>& draw) {
    QPrintPreviewDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // The preview's own Print button would print one document with the
    // printer's copy count; printing is the selection window's OK.
    for (QAction* action : dialog.findChildren<QAction*>())
        if (action->text().remove('&') == QLatin1String("Print")) action->setVisible(false);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter* device) {
                         if (auto printer = QtPrinter::begin(*device)) draw(*printer);
                     });
    dialog.exec();
}

PdfPrintTarget::PdfPrintTarget(QString pathPattern, int copies)
    : pattern_(std::move(pathPattern)), copies_(copies) {}

void PdfPrintTarget::setPageSize(const QPageSize& size) {
    pageSize_ = size;
}

std::optional<int> PdfPrintTarget::ChoosePrinter() {
    return copies_;
}

std::unique_ptr<Printer> PdfPrintTarget::StartDocument() {
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setDocName(kDocumentName);
    if (pageSize_) device->setPageSize(*pageSize_);
    const QString file = DocumentFileName(pattern_, static_cast<int>(files_.size()) + 1);
    device->setOutputFileName(file);
    files_.push_back(file);
    return QtPrinter::begin(std::move(device));
}

} // namespace kl40::qt
