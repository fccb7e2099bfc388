#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace browser {

// Value labels are drawn dark blue; the one under the mouse turns dark green while the category
// browser is closed (it locks the labels while it is open).
inline const QColor kValueLabelColour = QColor(0, 0, 64);
inline const QColor kHoverLabelColour = QColor(0, 64, 0);

inline QColor valueLabelColour(bool underMouse, bool categoryBrowserOpen)
{
    return underMouse && !categoryBrowserOpen ? kHoverLabelColour : kValueLabelColour;
}

// The legend box picKey: its heading and the captions of lblKey1 to lblKey4, in the order of the
// list colours black, blue, red and grey.
inline const QString kLegendHeading = QStringLiteral("KEY");
inline const QStringList kLegendCaptions = {
    QStringLiteral("Game File and Sid Tune"),
    QStringLiteral("Game File Only"),
    QStringLiteral("Sid Tune Only"),
    QStringLiteral("No Game File or Sid Tune"),
};

// Caption labels beside the value labels: (value label, caption).
inline const std::vector<std::pair<QString, QString>> kDetailCaptions = {
    {QStringLiteral("lblName"), QStringLiteral("Name:")},
    {QStringLiteral("lblPublisher"), QStringLiteral("Publisher:")},
    {QStringLiteral("lblYear"), QStringLiteral("Year :")},
    {QStringLiteral("lblMusician"), QStringLiteral("Musician:")},
    {QStringLiteral("lblGenre"), QStringLiteral("Genre:")},
    {QStringLiteral("lblRating"), QStringLiteral("Personal Rating:")},
    {QStringLiteral("lblDifficulty"), QStringLiteral("Difficulty Level:")},
    {QStringLiteral("lblPlayers"), QStringLiteral("No. of Players:")},
    {QStringLiteral("lblTrainer"), QStringLiteral("Trained:")},
    {QStringLiteral("lblHighScore"), QStringLiteral("High Score:")},
    {QStringLiteral("lblDocFile"), QStringLiteral("Doc File:")},
    {QStringLiteral("lblGameFile"), QStringLiteral("Game File:")},
    {QStringLiteral("lblMusicFile"), QStringLiteral("Sid Tune:")},
    {QStringLiteral("lblTimesPlayed"), QStringLiteral("Times played:")},
    {QStringLiteral("lblLastPlayed"), QStringLiteral("Last played:")},
};

// Each caption label of the panel and the value label it names.
inline constexpr const char* kCaptionLabels[][2] = {
    {"Label10", "lblName"},    {"Label17", "lblRating"},     {"Label12", "lblPublisher"}, {"Label18", "lblDifficulty"},
    {"Label11", "lblYear"},    {"Label7", "lblTrainer"},     {"Label14", "lblMusician"},  {"Label6", "lblHighScore"},
    {"Label16", "lblGenre"},   {"Label3", "lblTimesPlayed"}, {"Label19", "lblPlayers"},   {"Label4", "lblLastPlayed"},
    {"Label1", "lblGameFile"}, {"Label2", "lblMusicFile"},   {"Label8", "lblDocFile"},
};

// The play buttons' tool tip before any game is shown.
inline const QString kPlayButtonIdleTip = QStringLiteral("Play the currently selected game");

} // namespace browser
