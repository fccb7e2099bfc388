#include "platform/gui/WidgetMessageBox.h"

#include "platform/gui/KeepOnScreen.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <cstdio>

namespace platform {

namespace {

struct ButtonPair
{
    MessageBox::Button ours;
    QMessageBox::StandardButton qt;
};

constexpr ButtonPair kButtons[] = {
    {MessageBox::Ok, QMessageBox::Ok},         {MessageBox::Cancel, QMessageBox::Cancel},
    {MessageBox::Yes, QMessageBox::Yes},       {MessageBox::No, QMessageBox::No},
    {MessageBox::Abort, QMessageBox::Abort},   {MessageBox::Retry, QMessageBox::Retry},
    {MessageBox::Ignore, QMessageBox::Ignore},
};

QMessageBox::StandardButton toQt(MessageBox::Button button)
{
    for (const ButtonPair& p : kButtons) {
        if (p.ours == button)
            return p.qt;
    }
    return QMessageBox::NoButton;
}

MessageBox::Button fromQt(QMessageBox::StandardButton button)
{
    for (const ButtonPair& p : kButtons) {
        if (p.qt == button)
            return p.ours;
    }
    return MessageBox::NoButton;
}

QMessageBox::Icon toQt(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information:
        return QMessageBox::Information;
    case MessageBox::Exclamation:
        return QMessageBox::Warning;
    case MessageBox::Critical:
        return QMessageBox::Critical;
    case MessageBox::Question:
        return QMessageBox::Question;
    case MessageBox::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

// What closing the box without pressing a button means: the box's cancel-like button.
MessageBox::Button escapeAnswer(const MessageBox::Request& request)
{
    for (MessageBox::Button b : {MessageBox::Cancel, MessageBox::No, MessageBox::Abort, MessageBox::Ignore}) {
        if (request.buttons.testFlag(b))
            return b;
    }
    return request.defaultButton;
}

// The widest a message's text runs before it is wrapped: about ninety characters, wider than any line the program
// lays out by hand and about what the desktop's own message boxes allow, and no narrower than its longest word (a
// path is never cut).
int readableLabelWidth(const QLabel& label)
{
    int longestWord = 0;
    for (const QString& word : label.text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, label.fontMetrics().horizontalAdvance(word));
    return std::max(90 * label.fontMetrics().averageCharWidth(), longestWord + 2 * label.margin());
}

// The program's messages carry their own line breaks, laid out by hand. A plain message box wraps a text
// wider than a fixed share of the screen again, which breaks those lines in new places: this box keeps
// them as written whenever they are of a readable length and the whole box still fits the screen.
class LineKeepingMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    // The box sizes itself again (and wraps again) on showing and on later layout requests: each time,
    // the lines are put back as written.
    bool event(QEvent* e) override
    {
        const bool handled = QMessageBox::event(e);
        if ((e->type() == QEvent::Show || e->type() == QEvent::LayoutRequest) && !m_keeping)
            keepLines();
        return handled;
    }

    void showEvent(QShowEvent* e) override
    {
        QMessageBox::showEvent(e);
        keepLines();
    }

private:
    void keepLines()
    {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!label || !label->wordWrap() || !layout())
            return;
        m_keeping = true;
        label->setWordWrap(false);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layout()->activate();
        const QSize unwrapped = layout()->totalSizeHint();
        const QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen* shown = anchor ? anchor->screen() : screen();
        // The window manager's frame takes its share of the screen too.
        const int frame = frameGeometry().width() - width();
        const int labelWidth = label->sizeHint().width();
        const int screenWidth = shown ? shown->availableGeometry().width() - frame : unwrapped.width();
        const int readable = readableLabelWidth(*label);
        if (labelWidth > readable || unwrapped.width() > screenWidth) {
            // A line longer than a reader's eye follows (the warnings are written as one line) is wrapped there, as
            // the desktop's own message boxes do; never wider than the screen.
            label->setWordWrap(true);
            layout()->activate();
            const int width = std::min(unwrapped.width() - labelWidth + std::min(labelWidth, readable), screenWidth);
            setFixedSize(width, layout()->totalHeightForWidth(width));
        } else {
            setFixedSize(unwrapped);
        }
        // The box was placed for its size before the lines were put back; now that it is wider, it is
        // centred on its parent again and kept on the parent's screen.
        centreOnParent(this, anchor);
        m_keeping = false;
    }

    bool m_keeping = false;
};

// The window a box belongs to: the dialog the user works in, else the active window. Just after a window
// is shown the desktop may not have activated it yet (the first-start notes come then): the main window.
QWidget* ownerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QMainWindow*>(w))
            return w;
    }
    return nullptr;
}

} // namespace

MessageBox::Button WidgetMessageBox::ask(const MessageBox::Request& request)
{
    // A critical message (among them every reason the program ends at start-up) also goes to stderr, where a start
    // from a terminal, or the desktop session's log, keeps it after the box is gone.
    if (request.icon == MessageBox::Critical)
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(request.text));
    QMessageBox::StandardButtons buttons;
    for (const ButtonPair& p : kButtons) {
        if (request.buttons.testFlag(p.ours))
            buttons |= p.qt;
    }
    LineKeepingMessageBox box(toQt(request.icon), request.title, request.text, buttons, ownerWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(toQt(request.defaultButton));
    box.exec();
    const MessageBox::Button answer = fromQt(box.standardButton(box.clickedButton()));
    return answer == MessageBox::NoButton ? escapeAnswer(request) : answer;
}

void installWidgetMessageBox()
{
    static WidgetMessageBox backend;
    MessageBox::setBackend(&backend);
}

} // namespace platform
