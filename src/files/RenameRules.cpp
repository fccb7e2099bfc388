#include "files/RenameRules.h"

#include <QDir>
#include <QStringList>

namespace files {

NameParts splitAtLastDot(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {fileName, {}};
    return {fileName.left(dot), fileName.mid(dot)};
}

QString forbiddenCharactersMessage()
{
    QStringList characters;
    for (const QChar c : kForbiddenNameCharacters)
        characters << QString(c);
    return QStringLiteral("Filename must not contain the following characters:-\n\n") +
           characters.join(QStringLiteral(" , "));
}

QString renameRefusal(const QString& folder, const QString& oldName, const QString& stem, const QString& extension)
{
    for (const QChar c : kForbiddenNameCharacters)
        if (stem.contains(c))
            return forbiddenCharactersMessage();
    if (stem.contains(QChar(0)))
        return forbiddenCharactersMessage();
    if (stem.isEmpty())
        return kEmptyNameMessage;
    const QString newName = stem + extension;
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (name != oldName && name.compare(newName, Qt::CaseInsensitive) == 0)
            return kNameExistsPrefix + folder;
    return {};
}

} // namespace files
