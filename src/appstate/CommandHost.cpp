#include "appstate/CommandHost.h"

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
    bool connected = false; // the object's trigger already runs the handler
    std::function<void()> handler;
    std::function<bool()> enabledWhen;
    // A label's handler and rule per button, Left then Right.
    std::function<void()> labelHandler[2];
    std::function<bool()> actsNow[2];

    bool labelButtonActs(int button) const { return labelHandler[button] && (!actsNow[button] || actsNow[button]()); }
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

// The installation on the named command of the host, made on first use.
Installed* installOn(CommandHost& host, const QString& name)
{
    QObject* object = host.command(name);
    if (!object)
        throw UnknownCommand(name);
    if (Installed* existing = installedOn(object))
        return existing;
    return new Installed(object);
}

} // namespace

const QStringList& lockedWhileBrowsing()
{
    // The category browser selects games in the main window's list: nothing may change the list's view or edit
    // the catalogue under it while it is open.
    static const QStringList locked = {
        QStringLiteral("mnuEdit"),          QStringLiteral("mnuViewDifficulty"),    QStringLiteral("mnuViewGenres"),
        QStringLiteral("mnuViewMusicians"), QStringLiteral("mnuViewPlayers"),       QStringLiteral("mnuViewPublishers"),
        QStringLiteral("mnuViewRatings"),   QStringLiteral("mnuViewYearPublished"), QStringLiteral("mnuFileAdd"),
        QStringLiteral("mnuFileRemove"),    QStringLiteral("mnuFileOptions"),       QStringLiteral("mnuFileReports"),
        QStringLiteral("mnuToolsVerify"),   QStringLiteral("mnuOptionsResetTP"),    QStringLiteral("cmdAdd"),
        QStringLiteral("cmdReport"),
    };
    return locked;
}

UnknownCommand::UnknownCommand(const QString& name)
    : std::runtime_error("no command named " + name.toStdString()), m_name(name)
{
}

void installCommand(CommandHost& host, const QString& name, Acts acts, std::function<void()> handler,
                    std::function<bool()> enabledWhen)
{
    Installed* installed = installOn(host, name);
    installed->acts = acts;
    installed->handler = std::move(handler);
    installed->enabledWhen = std::move(enabledWhen);
    if (!installed->connected) {
        QObject* object = installed->parent();
        auto run = [&host, installed] {
            // A command that acts on the current game refuses when none is shown, however it was reached.
            if (installed->acts == Acts::OnCurrentGame && !host.hasCurrentGame())
                return;
            installed->handler();
        };
        if (auto* action = qobject_cast<QAction*>(object))
            QObject::connect(action, &QAction::triggered, installed, run);
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            QObject::connect(button, &QAbstractButton::clicked, installed, run);
        installed->connected = true;
    }
    host.refreshCommands();
}

void installLabelClick(CommandHost& host, const QString& label, LabelButton button, std::function<void()> handler,
                       std::function<bool()> actsNow)
{
    Installed* installed = installOn(host, label);
    for (int b : {0, 1}) {
        if (button != LabelButton::Either && b != static_cast<int>(button))
            continue;
        installed->labelHandler[b] = handler;
        installed->actsNow[b] = actsNow;
    }
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

bool runCommand(CommandHost& host, const QString& name)
{
    QObject* command = host.command(name);
    if (!commandAllowed(command, host.hasCurrentGame()))
        return false;
    installedOn(command)->handler();
    return true;
}

bool labelActsNow(const QObject* label)
{
    const Installed* i = installedOn(label);
    return i && (i->labelButtonActs(0) || i->labelButtonActs(1));
}

void runLabelClick(QObject* label, LabelButton button)
{
    const Installed* i = installedOn(label);
    const int b = button == LabelButton::Right ? 1 : 0;
    if (i && i->labelButtonActs(b))
        i->labelHandler[b]();
}

} // namespace app
