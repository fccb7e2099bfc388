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

} // namespace settingstest
