#include "browser/gui/ScrollerBox.h"

#include <QMouseEvent>
#include <QPainter>

ScrollerBox::ScrollerBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picScroller"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ScrollerBox::showBlock(const QImage& block)
{
    m_block = block;
    update();
}

void ScrollerBox::clear()
{
    m_block = QImage();
    update();
}

void ScrollerBox::paintEvent(QPaintEvent*)
{
    if (m_block.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_block);
}

void ScrollerBox::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
