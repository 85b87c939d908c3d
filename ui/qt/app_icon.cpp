#include "ui/qt/app_icon.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRectF>

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

} // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawRadio(size)));
    return icon;
}

} // namespace kl40::qt
