#include "ui/qt/app_icon.h"

#include <QColor>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRectF>

#include <array>
#include <memory>

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

// The sizes the icon is drawn at, smallest first.
constexpr std::array<int, 7> kSizes = {16, 24, 32, 48, 64, 128, 256};

// Draws each size of the icon when something first needs it: a window can be
// shown and painted with only the smallest (offscreen, nothing asks for
// more), and drawing all sizes takes a few milliseconds of the start.
//
// The icon answers as if every size had been drawn at once. For a requested
// size, Qt's pixmap icons use the pixmap of the smallest area that is at
// least as large, or else the largest; that size is drawn before the drawn
// ones are asked, and among them it is still the one chosen.
class LazyIconEngine final : public QIconEngine {
public:
    LazyIconEngine() = default;
    LazyIconEngine(const LazyIconEngine& other)
        : QIconEngine(other), drawn_(other.drawn_), drawnSizes_(other.drawnSizes_) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        drawnFor(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawnFor(size).pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawnFor(size).actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        // Every size is drawn for the normal mode and the off state only.
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int size : kSizes)
                sizes << QSize(size, size);
        return sizes;
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("kl40-radio"); }
    QIconEngine* clone() const override {
        // QIcon owns the copy it asks for.
        return std::make_unique<LazyIconEngine>(*this).release();
    }

private:
    const QIcon& drawnFor(const QSize& asked) {
        const qint64 area = qint64(asked.width()) * asked.height();
        std::size_t pick = kSizes.size() - 1;
        for (std::size_t i = 0; i < kSizes.size(); ++i)
            if (qint64(kSizes[i]) * kSizes[i] >= area) {
                pick = i;
                break;
            }
        if (!drawnSizes_[pick]) {
            drawn_.addPixmap(QPixmap::fromImage(DrawRadio(kSizes[pick])));
            drawnSizes_[pick] = true;
        }
        return drawn_;
    }

    QIcon drawn_;
    std::array<bool, kSizes.size()> drawnSizes_{};
};

} // namespace

QIcon DrawAppIcon() {
    QIcon icon;
    for (int size : kSizes)
        icon.addPixmap(QPixmap::fromImage(DrawRadio(size)));
    return icon;
}

QIcon AppIcon() {
    return QIcon(std::make_unique<LazyIconEngine>().release());
}

} // namespace kl40::qt
