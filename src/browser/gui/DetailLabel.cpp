#include "browser/gui/DetailLabel.h"

#include <QMouseEvent>

DetailLabel::DetailLabel(const QString& name, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
}

void DetailLabel::setColour(const QColor& colour)
{
    QPalette p = palette();
    if (p.color(QPalette::WindowText) == colour)
        return;
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void DetailLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    emit hovered();
}

void DetailLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    emit left();
}

void DetailLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    emit released(event->button());
}
