#include "platform/gui/KeepOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {

void centreOnParent(QWidget* window, const QWidget* parent)
{
    const QWidget* anchorWindow = parent ? parent->window() : nullptr;
    QScreen* screen = anchorWindow ? anchorWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect anchor = anchorWindow && anchorWindow->isVisible() ? anchorWindow->frameGeometry() : available;
    // The frame (title bar and borders) counts, once the window manager has framed the window; a top-level
    // window's move() places its frame.
    const QSize frame = window->frameGeometry().size();
    const int x = anchor.x() + (anchor.width() - frame.width()) / 2;
    const int y = anchor.y() + (anchor.height() - frame.height()) / 2;
    window->move(std::max(available.left(), std::min(x, available.right() + 1 - frame.width())),
                 std::max(available.top(), std::min(y, available.bottom() + 1 - frame.height())));
}

} // namespace platform
