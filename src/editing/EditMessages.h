#pragma once

#include "platform/MessageBox.h"

#include <QString>

// What the editing commands tell the user, word for word.
namespace editing {

// A message as it is shown: text, title and icon.
struct Message
{
    QString text;
    QString title = platform::kMessageTitle;
    platform::MessageBox::Icon icon = platform::MessageBox::Exclamation;

    bool isEmpty() const { return text.isEmpty(); }
    void show() const;
};

inline const QString kNoNameEntered = QStringLiteral("No name entered!");
inline const QString kSwitchToAllGames = QStringLiteral(
    "To Add a Game, the Current View must be 'All Games in Database'.  Do you wish to switch to this view now?");
inline const QString kAddGameNeedsGamesPath =
    QStringLiteral("To Add a Filename, you must set the 1st Games Path entry in 'Preferences'.");
inline const QString kAddTuneNeedsMusicPath =
    QStringLiteral("To Add a Sid Tune, you must first set the Path for your Sid Files in 'Preferences'.");

// An empty name, refused by every name dialog.
Message noNameEntered();
// A game or tune name that is taken, letter case aside: with the exclamation icon when adding, the information icon
// when renaming a game.
Message duplicateEntry(const QString& name, platform::MessageBox::Icon icon);
// A publisher or musician that is there already, letter case aside.
Message cannotAdd(const QString& name);
Message cannotChange(const QString& from, const QString& to);
// The catalogue refused a write (read-only, damaged, full): what was not done ("The game could not be added") and
// the engine's reason.
Message notDone(const QString& what, const QString& reason);

QString removeGameQuestion(const QString& name);
QString deleteScreenshotQuestion(const QString& name);

} // namespace editing
