#pragma once

#include "data/PortDefaults.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <array>

inline constexpr int GamesPathCount = 5;
inline constexpr int FindCount = 10;
inline constexpr int FavouriteCount = 20;

// A bookmark slot is unused when its title is this text; its menu item stays hidden.
inline constexpr QStringView UnusedFavouriteTitle = u"Empty";

// One row of the bookmark table: the menu title and the address it opens.
struct Favourite
{
    QString title;
    QString address;

    bool isUsed() const { return title != UnusedFavouriteTitle; }
    bool operator==(const Favourite&) const = default;
};

// What the main window applies at start, worked out by the loader from the stored values:
// the position (restored or centred), the height (stored or designed) and the view check states.
struct StartupLayout
{
    double top = 0;
    double left = 0;
    double height = 0;
    bool view = false;
    bool ssView = true;

    bool operator==(const StartupLayout&) const = default;
};

// Every preference, path, window measure and bookmark, held in memory from start to exit.
// Member names are the key names of the store. A default-constructed object holds neutral zero
// values only; defaultSettings() or loadSettings() give the real defaults.
struct Settings
{
    // Window, view and start-up state. Window measures are twips.
    bool PositionFlag = false;
    double Top = 0;
    double Left = 0;
    double Widthy = 0;
    double Heighty = 0;
    bool View = false;
    bool SSView = false;
    bool SSViewHideFlag = false;
    bool SSViewShowFlag = false;
    bool SSViewYesFlag = false;
    bool ViewHideFlag = false;
    bool ViewShowFlag = false;
    bool ViewYesFlag = false;
    int WhatListBox = 0;
    QString CurrentGame;
    int Texture = 0;
    int TitleBar = 0;
    QString TitleBarText;
    bool DC = false;
    bool V13Start = false;
    QString LastResetDate;
    int OGTop = 0;
    int OGLeft = 0;
    int OGClose = 0;
    int AlwaysOnTop = 0;
    std::array<QString, FindCount> Find;
    int GoToDIR = 0;

    // Emulators, paths and launch options.
    QString CCS64Path;
    QString CCS642Path;
    QString DirectXPath;
    QString SidplayWPath;
    QString WinzipPath;
    std::array<QString, GamesPathCount> GamesPath; // keys GamesPath, GamesPath1 .. GamesPath4
    QString MusicPath;
    int TheDefaultEmulatorFlag = 0;
    int LeaveSPRunningFlag = 0;
    int RemoveConfirmFlag = 0;
    int DeleteOldSSFlag = 0;
    PortDefaults DefaultPorts;

    // Questions asked after adding a game: 1 ask, 0 do not ask.
    int PromptOnAddFlag = 0;
    int PromptOnAddMusicFN = 0;
    int PromptOnAddSSFN = 0;
    int PromptOnAddPublisher = 0;
    int PromptOnAddYear = 0;
    int PromptOnAddMusician = 0;
    int PromptOnAddGenre = 0;
    int PromptOnAddPlayers = 0;
    int PromptOnAddRating = 0;
    int PromptOnAddDifficulty = 0;
    int PromptOnAddComment = 0;
    int PromptOnAddDocFile = 0;
    int PromptOnAddTrained = 0;
    int PromptOnAddHighScore = 0;

    // Bookmarks: keys Fave<N>D (title) and Fave<N>U (address).
    std::array<Favourite, FavouriteCount> Favourites;

    // Not stored: filled by the loader for the main window.
    StartupLayout startup;

    bool operator==(const Settings&) const = default;
};

// What the main window knows when the settings are loaded. All measures are twips.
struct SettingsLoadContext
{
    double screenWidth = 0;
    double screenHeight = 0;
    double windowWidth = 0; // the main window's size at load time, used to centre it
    double windowHeight = 0;
    double designedHeight = 0; // kept instead of Heighty until this version has been closed once
    QDate today = QDate::currentDate();
};

// What the main window knows when the settings are written. The caller copies the window's
// measures (Top, Left, Widthy, Heighty) and the two view check states (View, SSView) into the
// Settings before writing; Top and Left are skipped while the window is minimised.
struct SettingsSaveContext
{
    bool windowMinimised = false;
};
