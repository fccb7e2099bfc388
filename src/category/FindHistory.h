#pragma once

#include "data/settings/Settings.h"

#include <QString>
#include <QStringList>

#include <array>

// The last ten search texts of the category browser's find, Find0 (newest) to Find9 (oldest); an empty text is an
// unused slot. They live in the settings for the whole run and are written with them at exit.
namespace category {

using FindHistory = std::array<QString, FindCount>;

// A search puts its text first and moves the others one down; the oldest drops out. A text searched again is kept
// again.
void addSearchText(FindHistory& history, const QString& text);

// What the find box offers: the used slots, newest first.
QStringList searchTexts(const FindHistory& history);

} // namespace category
