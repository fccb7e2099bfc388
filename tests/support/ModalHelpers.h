#pragma once

// For GUI tests that open a modal dialog: acts on it once it is up. Header-only, since only tests that
// link Qt Widgets include it.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Runs act on the active modal widget as soon as there is one (events may run before the dialog opens,
// so it is polled for up to five seconds).
inline void whenModal(std::function<void(QWidget*)> act, int triesLeft = 500)
{
    QTimer::singleShot(10, [act, triesLeft] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w && triesLeft > 0)
            return whenModal(act, triesLeft - 1);
        QVERIFY(w);
        act(w);
    });
}

// A user's click on the line of a list that reads text, or a double click (which opens a folder or takes a
// file in the browse dialogs). False when no line reads text.
inline bool clickLine(QListWidget* list, const QString& text, bool doubleClick = false)
{
    const QList<QListWidgetItem*> found = list ? list->findItems(text, Qt::MatchExactly) : QList<QListWidgetItem*>();
    if (found.isEmpty())
        return false;
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (doubleClick)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

} // namespace testsupport
