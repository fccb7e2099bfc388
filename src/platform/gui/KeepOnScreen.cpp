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

QRect placeWindow(const QRect& saved, bool centred, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return saved;
    constexpr int kGrabHeight = 20; // the title bar, or the menu bar of a frameless window
    constexpr int kGrabWidth = 60;
    const QRect grab(saved.left(), saved.top(), saved.width(), kGrabHeight);
    const QRect* home = nullptr;
    for (const QRect& screen : screens) {
        const QRect onScreen = screen.intersected(grab);
        if (onScreen.width() >= std::min(kGrabWidth, saved.width()) && onScreen.height() >= kGrabHeight / 2) {
            home = &screen;
            break;
        }
    }
    if (!home) {
        home = &screens.first();
        centred = true;
    }
    QRect window(saved.topLeft(), QSize(saved.width(), std::min(saved.height(), home->height())));
    if (centred) {
        window.moveTo(home->left() + std::max(0, (home->width() - window.width()) / 2),
                      home->top() + std::max(0, (home->height() - window.height()) / 2));
        return window;
    }
    window.moveLeft(
        std::clamp(window.left(), home->left(), std::max(home->left(), home->right() + 1 - window.width())));
    window.moveTop(std::clamp(window.top(), home->top(), home->bottom() + 1 - window.height()));
    return window;
}

QList<QRect> screenAreas()
{
    QList<QRect> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        screens << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens << screen->availableGeometry();
    return screens;
}

} // namespace platform
