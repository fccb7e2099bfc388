#include "platform/Leftovers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

constexpr int kRandomLength = 6;

// The moment this program was loaded, taken once when it starts. File times come from a coarser clock that lags this
// one by up to a clock tick (at most 10 ms): with that taken off, a file written in the very moment of the start
// counts as new.
const QDateTime kProgramStart = QDateTime::currentDateTimeUtc().addMSecs(-10);

bool isRandomPart(QStringView part)
{
    if (part.size() != kRandomLength)
        return false;
    for (const QChar c : part) {
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

} // namespace

QString TempNames::templateName() const
{
    return prefix + QStringLiteral("XXXXXX") + endings.value(0);
}

bool TempNames::matches(const QString& fileName) const
{
    if (!fileName.startsWith(prefix))
        return false;
    const QStringView rest = QStringView(fileName).mid(prefix.size());
    for (const QString& ending : endings) {
        if (rest.size() == kRandomLength + ending.size() && rest.endsWith(ending) &&
            isRandomPart(rest.left(kRandomLength)))
            return true;
    }
    return false;
}

int removeLeftovers(const QString& folder, const TempNames& names)
{
    if (folder.isEmpty())
        return 0;
    const QDir dir(folder);
    int removed = 0;
    const QFileInfoList files =
        dir.entryInfoList({names.prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo& file : files) {
        if (file.isSymLink() || !names.matches(file.fileName()))
            continue;
        if (file.lastModified() < kProgramStart && QFile::remove(file.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

} // namespace platform
