#pragma once

#include "data/LookupKinds.h"

#include <QString>

#include <array>

// The seven categories of the category browser, each one lookup kind of the catalogue, numbered as the View menu
// and the detail labels open them (CategoryKind): 1 publishers, 2 years, 3 musicians, 4 genres, 5 players,
// 6 difficulty, 7 personal ratings.
namespace category {

inline constexpr int kNoCategory = 0;  // the browser opened without a category chosen
inline constexpr int kFindResult = 13; // a find result is on show

struct CategoryInfo
{
    int kind = 0;
    catalogue::LookupKind lookup{};
    QString title;       // the caption's first part, "PUBLISHERS"
    QString buttonKey;   // the toolbar button's name, "btnpublishers"
    QString buttonText;  // the toolbar button's own short text
    QString tooltip;     // "Publishers"
    QString menuItem;    // the main window's View menu entry that opens the browser on it
    bool sorted = false; // listed by name (publishers, musicians), else in the table's order
};

// Kinds 1 to 7 in order.
const std::array<CategoryInfo, 7>& categories();
// The category of that number; nullptr for 0, 13 and any other number.
const CategoryInfo* categoryInfo(int kind);

} // namespace category
