#pragma once

#include "category/CategoryKinds.h"

#include <QString>

#include <optional>

// The category browser's window caption and view label.
namespace category {

inline const QString kNoCategoryCaption = QStringLiteral("CATEGORY SELECTION...");
inline const QString kReadingCaption = QStringLiteral("Reading Database Entries...");

// While a category is shown: its title, the value chosen (nothing while none is), the number of lines of the found
// list (tunes count too) and whether that list says "No games available". "GENRES  -  Arcade  (3 games)"; for
// musicians the lines are counted as tunes.
QString categoryCaption(const CategoryInfo& info, const std::optional<QString>& value, int entryCount, bool noneFound);

// While a find result is shown: the search text as searched (upper case) and the number of lines found.
QString findCaption(const QString& searched, int entryCount);

// The main window's view as the browser names it: 0 "All Games in Database", 1 "Playable Games", 2 "Games with Sid
// Tunes".
QString viewName(int view);

} // namespace category
