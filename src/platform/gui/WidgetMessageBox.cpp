#include "platform/gui/WidgetMessageBox.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace

MessageBox::Button WidgetMessageBox::ask(const MessageBox::Request& request)
{
    QMessageBox::StandardButtons buttons;
    for (const ButtonPair& p : kButtons) {
        if (request.buttons.testFlag(p.ours))
            buttons |= p.qt;
    }
    QMessageBox box(toQt(request.icon), request.title, request.text, buttons, QApplication::activeWindow());
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
