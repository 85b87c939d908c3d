#include "ui/qt/app_icon.h"

#include <QColor>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRectF>

#include <memory>
#include <optional>

namespace kl40::qt {

namespace {

// Draws the radio on a 64 x 64 grid scaled to `size` pixels.
QImage DrawRadio(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Antenna and its knob.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRoundedRect(QRectF(38, 2, 6, 20), 2, 2);

    // Body.
    p.setBrush(QColor(0x25, 0x3a, 0x5e));
    p.setPen(QPen(QColor(0x10, 0x1a, 0x2c), 2));
    p.drawRoundedRect(QRectF(16, 16, 32, 46), 5, 5);

    // Display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9b, 0xe5, 0x6a));
    p.drawRoundedRect(QRectF(21, 22, 22, 12), 2, 2);
    p.setBrush(QColor(0x2c, 0x4a, 0x1a));
    p.drawRect(QRectF(24, 26, 16, 4));

    // Keypad: three rows of three keys.
    p.setBrush(QColor(0xd8, 0xdc, 0xe4));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(21 + col * 8, 39 + row * 7, 6, 4.5), 1, 1);
    return image;
}

// Hands out the drawn icon, drawing it when it is first asked for: a window
// can be shown and painted before anything needs the icon (offscreen, nothing
// ever does), and drawing all sizes takes a few milliseconds of the start.
// Every answer is the drawn icon's, so the icon looks and behaves as if it
// had been drawn at once.
class LazyIconEngine final : public QIconEngine {
public:
    LazyIconEngine() = default;
    LazyIconEngine(const LazyIconEngine& other) : QIconEngine(other), drawn_(other.drawn_) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return drawn().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("kl40-radio"); }
    QIconEngine* clone() const override {
        // QIcon owns the copy it asks for.
        return std::make_unique<LazyIconEngine>(*this).release();
    }

private:
    const QIcon& drawn() {
        if (!drawn_) drawn_ = DrawAppIcon();
        return *drawn_;
    }

    std::optional<QIcon> drawn_;
};

} // namespace

QIcon DrawAppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawRadio(size)));
    return icon;
}

QIcon AppIcon() {
    return QIcon(std::make_unique<LazyIconEngine>().release());
}

} // namespace kl40::qt
