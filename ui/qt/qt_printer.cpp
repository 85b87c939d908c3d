#include "ui/qt/qt_printer.h"

#include <QAction>
#include <QColor>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace kl40::qt {

namespace {

constexpr const char* kDefaultFont = "Courier New";
constexpr double kDefaultPoints = 10;
constexpr const char* kDocumentName = "KL40";

// The printable area of `device` in device pixels, relative to the sheet: the
// sheet less the printer's hardware margins.
QRectF PrintableArea(const QPrinter& device) {
    QPageLayout layout = device.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    return QRectF(layout.paintRectPixels(device.resolution()));
}

} // namespace

std::unique_ptr<QtPrinter> QtPrinter::begin(QPrinter& device) {
    auto printer = std::make_unique<QtPrinter>(Key{}, device, nullptr);
    if (!printer->painter_.isActive()) return nullptr;
    return printer;
}

std::unique_ptr<QtPrinter> QtPrinter::begin(std::unique_ptr<QPrinter> device) {
    if (!device) return nullptr;
    QPrinter& ref = *device;
    auto printer = std::make_unique<QtPrinter>(Key{}, ref, std::move(device));
    if (!printer->painter_.isActive()) return nullptr;
    return printer;
}

QtPrinter::QtPrinter(Key, QPrinter& device, std::unique_ptr<QPrinter> owned)
    : owned_(std::move(owned)), device_(device) {
    // Full-page mode puts the painter's origin at the corner of the sheet;
    // the hardware margins are then added by hand (see the header).
    device_.setFullPage(true);
    resolution_ = device_.resolution();
    area_ = PrintableArea(device_);
    font_.setFamily(kDefaultFont);
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPointSizeF(kDefaultPoints);
    if (!painter_.begin(&device_)) return;
    painter_.setPen(Qt::black);
    applyFont();
}

QtPrinter::~QtPrinter() {
    // A document abandoned half way still goes out with what it holds.
    if (painter_.isActive()) painter_.end();
}

double QtPrinter::toDevice(double twips) const {
    return twips * resolution_ / kTwipsPerInch;
}

double QtPrinter::toTwips(double pixels) const {
    return resolution_ > 0 ? pixels * kTwipsPerInch / resolution_ : 0;
}

void QtPrinter::applyFont() {
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrinter::setFontName(const std::string& name) {
    font_.setFamily(QString::fromStdString(name));
    applyFont();
}

void QtPrinter::setFontSize(double points) {
    if (points <= 0) return; // Qt ignores such sizes with a warning
    font_.setPointSizeF(points);
    applyFont();
}

void QtPrinter::setFontBold(bool bold) {
    font_.setBold(bold);
    applyFont();
}

double QtPrinter::pageWidth() const {
    return toTwips(area_.width());
}

double QtPrinter::pageHeight() const {
    return toTwips(area_.height());
}

double QtPrinter::lineHeight() const {
    return toTwips(QFontMetricsF(font_, &device_).lineSpacing());
}

double QtPrinter::textWidth(const std::string& text) const {
    return toTwips(QFontMetricsF(font_, &device_).horizontalAdvance(QString::fromStdString(text)));
}

void QtPrinter::startPendingPage() {
    if (!pagePending_) return;
    pagePending_ = false;
    device_.newPage();
    ++pages_;
}

void QtPrinter::print(const std::string& text, bool endLine) {
    const double height = lineHeight();
    // A line that runs past the bottom of the page goes to the next one.
    if (!pagePending_ && y_ > 0 && y_ + height > pageHeight()) {
        pagePending_ = true;
        y_ = 0;
    }
    const QString qtext = QString::fromStdString(text);
    if (!qtext.isEmpty() && painter_.isActive()) {
        startPendingPage();
        const double ascent = QFontMetricsF(font_, &device_).ascent();
        painter_.drawText(QPointF(area_.left() + toDevice(x_), area_.top() + toDevice(y_) + ascent),
                          qtext);
    }
    if (!endLine) {
        x_ += textWidth(text);
        return;
    }
    x_ = 0;
    y_ += height;
    // Leave the position on the page, so that a rule drawn there is printed;
    // the new page itself is only started when something is drawn on it.
    if (!pagePending_ && y_ + height > pageHeight()) {
        pagePending_ = true;
        y_ = 0;
    }
}

void QtPrinter::drawBox(double x1, double y1, double x2, double y2, std::uint32_t colour) {
    if (!painter_.isActive()) return;
    startPendingPage();
    const QRectF box =
        QRectF(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)))
            .normalized()
            .translated(area_.topLeft());
    painter_.fillRect(box, QColor(static_cast<QRgb>(colour)));
}

void QtPrinter::newPage() {
    if (!painter_.isActive()) return;
    // A page break the overflow already asked for is this one.
    pagePending_ = false;
    device_.newPage();
    ++pages_;
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDocument() {
    if (painter_.isActive()) painter_.end();
    pagePending_ = false;
}

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
