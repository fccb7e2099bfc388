#include "launch/GameLaunch.h"
#include "data/GameFields.h"

#include "data/CurrentGame.h"
#include "data/settings/Settings.h"
#include "launch/EmulatorBridge.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"
#include "platform/WatchedStart.h"

#include <QDate>

namespace launch {

namespace {

// The emulator's program in lower case where a file of that name is there (the DOS emulators were
// always called so), else the file as it really is named.
QString lowerCaseProgram(const QString& emuFolder, const QString& emuExe)
{
    const QString lower = platform::ShortPathName(platform::joinPath(emuFolder, emuExe.toLower()));
    return lower.isEmpty() ? platform::joinPath(emuFolder, emuExe) : lower;
}

platform::Command emulatorCommand(EmulatorKind kind, const QString& emuShort, const QString& gameArgument)
{
    const QString emuFolder = platform::FolderOfPath(emuShort);
    const QString emuExe = platform::FileNameOfPath(emuShort);
    switch (kind) {
    case EmulatorKind::Ccs64Dos19: {
        const QString extender = platform::ShortPathName(platform::joinPath(emuFolder, QStringLiteral("ccsdpmi.exe")));
        const QString program = platform::FileNameOfPath(lowerCaseProgram(emuFolder, emuExe));
        return platform::throughCommandInterpreter({extender, {program, gameArgument}});
    }
    case EmulatorKind::Ccs64Dos20:
        return platform::throughCommandInterpreter({lowerCaseProgram(emuFolder, emuExe), {gameArgument}});
    case EmulatorKind::Ccs64Win32:
        break;
    }
    return {emuShort, {gameArgument}};
}

bool recordPlay(catalogue::CurrentGame* game)
{
    if (!game || !game->record())
        return false;
    const qint64 timesPlayed = game->number(catalogue::field::TimesPlayed);
    return game->change(
        {{catalogue::field::TimesPlayed, timesPlayed + 1},
         {catalogue::field::DateLastPlayed, QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"))}});
}

} // namespace

QString emulatorNotStartedMessage(const QString& program)
{
    return QStringLiteral("Could not start the emulator: ") + program;
}

QString emulatorFailedMessage(const QString& program, const QString& errorOutput, int exitCode)
{
    // A bridge or an emulator says why in a line or two; Wine can say a great deal more, of which the end counts.
    constexpr qsizetype kShown = 2000;
    QString detail = errorOutput.size() > kShown ? QStringLiteral("...") + errorOutput.right(kShown) : errorOutput;
    if (detail.isEmpty())
        detail = exitCode < 0 ? QStringLiteral("(it was killed)") : QStringLiteral("(exit code %1)").arg(exitCode);
    return QStringLiteral("The emulator ended at once: ") + program + u'\n' + detail;
}

QString emulatorPathOf(const Settings& settings, EmulatorKind kind)
{
    switch (kind) {
    case EmulatorKind::Ccs64Dos19:
        return settings.CCS64Path;
    case EmulatorKind::Ccs64Dos20:
        return settings.CCS642Path;
    case EmulatorKind::Ccs64Win32:
        return settings.DirectXPath;
    }
    return {};
}

PortValues portValuesFor(const Settings& settings, catalogue::CurrentGame* game, bool useDefault, bool fromDatabase,
                         EmulatorKind kind)
{
    const PortDefaults& d = settings.DefaultPorts;
    const bool firstGeneration = kind == EmulatorKind::Ccs64Dos19;
    const bool ownValues = !useDefault && fromDatabase && game && game->record();
    if (!ownValues) {
        if (firstGeneration)
            return {d.DefPort1Joy, d.DefPort2Joy, d.DefPort1Key, d.DefPort2Key};
        return {d.DXDefPort1Joy, d.DXDefPort2Joy, d.DXDefPort1Key, d.DXDefPort2Key};
    }
    const QString prefix = firstGeneration ? QString() : QStringLiteral("V2");
    auto field = [&](const char* name) { return int(game->number(prefix + QLatin1String(name))); };
    return {field("Port1Joy"), field("Port2Joy"), field("Port1Key"), field("Port2Key")};
}

LaunchOutcome GameLaunch(const LaunchRequest& request, const Settings& settings, catalogue::CurrentGame* game)
{
    LaunchOutcome outcome;
    const QString emulatorPath = emulatorPathOf(settings, request.kind);
    if (!platform::CheckPathExists(emulatorPath, true))
        return outcome;

    // A converter that renamed the archive hands back no image: there is nothing to load, and the rename
    // dialog has already told the user what happened. An image that vanished is named.
    if (request.imagePath.isEmpty() || !platform::CheckPathExists(request.imagePath, true))
        return outcome;
    const QString gameShort = platform::ShortPathName(request.imagePath);
    const QString loadFolder = platform::FolderOfPath(gameShort);

    const QString emuShort = platform::ShortPathName(emulatorPath);
    const QString emuFolder = platform::FolderOfPath(emuShort);
    if (request.kind == EmulatorKind::Ccs64Dos19 &&
        !platform::CheckPathExists(platform::joinPath(emuFolder, QStringLiteral("ccsdpmi.exe")), true))
        return outcome;

    const QString configPath = platform::joinPath(emuFolder, QStringLiteral("c64.cfg"));
    if (platform::CheckPathExists(configPath, false)) {
        const PortValues values = portValuesFor(settings, game, request.useDefault, request.fromDatabase, request.kind);
        outcome.config = WriteEmulatorConfig(configPath, values, loadFolder, request.kind != EmulatorKind::Ccs64Dos19);
    }

    outcome.command = bridgedCommand(
        request.kind, emulatorCommand(request.kind, emuShort, gameShort + u',' + QString::number(request.entryIndex)),
        request.bridgeFolder);
    outcome.workingFolder = emuFolder;

    // The emulator runs in its own folder, where it finds its configuration and the DOS extender; our
    // own current folder stays as it is. A bridge that cannot start its emulator (Wine or DOSBox missing, the
    // emulator gone) ends at once with its reason on stderr, which the user is shown; the play is counted all the
    // same, as for an emulator that stops at once by itself.
    const QString program = outcome.command.program;
    outcome.started = platform::startWatched(outcome.command, emuFolder, [program](const QString& errors, int code) {
        platform::MessageBox::exclamation(emulatorFailedMessage(program, errors, code));
    });
    if (!outcome.started) {
        platform::MessageBox::exclamation(emulatorNotStartedMessage(outcome.command.program));
        return outcome;
    }

    if (request.fromDatabase)
        outcome.recorded = recordPlay(game);
    return outcome;
}

} // namespace launch
