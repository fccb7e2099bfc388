#include "category/CategoryCaption.h"

namespace category {

QString categoryCaption(const CategoryInfo& info, const std::optional<QString>& value, int entryCount, bool noneFound)
{
    const QString& title = info.title;
    if (!value) {
        // Publishers and musicians have always had the shorter dash here.
        const bool sortedList = info.sorted;
        return title + (sortedList ? QStringLiteral(" - None Selected") : QStringLiteral("  -  None Selected"));
    }
    const bool tunes = info.lookup == catalogue::LookupKind::Musician;
    const QString head = title + QStringLiteral("  -  ") + *value;
    if (noneFound)
        return head + (tunes ? QStringLiteral("  (0 tunes)") : QStringLiteral("  (0 games)"));
    const QString word = tunes ? (entryCount == 1 ? QStringLiteral("tune") : QStringLiteral("tunes"))
                               : (entryCount == 1 ? QStringLiteral("game") : QStringLiteral("games"));
    return head + QStringLiteral("  (%1 %2)").arg(entryCount).arg(word);
}

QString findCaption(const QString& searched, int entryCount)
{
    const QString head = QStringLiteral("FIND - '") + searched + QStringLiteral("'  -  ");
    if (entryCount == 0)
        return head + QStringLiteral("No games found");
    return head + QString::number(entryCount) +
           (entryCount == 1 ? QStringLiteral(" game found") : QStringLiteral(" games found"));
}

QString viewName(int view)
{
    switch (view) {
    case 1:
        return QStringLiteral("Playable Games");
    case 2:
        return QStringLiteral("Games with Sid Tunes");
    default:
        return QStringLiteral("All Games in Database");
    }
}

} // namespace category
