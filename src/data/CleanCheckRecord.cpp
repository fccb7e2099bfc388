#include "data/CleanCheckRecord.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace catalogue {

namespace {

const QString kFileKey = QStringLiteral("file");
const QString kSizeKey = QStringLiteral("size");
const QString kModifiedKey = QStringLiteral("modified");
const QString kChangedKey = QStringLiteral("changed");

QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

FileStamp fileStampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch(), info.metadataChangeTime().toMSecsSinceEpoch()};
}

CleanCheckRecord CleanCheckRecord::besideSettings(const QString& settingsFile)
{
    return CleanCheckRecord(QFileInfo(settingsFile).absoluteDir().filePath(QStringLiteral("CatalogueCheck.txt")));
}

bool CleanCheckRecord::allowsSkip(const QString& catalogue, const FileStamp& stamp) const
{
    if (!isKept() || !stamp.isValid())
        return false;
    for (const char* journal : {"-journal", "-wal"}) {
        if (QFileInfo::exists(catalogue + QLatin1String(journal)))
            return false;
    }
    QFile file(m_recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString recordedFile;
    FileStamp recorded;
    // A hand-edited or torn record reads as another file or stamp: the check runs.
    for (const QByteArray& rawLine : file.read(64 * 1024).split('\n')) {
        const QString line = QString::fromUtf8(rawLine);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        bool ok = true;
        if (key == kFileKey)
            recordedFile = value;
        else if (key == kSizeKey)
            recorded.size = value.toLongLong(&ok);
        else if (key == kModifiedKey)
            recorded.modified = value.toLongLong(&ok);
        else if (key == kChangedKey)
            recorded.changed = value.toLongLong(&ok);
        if (!ok)
            return false;
    }
    return recordedFile == absolute(catalogue) && recorded == stamp;
}

bool CleanCheckRecord::remember(const QString& catalogue, const FileStamp& stamp, QString* error) const
{
    if (!isKept() || !stamp.isValid())
        return false;
    if (!QDir().mkpath(QFileInfo(m_recordPath).absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot make the folder of %1").arg(m_recordPath);
        return false;
    }
    const QString text = QStringLiteral("# vintrax: the database as it was when its check last found no damage.\n"
                                        "# While it stays so, a start does not check it again; delete this file "
                                        "to have the next start check it.\n"
                                        "%1=%2\n%3=%4\n%5=%6\n%7=%8\n")
                             .arg(kFileKey, absolute(catalogue), kSizeKey, QString::number(stamp.size), kModifiedKey,
                                  QString::number(stamp.modified), kChangedKey, QString::number(stamp.changed));
    return platform::saveFile(m_recordPath, text.toUtf8(), error);
}

bool CleanCheckRecord::forget() const
{
    return !isKept() || !QFileInfo::exists(m_recordPath) || QFile::remove(m_recordPath);
}

} // namespace catalogue
