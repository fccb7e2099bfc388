#include "help/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace help {

namespace {

// Drawn on a 64 by 64 grid and scaled.
constexpr qreal kGrid = 64;

const std::array<QColor, 5> kStripes = {QColor(0xE0, 0x4A, 0x3A), QColor(0xF0, 0x8A, 0x24), QColor(0xF2, 0xD2, 0x2E),
                                        QColor(0x5D, 0xB5, 0x44), QColor(0x3F, 0xA7, 0xE0)};

} // namespace

QImage programIcon(int size, int phase)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    painter.setPen(Qt::NoPen);

    painter.setBrush(QColor(0x6C, 0x5E, 0xB5)); // the frame, the C64's light blue
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath screen;
    screen.addRoundedRect(QRectF(7, 7, 50, 50), 6, 6);
    painter.fillPath(screen, QColor(0x35, 0x28, 0x79)); // the screen, the C64's blue

    // Five stripes along the lower right corner, each a band between two lines x + y = constant.
    painter.save();
    painter.setClipPath(screen);
    for (int i = 0; i < int(kStripes.size()); ++i) {
        const qreal middle = 83 + i * 6;
        painter.setPen(QPen(kStripes[std::size_t((i + phase) % int(kStripes.size()))], 6, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(middle - kGrid, kGrid), QPointF(kGrid, middle - kGrid));
    }
    painter.restore();

    const QPolygonF v({{14, 14}, {23, 14}, {31, 37}, {39, 14}, {48, 14}, {36, 48}, {26, 48}});
    painter.setBrush(QColor(0xB4, 0xAC, 0xF8));
    painter.setPen(QPen(QColor(0x20, 0x18, 0x50), 1.5));
    painter.drawPolygon(v);
    return image;
}

} // namespace help
