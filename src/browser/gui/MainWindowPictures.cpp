#include "browser/gui/MainWindowPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace browser {

namespace {

// The C64's own blues, so the pictures look at home beside the screenshots.
const QColor kC64Blue(0x35, 0x28, 0x79);
const QColor kC64LightBlue(0x6c, 0x5e, 0xb5);

void drawCentredText(QPainter& painter, const QRect& box, const QString& text, int pointSize, const QColor& colour,
                     bool bold = true)
{
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(pointSize);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A C64 screen: light blue border round a blue paper.
void drawScreen(QPainter& painter, const QRect& whole, int borderX, int borderY)
{
    painter.fillRect(whole, kC64LightBlue);
    painter.fillRect(whole.adjusted(borderX, borderY, -borderX, -borderY), kC64Blue);
}

} // namespace

QPixmap splashPicture()
{
    QPixmap picture(400, 200);
    QPainter painter(&picture);
    drawScreen(painter, picture.rect(), 20, 20);
    drawCentredText(painter, QRect(0, 40, 400, 70), QStringLiteral("VINTRAX"), 34, kC64LightBlue);
    drawCentredText(painter, QRect(0, 110, 400, 30), QStringLiteral("C64 GAME CATALOGUE"), 12, kC64LightBlue, false);
    drawCentredText(painter, QRect(0, 140, 400, 30), QStringLiteral("LOADING..."), 10, Qt::white, false);
    return picture;
}

QPixmap noScreenshotPicture()
{
    QPixmap picture(320, 200);
    QPainter painter(&picture);
    drawScreen(painter, picture.rect(), 32, 20);
    drawCentredText(painter, QRect(0, 70, 320, 30), QStringLiteral("NO SCREENSHOT"), 16, kC64LightBlue);
    drawCentredText(painter, QRect(0, 105, 320, 24), QStringLiteral("READY."), 10, kC64LightBlue, false);
    return picture;
}

QPixmap randomPickIcon()
{
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    painter.setBrush(Qt::black);
    for (const QPointF& pip : {QPointF(5, 5), QPointF(8, 8), QPointF(11, 11), QPointF(11, 5), QPointF(5, 11)})
        painter.drawEllipse(pip, 1.2, 1.2);
    return icon;
}

QPixmap texturePicture(int index)
{
    if (index < 0 || index >= kTextureCount)
        return {};
    // Quiet, light patterns: the labels are drawn in dark blue over them and must stay readable.
    static const QColor bases[kTextureCount] = {
        QColor(0xE8, 0xE4, 0xD8), QColor(0xDD, 0xE6, 0xEE), QColor(0xE4, 0xEC, 0xDD),
        QColor(0xEE, 0xE0, 0xE0), QColor(0xE6, 0xE6, 0xE6), QColor(0xEC, 0xE6, 0xF2),
    };
    QPixmap tile(64, 64);
    tile.fill(bases[index]);
    QPainter painter(&tile);
    QRandomGenerator grain(quint32(index) + 1); // the same tile every run
    for (int i = 0; i < 600; ++i) {
        const int shade = int(grain.bounded(16));
        painter.setPen(bases[index].darker(100 + shade));
        painter.drawPoint(int(grain.bounded(64)), int(grain.bounded(64)));
    }
    return tile;
}

} // namespace browser
