#include "editing/FieldRules.h"

#include "data/CatalogueNames.h"

#include <algorithm>

namespace editing {

int boxLimit(int limit, const QString& stored)
{
    return std::max(limit, int(stored.size()));
}

QString enteredName(const QString& typed)
{
    return typed.trimmed();
}

QString shownHighScore(const QString& stored)
{
    return stored.compare(catalogue::kNotEntered, Qt::CaseInsensitive) == 0 ? QString() : stored;
}

QString storedHighScore(const QString& typed)
{
    const QString text = typed.trimmed();
    const QString upper = text.toUpper();
    if (upper.isEmpty() || upper == QStringLiteral("(NOT ENTERED)") || upper == QStringLiteral("NOT ENTERED"))
        return catalogue::kNotEntered;
    return text;
}

QStringList trainedEntries()
{
    return {catalogue::kUnknown, QStringLiteral("Yes - Game is Trained"), QStringLiteral("No - Game is not Trained")};
}

int trainedRow(qint64 stored)
{
    return stored >= 0 && stored < 3 ? int(stored) : -1;
}

} // namespace editing
