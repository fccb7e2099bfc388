#include "platform/MessageBox.h"

#include <cstdio>
#include <iterator>

namespace platform {

namespace {

MessageBox::Backend* g_backend = nullptr;

// Order in which a standard message box lays out (and defaults to) its buttons.
constexpr MessageBox::Button kButtonOrder[] = {MessageBox::Ok, MessageBox::Yes,    MessageBox::Abort, MessageBox::Retry,
                                               MessageBox::No, MessageBox::Ignore, MessageBox::Cancel};

void printUnattended(const MessageBox::Request& request)
{
    const QByteArray line = QStringLiteral("[%1] %2: %3 (answered %4)\n")
                                .arg(request.title, MessageBox::iconName(request.icon), request.text,
                                     MessageBox::buttonName(request.defaultButton))
                                .toLocal8Bit();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

} // namespace

MessageBox::Button MessageBox::defaultButtonOf(Buttons buttons, Button wanted)
{
    if (!buttons)
        buttons = Ok;
    if (wanted != NoButton && buttons.testFlag(wanted))
        return wanted;
    for (Button b : kButtonOrder) {
        if (buttons.testFlag(b))
            return b;
    }
    return Ok;
}

MessageBox::Button MessageBox::show(const QString& text, const QString& title, Icon icon, Buttons buttons,
                                    Button defaultButton)
{
    Request request;
    request.text = text;
    request.title = title;
    request.icon = icon;
    request.buttons = buttons ? buttons : Buttons(Ok);
    request.defaultButton = defaultButtonOf(request.buttons, defaultButton);
    if (!g_backend) {
        printUnattended(request);
        return request.defaultButton;
    }
    return g_backend->ask(request);
}

void MessageBox::information(const QString& text, const QString& title)
{
    show(text, title, Information, Ok);
}

void MessageBox::exclamation(const QString& text, const QString& title)
{
    show(text, title, Exclamation, Ok);
}

void MessageBox::critical(const QString& text, const QString& title)
{
    show(text, title, Critical, Ok);
}

MessageBox::Button MessageBox::question(const QString& text, const QString& title, Buttons buttons,
                                        Button defaultButton)
{
    return show(text, title, Question, buttons, defaultButton);
}

MessageBox::Backend* MessageBox::setBackend(Backend* backend)
{
    Backend* previous = g_backend;
    g_backend = backend;
    return previous;
}

MessageBox::Backend* MessageBox::backend()
{
    return g_backend;
}

QString MessageBox::buttonName(Button button)
{
    static const char* const names[] = {"OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore"};
    for (int i = 0; i < int(std::size(names)); ++i) {
        if (button == Button(1u << i))
            return QString::fromLatin1(names[i]);
    }
    return QStringLiteral("none");
}

QString MessageBox::iconName(Icon icon)
{
    static const char* const names[] = {"message", "information", "exclamation", "critical", "question"};
    return QString::fromLatin1(names[icon]);
}

} // namespace platform
