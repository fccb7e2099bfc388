#include "app/CommandHost.h"

#include <QAbstractButton>
#include <QAction>

namespace app {

namespace {

// What a subsystem installed on a command object: a child of the command, so the host can ask any
// command for its rules without a table of names, and it goes when the command goes.
struct Installed : QObject
{
    explicit Installed(QObject* command) : QObject(command) { setObjectName(QString::fromLatin1(kInstalledName)); }
    static constexpr const char* kInstalledName = "vintraxInstalledCommand";

    Acts acts = Acts::Always;
    std::function<void()> handler;
    std::function<bool()> enabledWhen;
    std::function<void(bool)> labelHandler;
    std::function<bool()> actsNow;
};

Installed* installedOn(const QObject* object)
{
    if (!object)
        return nullptr;
    for (QObject* child : object->children())
        if (auto* installed = dynamic_cast<Installed*>(child))
            return installed;
    return nullptr;
}

Installed& install(QObject* object)
{
    if (Installed* existing = installedOn(object))
        return *existing;
    return *new Installed(object);
}

} // namespace

void installCommand(CommandHost& host, const QString& name, Acts acts, std::function<void()> handler,
                    std::function<bool()> enabledWhen)
{
    QObject* object = host.command(name);
    Q_ASSERT_X(object, "installCommand", qPrintable(name));
    if (!object)
        return;
    Installed& installed = install(object);
    installed.acts = acts;
    installed.handler = std::move(handler);
    installed.enabledWhen = std::move(enabledWhen);
    auto run = [&host, object] {
        const Installed* i = installedOn(object);
        // A command that acts on the current game refuses when none is shown, however it was reached.
        if (!i || !i->handler || (i->acts == Acts::OnCurrentGame && !host.hasCurrentGame()))
            return;
        i->handler();
    };
    if (auto* action = qobject_cast<QAction*>(object))
        QObject::connect(action, &QAction::triggered, action, run);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        QObject::connect(button, &QAbstractButton::clicked, button, run);
    host.refreshCommands();
}

void installLabelClick(CommandHost& host, const QString& label, std::function<void(bool rightButton)> handler,
                       std::function<bool()> actsNow)
{
    QObject* object = host.command(label);
    Q_ASSERT_X(object, "installLabelClick", qPrintable(label));
    if (!object)
        return;
    Installed& installed = install(object);
    installed.labelHandler = std::move(handler);
    installed.actsNow = std::move(actsNow);
    host.refreshCommands();
}

bool isInstalled(const QObject* command)
{
    return installedOn(command) != nullptr;
}

bool commandAllowed(const QObject* command, bool hasCurrentGame)
{
    const Installed* i = installedOn(command);
    if (!i || !i->handler)
        return false;
    if (i->acts == Acts::OnCurrentGame && !hasCurrentGame)
        return false;
    return !i->enabledWhen || i->enabledWhen();
}

bool labelActsNow(const QObject* label)
{
    const Installed* i = installedOn(label);
    return i && i->labelHandler && (!i->actsNow || i->actsNow());
}

void runLabelClick(QObject* label, bool rightButton)
{
    if (!labelActsNow(label))
        return;
    installedOn(label)->labelHandler(rightButton);
}

} // namespace app
