#include "platform/FolderBelow.h"

#include "platform/ShortPathName.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#endif

// The real folder a path leads to, split into its names; nothing when it does not exist. The file
// system's root gives an empty list.
std::optional<QStringList> realComponents(const QString& folder)
{
    if (folder.isEmpty())
        return std::nullopt;
    const QString existing = ShortPathName(folder);
    const QString real = existing.isEmpty() ? QString() : QFileInfo(existing).canonicalFilePath();
    if (real.isEmpty())
        return std::nullopt;
    return QDir::fromNativeSeparators(real).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

std::optional<QStringList> componentsBelow(const QString& folder, const QString& root)
{
    const std::optional<QStringList> outer = realComponents(root);
    const std::optional<QStringList> inner = realComponents(folder);
    if (!outer || !inner || inner->size() < outer->size())
        return std::nullopt;
    for (qsizetype i = 0; i < outer->size(); ++i)
        if (inner->at(i).compare(outer->at(i), kNameCase) != 0)
            return std::nullopt;
    return inner->mid(outer->size());
}

bool folderInside(const QString& folder, const QString& root)
{
    return componentsBelow(folder, root).has_value();
}

} // namespace platform
