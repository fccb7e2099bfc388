#pragma once

#include <QLabel>

// A value label of the detail panel: it tells the window when the mouse comes over it or leaves it
// (for the hover colours) and which button was released over it.
class DetailLabel : public QLabel
{
    Q_OBJECT

public:
    explicit DetailLabel(const QString& name, QWidget* parent = nullptr);

    void setColour(const QColor& colour);

signals:
    void hovered();
    void left();
    void released(Qt::MouseButton button);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
