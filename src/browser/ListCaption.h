#pragma once

#include "browser/GameListViews.h"

#include <QString>

#include <optional>

namespace browser {

// The window caption, chosen by the TitleBar setting: 0 the row count of the current view, 1 the
// selected game, 2 the user's own text. Any other value counts as 0.
struct CaptionInputs
{
    int titleBar = 0;
    GameListView view = GameListView::All;
    int rowCount = 0;
    std::optional<QString> selectedText; // the selected row's text, none when nothing is selected
    QString titleBarText;
};

inline const QString kCaptionPrefix = QStringLiteral("vintrax  -  ");
inline const QString kNoGameSelected = QStringLiteral("No game selected");

QString windowCaption(const CaptionInputs& in);

} // namespace browser
