#pragma once

#include <QFlags>
#include <QString>

namespace platform {

// Titles the program shows its messages under.
inline const QString kMessageTitle = QStringLiteral("vintrax");
inline const QString kErrorTitle = QStringLiteral("vintrax Error");
inline const QString kFatalTitle = QStringLiteral("vinTrax");

// The one way the program tells the user something or asks a question. The widget-free layers call it
// too; what actually appears is up to the installed backend: the real message box in the application,
// a scripted responder in tests. With no backend installed nothing blocks: the message goes to stderr
// and the dialog's default button is the answer.
class MessageBox
{
public:
    enum Icon
    {
        NoIcon,
        Information,
        Exclamation,
        Critical,
        Question,
    };

    enum Button : unsigned
    {
        NoButton = 0,
        Ok = 1u << 0,
        Cancel = 1u << 1,
        Yes = 1u << 2,
        No = 1u << 3,
        Abort = 1u << 4,
        Retry = 1u << 5,
        Ignore = 1u << 6,
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    struct Request
    {
        QString text;
        QString title;
        Icon icon = NoIcon;
        Buttons buttons = Ok;
        Button defaultButton = Ok; // always one of buttons once show() has filled it in
    };

    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual Button ask(const Request& request) = 0;
    };

    // Shows text under title and returns the button pressed. An empty button set means OK alone. When
    // defaultButton is not one of the buttons, the first of them (in the order OK, Yes, Abort, Retry,
    // No, Ignore, Cancel) is the default, as in a standard message box.
    static Button show(const QString& text, const QString& title, Icon icon, Buttons buttons = Ok,
                       Button defaultButton = NoButton);

    static void information(const QString& text, const QString& title = kMessageTitle);
    static void exclamation(const QString& text, const QString& title = kMessageTitle);
    static void critical(const QString& text, const QString& title = kMessageTitle);
    static Button question(const QString& text, const QString& title = kMessageTitle,
                           Buttons buttons = Buttons(Yes) | No, Button defaultButton = NoButton);

    // Installs a backend (nullptr: none) and returns the one it replaces. The caller keeps ownership.
    static Backend* setBackend(Backend* backend);
    static Backend* backend();

    // The button a message defaults to, per the rule described at show().
    static Button defaultButtonOf(Buttons buttons, Button wanted = NoButton);

    static QString buttonName(Button button);
    static QString iconName(Icon icon);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MessageBox::Buttons)

} // namespace platform
