#include "ui/qt/qt_printer.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

#include <utility>

namespace kl40::qt {

namespace {

constexpr const char* kDefaultFont = "Courier New";
constexpr double kDefaultPoints = 10;

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

} // namespace kl40::qt
