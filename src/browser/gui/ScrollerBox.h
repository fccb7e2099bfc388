#pragma once

#include <QImage>
#include <QWidget>

// picScroller: the visible box of the scrolling comment. It shows whatever block was copied into it
// last, or nothing after a clear.
class ScrollerBox : public QWidget
{
    Q_OBJECT

public:
    explicit ScrollerBox(QWidget* parent = nullptr);

    void showBlock(const QImage& block);
    void clear();
    bool isBlank() const { return m_block.isNull(); }
    const QImage& block() const { return m_block; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_block;
};
