#include "launch/GameLaunch.h"
#include "data/GameFields.h"

#include "data/CurrentGame.h"
#include "data/settings/Settings.h"
#include "launch/EmulatorBridge.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"
#include "platform/WatchedStart.h"

#include <QDate>
#include <QPointer>
#include <QSignalBlocker>

#include <optional>

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

// Counts the play of the game that was current when it started. The user may have gone on to another game while the
// emulator started: that game's row is changed then without telling the panel, which shows the other one.
bool recordPlay(catalogue::CurrentGame* game, qint64 startedRow)
{
    if (!game || startedRow < 0)
        return false;
    const qint64 shown = game->rowid();
    std::optional<QSignalBlocker> quiet;
    if (shown != startedRow) {
        quiet.emplace(game);
        game->select(startedRow);
    }
    const qint64 timesPlayed = game->number(catalogue::field::TimesPlayed);
    const bool recorded =
        game->record() &&
        game->change({{catalogue::field::TimesPlayed, timesPlayed + 1},
                      {catalogue::field::DateLastPlayed, QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"))}});
    game->select(shown);
    return recorded;
}

// Asks the bridge whether it can start the emulator before anything is written, so that a refusal (Wine or DOSBox
// missing, a name DOS cannot run, no 32-bit Wine for a 32-bit program) leaves the emulator's configuration as it was.
bool bridgeAgrees(const platform::Command& bridged, const QString& folder)
{
    constexpr int kCheckLimitMs = 20000; // a few small programs; the limit only guards against one that hangs
    QString reason;
    const std::optional<int> code = platform::RunAndWait(launch::bridgeCheckCommand(bridged), folder,
                                                         platform::WindowMode::Hidden, kCheckLimitMs, &reason);
    if (code == 0)
        return true;
    if (reason.isEmpty())
        reason = code ? QStringLiteral("(exit code %1)").arg(*code) : QStringLiteral("(it could not be run)");
    platform::MessageBox::exclamation(emulatorNotStartedMessage(bridged.program) + u'\n' + reason);
    return false;
}

// Puts the configuration back as it was before this start; "" when that worked.
QString restoreConfig(const QString& configPath, const QByteArray& previous)
{
    QString error;
    if (platform::saveFile(platform::ShortPathName(configPath), previous, &error))
        return {};
    return QStringLiteral("\nC64.CFG could not be put back as it was: ") + error;
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

LaunchOutcome GameLaunch(const LaunchRequest& request, const Settings& settings, catalogue::CurrentGame* game,
                         SettledHandler onSettled)
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

    const platform::Command direct =
        emulatorCommand(request.kind, emuShort, gameShort + u',' + QString::number(request.entryIndex));
    outcome.command = bridgedCommand(request.kind, direct, request.bridgeFolder);
    outcome.workingFolder = emuFolder;
    const bool bridged = outcome.command.program != direct.program;
    if (bridged && !bridgeAgrees(outcome.command, emuFolder))
        return outcome;

    const QString configPath = platform::joinPath(emuFolder, QStringLiteral("c64.cfg"));
    QByteArray previousConfig;
    if (platform::CheckPathExists(configPath, false)) {
        const PortValues values = portValuesFor(settings, game, request.useDefault, request.fromDatabase, request.kind);
        outcome.config = WriteEmulatorConfig(configPath, values, loadFolder, request.kind != EmulatorKind::Ccs64Dos19,
                                             &previousConfig);
    }
    const bool configWritten = outcome.config == ConfigWriteResult::Written;

    // The emulator runs in its own folder, where it finds its configuration and the DOS extender; our own current
    // folder stays as it is. A start that fails at once (the bridge cannot start its emulator, the emulator stops with
    // an error) is told with what it wrote on stderr and is no play; one that failed before the emulator ran puts
    // the configuration back.
    const QString program = outcome.command.program;
    const qint64 startedRow = request.fromDatabase && game && game->record() ? game->rowid() : -1;
    const QPointer<catalogue::CurrentGame> current(game);
    const auto settled = [=](const platform::WatchedOutcome& watched) {
        StartSettled result;
        QString failure;
        if (watched.failed) {
            failure = emulatorFailedMessage(program, watched.errorOutput, watched.exitCode);
            if (watched.beforeReady && configWritten)
                failure += restoreConfig(configPath, previousConfig);
        } else {
            result.ran = true;
            result.recorded = request.fromDatabase && recordPlay(current.data(), startedRow);
        }
        if (onSettled)
            onSettled(result);
        if (!failure.isEmpty())
            platform::MessageBox::exclamation(failure);
    };
    platform::WatchOptions options;
    if (bridged)
        options.readyVariable = QString::fromLatin1(kBridgeReadyVariable);
    outcome.started = platform::startWatched(outcome.command, emuFolder, settled, options);
    if (!outcome.started) {
        QString failure = emulatorNotStartedMessage(program);
        if (configWritten)
            failure += restoreConfig(configPath, previousConfig);
        platform::MessageBox::exclamation(failure);
    }
    return outcome;
}

} // namespace launch
