#include "editing/EditMessages.h"

namespace editing {

using platform::MessageBox;

void Message::show() const
{
    MessageBox::show(text, title, icon);
}

Message noNameEntered()
{
    return {kNoNameEntered, platform::kFatalTitle, MessageBox::Exclamation};
}

Message duplicateEntry(const QString& name, MessageBox::Icon icon)
{
    return {QStringLiteral("'%1' already exists in Database.\nDuplicate entries are not allowed.").arg(name),
            platform::kMessageTitle, icon};
}

Message cannotAdd(const QString& name)
{
    return {QStringLiteral("Cannot add '%1'.\n'%1' already exists in Database.").arg(name), platform::kFatalTitle,
            MessageBox::Exclamation};
}

Message cannotChange(const QString& from, const QString& to)
{
    return {QStringLiteral("Cannot change '%1' to '%2'.\n'%2' already exists in Database.").arg(from, to),
            platform::kFatalTitle, MessageBox::Exclamation};
}

Message notDone(const QString& what, const QString& reason)
{
    return {QStringLiteral("%1; nothing was changed:\n%2").arg(what, reason), platform::kMessageTitle,
            MessageBox::Exclamation};
}

QString removeGameQuestion(const QString& name)
{
    return QStringLiteral("Remove '%1' from Database?").arg(name);
}

QString deleteScreenshotQuestion(const QString& name)
{
    return QStringLiteral("Delete Screenshot for '%1' also?").arg(name);
}

} // namespace editing
