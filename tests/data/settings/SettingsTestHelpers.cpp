#include "SettingsTestHelpers.h"

#include "TestFolders.h"
#include "data/settings/SettingsStore.h"

#include <QStringList>

namespace settingstest {

SettingsLoadContext standardContext()
{
    SettingsLoadContext context;
    context.screenWidth = 19200;
    context.screenHeight = 14400;
    context.windowWidth = 7000;
    context.windowHeight = 9615;
    context.designedHeight = 9615;
    context.today = QDate(2024, 3, 7);
    return context;
}

QMap<QString, QString> rawStartupSection(const QString& iniPath)
{
    QMap<QString, QString> values;
    const QString text = QString::fromUtf8(testsupport::readFile(iniPath));
    bool inStartup = false;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inStartup = line == QLatin1String("[Startup]");
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (inStartup && equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    return values;
}

bool writeStartupIni(const QString& iniPath, const QStringList& lines)
{
    return testsupport::writeFile(iniPath, ("[Startup]\n" + lines.join(QLatin1Char('\n')) + "\n").toUtf8());
}

Settings settingsVariant(char which)
{
    Settings s = defaultSettings(standardContext());
    s.V13Start = true;
    const QString mark(1, QLatin1Char(which));
    const int length = which == 'B' ? 300 : 10;
    s.CurrentGame = QStringLiteral("Game ") + mark;
    s.MusicPath = QStringLiteral("C:\\Music\\") + mark;
    s.WhatListBox = which == 'B' ? 2 : 1;
    for (int i = 0; i < FindCount; ++i)
        s.Find[i] = QString(length / 10, QLatin1Char(which)) + QString::number(i);
    for (int i = 0; i < FavouriteCount; ++i)
        s.Favourites[i].title = QString(length, QLatin1Char(which)) + QString::number(i);
    return s;
}

QByteArray handEditedSettingsFile()
{
    return "; set by hand\n[Startup]\nGamesPath=C:\\Games\\C64; D64 only\nMyOwnKey=keep me\n\n"
           "[Elsewhere]\n# unknown section\nValue=\"quoted\"";
}

QStringList expectedKeyNames()
{
    // clang-format off
    QStringList keys = {
        "PositionFlag", "Top", "Left", "Widthy", "Heighty", "View", "SSView", "SSViewHideFlag", "SSViewShowFlag",
        "SSViewYesFlag", "ViewHideFlag", "ViewShowFlag", "ViewYesFlag", "WhatListBox", "CurrentGame", "Texture",
        "TitleBar", "TitleBarText", "DC", "V13Start", "LastResetDate", "OGTop", "OGLeft", "OGClose", "AlwaysOnTop",
        "GoToDIR", "CCS64Path", "CCS642Path", "DirectXPath", "SidplayWPath", "WinzipPath", "GamesPath", "GamesPath1",
        "GamesPath2", "GamesPath3", "GamesPath4", "MusicPath", "TheDefaultEmulatorFlag", "LeaveSPRunningFlag",
        "RemoveConfirmFlag", "DeleteOldSSFlag", "DefPort1Joy", "DefPort2Joy", "DefPort1Key", "DefPort2Key",
        "DXDefPort1Joy", "DXDefPort2Joy", "DXDefPort1Key", "DXDefPort2Key", "PromptOnAddFlag", "PromptOnAddMusicFN",
        "PromptOnAddSSFN", "PromptOnAddPublisher", "PromptOnAddYear", "PromptOnAddMusician", "PromptOnAddGenre",
        "PromptOnAddPlayers", "PromptOnAddRating", "PromptOnAddDifficulty", "PromptOnAddComment",
        "PromptOnAddDocFile", "PromptOnAddTrained", "PromptOnAddHighScore"};
    // clang-format on
    for (int i = 0; i < 10; ++i)
        keys << QStringLiteral("Find%1").arg(i);
    for (int i = 0; i < 20; ++i)
        keys << QStringLiteral("Fave%1D").arg(i) << QStringLiteral("Fave%1U").arg(i);
    return keys;
}

} // namespace settingstest
