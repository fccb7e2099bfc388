#include "data/FirstRun.h"

#include "data/settings/SettingsStore.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace catalogue {

namespace {

// Copies a file through a synced save, so that the copy is whole on the disk before the folder is renamed.
QString copyWhole(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(source, in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read %1: %2").arg(source, in.errorString());
    QString error;
    if (!platform::saveFile(target, bytes, &error))
        return error;
    // The installed demo is read-only for the user; the copy is theirs to change.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return {};
}

// The demo catalogue and its screenshots in folder; empty when all is there, else the reason.
QString fillDataFolder(const platform::Folders& folders, const QString& folder)
{
    const QDir demo(folders.demo);
    if (const QString error = copyWhole(demo.filePath(QStringLiteral("Vintrax.mdb")),
                                        QDir(folder).filePath(QFileInfo(folders.catalogue).fileName()));
        !error.isEmpty())
        return error;
    const QDir shots(folder + u'/' + QFileInfo(folders.screenshots).fileName());
    if (!QDir().mkpath(shots.path()))
        return QStringLiteral("cannot make %1").arg(shots.path());
    const QDir demoShots(demo.filePath(QStringLiteral("Screenshots")));
    for (const QString& name : demoShots.entryList(QDir::Files)) {
        if (const QString error = copyWhole(demoShots.filePath(name), shots.filePath(name)); !error.isEmpty())
            return error;
    }
    return {};
}

} // namespace

FirstRunOutcome prepareFirstRun(const platform::Folders& folders, QSettings& store)
{
    if (!folders.installed || QFileInfo::exists(folders.data) || QFileInfo::exists(store.fileName()))
        return {};
    const auto failed = [&folders](const QString& reason) {
        return FirstRunOutcome{
            FirstRunResult::Failed,
            QStringLiteral("vintrax could not set up its data folder %1 with the demo catalogue:\n%2")
                .arg(QDir::toNativeSeparators(folders.data), reason)};
    };
    const QString parent = QFileInfo(folders.data).absolutePath();
    if (!QDir().mkpath(parent))
        return failed(QStringLiteral("cannot make %1").arg(parent));
    QTemporaryDir building(QDir(parent).filePath(QStringLiteral(".Vintrax-XXXXXX")));
    if (!building.isValid())
        return failed(building.errorString());
    if (const QString error = fillDataFolder(folders, building.path()); !error.isEmpty())
        return failed(error);
    if (!QDir().rename(building.path(), folders.data)) {
        // Another start got there first: its folder is the user's now.
        if (QFileInfo::exists(folders.data))
            return {};
        return failed(QStringLiteral("cannot rename %1 to %2").arg(building.path(), folders.data));
    }

    QList<std::pair<QString, QString>> presets = {
        {QStringLiteral("GamesPath"), QDir(folders.demo).filePath(QStringLiteral("Games"))},
        {QStringLiteral("MusicPath"), QDir(folders.demo).filePath(QStringLiteral("Music"))},
    };
    if (const QString player = QStandardPaths::findExecutable(QStringLiteral("sidplayfp")); !player.isEmpty())
        presets.append({QStringLiteral("SidplayWPath"), player});
    QString reason;
    if (const SettingsWriteStatus written = presetSettings(store, presets, &reason); written != SettingsWriteStatus::Ok)
        return {FirstRunResult::Failed, settingsWriteMessage(written, store.fileName(), reason)};
    return {FirstRunResult::Prepared, {}};
}

} // namespace catalogue
